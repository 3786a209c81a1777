#pragma once
// The interface record of a DRM connector: its name as the interface name and, from the
// display's EDID where the kernel has one, the display name, the serial number, the
// vendor-product id and the EDID itself.
#include "MonApi2/DrmConnectors.h"
#include "MonApi2/MonApi2.h"

namespace MonApi2 {

// The display name is the EDID's monitor name (descriptor 0xFC), else the connector
// name. The serial number is the EDID's serial text (descriptor 0xFF), else its 32-bit
// serial number in decimal, and empty without an EDID. The PnP id is
// byte 9 << 24 | byte 8 << 16 | byte 11 << 8 | byte 10. The display rectangle stays zero:
// the kernel's connector does not know the desktop layout.
DisplayInterfaceInfo ConnectorRecord(const DrmConnector& connector);

}  // namespace MonApi2
