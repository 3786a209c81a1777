#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "OvData/OvSettings.h"
#include "OvSystem/OvDisplayDeviceId.h"
#include "OvSystem/OvMonitorMgr.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"
#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"

namespace {

std::vector<uint8_t> Padded(std::vector<uint8_t> bytes)
{
    bytes.resize(kOvMonitorEdidSize, 0);
    return bytes;
}

// 00 01 02 ... ff: no EDID header.
std::vector<uint8_t> Counting()
{
    std::vector<uint8_t> bytes(kOvMonitorEdidSize);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i);
    return bytes;
}

std::vector<uint8_t> EdidOf(const OvMonitorMgr& list, int32_t index, bool& valid)
{
    std::vector<uint8_t> buffer(kOvMonitorEdidSize, 0xAA);
    valid = list.GetEDID(index, buffer.data());
    return buffer;
}

const char* const kFirstCountingRow = "0x00: 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f";
const char* const kLastCountingRow = "0x70: 70 71 72 73 74 75 76 77 78 79 7a 7b 7c 7d 7e 7f";

}  // namespace

TEST(OvMonitorMgrEdid, OnlyEdidsWithTheHeaderAreStored)
{
    OvMonitorMgr list;
    EXPECT_EQ(list.Append(OvString("A"), {0, 0, 1920, 1080}, true), 0);
    EXPECT_EQ(list.Append(OvString("B"), {1920, 0, 3840, 1080}, false), 1);
    const OvMonitorEntry& fresh = list.Entry(1);
    EXPECT_EQ(fresh.index, 1);
    EXPECT_STREQ(fresh.name.Chars(), "B");
    EXPECT_EQ(fresh.rect.right, 3840);
    EXPECT_FALSE(fresh.primary);
    EXPECT_FALSE(fresh.edidValid);
    EXPECT_EQ(std::vector<uint8_t>(fresh.edid, fresh.edid + kOvMonitorEdidSize), Padded({}));
    EXPECT_EQ(std::vector<int32_t>(fresh.spare, fresh.spare + 4), (std::vector<int32_t>{-1, -1, -1, -1}));

    OvScopedDebugCapture capture;
    const std::vector<uint8_t> edid = Padded(OvTestEdid("SER123"));
    list.SetEDID(0, edid.data());
    list.SetEDID(1, Counting().data());
    const std::vector<std::string> lines = capture.Lines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "OvMonitorMgr::SetEDID for monitor index '1' failed due to invalid EDID");
    EXPECT_EQ(lines[1], std::string("-> ") + kFirstCountingRow);
    EXPECT_EQ(lines[8], kLastCountingRow);

    bool valid = false;
    EXPECT_EQ(EdidOf(list, 0, valid), edid);
    EXPECT_TRUE(valid);
    EXPECT_EQ(EdidOf(list, 1, valid), Padded({}));
    EXPECT_FALSE(valid);
}

TEST(OvMonitorMgrEdid, GetEDIDLogsTheDumpOnChannelZero)
{
    OvMonitorMgr list;
    list.Append(OvString("A"), {}, true);
    std::vector<uint8_t> edid = Counting();
    std::copy_n(OvTestEdid("X").begin(), 8, edid.begin());
    list.SetEDID(0, edid.data());

    OvScopedDebugCapture capture;
    bool valid = false;
    EdidOf(list, 0, valid);
    EXPECT_TRUE(list.GetEDID(0, nullptr));
    const std::vector<std::string> lines = capture.Lines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "OvMonitorMgr::GetEDID for monitor index '0':");
    EXPECT_EQ(lines[1], "0x00: 00 ff ff ff ff ff ff 00 08 09 0a 0b 0c 0d 0e 0f");
    EXPECT_EQ(lines[8], kLastCountingRow);
    EXPECT_EQ(lines[9], "OvMonitorMgr::GetEDID for monitor index '0' failed");

    EnableChannel(kOvChannelGeneral, false);
    capture.Clear();
    EdidOf(list, 0, valid);
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
    try {
        list.SetEDID(-1, buffer);
        ADD_FAILURE() << "no error for index -1";
    } catch (const OvError& error) {
        EXPECT_STREQ(error.file, "MonitorMgr");
    }
}

TEST(OvMonitorMgrDeviceId, RegistryKeysComeFromTheDeviceId)
{
    OvDisplayDeviceKeys keys =
        OvParseDisplayDeviceId(OvString("MONITOR\\ZEZ662C\\{4d36e96e-e325-11ce-bfc1-08002be10318}\\0001"));
    EXPECT_STREQ(keys.enumKey.Chars(), "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\ZEZ662C");
    EXPECT_STREQ(keys.driverKey.Chars(), "{4d36e96e-e325-11ce-bfc1-08002be10318}\\0001");

    keys = OvParseDisplayDeviceId(OvString("Monitor\\Default_Monitor\\drv"));
    EXPECT_STREQ(keys.enumKey.Chars(), "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\Default_Monitor");
    EXPECT_STREQ(keys.driverKey.Chars(), "drv");

    keys = OvParseDisplayDeviceId(OvString("MONITOR\\ZEZ662C"));
    EXPECT_STREQ(keys.enumKey.Chars(), "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\ZEZ662C");
    EXPECT_STREQ(keys.driverKey.Chars(), "");
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
    const OvMonitorMgr& list = OvMonitorMgr::Get();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_STREQ(list.Entry(0).name.Chars(), "Simulated Monitor 0");
    EXPECT_STREQ(list.Entry(1).name.Chars(), "Simulated Monitor 1");
    EXPECT_EQ(list.Entry(1).index, 1);
    EXPECT_TRUE(list.Entry(0).primary);
    EXPECT_FALSE(list.Entry(1).primary);
    EXPECT_EQ(list.Entry(0).rect.right, 960);
    EXPECT_EQ(list.Entry(1).rect.left, 100);
    EXPECT_EQ(list.Entry(1).rect.bottom, 600);
    EXPECT_FALSE(list.Entry(0).edidValid);

    // The description grows, but the list stays as built until the setting changes.
    folder.Write("MonitorSimulation.txt", "Display0 = A\nDisplay1 = B\nDisplay2 = C\nA = 1\nB = 2\nC = 3\n");
    EXPECT_EQ(OvMonitorMgr::Get().Count(), 2);

    OvSettings().SetBool(kOvSettingMonitorSimulation, false);
    for (int32_t i = 0; i < OvMonitorMgr::Get().Count(); ++i) {
        EXPECT_NE(std::string(list.Entry(i).name.Chars()).rfind("Simulated", 0), 0u);
    }
#if !defined(_WIN32)
    EXPECT_EQ(list.Count(), 0);
#endif

    OvSettings().SetValue(OvString(kOvSettingMonitorSimulation), OvString("1"));
    EXPECT_EQ(OvMonitorMgr::Get().Count(), 3);
    EXPECT_STREQ(list.Entry(2).name.Chars(), "Simulated Monitor 2");
    EXPECT_EQ(list.Entry(2).rect.left, 2560);
    OvSettings().SetBool(kOvSettingMonitorSimulation, false);
}
