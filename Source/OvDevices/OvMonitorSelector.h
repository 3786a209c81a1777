#pragma once
// Names one simulated display: the section whose value under `key` equals `value`.
#include <cstdint>

#include "OvCore/OvString.h"

struct OvMonitorSelector {
    OvString key;
    int32_t value = -1;
};
