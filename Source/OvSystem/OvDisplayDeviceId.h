#pragma once
// Where Windows keeps a monitor's EDID, derived from the device id the display-device
// enumeration reports for it.
#include "OvCore/OvString.h"

struct OvDisplayDeviceKeys {
    // The local-machine key whose subkeys are the instances of this monitor model.
    OvString enumKey;
    // The instance's "Driver" value that identifies this very monitor.
    OvString driverKey;
};

// MONITOR\ZEZ662C\{4d36e96e-e325-11ce-bfc1-08002be10318}\0001 gives the key
// SYSTEM\CurrentControlSet\Enum\DISPLAY\ZEZ662C (the part before the second backslash,
// its first "monitor", in any letter case, replaced by "DISPLAY") and the driver key
// {4d36e96e-e325-11ce-bfc1-08002be10318}\0001 (the rest). Without a second backslash the
// driver key is empty.
OvDisplayDeviceKeys OvParseDisplayDeviceId(const OvString& deviceId);
