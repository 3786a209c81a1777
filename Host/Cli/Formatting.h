#pragma once
// The few number and name formats every command shares.
#include <cstdint>
#include <string>

// Hexadecimal with the 0x prefix and at least digits upper-case digits ("0x0010").
std::string Hex(uint32_t value, int digits);
// A fraction as a percentage with one decimal ("40.0%").
std::string Percent(double fraction);
// A catalogue name with its id ("VCP_0010_BRIGHTNESS (0x0010)"), or the fallback name
// alone for an id outside the catalogue ("VCP 0x0003").
std::string VcpLabel(uint16_t id);
