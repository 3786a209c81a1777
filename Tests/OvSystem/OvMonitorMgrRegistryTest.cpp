#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "OvData/OvSettings.h"
#include "OvDevices/OvMonitorEdidLookup.h"
#include "OvSystem/OvDisplayDeviceId.h"
#include "OvSystem/OvMonitorMgr.h"
#include "OvSystem/OvMonitorMgrDesktop.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

constexpr const char* kDriver = "{4d36e96e-e325-11ce-bfc1-08002be10318}\\0007";

// A local-machine key created (or opened) for writing.
class WritableKey {
public:
    explicit WritableKey(const std::string& path)
    {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &fKey,
                            nullptr) != ERROR_SUCCESS) {
            fKey = nullptr;
        }
    }
    ~WritableKey()
    {
        if (fKey) RegCloseKey(fKey);
    }
    WritableKey(const WritableKey&) = delete;
    WritableKey& operator=(const WritableKey&) = delete;

    explicit operator bool() const { return fKey != nullptr; }
    void Set(const char* name, DWORD type, const void* data, size_t size) const
    {
        ASSERT_EQ(RegSetValueExA(fKey, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)),
                  ERROR_SUCCESS);
    }
    void SetText(const char* name, const std::string& text) const { Set(name, REG_SZ, text.c_str(), text.size() + 1); }

private:
    HKEY fKey = nullptr;
};

// A monitor model of the test's own below Enum\DISPLAY, deleted with all its instances.
class TestModel {
public:
    TestModel() : fName("OvTest" + std::to_string(GetCurrentProcessId())) {}
    ~TestModel() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, Path().c_str()); }
    TestModel(const TestModel&) = delete;
    TestModel& operator=(const TestModel&) = delete;

    // An instance whose "Driver" is driver and whose "EDID" has this type and these bytes.
    bool Instance(const std::string& instance, const std::string& driver, DWORD edidType,
                  const std::vector<uint8_t>& edid) const
    {
        const WritableKey key(Path() + "\\" + instance);
        const WritableKey parameters(Path() + "\\" + instance + "\\Device Parameters");
        if (!key || !parameters) return false;
        key.SetText("Driver", driver);
        parameters.Set("EDID", edidType, edid.data(), edid.size());
        return true;
    }
    OvString DeviceId(const std::string& driver) const
    {
        return OvString(("MONITOR\\" + fName + "\\" + driver).c_str());
    }

private:
    std::string Path() const { return "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\" + fName; }
    std::string fName;
};

std::vector<uint8_t> ReadEdid(const OvString& deviceId, bool& found)
{
    std::vector<uint8_t> edid(kOvMonitorEdidSize, 0xAA);
    found = OvReadRegistryEdid(deviceId, edid.data());
    return edid;
}

bool RunsUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The device id of the desktop's first monitor as user32 reports it.
std::string FirstMonitorDeviceId()
{
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    return EnumDisplayDevicesA("\\\\.\\DISPLAY1", 0, &device, 0) ? device.DeviceID : "";
}

}  // namespace

TEST(OvMonitorMgrRegistry, EdidOfTheInstanceWhoseDriverMatches)
{
    TestModel model;
    const std::vector<uint8_t> edid = OvTestEdid("REG1");
    if (!model.Instance("0000", "{4d36e96e-e325-11ce-bfc1-08002be10318}\\0003", REG_BINARY, OvTestEdid("OTHER")) ||
        !model.Instance("0001", kDriver, REG_BINARY, edid)) {
        GTEST_SKIP() << "the local-machine registry is not writable";
    }

    bool found = false;
    std::vector<uint8_t> padded = edid;
    padded.resize(kOvMonitorEdidSize, 0);
    EXPECT_EQ(ReadEdid(model.DeviceId(kDriver), found), padded);
    EXPECT_TRUE(found);

    OvMonitorMgr list;
    list.Append(OvString("\\\\.\\DISPLAY1"), {}, true);
    list.SetEDID(0, padded.data());
    EXPECT_TRUE(list.Entry(0).edidValid);

    EXPECT_EQ(ReadEdid(model.DeviceId("{4d36e96e-e325-11ce-bfc1-08002be10318}\\0009"), found),
              std::vector<uint8_t>(kOvMonitorEdidSize, 0));
    EXPECT_FALSE(found);
    EXPECT_EQ(ReadEdid(OvString("MONITOR\\OvNoSuchModel\\x"), found), std::vector<uint8_t>(kOvMonitorEdidSize, 0));
    EXPECT_FALSE(found);
}

