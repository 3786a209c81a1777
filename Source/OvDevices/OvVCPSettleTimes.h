#pragma once
// How long a display needs to settle after a VCP write, before model-specific additions.
#include <cstdint>

// The base settle time of a write of value to the VCP; 0 for VCPs not in the table.
uint32_t VCPBaseSettleTime(uint32_t vcpId, int32_t value, bool paModel);
