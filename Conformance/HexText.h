#pragma once
// Bytes as upper-case hexadecimal digits, two per byte, for comparing with what the
// plug-in writes to its files and its log.
#include <cstdint>
#include <cstdio>
#include <string>

inline std::string Hex(const uint8_t* bytes, size_t count)
{
    std::string text;
    char digits[3];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        text += digits;
    }
    return text;
}
