#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "OvData/OvSettings.h"
#include "OvDevices/OvMonitorEdidLookup.h"
#include "OvDevices/OvMonitorSimulation.h"
#include "OvSystem/OvMonitorMgr.h"
#include "OvSystem/OvMonitorMgrDesktop.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A connector folder of the DRM class as the kernel lays it out; without status a folder
// that is no connector.
void AddConnector(const OvTestFolder& drm, const std::string& name, const std::string& status = "",
                  const Bytes* edid = nullptr, const std::string& modes = "")
{
    std::filesystem::create_directories(drm.Path(name));
    if (!status.empty()) drm.WriteFile(name + "/status", status);
    if (edid) drm.WriteFile(name + "/edid", std::string(edid->begin(), edid->end()));
    if (!modes.empty()) drm.WriteFile(name + "/modes", modes);
}

}  // namespace

TEST(OvMonitorMgrDrm, ConnectedConnectorsSideBySideInNameOrder)
{
    const Bytes edid = OvTestEdid("SER1");
    Bytes withExtension = OvTestEdid("SER2");
    withExtension.resize(384, 0x77);
    const Bytes noHeader(128, 0x11);
    OvTestFolder drm;
    AddConnector(drm, "card0-HDMI-A-1", "connected\n", &edid, "2560x1440\n1920x1080\n");
    AddConnector(drm, "card0-DP-1", "connected\n", &withExtension);
    AddConnector(drm, "card0-DP-2", "disconnected\n", &edid, "1920x1080\n");
    AddConnector(drm, "card1-eDP-1", "connected", &noHeader, "bogus\n");
    AddConnector(drm, "card1-VGA-1", "connected\n", nullptr, "1280x1024\n");
    for (const char* other : {"card0", "renderD128", "card-x"}) AddConnector(drm, other);

    OvMonitorMgr list;
    OvScopedDebugCapture capture;
    OvAddDrmMonitors(list, OvString(drm.Path().c_str()));
    ASSERT_EQ(list.Count(), 4);
    // Without a readable first mode, 1920x1080.
    const struct { const char* name; int32_t left, right, bottom; } expected[] = {
        {"DP-1", 0, 1920, 1080}, {"HDMI-A-1", 1920, 4480, 1440}, {"VGA-1", 4480, 5760, 1024},
        {"eDP-1", 5760, 7680, 1080}};
    for (int32_t i = 0; i < 4; ++i) {
        const OvMonitorEntry& entry = list.Entry(i);
        SCOPED_TRACE(entry.name.Chars());
        EXPECT_STREQ(entry.name.Chars(), expected[i].name);
        EXPECT_EQ(entry.primary, i == 0);
        EXPECT_EQ(entry.edidValid, i < 2);
        EXPECT_EQ((std::vector<int32_t>{entry.rect.left, entry.rect.right, entry.rect.bottom}),
                  (std::vector<int32_t>{expected[i].left, expected[i].right, expected[i].bottom}));
    }
    // The first 256 bytes of an EDID with extensions; a short one padded with zeros.
    const auto stored = [&](int32_t i) { return Bytes(list.Entry(i).edid, list.Entry(i).edid + kOvMonitorEdidSize); };
    EXPECT_EQ(stored(0), Bytes(withExtension.begin(), withExtension.begin() + 256));
    EXPECT_EQ(stored(1), OvPaddedEdid(edid));
    const std::vector<std::string> lines = capture.Lines();
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], "OvMonitorMgr::SetEDID for monitor index '2' failed due to invalid EDID");
    EXPECT_EQ(lines[9], "OvMonitorMgr::SetEDID for monitor index '3' failed due to invalid EDID");

    OvMonitorMgr none;
    OvAddDrmMonitors(none, OvString(drm.Path("missing").c_str()));
    EXPECT_EQ(none.Count(), 0);
}

TEST(OvMonitorMgrDrm, EdidFoundBySerialText)
{
    const Bytes named = OvTestEdid("ZEZ-0042");
    const Bytes numbered = OvTestEdid("");
    OvTestFolder drm;
    AddConnector(drm, "card0-DP-1", "connected\n", &named);
    AddConnector(drm, "card0-DP-2", "connected\n", &numbered);
    OvScopedEnvironment root("OV_DRM_SYSFS_ROOT", drm.Path());

    // Switching to the simulation and back rebuilds the list from the fake connectors,
    // found through the environment.
    OvScopedMakerFolder folder;
    OvSettings().SetBool(kOvSettingMonitorSimulation, true);
    OvMonitorMgr::Get(OvMonitorSimulation::kSimulatedMonitors);
    OvSettings().SetBool(kOvSettingMonitorSimulation, false);

    uint8_t edid[kOvMonitorEdidSize] = {};
    for (const auto& [serial, expected] : {std::pair{"16843009", &numbered}, std::pair{"ZEZ-0042", &named}}) {
        ASSERT_TRUE(FindMonitorEdidBySerial(OvString(serial), edid)) << serial;
        EXPECT_EQ(Bytes(edid, edid + 128), *expected);
    }
    std::fill(std::begin(edid), std::end(edid), 0x55);
    EXPECT_FALSE(FindMonitorEdidBySerial(OvString("ZEZ-0043"), edid));
    EXPECT_EQ(edid[0], 0x55);
}
