#pragma once
// The monitors attached to the desktop, one implementation per platform:
// - Windows (OvMonitorMgrWindows.cpp): the display monitors of the desktop, each with the
//   EDID Windows stored in the local-machine registry for its monitor device.
// - Elsewhere (OvMonitorMgrLinux.cpp): the connected DRM connectors under /sys/class/drm
//   with their EDIDs, side by side from x = 0 in the size of their preferred mode.
#include <cstdint>

#include "OvCore/OvString.h"

class OvMonitorMgr;

// Appends the attached monitors to list, setting each one's EDID (an entry whose EDID
// cannot be found gets the all-zero one, which is rejected and logged).
void OvAddDesktopMonitors(OvMonitorMgr& list);

#if defined(_WIN32)

// The EDID stored for the monitor device with this device id
// (MONITOR\<hardware id>\<driver key>): clears the 256 bytes of edid and copies the stored
// bytes into them when the value is raw bytes of at most 256. Returns whether it did.
bool OvReadRegistryEdid(const OvString& deviceId, uint8_t edid[256]);

#else

// The DRM class folder the monitors are read from: $OV_DRM_SYSFS_ROOT when set (for tests
// and diagnosis), else /sys/class/drm.
OvString OvDrmSysfsRoot();

// Appends the connected connectors below root ("card<n>-<connector>" folders whose
// "status" reads "connected") in name order: name = the connector name, EDID = the first
// 256 bytes of "edid", size from the first line of "modes" (1920x1080 when unknown).
void OvAddDrmMonitors(OvMonitorMgr& list, const OvString& root);

#endif
