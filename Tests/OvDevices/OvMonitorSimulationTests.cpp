#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "OvCore/OvError.h"
#include "OvData/OvDataBase.h"
#include "OvDevices/OvMonitorSimulation.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"

using namespace OvMonitorSimulation;

namespace {

// Two described displays: A on ZEZ port 1, B on port 2 with a fixed brightness.
const std::string kTwoDisplays =
    "Display0 = A\nDisplay1 = B\n"
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

std::array<int32_t, 4> Rect(int32_t index)
{
    const OvMonitorRect rect = GetSimulatedMonitorRect(index);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

class OvMonitorSimulationTest : public ::testing::Test {
protected:
    std::string Controls() const { return folder.Read(kControlsFileName); }

    OvScopedMakerFolder folder;
};

}  // namespace

TEST_F(OvMonitorSimulationTest, SelectorOrIndexChoosesTheSection)
{
    folder.Write(kDescriptionFileName, kTwoDisplays);
    Set(Port(2), "Connected", "true");
    EXPECT_EQ(Controls(), "B = \r\n{\r\n\tConnected = true\r\n}\r\n");
    EXPECT_EQ(Get(Port(2), "Connected"), "true");
    EXPECT_EQ(Get(Port(1), "Connected"), "default");
    EXPECT_EQ(Get(Port(2), "Brightness"), "0.3");
    EXPECT_EQ(Get(Port(1), "Brightness"), "default");

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

TEST_F(OvMonitorSimulationTest, ControlsSectionsAndKeysAreCreatedOnFirstWrite)
{
    folder.Write(kDescriptionFileName, kTwoDisplays);
    EXPECT_EQ(Get(Port(1), "Contrast"), "default");
    EXPECT_FALSE(folder.Exists(kControlsFileName));
    Set(Port(1), "Contrast", "0.5");
    EXPECT_EQ(Controls(), "A = \r\n{\r\n\tContrast = 0.5\r\n}\r\n");

    folder.Write(kDescriptionFileName, "Display0 = Desk/Left\nDesk =\n{\n\tLeft =\n\t{\n\t\tZEZPort = 4\n\t}\n}\n");
    folder.Write(kControlsFileName, "# kept by the program\nOther = 1\n");
    Set(Port(4), "RedGain", "0.5");
    Set(Port(4), "BlueGain", "0.25");
    Set(Port(4), "RedGain", "0.75");
    EXPECT_EQ(Controls(), "Other = 1\nDesk = \n{\n\tLeft = \n\t{\n\t\tRedGain = 0.75\n\t\tBlueGain = 0.25\n\t}\n}\n");
    EXPECT_EQ(Get(Port(4), "RedGain"), "0.75");
}

TEST_F(OvMonitorSimulationTest, AbsentOrBrokenFilesAreSwallowed)
{
    OvDataBase description;
    OvDataBase controls;
    // No description: both stay empty, even with a controls file, and every search fails.
    folder.Write(kControlsFileName, "A =\n{\n\tConnected = true\n}\n");
    description.SetValue(OvString("stale"), OvString("1"));
    LoadSimulationFiles(description, controls);
    EXPECT_EQ(std::pair(description.Count(), controls.Count()), std::pair(0, 0));
    EXPECT_OV_ERROR(Get(Port(1), "Connected"), kOvIOErr, "OvIOErr");
    EXPECT_OV_ERROR(Set(Port(1), "Connected", "true"), kOvIOErr, "OvIOErr");
    EXPECT_EQ(Controls(), "A =\n{\n\tConnected = true\n}\n");
    EXPECT_EQ(GetSimulatedMonitorCount(), 0);

    // A broken controls file keeps what was read before the error.
    folder.Write(kDescriptionFileName, kTwoDisplays);
    folder.Write(kControlsFileName, "B = 1\nA =\n{\n\tConnected=true\n}\n");
    LoadSimulationFiles(description, controls);
    EXPECT_EQ(std::pair(description.Count(), controls.Count()), std::pair(4, 2));
}

TEST_F(OvMonitorSimulationTest, MonitorCountStopsAtTheFirstMissingDisplay)
{
    // Any existing key counts, section or not; a fourth display is never looked at.
    const std::pair<const char*, int32_t> cases[] = {
        {"Display0 = A\nDisplay2 = C\nA = 1\nC = 3\n", 1},
        {"Display0 = A\nDisplay1 = B\nDisplay2 = C\nDisplay3 = A\nA = 1\nB = 2\nC = 3\n", 3},
        {"Display0 = A\nDisplay1 = Missing\nDisplay2 = A\nA = 1\n", 1},
    };
    for (const auto& [description, count] : cases) {
        folder.Write(kDescriptionFileName, description);
        EXPECT_EQ(GetSimulatedMonitorCount(), count) << description;
    }
}

TEST_F(OvMonitorSimulationTest, RectanglesComeFromTheDescriptionOrLieSideBySide)
{
    folder.Write(kDescriptionFileName, "Rect0 = Layout/Main\nRect2 = Layout/Short\n"
                                       "Layout =\n{\n\tMain = -1920  20 1920 1080\n\tShort = 5 6\n}\n");
    EXPECT_EQ(Rect(0), (std::array<int32_t, 4>{-1920, 20, 0, 1100}));
    EXPECT_EQ(Rect(1), (std::array<int32_t, 4>{1280, 0, 2240, 1024}));
    EXPECT_EQ(Rect(2), (std::array<int32_t, 4>{5, 6, 5, 6}));

    folder.Write(kDescriptionFileName, "Rect0 = Huge\nHuge = 2147483647 0 10 -2147483648\n");
    EXPECT_EQ(Rect(0), (std::array<int32_t, 4>{2147483647, 0, 2147483647, INT32_MIN}));
    EXPECT_EQ(Rect(2), (std::array<int32_t, 4>{2560, 0, 3520, 1024}));
}
