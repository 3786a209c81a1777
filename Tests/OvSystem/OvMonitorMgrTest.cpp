#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "OvData/OvSettings.h"
#include "OvDevices/OvMonitorSimulation.h"
#include "OvSystem/OvDisplayDeviceId.h"
#include "OvSystem/OvMonitorMgr.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"
#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;

// 00 01 02 ... ff, the first eight bytes replaced by the EDID header when asked.
Bytes Counting(bool withHeader)
{
    Bytes bytes(kOvMonitorEdidSize);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i);
    if (withHeader) std::copy_n(OvTestEdid("X").begin(), 8, bytes.begin());
    return bytes;
}

}  // namespace

TEST(OvMonitorMgrEdid, OnlyEdidsWithTheHeaderAreStoredAndBothWaysAreLoggedOnChannelZero)
{
    OvMonitorMgr list;
    EXPECT_EQ(list.Append(OvString("A"), {}, true), 0);
    EXPECT_EQ(list.Append(OvString("B"), {}, false), 1);
    OvScopedDebugCapture capture;
    list.SetEDID(0, Counting(true).data());
    list.SetEDID(1, Counting(false).data());
    Bytes buffer(kOvMonitorEdidSize, 0xAA);
    EXPECT_FALSE(list.GetEDID(1, buffer.data()));
    EXPECT_EQ(buffer, Bytes(kOvMonitorEdidSize, 0));  // the rejected EDID left zeros
    const std::string lastRow = "0x70: 70 71 72 73 74 75 76 77 78 79 7a 7b 7c 7d 7e 7f";
    Lines lines = capture.Lines();
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], "OvMonitorMgr::SetEDID for monitor index '1' failed due to invalid EDID");
    EXPECT_EQ(lines[1], "-> 0x00: 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f");
    EXPECT_EQ(lines[8], lastRow);

    capture.Clear();
    EXPECT_TRUE(list.GetEDID(0, buffer.data()));
    EXPECT_EQ(buffer, Counting(true));
    EXPECT_TRUE(list.GetEDID(0, nullptr));
    lines = capture.Lines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "OvMonitorMgr::GetEDID for monitor index '0':");
    EXPECT_EQ(lines[1], "0x00: 00 ff ff ff ff ff ff 00 08 09 0a 0b 0c 0d 0e 0f");
    EXPECT_EQ(lines[8], lastRow);
    EXPECT_EQ(lines[9], "OvMonitorMgr::GetEDID for monitor index '0' failed");
    EnableChannel(kOvChannelGeneral, false);
    capture.Clear();
    list.GetEDID(0, buffer.data());
    EXPECT_EQ(capture.Text(), "");
}

TEST(OvMonitorMgrEdid, IndexOutsideTheListRaises)
{
    OvMonitorMgr list;
    list.Append(OvString("A"), {}, true);
    uint8_t buffer[kOvMonitorEdidSize] = {};
    EXPECT_OV_ERROR(list.Entry(-1), kOvIndexError, "OvIndexError");
    EXPECT_OV_ERROR(list.GetEDID(1, buffer), kOvIndexError, "OvIndexError");
    EXPECT_OV_ERROR(list.SetEDID(1, buffer), kOvIndexError, "OvIndexError");
    EXPECT_THROW(list.SetEDID(-1, buffer), OvError);
    EXPECT_STREQ(LastErrorRecord().file, "MonitorMgr");
}

TEST(OvMonitorMgrDeviceId, RegistryKeysComeFromTheDeviceId)
{
    const struct { const char* id; const char* model; const char* driver; } cases[] = {
        {"MONITOR\\ZEZ662C\\{4d36e96e-e325-11ce-bfc1-08002be10318}\\0001", "ZEZ662C",
         "{4d36e96e-e325-11ce-bfc1-08002be10318}\\0001"},
        {"Monitor\\Default_Monitor\\drv", "Default_Monitor", "drv"},
        {"MONITOR\\ZEZ662C", "ZEZ662C", ""}};
    for (const auto& [id, model, driver] : cases) {
        const OvDisplayDeviceKeys keys = OvParseDisplayDeviceId(OvString(id));
        EXPECT_EQ(std::string(keys.enumKey.Chars()), std::string("SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\") + model);
        EXPECT_STREQ(keys.driverKey.Chars(), driver);
    }
}

TEST(OvMonitorMgrList, RebuiltOnlyWhenTheSettingChanges)
{
    OvScopedMakerFolder folder;
#if !defined(_WIN32)
    OvTestFolder noConnectors;
    OvScopedEnvironment drm("OV_DRM_SYSFS_ROOT", noConnectors.Path());
#endif
    folder.Write("MonitorSimulation.txt", "Display0 = A\nDisplay1 = B\nRect1 = R\nR = 100 0 800 600\nA = 1\nB = 2\n");

    OvSettings().SetBool(kOvSettingMonitorSimulation, true);
    const OvMonitorMgr& list = OvMonitorMgr::Get(OvMonitorSimulation::kSimulatedMonitors);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_STREQ(list.Entry(1).name.Chars(), "Simulated Monitor 1");
    EXPECT_TRUE(list.Entry(0).primary && !list.Entry(1).primary && !list.Entry(0).edidValid);
    EXPECT_EQ(list.Entry(1).rect.left, 100);  // the rectangles come from the simulation
    EXPECT_EQ(list.Entry(1).rect.bottom, 600);

    // The description grows, but the list stays as built until the setting changes.
    folder.Write("MonitorSimulation.txt", "Display0 = A\nDisplay1 = B\nDisplay2 = C\nA = 1\nB = 2\nC = 3\n");
    EXPECT_EQ(OvMonitorMgr::Get(OvMonitorSimulation::kSimulatedMonitors).Count(), 2);
    OvSettings().SetBool(kOvSettingMonitorSimulation, false);
    for (int32_t i = 0; i < OvMonitorMgr::Get(OvMonitorSimulation::kSimulatedMonitors).Count(); ++i) {
        EXPECT_NE(std::string(list.Entry(i).name.Chars()).rfind("Simulated", 0), 0u);
    }
#if !defined(_WIN32)
    EXPECT_EQ(list.Count(), 0);
#endif
    OvSettings().SetValue(OvString(kOvSettingMonitorSimulation), OvString("1"));
    EXPECT_EQ(OvMonitorMgr::Get(OvMonitorSimulation::kSimulatedMonitors).Count(), 3);
    OvSettings().SetBool(kOvSettingMonitorSimulation, false);
}
