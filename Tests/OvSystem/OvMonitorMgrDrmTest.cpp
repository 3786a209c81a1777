#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "OvData/OvSettings.h"
#include "OvDevices/OvMonitorEdidLookup.h"
#include "OvSystem/OvMonitorMgr.h"
#include "OvSystem/OvMonitorMgrDesktop.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

// A DRM class folder as the kernel lays it out, built in a temporary folder.
class FakeDrm {
public:
    void Connector(const std::string& name, const std::string& status, const std::vector<uint8_t>* edid,
                   const std::string& modes = "")
    {
        std::filesystem::create_directories(fRoot.Path(name));
        fRoot.WriteFile(name + "/status", status);
        if (edid) fRoot.WriteFile(name + "/edid", std::string(edid->begin(), edid->end()));
        if (!modes.empty()) fRoot.WriteFile(name + "/modes", modes);
    }
    void Other(const std::string& name) { std::filesystem::create_directories(fRoot.Path(name)); }
    std::string Root() const { return fRoot.Path(); }

private:
    OvTestFolder fRoot;
};

std::vector<uint8_t> Stored(const OvMonitorEntry& entry) { return {entry.edid, entry.edid + kOvMonitorEdidSize}; }

}  // namespace

TEST(OvMonitorMgrDrm, ConnectedConnectorsInNameOrder)
{
    const std::vector<uint8_t> edid = OvTestEdid("SER1");
    std::vector<uint8_t> withExtension = OvTestEdid("SER2");
    withExtension.resize(384, 0x77);
    const std::vector<uint8_t> noHeader(128, 0x11);

    FakeDrm drm;
    drm.Connector("card0-HDMI-A-1", "connected\n", &edid, "2560x1440\n1920x1080\n");
    drm.Connector("card0-DP-1", "connected\n", &withExtension);
    drm.Connector("card0-DP-2", "disconnected\n", &edid, "1920x1080\n");
    drm.Connector("card1-eDP-1", "connected", &noHeader, "bogus\n");
    drm.Connector("card1-VGA-1", "connected\n", nullptr, "1280x1024\n");
    drm.Other("card0");
    drm.Other("renderD128");
    drm.Other("card-x");

    OvMonitorMgr list;
    OvScopedDebugCapture capture;
    OvAddDrmMonitors(list, OvString(drm.Root().c_str()));
    ASSERT_EQ(list.Count(), 4);

    const std::vector<std::string> names = {list.Entry(0).name.Chars(), list.Entry(1).name.Chars(),
                                            list.Entry(2).name.Chars(), list.Entry(3).name.Chars()};
    EXPECT_EQ(names, (std::vector<std::string>{"DP-1", "HDMI-A-1", "VGA-1", "eDP-1"}));
    EXPECT_TRUE(list.Entry(0).primary);
    EXPECT_FALSE(list.Entry(1).primary);

    // Side by side: DP-1 with the default size, HDMI-A-1 2560 wide, VGA-1 1280x1024.
    EXPECT_EQ(list.Entry(0).rect.right, 1920);
    EXPECT_EQ(list.Entry(0).rect.bottom, 1080);
    EXPECT_EQ(list.Entry(1).rect.left, 1920);
    EXPECT_EQ(list.Entry(1).rect.right, 4480);
    EXPECT_EQ(list.Entry(1).rect.bottom, 1440);
    EXPECT_EQ(list.Entry(2).rect.left, 4480);
    EXPECT_EQ(list.Entry(2).rect.bottom, 1024);
    EXPECT_EQ(list.Entry(3).rect.right, 5760 + 1920);

    // The first 256 bytes of an EDID with extensions; a short one padded with zeros.
    EXPECT_TRUE(list.Entry(0).edidValid);
    EXPECT_EQ(Stored(list.Entry(0)), std::vector<uint8_t>(withExtension.begin(), withExtension.begin() + 256));
    std::vector<uint8_t> padded = edid;
    padded.resize(256, 0);
    EXPECT_EQ(Stored(list.Entry(1)), padded);
    EXPECT_FALSE(list.Entry(2).edidValid);
    EXPECT_FALSE(list.Entry(3).edidValid);
    const std::vector<std::string> lines = capture.Lines();
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], "OvMonitorMgr::SetEDID for monitor index '2' failed due to invalid EDID");
    EXPECT_EQ(lines[9], "OvMonitorMgr::SetEDID for monitor index '3' failed due to invalid EDID");

    OvMonitorMgr none;
    OvAddDrmMonitors(none, OvString((drm.Root() + "/missing").c_str()));
    EXPECT_EQ(none.Count(), 0);
}

TEST(OvMonitorMgrDrm, RootComesFromTheEnvironment)
{
    {
        OvScopedEnvironment unset("OV_DRM_SYSFS_ROOT", std::nullopt);
        EXPECT_STREQ(OvDrmSysfsRoot().Chars(), "/sys/class/drm");
    }
    OvScopedEnvironment set("OV_DRM_SYSFS_ROOT", "/tmp/drm");
    EXPECT_STREQ(OvDrmSysfsRoot().Chars(), "/tmp/drm");
}

TEST(OvMonitorMgrDrm, EdidFoundBySerialText)
{
    const std::vector<uint8_t> named = OvTestEdid("ZEZ-0042");
    const std::vector<uint8_t> numbered = OvTestEdid("");
    FakeDrm drm;
    drm.Connector("card0-DP-1", "connected\n", &named);
    drm.Connector("card0-DP-2", "connected\n", &numbered);
    OvScopedEnvironment root("OV_DRM_SYSFS_ROOT", drm.Root());

    // Switching to the simulation and back rebuilds the list from the fake connectors.
    OvScopedMakerFolder folder;
    OvSettings().SetBool(kOvSettingMonitorSimulation, true);
    OvMonitorMgr::Get();
    OvSettings().SetBool(kOvSettingMonitorSimulation, false);

    uint8_t edid[kOvMonitorEdidSize] = {};
    ASSERT_TRUE(FindMonitorEdidBySerial(OvString("16843009"), edid));
    EXPECT_EQ(std::vector<uint8_t>(edid, edid + 128), numbered);
    ASSERT_TRUE(FindMonitorEdidBySerial(OvString("ZEZ-0042"), edid));
    EXPECT_EQ(std::vector<uint8_t>(edid, edid + 128), named);

    std::fill(std::begin(edid), std::end(edid), 0x55);
    EXPECT_FALSE(FindMonitorEdidBySerial(OvString("ZEZ-0043"), edid));
    EXPECT_EQ(edid[0], 0x55);
}
