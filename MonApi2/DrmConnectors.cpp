#include "MonApi2/DrmConnectors.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

namespace MonApi2 {
namespace {

constexpr size_t kStatusLimit = 64;
constexpr size_t kEdidLimit = 128;  // the interface record carries the base block only

// "card<digits>-<something>": a connector, not the card itself or a render node.
bool IsConnectorName(std::string_view name)
{
    if (!name.starts_with("card")) return false;
    name.remove_prefix(4);
    const size_t dash = name.find_first_not_of("0123456789");
    return dash != 0 && dash != std::string_view::npos && name[dash] == '-' && dash + 1 < name.size();
}

// N of "i2c-N"; nothing for any other name.
std::optional<int> AdapterNumber(std::string_view name)
{
    if (!name.starts_with("i2c-")) return std::nullopt;
    name.remove_prefix(4);
    int number = -1;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (error != std::errc() || end != name.data() + name.size() || number < 0) return std::nullopt;
    return number;
}

std::string_view LastComponent(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Most drivers link the connector's bus as "ddc"; DisplayPort connectors carry their AUX
// channel's bus as an "i2c-N" entry of the connector's own directory instead.
std::optional<int> DdcAdapter(I2cDevSystem& system, const std::string& directory)
{
    if (const auto target = system.ReadLink(directory + "/ddc")) {
        if (const auto adapter = AdapterNumber(LastComponent(*target))) return adapter;
    }
    std::optional<int> lowest;
    for (const std::string& entry : system.ListDirectory(directory)) {
        const auto adapter = AdapterNumber(entry);
        if (adapter && (!lowest || *adapter < *lowest)) lowest = adapter;
    }
    return lowest;
}

bool IsConnected(I2cDevSystem& system, const std::string& directory)
{
    const auto status = system.ReadFile(directory + "/status", kStatusLimit);
    if (!status) return false;
    std::string_view text(reinterpret_cast<const char*>(status->data()), status->size());
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
    return text == "connected";
}

}  // namespace

std::vector<DrmConnector> FindDdcConnectors(I2cDevSystem& system, const std::string& sysfsRoot)
{
    const std::string drm = sysfsRoot + "/class/drm";
    std::vector<std::string> names = system.ListDirectory(drm);
    std::sort(names.begin(), names.end());
    std::vector<DrmConnector> connectors;
    for (const std::string& name : names) {
        const std::string directory = drm + "/" + name;
        if (!IsConnectorName(name) || !IsConnected(system, directory)) continue;
        const auto adapter = DdcAdapter(system, directory);
        if (!adapter) continue;
        connectors.push_back({name, *adapter, system.ReadFile(directory + "/edid", kEdidLimit).value_or(std::vector<uint8_t>{})});
    }
    return connectors;
}

}  // namespace MonApi2
