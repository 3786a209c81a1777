#pragma once
// Finds a display's EDID in the operating system's list of monitors, for a display on a
// USB link whose interface record carries none.
#include <cstdint>

#include "OvCore/OvString.h"

// Looks for a monitor whose EDID has the serial text serial (the serial-number descriptor,
// else the 32-bit serial number in decimal); copies its 256-byte EDID into edid and returns
// true when one is found. Leaves edid alone otherwise.
bool FindMonitorEdidBySerial(const OvString& serial, uint8_t edid[256]);