TEST(OvMonitorMgrRegistry, UnusableValuesLeaveTheEdidEmpty)
{
    TestModel model;
    if (!model.Instance("text", "drv\\text", REG_SZ, {'0', '0', 'F', 'F', 0}) ||
        !model.Instance("long", "drv\\long", REG_BINARY, std::vector<uint8_t>(257, 0)) ||
        !model.Instance("header", "drv\\header", REG_BINARY, std::vector<uint8_t>(128, 0x11))) {
        GTEST_SKIP() << "the local-machine registry is not writable";
    }

    bool found = true;
    EXPECT_EQ(ReadEdid(model.DeviceId("drv\\text"), found), std::vector<uint8_t>(kOvMonitorEdidSize, 0));
    EXPECT_FALSE(found);
    EXPECT_EQ(ReadEdid(model.DeviceId("drv\\long"), found), std::vector<uint8_t>(kOvMonitorEdidSize, 0));
    EXPECT_FALSE(found);

    // Read, but without the EDID header it is rejected by the list.
    const std::vector<uint8_t> stored = ReadEdid(model.DeviceId("drv\\header"), found);
    EXPECT_TRUE(found);
    EXPECT_EQ(stored[127], 0x11);
    EXPECT_EQ(stored[128], 0x00);
    OvMonitorMgr list;
    list.Append(OvString("\\\\.\\DISPLAY1"), {}, true);
    OvScopedDebugCapture capture;
    list.SetEDID(0, stored.data());
    EXPECT_FALSE(list.Entry(0).edidValid);
    EXPECT_EQ(capture.Lines()[0], "OvMonitorMgr::SetEDID for monitor index '0' failed due to invalid EDID");
}

// End to end through user32 and the registry, on wine's virtual monitor only: its monitor
// key gets an EDID for the length of the test.
TEST(OvMonitorMgrRegistry, DesktopMonitorFoundBySerialText)
{
    if (!RunsUnderWine()) GTEST_SKIP() << "writes a monitor's EDID, which only wine's virtual monitor may get";
    OvScopedMakerFolder folder;
    const OvDisplayDeviceKeys keys = OvParseDisplayDeviceId(OvString(FirstMonitorDeviceId().c_str()));
    ASSERT_FALSE(keys.driverKey.IsEmpty());

    // wine keeps one instance per monitor model; give every instance of the model the EDID.
    const std::vector<uint8_t> edid = OvTestEdid("WINE-7");
    std::vector<std::string> instances;
    HKEY model = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, keys.enumKey.Chars(), 0, KEY_READ, &model), ERROR_SUCCESS);
    char name[256];
    for (DWORD i = 0, length = sizeof name; RegEnumKeyExA(model, i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                                            ERROR_SUCCESS;
         ++i, length = sizeof name) {
        instances.push_back(std::string(keys.enumKey.Chars()) + "\\" + name + "\\Device Parameters");
    }
    RegCloseKey(model);
    for (const std::string& instance : instances) WritableKey(instance).Set("EDID", REG_BINARY, edid.data(), edid.size());

    OvSettings().SetBool(kOvSettingMonitorSimulation, true);
    OvMonitorMgr::Get();
    OvSettings().SetBool(kOvSettingMonitorSimulation, false);
    uint8_t found[kOvMonitorEdidSize] = {};
    const bool foundBySerial = FindMonitorEdidBySerial(OvString("WINE-7"), found);
    const OvMonitorEntry& first = OvMonitorMgr::Get().Entry(0);

    for (const std::string& instance : instances) {
        HKEY parameters = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, instance.c_str(), 0, KEY_SET_VALUE, &parameters) == ERROR_SUCCESS) {
            RegDeleteValueA(parameters, "EDID");
            RegCloseKey(parameters);
        }
    }
    ASSERT_TRUE(foundBySerial);
    EXPECT_EQ(std::vector<uint8_t>(found, found + 128), edid);
    EXPECT_STREQ(first.name.Chars(), "\\\\.\\DISPLAY1");
    EXPECT_TRUE(first.primary);
    EXPECT_GT(first.rect.right, first.rect.left);
}
