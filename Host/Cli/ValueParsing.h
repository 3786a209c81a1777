#pragma once
// Reading the values a user types: VCP ids, VCP values, levels and port numbers. Every
// function raises UsageError with a one-line reason for text it cannot take.
#include <cstdint>
#include <string>
#include <string_view>

// A VCP id (page * 256 + code) given as a catalogue name ("VCP_0010_BRIGHTNESS" or its
// suffix "brightness", letter case ignored), as 0x-prefixed hexadecimal ("0x1051"), as a
// decimal number ("16"), or as hexadecimal page and code ("10:51").
uint16_t ParseVcpId(std::string_view text);

// A VCP value: decimal or 0x-prefixed hexadecimal, 0 to 4294967295.
uint32_t ParseVcpValue(std::string_view text);

// What setvcp writes: an absolute value (as ParseVcpValue), or a change of the current
// value given as "+5" or "-5" (0x-prefixed hexadecimal allowed after the sign).
struct VcpSetting {
    bool relative = false;
    int64_t amount = 0;  // the value, or the signed change
};
VcpSetting ParseVcpSetting(std::string_view text);

// A level as a fraction ("0.5") or a percentage ("50%"), 0 to 1 (0% to 100%).
double ParseLevel(std::string_view text);

// A decimal integer from minimum to maximum; what names it in the message.
int32_t ParseInteger(std::string_view text, int32_t minimum, int32_t maximum, std::string_view what);

// A positive decimal number up to maximum ("2.2"); what names it in the message.
double ParsePositiveNumber(std::string_view text, double maximum, std::string_view what);
