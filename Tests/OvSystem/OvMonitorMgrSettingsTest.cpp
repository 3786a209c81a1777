#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "OvData/OvSettings.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"

namespace {

// The "MonitorSimulation" value after reading the settings file and the environment.
std::string MonitorSimulationAfterReading(const std::optional<std::string>& environment)
{
    OvScopedEnvironment variable(kOvMonitorSimulationVariable, environment);
    OvDataBase settings;
    OvReadSettings(settings);
    return settings.GetValue(OvString(kOvSettingMonitorSimulation), OvString("absent")).Chars();
}

}  // namespace

TEST(OvMonitorMgrSettings, FileThenEnvironment)
{
    OvScopedMakerFolder folder;
    EXPECT_EQ(MonitorSimulationAfterReading(std::nullopt), "absent");
    EXPECT_EQ(MonitorSimulationAfterReading("TRUE"), "true");
    EXPECT_EQ(MonitorSimulationAfterReading("0"), "false");

    folder.Write("Settings.txt", "# switches the monitor list\nMonitorSimulation = true\nOther = x\n");
    EXPECT_EQ(MonitorSimulationAfterReading(std::nullopt), "true");
    EXPECT_EQ(MonitorSimulationAfterReading("False"), "false");
    EXPECT_EQ(MonitorSimulationAfterReading("1"), "true");
    EXPECT_EQ(MonitorSimulationAfterReading("maybe"), "true");
    EXPECT_EQ(MonitorSimulationAfterReading(""), "true");

    OvDataBase settings;
    OvReadSettings(settings);
    EXPECT_STREQ(settings.GetValue(OvString("Other"), OvString()).Chars(), "x");

    // A malformed file keeps the pairs before the fault.
    folder.Write("Settings.txt", "MonitorSimulation = 1\nBroken=line\nLater = 2\n");
    EXPECT_EQ(MonitorSimulationAfterReading(std::nullopt), "1");
}
