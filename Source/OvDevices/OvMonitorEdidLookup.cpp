// Without the operating system's monitor list linked in, no monitor is known.
#define OV_SOURCE_FILE "Source/OvDevices/OvMonitorEdidLookup"
#include "OvDevices/OvMonitorEdidLookup.h"

bool FindMonitorEdidBySerial(const OvString&, uint8_t*)
{
    return false;
}
