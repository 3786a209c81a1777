#include "Commands/DisplayDiscovery.h"

#include <utility>

#include "Cli/Formatting.h"
#include "Cli/TextTable.h"
#include "Platform/HostEnvironment.h"

namespace {

// How a port is reached is not part of the device interface: the display-interface
// library's record tells (its interface name, "USB" for a USB link), where the library
// can be reached; DDC otherwise.
DetectedDisplay Detected(HostContext& context, int32_t port, DisplayIdentity identity)
{
    if (context.Options().simulator) return {std::move(identity), "simulated", ""};
    const auto record = context.InterfaceLibrary().InterfaceOfPort(port);
    if (!record) return {std::move(identity), "DDC", ""};
    return {std::move(identity), record->IsUsb() ? "USB" : "DDC", record->interfaceName};
}

}  // namespace

std::vector<DetectedDisplay> DetectDisplays(HostContext& context)
{
    DisplayDevice& device = context.Device();
    // The real display numbers its ports once it has enumerated the interfaces, which only
    // a full connect does; the simulated one finds its displays in the files at each connect.
    if (!context.Options().simulator) device.EnumerateInterfaces();
    std::vector<DetectedDisplay> displays;
    for (int32_t port = 0; port < kPortsTried; ++port) {
        if (device.ConnectPort(port) != 0) continue;
        displays.push_back(Detected(context, port, device.Identity()));
    }
    return displays;
}

std::string NoDisplayReason(HostContext& context)
{
    if (context.Options().simulator)
        return "no simulated display answers on ports 0 to 11; 'zezctl sim init' writes a starter description";
    const DisplayInterfaceLibrary& library = context.InterfaceLibrary();
    if (!library.IsLoaded()) return "no display answers on ports 0 to 11 (MONAPI2 is not beside the plug-in)";
    const size_t interfaces = library.Interfaces().size();
    if (interfaces > 0) {
        const std::string which = interfaces == 1 ? "the one display interface does not answer"
                                                  : "none of the " + std::to_string(interfaces) +
                                                        " display interfaces answers";
        return which + "; is DDC/CI switched on in the display's menu?";
    }
#if defined(__linux__)
    if (!context.Options().emulate && !GetEnvironment("OV_MONAPI2_EMULATE"))
        return "no display interface found; real displays need the i2c-dev module and access to /dev/i2c-*"
               " (see \"Real displays on Linux\" in README.md)";
#endif
    return "no display interface found";
}

void PrintDisplayTable(std::ostream& out, const std::vector<DetectedDisplay>& displays, const std::string& indent)
{
    TextTable table({"Port", "Model", "Serial", "Vendor-product", "Input", "Link", "Interface"});
    for (const DetectedDisplay& display : displays) {
        const DisplayIdentity& id = display.identity;
        table.AddRow({std::to_string(id.port), OrDash(id.modelName), OrDash(id.serialNumber), Hex(id.vendorProductId, 8),
                      id.digitalInput ? "digital" : "analogue", display.link, OrDash(display.interfaceName)});
    }
    table.Print(out, indent);
}
