#define OV_SOURCE_FILE "Source/OvDevices/OvMonitorEdidLookup"
#include "OvDevices/OvMonitorEdidLookup.h"

#include <cstring>

#include "OvDevices/OvEdidText.h"
#include "OvDevices/OvMonitorSimulation.h"
#include "OvSystem/OvMonitorMgr.h"

bool FindMonitorEdidBySerial(const OvString& serial, uint8_t edid[256])
{
    const OvMonitorMgr& monitors = OvMonitorMgr::Get(OvMonitorSimulation::kSimulatedMonitors);
    uint8_t candidate[kOvMonitorEdidSize];
    for (int32_t j = 0; j < monitors.Count(); ++j) {
        if (monitors.GetEDID(j, candidate) && SerialTextOfEdid(candidate) == serial) {
            std::memcpy(edid, candidate, kOvMonitorEdidSize);
            return true;
        }
    }
    return false;
}
