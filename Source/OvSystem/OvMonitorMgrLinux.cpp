// The attached monitors on Linux: the connected connectors of the DRM class folder, each
// with the EDID the kernel read from it. The desktop layout belongs to the display server,
// which this library does not ask, so the monitors are placed side by side from x = 0 in
// the size of their preferred mode (the first line of "modes"), 1920x1080 when unknown.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "OvSystem/OvMonitorMgr.h"
#include "OvSystem/OvMonitorMgrDesktop.h"
#include "OvSystem/OvPlatform.h"

namespace {

constexpr const char* kDrmRootVariable = "OV_DRM_SYSFS_ROOT";
constexpr const char* kDefaultDrmRoot = "/sys/class/drm";
constexpr int32_t kDefaultWidth = 1920;
constexpr int32_t kDefaultHeight = 1080;
constexpr int32_t kLargestModeSide = 65535;
constexpr size_t kShortFileLimit = 64;

struct Connector {
    std::filesystem::path folder;
    std::string name;
};

// Up to limit bytes of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path, size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes(limit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(limit));
    bytes.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return bytes;
}

// "card<n>-<connector>" gives the connector name; anything else (the cards themselves,
// render nodes, "version") gives the empty string.
std::string ConnectorName(const std::string& folderName)
{
    constexpr std::string_view kPrefix = "card";
    if (folderName.compare(0, kPrefix.size(), kPrefix) != 0) return {};
    size_t position = kPrefix.size();
    while (position < folderName.size() && folderName[position] >= '0' && folderName[position] <= '9') ++position;
    if (position == kPrefix.size() || position + 1 >= folderName.size() || folderName[position] != '-') return {};
    return folderName.substr(position + 1);
}

bool IsConnected(const std::filesystem::path& folder)
{
    std::string status = ReadBytes(folder / "status", kShortFileLimit);
    while (!status.empty() && std::strchr(" \t\r\n", status.back())) status.pop_back();
    return status == "connected";
}

std::vector<Connector> ConnectedConnectors(const std::filesystem::path& root)
{
    std::vector<Connector> connectors;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        const std::string name = ConnectorName(entry.path().filename().string());
        if (!name.empty() && IsConnected(entry.path())) connectors.push_back({entry.path(), name});
    }
    std::sort(connectors.begin(), connectors.end(),
              [](const Connector& a, const Connector& b) { return a.folder.filename() < b.folder.filename(); });
    return connectors;
}

int32_t ModeSide(const char* first, const char* last, const char*& end)
{
    int32_t side = 0;
    const auto result = std::from_chars(first, last, side);
    end = result.ptr;
    return result.ec == std::errc() && side > 0 && side <= kLargestModeSide ? side : 0;
}

// Width and height of the first line of "modes" ("2560x1440"), else the default size.
void PreferredModeSize(const std::filesystem::path& folder, int32_t& width, int32_t& height)
{
    const std::string modes = ReadBytes(folder / "modes", kShortFileLimit);
    const char* end = modes.data();
    width = ModeSide(modes.data(), modes.data() + modes.size(), end);
    height = width > 0 && end < modes.data() + modes.size() && *end == 'x'
                 ? ModeSide(end + 1, modes.data() + modes.size(), end)
                 : 0;
    if (width == 0 || height == 0) {
        width = kDefaultWidth;
        height = kDefaultHeight;
    }
}

}  // namespace

OvString OvDrmSysfsRoot()
{
    const std::string root = OvPlatform::GetEnvironment(kDrmRootVariable);
    return OvString(root.empty() ? kDefaultDrmRoot : root.c_str());
}

void OvAddDrmMonitors(OvMonitorMgr& list, const OvString& root)
{
    int32_t left = 0;
    for (const Connector& connector : ConnectedConnectors(std::filesystem::path(root.Chars()))) {
        int32_t width = 0;
        int32_t height = 0;
        PreferredModeSize(connector.folder, width, height);
        const int32_t index =
            list.Append(OvString(connector.name.c_str()), {left, 0, left + width, height}, list.Count() == 0);
        left += width;

        uint8_t edid[kOvMonitorEdidSize] = {};
        const std::string bytes = ReadBytes(connector.folder / "edid", kOvMonitorEdidSize);
        std::memcpy(edid, bytes.data(), bytes.size());
        list.SetEDID(index, edid);
    }
}

void OvAddDesktopMonitors(OvMonitorMgr& list)
{
    OvAddDrmMonitors(list, OvDrmSysfsRoot());
}
