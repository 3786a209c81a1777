#pragma once
// Identity read from a display's EDID. The EDID is kept in a 256-byte field whose first
// 128 bytes hold the base block; every function here reads that whole field.
#include <cstdint>

#include "OvCore/OvString.h"

constexpr int32_t kOvEdidFieldSize = 256;

// Display descriptor tags.
constexpr uint8_t kOvEdidSerialNumberTag = 0xFF;
constexpr uint8_t kOvEdidTextTag = 0xFE;  // unspecified text
constexpr uint8_t kOvEdidMonitorNameTag = 0xFC;

// Bytes 0 to 7 are 00 FF FF FF FF FF FF 00.
bool HasEdidHeader(const uint8_t edid[256]);

// Byte 9 in bits 31..24, byte 8 in 23..16, byte 11 in 15..8, byte 10 in 7..0.
uint32_t VendorProductID(const uint8_t edid[256]);

// The video input definition (byte 20) says digital.
bool IsDigitalInput(const uint8_t edid[256]);

// Looks for the descriptor pattern 00 00 00 tag 00 from start on and returns the position
// right behind it, or -1. An attempt that breaks at some byte is followed by one that
// starts behind that byte, so a pattern whose first byte directly follows a 0x00 can be
// stepped over. Attempts start at positions up to 238, which leaves room for a full text.
int32_t FindDescriptor(const uint8_t edid[256], uint8_t tag, int32_t start);

// The text of the descriptor with the tag, searched from byte 8 behind a header (else from
// byte 0): at most 13 characters, ending before 0x0A, a NUL or the end of the field, with
// bytes of 128 and above replaced by ASCII look-alikes. Without such a descriptor a monitor
// name comes from the second unspecified-text descriptor, else from byte 108; any other tag
// gives the empty string.
OvString FindDescriptorText(const uint8_t edid[256], uint8_t tag);

OvString ModelNameText(const uint8_t edid[256]);
OvString SerialNumberText(const uint8_t edid[256]);

// The serial-number descriptor's text or, when that is empty, the 32-bit serial number of
// bytes 12 to 15 (little-endian) in decimal. Matches a monitor of the operating system's
// list to the serial number a USB interface reports.
OvString SerialTextOfEdid(const uint8_t edid[256]);
