#pragma once
// Names of the VCP ids (page byte times 256 plus code byte) as they appear in the
// device's log lines and command results.
#include <cstdint>
#include <span>

#include "OvCore/OvString.h"

struct OvVCPName {
    uint16_t id;
    const char* name;  // "VCP_%04X_SUFFIX"
};

// The whole catalogue, sorted by id, each id once.
std::span<const OvVCPName> VCPNameTable();

// The catalogue name of an id, or "VCP 0x%04X" for an id that has none. Exact match on the
// whole id: a code on one page says nothing about the same code on another.
OvString VCPName(int32_t id);
