#pragma once
// The vendor messages that fill a display's 3D LUT: k consecutive grid points from grid
// coordinate (r, g, b), written directly or into the LUT's RAM, and the name of a LUT
// slot. Point values are 16 bits, most significant byte first.
#include <cstdint>

#include "OvDevices/OvVendorMessages.h"

namespace OvLut {

constexpr uint8_t kVendorRequest = kOvVendorRequest;
constexpr uint8_t kVendorReply = kOvVendorReply;
constexpr uint8_t kDirectWrite = 0x25;
constexpr uint8_t kRamWrite = 0x2F;
constexpr uint8_t kName = 0x27;

constexpr int32_t kMaxPointsPerMessage = 8;
constexpr int32_t kNameLength = 13;
constexpr int32_t kPointReplyLength = 5;  // 0xC3, sub-opcode, r, g, b
constexpr int32_t kNameReplyLength = 3;   // 0xC3, 0x27, slot

// A grid coordinate.
struct Coordinate {
    uint8_t r, g, b;
};

}  // namespace OvLut
