#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "OvData/OvSettings.h"
#include "OvSystem/OvMonitorMgrTestSupport.h"

TEST(OvMonitorMgrSettings, FileThenEnvironment)
{
    OvScopedMakerFolder folder;
    const char* const settings = "# switches the monitor list\nMonitorSimulation = true\nOther = x\n";
    // A malformed file keeps the pairs before the fault.
    const char* const broken = "MonitorSimulation = 1\nBroken=line\nLater = 2\n";
    const struct { const char* file; std::optional<std::string> environment; const char* value; } cases[] = {
        {nullptr, std::nullopt, "absent"}, {nullptr, "TRUE", "true"},     {nullptr, "0", "false"},
        {settings, std::nullopt, "true"},  {settings, "False", "false"},  {settings, "1", "true"},
        {settings, "maybe", "true"},       {settings, "", "true"},        {broken, std::nullopt, "1"}};
    for (const auto& [file, environment, value] : cases) {
        SCOPED_TRACE(environment.value_or("(unset)"));
        if (file) folder.Write("Settings.txt", file);
        const OvScopedEnvironment variable(kOvMonitorSimulationVariable, environment);
        OvDataBase read;
        OvReadSettings(read);
        EXPECT_STREQ(read.GetValue(OvString(kOvSettingMonitorSimulation), OvString("absent")).Chars(), value);
        EXPECT_STREQ(read.GetValue(OvString("Other"), OvString()).Chars(), file == settings ? "x" : "");
    }
}
