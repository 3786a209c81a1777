#include "Plugin/DisplayInterfaceLibrary.h"

#include <algorithm>
#include <memory>

#include "Platform/HostEnvironment.h"
#include "Platform/LibraryFileNames.h"

namespace {

std::string Text(const char* field, size_t size)
{
    return std::string(field, std::find(field, field + size, '\0'));
}

std::unique_ptr<SharedLibrary> OpenLibrary()
{
    const std::filesystem::path folder = ExecutableFolder();
    if (!folder.empty()) {
        auto beside = std::make_unique<SharedLibrary>((folder / kDisplayInterfaceLibraryFileName).string());
        if (beside->IsLoaded()) return beside;
    }
    return std::make_unique<SharedLibrary>(kDisplayInterfaceLibraryFileName);
}

}  // namespace

DisplayInterfaceLibrary::DisplayInterfaceLibrary() : fLibrary(OpenLibrary())
{
    fGetCount = fLibrary->Lookup<MonApi2GetNumDisplayInterfacesFn>("GetNumDisplayInterfaces");
    fGetInfo = fLibrary->Lookup<MonApi2GetDisplayInterfaceInfoFn>("GetDisplayInterfaceInfo");
    fGetStatistics = fLibrary->Lookup<MonApi2GetStatisticsFn>("MonApi2GetStatistics");
}

std::vector<DisplayInterface> DisplayInterfaceLibrary::Interfaces() const
{
    std::vector<DisplayInterface> interfaces;
    if (!IsLoaded()) return interfaces;
    const int32_t count = fGetCount();
    for (int32_t i = 0; i < count; ++i) {
        DisplayInterfaceInfo info{};
        info.size = sizeof info;
        // A record the library cannot give keeps its place, as in the plug-in's table.
        if (fGetInfo(i, &info) != kMonApi2Ok) info = DisplayInterfaceInfo{};
        interfaces.push_back({i, Text(info.displayName, sizeof info.displayName),
                              Text(info.interfaceName, sizeof info.interfaceName),
                              Text(info.serialNumber, sizeof info.serialNumber)});
    }
    return interfaces;
}

std::optional<DisplayInterface> DisplayInterfaceLibrary::InterfaceOfPort(int32_t port) const
{
    const std::vector<DisplayInterface> ordered = InPortOrder(Interfaces());
    if (port < 0 || static_cast<size_t>(port) >= ordered.size()) return std::nullopt;
    return ordered[static_cast<size_t>(port)];
}

std::optional<MonApi2Statistics> DisplayInterfaceLibrary::Statistics(int32_t index) const
{
    if (!HasStatistics()) return std::nullopt;
    MonApi2Statistics statistics{};
    statistics.size = sizeof statistics;
    if (fGetStatistics(index, &statistics) != kMonApi2Ok) return std::nullopt;
    return statistics;
}

std::vector<DisplayInterface> InPortOrder(std::vector<DisplayInterface> interfaces)
{
    std::stable_partition(interfaces.begin(), interfaces.end(), [](const DisplayInterface& i) { return i.IsUsb(); });
    return interfaces;
}
