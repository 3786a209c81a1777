#pragma once
// The display-interface library MONAPI2 as the host sees it beside the plug-in: the same
// library file the plug-in imports, opened by name, so both share its interface table. The
// host only reads from it: the interface records the plug-in enumerated (whether a port is
// a USB link is not part of the device interface) and, where the library offers the
// optional MonApi2GetStatistics, its traffic counts. Drop-in libraries lack that export.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MonApi2/MonApi2.h"
#include "Platform/SharedLibrary.h"

struct DisplayInterface {
    int32_t index = 0;  // the library's interface index
    std::string displayName;
    std::string interfaceName;  // "USB" marks a USB link
    std::string serialNumber;
    bool IsUsb() const { return interfaceName == "USB"; }
};

class DisplayInterfaceLibrary {
public:
    // Opens the library where the plug-in looks for it: beside the program, else by name.
    DisplayInterfaceLibrary();

    bool IsLoaded() const { return fGetCount != nullptr && fGetInfo != nullptr; }
    bool HasStatistics() const { return fGetStatistics != nullptr; }

    // The interfaces as last enumerated (by the plug-in); empty before that.
    std::vector<DisplayInterface> Interfaces() const;
    // The interface behind a logical port, numbered as the plug-in numbers them: the USB
    // interfaces first, then the others, each in table order.
    std::optional<DisplayInterface> InterfaceOfPort(int32_t port) const;
    // The traffic of one interface; nothing when the library keeps no statistics.
    std::optional<MonApi2Statistics> Statistics(int32_t index) const;

private:
    std::unique_ptr<SharedLibrary> fLibrary;
    MonApi2GetNumDisplayInterfacesFn fGetCount = nullptr;
    MonApi2GetDisplayInterfaceInfoFn fGetInfo = nullptr;
    MonApi2GetStatisticsFn fGetStatistics = nullptr;
};

// Interfaces in the order of their logical port numbers.
std::vector<DisplayInterface> InPortOrder(std::vector<DisplayInterface> interfaces);
