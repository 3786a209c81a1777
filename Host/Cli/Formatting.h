#pragma once
// The few number and name formats every command shares.
#include <cstdint>
#include <string>

// Hexadecimal with the 0x prefix and at least digits upper-case digits ("0x0010").
std::string Hex(uint32_t value, int digits);
// The text, or "-" for an empty one, so a table's columns stay apart for tools that split
// at blanks.
std::string OrDash(const std::string& text);
// A fraction as a percentage with one decimal ("40.0%").
std::string Percent(double fraction);
// A catalogue name with its id ("VCP_0010_BRIGHTNESS (0x0010)"), or the fallback name
// alone for an id outside the catalogue ("VCP 0x0003").
std::string VcpLabel(uint16_t id);
