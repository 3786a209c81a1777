#pragma once
// The graphics-card outputs of a Linux machine as the kernel's DRM layer lists them in
// sysfs (class/drm/card<N>-<connector>), reduced to those with a display connected and
// an I2C bus for DDC.
#include <string>
#include <vector>

#include "MonApi2/I2cDevSystem.h"

namespace MonApi2 {

struct DrmConnector {
    std::string name;           // e.g. "card0-DP-1"
    int adapter = 0;            // the N of /dev/i2c-N
    std::vector<uint8_t> edid;  // the kernel's copy of the display's EDID, possibly empty
};

// Connectors whose status is "connected" and that have a DDC bus, sorted by name.
// Disconnected ones are left out: nothing would answer on their bus.
std::vector<DrmConnector> FindDdcConnectors(I2cDevSystem& system, const std::string& sysfsRoot);

}  // namespace MonApi2
