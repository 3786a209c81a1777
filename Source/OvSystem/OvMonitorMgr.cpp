#define OV_SOURCE_FILE "Source/OvSystem/OvMonitorMgr"
#include "OvSystem/OvMonitorMgr.h"

#include <cstring>
#include <utility>

#include "OvCore/OvError.h"
#include "OvData/OvSettings.h"
#include "OvSystem/OvMonitorMgrDesktop.h"
#include "OvTools/OvDebug.h"

namespace {

constexpr uint8_t kEdidHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr int32_t kDumpedBytes = 128;
constexpr int32_t kDumpRowLength = 16;

// "0x00: 00 ff ff ..." rows of 16 bytes, separated by line ends, for the first 128 bytes.
OvString EdidDump(const uint8_t* edid)
{
    OvString dump;
    if (edid == nullptr) return dump;
    for (int32_t row = 0; row < kDumpedBytes; row += kDumpRowLength) {
        if (row > 0) dump += '\n';
        dump += OvString::Format("0x%02x:", static_cast<unsigned>(row));
        for (int32_t i = row; i < row + kDumpRowLength; ++i) dump += OvString::Format(" %02x", static_cast<unsigned>(edid[i]));
    }
    return dump;
}

}  // namespace

OvMonitorMgr& OvMonitorMgr::Get(const OvSimulatedMonitorSource& simulated)
{
    static OvMonitorMgr monitors;
    monitors.Update(OvSettings().GetBool(kOvSettingMonitorSimulation, false, true), simulated);
    return monitors;
}

void OvMonitorMgr::Update(bool simulation, const OvSimulatedMonitorSource& simulated)
{
    if (simulation != fSimulation) {
        fSimulation = simulation;
        fBuilt = false;
    }
    if (fBuilt) return;
    fEntries.RemoveAll();
    if (fSimulation) {
        AddSimulatedMonitors(simulated);
    } else {
        OvAddDesktopMonitors(*this);
    }
    fBuilt = true;
}

void OvMonitorMgr::AddSimulatedMonitors(const OvSimulatedMonitorSource& simulated)
{
    const int32_t count = simulated.count();
    for (int32_t i = 0; i < count; ++i) {
        Append(OvString::Format("Simulated Monitor %d", static_cast<int>(i)), simulated.rect(i), i == 0);
    }
}

void OvMonitorMgr::CheckIndex(int32_t index) const
{
    if (index < 0 || index >= fEntries.Count()) OV_RAISE(kOvIndexError, "OvIndexError");
}

const OvMonitorEntry& OvMonitorMgr::Entry(int32_t index) const
{
    CheckIndex(index);
    return fEntries[index];
}

int32_t OvMonitorMgr::Append(const OvString& name, const OvMonitorRect& rect, bool primary)
{
    OvMonitorEntry entry;
    entry.index = fEntries.Count();
    entry.rect = rect;
    entry.name = name;
    entry.primary = primary;
    return fEntries.Append(std::move(entry)).index;
}

bool OvMonitorMgr::GetEDID(int32_t index, uint8_t* buffer) const
{
    const OvMonitorEntry& entry = Entry(index);
    if (buffer == nullptr) {
        DebugPrintf(kOvChannelGeneral, "OvMonitorMgr::GetEDID for monitor index '%d' failed", static_cast<int>(index));
    } else {
        std::memcpy(buffer, entry.edid, kOvMonitorEdidSize);
        // The dump is only built when the line is written.
        if (IsChannelEnabled(kOvChannelGeneral)) {
            DebugPrintf(kOvChannelGeneral, "OvMonitorMgr::GetEDID for monitor index '%d':\n%s", static_cast<int>(index),
                        EdidDump(buffer).Chars());
        }
    }
    return entry.edidValid;
}

void OvMonitorMgr::SetEDID(int32_t index, const uint8_t* edid)
{
    CheckIndex(index);
    if (edid == nullptr || std::memcmp(edid, kEdidHeader, sizeof kEdidHeader) != 0) {
        DebugPrintf(kOvChannelGeneral, "OvMonitorMgr::SetEDID for monitor index '%d' failed due to invalid EDID",
                    static_cast<int>(index));
        DebugPrintf(kOvChannelGeneral, "-> %s", EdidDump(edid).Chars());
        return;
    }
    OvMonitorEntry& entry = fEntries[index];
    std::memcpy(entry.edid, edid, kOvMonitorEdidSize);
    entry.edidValid = true;
}
