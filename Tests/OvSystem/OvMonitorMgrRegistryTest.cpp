// The registry calls. Before the framework, whose names it maps to their W forms.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef CreateDirectory
#undef LoadLibrary
#undef ReplaceFile

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "OvData/OvSettings.h"
#include "OvDevices/OvMonitorEdidLookup.h"
#include "OvDevices/OvMonitorSimulation.h"
#include "OvSystem/OvDisplayDeviceId.h"
#include "OvSystem/OvMonitorMgr.h"
#include "OvSystem/OvMonitorMgrDesktop.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kDriver = "{4d36e96e-e325-11ce-bfc1-08002be10318}\\0007";

// Sets a value of a local-machine key, creating the key when missing.
bool SetLocalMachineValue(const std::string& key, const char* name, DWORD type, const void* data, size_t size)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG result = RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

// A monitor model of the test's own below Enum\DISPLAY, deleted with all its instances.
class TestModel {
public:
    TestModel() : fName("OvTest" + std::to_string(GetCurrentProcessId())) {}
    ~TestModel() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, Path().c_str()); }
    TestModel(const TestModel&) = delete;
    TestModel& operator=(const TestModel&) = delete;

    // An instance whose "Driver" is driver and whose "EDID" has this type and these bytes.
    bool Instance(const std::string& instance, const std::string& driver, DWORD edidType, const Bytes& edid) const
    {
        const std::string key = Path() + "\\" + instance;
        return SetLocalMachineValue(key, "Driver", REG_SZ, driver.c_str(), driver.size() + 1) &&
               SetLocalMachineValue(key + "\\Device Parameters", "EDID", edidType, edid.data(), edid.size());
    }
    OvString DeviceId(const std::string& driver) const
    {
        return OvString(("MONITOR\\" + fName + "\\" + driver).c_str());
    }

private:
    std::string Path() const { return "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\" + fName; }
    std::string fName;
};

bool RunsUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The "Device Parameters" keys of every instance of the desktop's first monitor model.
std::vector<std::string> FirstMonitorParameterKeys()
{
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    if (!EnumDisplayDevicesA("\\\\.\\DISPLAY1", 0, &device, 0)) return {};
    const OvString model = OvParseDisplayDeviceId(OvString(device.DeviceID)).enumKey;
    std::vector<std::string> keys;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, model.Chars(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return {};
    char name[256];
    for (DWORD i = 0, length = sizeof name;
         RegEnumKeyExA(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = sizeof name) {
        keys.push_back(std::string(model.Chars()) + "\\" + name + "\\Device Parameters");
    }
    RegCloseKey(handle);
    return keys;
}

}  // namespace

TEST(OvMonitorMgrRegistry, RawValuesOfTheInstanceWhoseDriverMatchesAreRead)
{
    TestModel model;
    const Bytes edid = OvTestEdid("REG1");
    const Bytes noHeader(128, 0x11);
    const struct { const char* instance; const char* driver; DWORD type; Bytes value; } instances[] = {
        {"0000", "{4d36e96e-e325-11ce-bfc1-08002be10318}\\0003", REG_BINARY, OvTestEdid("OTHER")},
        {"0001", kDriver, REG_BINARY, edid},
        {"text", "drv\\text", REG_SZ, {'0', '0', 'F', 'F', 0}},
        {"long", "drv\\long", REG_BINARY, Bytes(257, 0)},
        {"header", "drv\\header", REG_BINARY, noHeader}};
    for (const auto& [instance, driver, type, value] : instances) {
        if (!model.Instance(instance, driver, type, value)) {
            GTEST_SKIP() << "the local-machine registry is not writable";
        }
    }
    // Raw values of at most 256 bytes are read and padded; anything else leaves zeros.
    const struct { OvString id; bool found; Bytes edid; } reads[] = {
        {model.DeviceId(kDriver), true, OvPaddedEdid(edid)},
        {model.DeviceId("{4d36e96e-e325-11ce-bfc1-08002be10318}\\0009"), false, OvPaddedEdid({})},
        {OvString("MONITOR\\OvNoSuchModel\\x"), false, OvPaddedEdid({})},
        {model.DeviceId("drv\\text"), false, OvPaddedEdid({})},
        {model.DeviceId("drv\\long"), false, OvPaddedEdid({})},
        {model.DeviceId("drv\\header"), true, OvPaddedEdid(noHeader)}};
    for (const auto& [id, found, expected] : reads) {
        SCOPED_TRACE(id.Chars());
        Bytes read(kOvMonitorEdidSize, 0xAA);
        EXPECT_EQ(OvReadRegistryEdid(id, read.data()), found);
        EXPECT_EQ(read, expected);
    }
}

// End to end through user32 and the registry, on wine's virtual monitor only: every
// instance of its monitor model gets an EDID for the length of the test.
TEST(OvMonitorMgrRegistry, DesktopMonitorFoundBySerialText)
{
    if (!RunsUnderWine()) GTEST_SKIP() << "writes a monitor's EDID, which only wine's virtual monitor may get";
    OvScopedMakerFolder folder;
    const std::vector<std::string> keys = FirstMonitorParameterKeys();
    ASSERT_FALSE(keys.empty());
    const Bytes edid = OvTestEdid("WINE-7");
    for (const std::string& key : keys) {
        EXPECT_TRUE(SetLocalMachineValue(key, "EDID", REG_BINARY, edid.data(), edid.size()));
    }

    OvSettings().SetBool(kOvSettingMonitorSimulation, true);
    OvMonitorMgr::Get(OvMonitorSimulation::kSimulatedMonitors);
    OvSettings().SetBool(kOvSettingMonitorSimulation, false);
    uint8_t found[kOvMonitorEdidSize] = {};
    const bool foundBySerial = FindMonitorEdidBySerial(OvString("WINE-7"), found);
    const OvMonitorEntry& first = OvMonitorMgr::Get(OvMonitorSimulation::kSimulatedMonitors).Entry(0);
    for (const std::string& key : keys) RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "EDID");

    ASSERT_TRUE(foundBySerial);
    EXPECT_EQ(Bytes(found, found + 128), edid);
    EXPECT_STREQ(first.name.Chars(), "\\\\.\\DISPLAY1");
    EXPECT_TRUE(first.primary);
    EXPECT_GT(first.rect.right, first.rect.left);
}
