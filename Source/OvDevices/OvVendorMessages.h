#pragma once
// ZEZ's vendor messages (gamma tables, 3D LUTs) all start with the same opcode; their
// replies with another. A sub-opcode follows in both.
#include <cstdint>

constexpr uint8_t kOvVendorRequest = 0xC2;
constexpr uint8_t kOvVendorReply = 0xC3;
