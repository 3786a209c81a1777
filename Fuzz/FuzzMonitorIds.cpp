// Feeds arbitrary bytes to the monitor list's handling of what the system reports: the
// input up to its first line feed is a display device id, the rest the EDID stored for it
// (cut to or padded with zeros to 256 bytes).
//   - The registry keys of a device id without zero bytes are the enumeration key of the
//     part before its second backslash, whose first "monitor" in any letter case becomes
//     "DISPLAY", and the rest as the driver key.
//   - A monitor appended with that id as its name keeps its EDID only when it starts with
//     the EDID header, and hands back exactly the bytes it kept; both directions log a
//     dump, which is built each time.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "OvCore/OvString.h"
#include "OvSystem/OvDisplayDeviceId.h"
#include "OvSystem/OvMonitorMgr.h"
#include "OvTools/OvDebug.h"

namespace {

constexpr size_t kMaxInput = 4096;
constexpr uint8_t kEdidHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

void Check(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "FuzzMonitorIds: %s\n", what);
    std::abort();
}

std::string_view View(const OvString& text)
{
    return {text.Chars(), static_cast<size_t>(text.Length())};
}

size_t FindMonitorIgnoringCase(std::string_view text)
{
    constexpr std::string_view kMonitor = "monitor";
    const auto found = std::search(text.begin(), text.end(), kMonitor.begin(), kMonitor.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
    return found == text.end() ? std::string_view::npos : static_cast<size_t>(found - text.begin());
}

void CheckDeviceKeys(std::string_view id)
{
    const OvDisplayDeviceKeys keys = OvParseDisplayDeviceId(OvString(id.data(), static_cast<int32_t>(id.size())));
    if (id.find('\0') != std::string_view::npos) return;

    const size_t first = id.find('\\');
    const size_t second = first == std::string_view::npos ? first : id.find('\\', first + 1);
    std::string hardwareId(id.substr(0, second));
    if (const size_t monitor = FindMonitorIgnoringCase(hardwareId); monitor != std::string::npos)
        hardwareId.replace(monitor, 7, "DISPLAY");
    Check(View(keys.enumKey) == "SYSTEM\\CurrentControlSet\\Enum\\" + hardwareId, "wrong enumeration key");
    const std::string_view driverKey = second == std::string_view::npos ? std::string_view() : id.substr(second + 1);
    Check(View(keys.driverKey) == driverKey, "wrong driver key");
}

void CheckStoredEdid(std::string_view id, const uint8_t* bytes, size_t size)
{
    uint8_t edid[kOvMonitorEdidSize] = {};
    std::memcpy(edid, bytes, std::min(size, sizeof edid));
    OvMonitorMgr list;
    const int32_t index = list.Append(OvString(id.data(), static_cast<int32_t>(id.size())), {0, 0, 1920, 1080}, true);
    list.SetEDID(index, edid);
    const bool valid = std::memcmp(edid, kEdidHeader, sizeof kEdidHeader) == 0;
    uint8_t back[kOvMonitorEdidSize];
    Check(list.GetEDID(index, back) == valid, "EDID flag disagrees with the header");
    static const uint8_t kNone[kOvMonitorEdidSize] = {};
    Check(std::memcmp(back, valid ? edid : kNone, sizeof back) == 0, "EDID bytes changed in the list");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnableChannel(kOvChannelGeneral, true);  // the EDID dumps are only built for an open channel
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInput) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t lineEnd = std::min(input.find('\n'), input.size());
    const std::string_view id = input.substr(0, lineEnd);
    CheckDeviceKeys(id);
    const size_t edidStart = std::min(lineEnd + 1, size);
    CheckStoredEdid(id, data + edidStart, size - edidStart);
    return 0;
}
