#pragma once
// The process-wide list of monitors on the desktop, each with the EDID the operating
// system keeps for it. The real device looks displays up in it by their EDIDs. When the
// setting "MonitorSimulation" (OvData/OvSettings.h) is true, the list holds the simulated
// monitors instead, which the caller's source describes: the simulation files live with
// the simulated display, above this layer.
//
// The list is built on first use and rebuilt only when that setting changes: monitors
// attached or removed later are not seen.
#include <cstdint>

#include "OvCore/OvString.h"
#include "OvData/OvArray.h"
#include "Ovio/OvFileSpec.h"

constexpr int32_t kOvMonitorEdidSize = 256;

// Desktop coordinates of a monitor.
struct OvMonitorRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Where the simulated monitors come from: their number and each one's rectangle.
struct OvSimulatedMonitorSource {
    int32_t (*count)();
    OvMonitorRect (*rect)(int32_t index);
};

// One monitor of the list.
struct OvMonitorEntry {
    // Attached monitors: the position at which the entry was added; simulated monitors:
    // the simulated display index.
    int32_t index = 0;
    OvMonitorRect rect;
    // The operating system's display device name, or "Simulated Monitor %d".
    OvString name;
    bool primary = false;
    // Neither is filled by this plug-in.
    bool secondFlag = false;
    OvFileSpec fileSpec;
    uint8_t edid[kOvMonitorEdidSize] = {};
    bool edidValid = false;
    // Not used by this plug-in.
    int32_t spare[4] = {-1, -1, -1, -1};
};

class OvMonitorMgr {
public:
    OvMonitorMgr() = default;
    OvMonitorMgr(const OvMonitorMgr&) = delete;
    OvMonitorMgr& operator=(const OvMonitorMgr&) = delete;

    // The process-wide list, brought up to date with the "MonitorSimulation" setting
    // (read with create on, so the settings then hold it).
    static OvMonitorMgr& Get(const OvSimulatedMonitorSource& simulated);

    // Switches between simulated and attached monitors and builds the list if it is not
    // built for that choice yet. Errors of the enumeration leave it unbuilt.
    void Update(bool simulation, const OvSimulatedMonitorSource& simulated);

    int32_t Count() const { return fEntries.Count(); }
    // An index outside the list raises "OvIndexError".
    const OvMonitorEntry& Entry(int32_t index) const;

    // Appends an entry whose index is its position; returns that index.
    int32_t Append(const OvString& name, const OvMonitorRect& rect, bool primary);

    // Copies the entry's 256 EDID bytes into buffer and returns its EDID-valid flag. A
    // null buffer gets nothing (and the result). Logged on channel 0 with a dump of the
    // first 128 bytes.
    bool GetEDID(int32_t index, uint8_t* buffer) const;
    // Stores 256 bytes that begin with the EDID header and marks them valid; anything else
    // is rejected and logged on channel 0 with a dump of its first 128 bytes.
    void SetEDID(int32_t index, const uint8_t* edid);

private:
    void AddSimulatedMonitors(const OvSimulatedMonitorSource& simulated);
    void CheckIndex(int32_t index) const;  // raises "OvIndexError" naming this file

    OvArray<OvMonitorEntry> fEntries;
    bool fSimulation = false;
    bool fBuilt = false;
};
