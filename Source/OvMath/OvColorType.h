#pragma once
// Colour types: four-character codes with the first character in the top byte, the value
// a multi-character literal such as 'RGB ' has on the host's compiler.
#include <cstdint>

constexpr uint32_t OvFourCC(const char (&code)[5])
{
    return static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(code[3]));
}

constexpr uint32_t kOvColorRGB = OvFourCC("RGB ");
constexpr uint32_t kOvColorYxy = OvFourCC("Yxy ");
constexpr uint32_t kOvColorXYZ = OvFourCC("XYZ ");

static_assert(kOvColorRGB == 0x52474220u);
