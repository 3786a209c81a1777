#pragma once
// The framework's process-wide settings: one key/value database, created empty on first use
// and kept until the library unloads. The plug-in only reads it ("MonitorSimulation");
// values changed in it at run time are not saved.
//
// Users set values in two ways, both read once, when the database is created:
// - the text file "Settings.txt" in the maker's folder "Ovelin" of the per-user
//   application-data folder (Windows: %APPDATA%\Ovelin\Settings.txt; elsewhere
//   $XDG_CONFIG_HOME/Ovelin/Settings.txt, by default ~/.config/Ovelin/Settings.txt), in the
//   key/value text format, for example the line
//       MonitorSimulation = true
//   A missing file is no error; a malformed one keeps the pairs read before the fault.
// - the environment variable OV_MONITOR_SIMULATION: "true" or "1" switches the monitor list
//   to the simulated monitors, "false" or "0" to the attached ones (letter case ignored),
//   whatever the file says; any other value is ignored.
#include "OvData/OvDataBase.h"

// The setting that switches the monitor list to the simulated monitors (default false).
inline constexpr const char* kOvSettingMonitorSimulation = "MonitorSimulation";

// The environment variable that overrides kOvSettingMonitorSimulation.
inline constexpr const char* kOvMonitorSimulationVariable = "OV_MONITOR_SIMULATION";

// The process-wide settings database.
OvDataBase& OvSettings();

// Reads the settings file and then the environment into settings, as OvSettings() does
// when it creates its database.
void OvReadSettings(OvDataBase& settings);
