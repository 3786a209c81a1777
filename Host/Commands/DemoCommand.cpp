// The demonstration: find the displays, identify the chosen one, change its brightness
// through the VCP slots, read it back, and put it back as it was.
#include "Cli/Formatting.h"
#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"
#include "Commands/DisplayDiscovery.h"

namespace {

constexpr uint16_t kBrightness = 0x0010;

// A value visibly different from the current one, inside the range.
uint32_t DemoTarget(const VcpReading& reading)
{
    const uint32_t half = reading.maximum / 2;
    return reading.current == half ? reading.maximum / 4 : half;
}

void Identify(std::ostream& out, DisplayDevice& device)
{
    const DisplayIdentity identity = device.Identity();
    const DecodedEdid edid = DecodeEdid(device.ReadEdid());
    out << "\nDisplay on port " << identity.port << ": " << identity.modelName << ", serial " << identity.serialNumber
        << ", vendor-product id " << Hex(identity.vendorProductId, 8) << '\n'
        << "  EDID " << edid.versionMajor << '.' << edid.versionMinor << ", made " << edid.year << ", "
        << (edid.digitalInput ? "digital" : "analogue") << " input, checksum "
        << (edid.checksumValid ? "valid" : "invalid") << '\n';
}

void ChangeBrightness(std::ostream& out, DisplayDevice& device)
{
    const auto before = device.ReadVcp(kBrightness);
    if (!before) throw HostError(VcpLabel(kBrightness) + " is not supported by the display");
    out << "\n" << VcpLabel(kBrightness) << ": current " << before->current << ", max " << before->maximum << '\n';
    const uint32_t target = DemoTarget(*before);
    if (!device.WriteVcp(kBrightness, target)) throw HostError("the display did not take " + std::to_string(target));
    const auto after = device.ReadVcp(kBrightness);
    out << "  set to " << target << ", read back " << (after ? std::to_string(after->current) : "nothing") << '\n';
    if (!device.WriteVcp(kBrightness, before->current)) throw HostError("the display did not take the brightness back");
    out << "  restored to " << before->current << '\n';
}

}  // namespace

int RunDemo(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 0);
    std::ostream& out = context.Out();
    const std::vector<DetectedDisplay> displays = DetectDisplays(context);
    if (displays.empty()) throw HostError("no display found: " + NoDisplayReason(context));
    out << "Displays\n";
    PrintDisplayTable(out, displays, "  ");
    DisplayDevice& device = context.ConnectedDevice();
    Identify(out, device);
    ChangeBrightness(out, device);
    return kExitSuccess;
}
