#pragma once
// The two simulation files of the simulated displays, both in the maker's application-data
// folder (folder 17, ".../Ovelin/") and in the key/value text format:
// - "MonitorSimulation.txt", the description, written by the user and only read here:
//     Display0 = ZEZ 27        the section path of simulated display 0 (also 1 and 2)
//     Rect0 = Layout/Left      the key holding display 0's desktop rectangle "x y w h"
//     "ZEZ 27" =
//     {
//         ZEZPort = 2          what a selector ("ZEZPort", 2) matches
//         Brightness = 0.3     fixed: always read, never changed by a write
//     }
// - "MonitorSimulationControls.txt", the controls: for each display a section of the same
//   path holding the values the simulator writes, created on first write.
// Every call reads both files afresh, so edits made while the host runs count at the next
// call; every write saves the controls file at once.
#include <cstdint>

#include "OvCore/OvString.h"
#include "OvDevices/OvMonitorSelector.h"
#include "OvSystem/OvMonitorMgr.h"

class OvDataBase;

namespace OvMonitorSimulation {

inline constexpr const char* kDescriptionFileName = "MonitorSimulation.txt";
inline constexpr const char* kControlsFileName = "MonitorSimulationControls.txt";
// Only displays 0, 1 and 2 exist.
inline constexpr int32_t kDisplayCount = 3;
// A display index that searches the displays by selector.
inline constexpr int32_t kBySelector = -1;

// Reads both files into the two databases. Never raises: a missing or unreadable
// description leaves both empty (the controls are then not read), a missing or
// unreadable controls file leaves only the controls empty.
void LoadSimulationFiles(OvDataBase& description, OvDataBase& controls);

// The value of key for one display: the description's value when its section holds the
// key, else the controls' value, else defaultValue. displayIndex 0 to 2 names the display;
// kBySelector takes the first whose section holds selector.value under selector.key. No
// such display raises "OvIOErr".
OvString GetSimulationValue(const OvMonitorSelector& selector, const OvString& key,
                            const OvString& defaultValue, int32_t displayIndex = kBySelector);

// Stores value under key in the display's controls section and saves the controls file.
// The display is found as for GetSimulationValue; saving may raise the file errors.
void SetSimulationValue(const OvMonitorSelector& selector, const OvString& key, const OvString& value,
                        int32_t displayIndex = kBySelector);

// The number of displays 0, 1, 2 described before the first one whose "DisplayN" key does
// not name an existing key of the description.
int32_t GetSimulatedMonitorCount();

// Display index's desktop rectangle from the key named by "RectN": "x y w h" (blank
// separated, missing numbers 0); by default "N*1280 0 960 1024", side by side.
OvMonitorRect GetSimulatedMonitorRect(int32_t index);

// The simulated monitors as the monitor list takes them (OvMonitorMgr::Get).
inline constexpr OvSimulatedMonitorSource kSimulatedMonitors = {&GetSimulatedMonitorCount, &GetSimulatedMonitorRect};

}  // namespace OvMonitorSimulation
