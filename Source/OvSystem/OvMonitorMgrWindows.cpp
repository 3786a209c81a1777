// The attached monitors on Windows: the desktop's display monitors, each with the EDID that
// Windows stored for its monitor device under the local-machine key
// SYSTEM\CurrentControlSet\Enum\DISPLAY\<hardware id>\<instance>\Device Parameters.
//
// EnumDisplayDevicesW is looked up at run time in user32, loaded for each call.
#define OV_SOURCE_FILE "Source/OvSystem/OvMonitorMgrWindows"
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "OvSystem/OvDisplayDeviceId.h"
#include "OvSystem/OvMonitorMgr.h"
#include "OvSystem/OvMonitorMgrDesktop.h"
#include "OvSystem/OvPlatform.h"

namespace {

static_assert(sizeof(MONITORINFOEXW) == 104, "the extended monitor information record");
static_assert(sizeof(DISPLAY_DEVICEW) == 840, "the display device record");

constexpr DWORD kDisplayDeviceActive = 0x1;
constexpr DWORD kRegistryValueLimit = 1024;
constexpr DWORD kSubkeyNameLimit = 256;  // 255 characters and the terminating zero

using EnumDisplayDevicesFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, PDISPLAY_DEVICEW, DWORD);

OvString FromWide(const wchar_t* text, size_t capacity)
{
    const std::u16string units(text, text + wcsnlen(text, capacity));
    return OvString(OvPlatform::Utf16ToUtf8(units.c_str()).c_str());
}

// ---- The monitor device of a display device -------------------------------------------

// user32 loaded for the length of one call.
class User32 {
public:
    User32() : fModule(LoadLibraryW(L"USER32.DLL"))
    {
        if (!fModule) RaiseSystemError(static_cast<int32_t>(GetLastError()), "Couldn't load user32.dll", 0);
    }
    ~User32() { FreeLibrary(fModule); }
    User32(const User32&) = delete;
    User32& operator=(const User32&) = delete;

    EnumDisplayDevicesFunction EnumDisplayDevices() const
    {
        // The detour through void (*)() is the one function-pointer conversion compilers
        // accept without a warning.
        const auto function = reinterpret_cast<EnumDisplayDevicesFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(fModule, "EnumDisplayDevicesW")));
        if (!function) {
            RaiseSystemError(static_cast<int32_t>(GetLastError()), "Missing function EnumDisplayDevices in user32.dll", 0);
        }
        return function;
    }

private:
    HMODULE fModule;
};

bool EnumDisplayDevice(const wchar_t* displayName, DWORD index, DISPLAY_DEVICEW& device)
{
    const User32 user32;
    return user32.EnumDisplayDevices()(displayName, index, &device, 0) != FALSE;
}

// The device id of the display device's active monitor; when none is active, that of the
// last one listed (the record is filled by each call and cleared only once).
OvString MonitorDeviceId(const wchar_t* displayName)
{
    DISPLAY_DEVICEW device;
    std::memset(&device, 0, sizeof device);
    device.cb = sizeof device;
    for (DWORD i = 0; EnumDisplayDevice(displayName, i, device); ++i) {
        if (device.StateFlags & kDisplayDeviceActive) break;
    }
    return FromWide(device.DeviceID, sizeof device.DeviceID / sizeof device.DeviceID[0]);
}

// ---- The registry ---------------------------------------------------------------------

// A local-machine key opened for reading; empty when it cannot be opened. Paths are ASCII
// (hardware ids and instance names), so the 8-bit calls take them as they are.
class RegistryKey {
public:
    explicit RegistryKey(const OvString& path)
    {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.Chars(), 0, KEY_READ, &fKey) != ERROR_SUCCESS) fKey = nullptr;
    }
    ~RegistryKey()
    {
        if (fKey) RegCloseKey(fKey);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    explicit operator bool() const { return fKey != nullptr; }

    // The names of the subkeys (up to 255 characters each).
    std::vector<OvString> SubkeyNames() const
    {
        std::vector<OvString> names;
        DWORD count = 0;
        if (RegQueryInfoKeyW(fKey, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr) != ERROR_SUCCESS) {
            return names;
        }
        for (DWORD i = 0; i < count; ++i) {
            wchar_t name[kSubkeyNameLimit] = {};
            DWORD length = kSubkeyNameLimit;
            if (RegEnumKeyExW(fKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
                names.push_back(FromWide(name, length));
            }
        }
        return names;
    }

    // A value of at most 1024 bytes and its type; false when missing or larger.
    bool ReadValue(const char* name, DWORD& type, std::vector<uint8_t>& data) const
    {
        data.assign(kRegistryValueLimit, 0);
        DWORD size = kRegistryValueLimit;
        if (RegQueryValueExA(fKey, name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return false;
        data.resize(size);
        return true;
    }

    // True when the value is a string equal to text (the stored terminating zero aside).
    bool HasString(const char* name, const OvString& text) const
    {
        DWORD type = 0;
        std::vector<uint8_t> data;
        if (!ReadValue(name, type, data) || type != REG_SZ) return false;
        const auto* chars = reinterpret_cast<const char*>(data.data());
        const size_t length = strnlen(chars, data.size());
        return OvString(chars, static_cast<int32_t>(length)) == text;
    }

private:
    HKEY fKey = nullptr;
};

// The instance key of the monitor model whose "Driver" names this very monitor; empty
// when there is none.
OvString FindInstancePath(const OvDisplayDeviceKeys& keys)
{
    const RegistryKey model(keys.enumKey);
    if (!model) return {};
    for (const OvString& name : model.SubkeyNames()) {
        const OvString path = keys.enumKey + "\\" + name;
        const RegistryKey instance(path);
        if (instance && instance.HasString("Driver", keys.driverKey)) return path;
    }
    return {};
}

// ---- The desktop ----------------------------------------------------------------------

// Only collects: nothing may raise across the system's callback.
BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM collected) noexcept
{
    try {
        reinterpret_cast<std::vector<HMONITOR>*>(collected)->push_back(monitor);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

void AddMonitor(OvMonitorMgr& list, HMONITOR monitor)
{
    MONITORINFOEXW info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, reinterpret_cast<LPMONITORINFO>(&info))) return;

    const OvString name = FromWide(info.szDevice, sizeof info.szDevice / sizeof info.szDevice[0]);
    const RECT& area = info.rcMonitor;
    const int32_t index = list.Append(name, {area.left, area.top, area.right, area.bottom},
                                      (info.dwFlags & MONITORINFOF_PRIMARY) != 0);
    uint8_t edid[kOvMonitorEdidSize] = {};
    if (!name.IsEmpty()) OvReadRegistryEdid(MonitorDeviceId(info.szDevice), edid);
    list.SetEDID(index, edid);
}

}  // namespace

bool OvReadRegistryEdid(const OvString& deviceId, uint8_t edid[256])
{
    std::memset(edid, 0, kOvMonitorEdidSize);
    const OvString instance = FindInstancePath(OvParseDisplayDeviceId(deviceId));
    if (instance.IsEmpty()) return false;
    const RegistryKey parameters(instance + "\\Device Parameters");
    DWORD type = 0;
    std::vector<uint8_t> data;
    if (!parameters || !parameters.ReadValue("EDID", type, data)) return false;
    if (type != REG_BINARY || data.size() > kOvMonitorEdidSize) return false;
    if (!data.empty()) std::memcpy(edid, data.data(), data.size());
    return true;
}

void OvAddDesktopMonitors(OvMonitorMgr& list)
{
    std::vector<HMONITOR> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    for (HMONITOR monitor : monitors) AddMonitor(list, monitor);
}
