#include <gtest/gtest.h>

#include <string>

#include "OvCore/OvError.h"
#include "OvData/OvDataBase.h"
#include "OvDevices/OvMonitorSimulation.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"

using namespace OvMonitorSimulation;

namespace {

// Two described displays: A on ZEZ port 1, B on port 2 with a fixed brightness.
const std::string kTwoDisplays =
    "Display0 = A\n"
    "Display1 = B\n"
    "A =\n{\n\tZEZPort = 1\n}\n"
    "B =\n{\n\tZEZPort = 2\n\tBrightness = 0.3\n}\n";

OvMonitorSelector Port(int32_t port) { return {OvString("ZEZPort"), port}; }

std::string Get(const OvMonitorSelector& selector, const char* key, int32_t display = kBySelector)
{
    return GetSimulationValue(selector, OvString(key), OvString("default"), display).Chars();
}

void Set(const OvMonitorSelector& selector, const char* key, const char* value, int32_t display = kBySelector)
{
    SetSimulationValue(selector, OvString(key), OvString(value), display);
}

bool RectEquals(const OvMonitorRect& rect, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

}  // namespace

TEST(OvMonitorSimulationFind, SelectorOrIndexChoosesTheSection)
{
    OvScopedMakerFolder folder;
    folder.Write(kDescriptionFileName, kTwoDisplays);

    Set(Port(2), "Connected", "true");
    EXPECT_EQ(folder.Read(kControlsFileName), "B = \r\n{\r\n\tConnected = true\r\n}\r\n");
    EXPECT_EQ(Get(Port(2), "Connected"), "true");
    EXPECT_EQ(Get(Port(1), "Connected"), "default");

    // An index names the display whatever the selector says.
    Set(Port(7), "Connected", "false", 0);
    EXPECT_EQ(Get(Port(1), "Connected"), "false");
    EXPECT_EQ(Get(OvMonitorSelector{}, "Connected", 1), "true");

    EXPECT_OV_ERROR(Get(Port(3), "Connected"), kOvIOErr, "OvIOErr");
    EXPECT_OV_ERROR(Set(Port(1), "Connected", "true", 3), kOvIOErr, "OvIOErr");
    try {
        Get(Port(0), "Connected");
        ADD_FAILURE() << "no display has ZEZ port 0";
    } catch (const OvError& error) {
        EXPECT_STREQ(error.file, "MonitorSimulation");
    }
}

TEST(OvMonitorSimulationValues, DescriptionWinsOverControls)
{
    OvScopedMakerFolder folder;
    folder.Write(kDescriptionFileName, kTwoDisplays);

    Set(Port(2), "Brightness", "0.800000");
    Set(Port(2), "Brightness", "0.900000");
    EXPECT_EQ(Get(Port(2), "Brightness"), "0.3");
    EXPECT_EQ(Get(Port(2), "ZEZPort"), "2");
    // The write still lands in the controls file, where the description hides it.
    EXPECT_EQ(folder.Read(kControlsFileName), "B = \r\n{\r\n\tBrightness = 0.900000\r\n}\r\n");
    EXPECT_EQ(Get(Port(1), "Brightness"), "default");
}

TEST(OvMonitorSimulationValues, SectionsAndKeysAreCreatedOnFirstWrite)
{
    OvScopedMakerFolder folder;
    folder.Write(kDescriptionFileName, "Display0 = Desk/Left\nDesk =\n{\n\tLeft =\n\t{\n\t\tZEZPort = 4\n\t}\n}\n");
    folder.Write(kControlsFileName, "# kept by the program\nOther = 1\n");

    Set(Port(4), "RedGain", "0.5");
    Set(Port(4), "BlueGain", "0.25");
    Set(Port(4), "RedGain", "0.75");
    EXPECT_EQ(folder.Read(kControlsFileName),
              "Other = 1\n"
              "Desk = \n{\n\tLeft = \n\t{\n\t\tRedGain = 0.75\n\t\tBlueGain = 0.25\n\t}\n}\n");
    EXPECT_EQ(Get(Port(4), "RedGain"), "0.75");
}

TEST(OvMonitorSimulationFiles, AbsentOrBrokenFilesAreSwallowed)
{
    OvScopedMakerFolder folder;
    OvDataBase description;
    OvDataBase controls;

    // No description: both stay empty, even with a controls file, and every search fails.
    folder.Write(kControlsFileName, "A =\n{\n\tConnected = true\n}\n");
    description.SetValue(OvString("stale"), OvString("1"));
    LoadSimulationFiles(description, controls);
    EXPECT_EQ(description.Count(), 0);
    EXPECT_EQ(controls.Count(), 0);
    EXPECT_OV_ERROR(Get(Port(1), "Connected"), kOvIOErr, "OvIOErr");
    EXPECT_OV_ERROR(Set(Port(1), "Connected", "true"), kOvIOErr, "OvIOErr");
    EXPECT_EQ(folder.Read(kControlsFileName), "A =\n{\n\tConnected = true\n}\n");
    EXPECT_EQ(GetSimulatedMonitorCount(), 0);

    // A broken controls file leaves only the controls empty.
    folder.Write(kDescriptionFileName, kTwoDisplays);
    folder.Write(kControlsFileName, "A =\n{\n\tConnected=true\n}\n");
    LoadSimulationFiles(description, controls);
    EXPECT_EQ(description.Count(), 4);
    EXPECT_EQ(controls.Count(), 0);
}

TEST(OvMonitorSimulationFiles, MissingControlsFileIsCreatedByTheFirstWrite)
{
    OvScopedMakerFolder folder;
    folder.Write(kDescriptionFileName, kTwoDisplays);
    EXPECT_EQ(Get(Port(1), "Contrast"), "default");
    EXPECT_FALSE(folder.Exists(kControlsFileName));

    Set(Port(1), "Contrast", "0.5");
    EXPECT_EQ(folder.Read(kControlsFileName), "A = \r\n{\r\n\tContrast = 0.5\r\n}\r\n");
}

TEST(OvMonitorSimulationMonitors, CountStopsAtTheFirstMissingDisplay)
{
    OvScopedMakerFolder folder;
    folder.Write(kDescriptionFileName, "Display0 = A\nDisplay2 = C\nA = 1\nC = 3\n");
    EXPECT_EQ(GetSimulatedMonitorCount(), 1);

    // Any existing key counts, section or not; a fourth display is never looked at.
    folder.Write(kDescriptionFileName, "Display0 = A\nDisplay1 = B\nDisplay2 = C\nDisplay3 = A\nA = 1\nB = 2\nC = 3\n");
    EXPECT_EQ(GetSimulatedMonitorCount(), 3);

    folder.Write(kDescriptionFileName, "Display0 = A\nDisplay1 = Missing\nDisplay2 = A\nA = 1\n");
    EXPECT_EQ(GetSimulatedMonitorCount(), 1);
}

TEST(OvMonitorSimulationMonitors, RectanglesComeFromTheDescriptionOrLieSideBySide)
{
    OvScopedMakerFolder folder;
    folder.Write(kDescriptionFileName,
                 "Rect0 = Layout/Main\n"
                 "Rect2 = Layout/Short\n"
                 "Layout =\n{\n\tMain = -1920  20 1920 1080\n\tShort = 5 6\n}\n");

    EXPECT_TRUE(RectEquals(GetSimulatedMonitorRect(0), -1920, 20, 0, 1100));
    EXPECT_TRUE(RectEquals(GetSimulatedMonitorRect(1), 1280, 0, 2240, 1024));
    EXPECT_TRUE(RectEquals(GetSimulatedMonitorRect(2), 5, 6, 5, 6));

    folder.Write(kDescriptionFileName, "Rect0 = Huge\nHuge = 2147483647 0 10 -2147483648\n");
    EXPECT_TRUE(RectEquals(GetSimulatedMonitorRect(0), 2147483647, 0, 2147483647, -2147483648));
    EXPECT_TRUE(RectEquals(GetSimulatedMonitorRect(2), 2560, 0, 3520, 1024));
}
