#pragma once
// Builds the EDID memory of an emulated display from a short description: a version 1.4
// base block with the preferred timing, range limits, monitor name and serial number
// descriptors, optionally followed by a CEA-861 extension block.
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace OvEmulator {

constexpr uint8_t kZezManufacturer[2] = {0x38, 0xA3};  // EDID bytes 8 and 9
constexpr size_t kEdidBlockSize = 128;
constexpr size_t kEdidMemorySize = 256;
using EdidMemory = std::array<uint8_t, kEdidMemorySize>;

struct DetailedTiming {
    uint32_t pixelClockKHz;
    uint16_t hActive, hBlank, hFront, hSync;
    uint16_t vActive, vBlank, vFront, vSync;
    uint16_t widthMm, heightMm;
};

struct Chromaticity {
    double redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY;
};

struct EdidDescription {
    uint16_t productCode;
    uint32_t serialNumber;
    uint8_t week;
    uint16_t year;
    uint8_t videoInput;  // byte 20: 0x80 and above for digital inputs
    uint8_t widthCm, heightCm;
    Chromaticity colors;
    DetailedTiming preferred;
    std::string monitorName;  // at most 13 characters
    std::string serialText;   // at most 13 characters
    bool ceaExtension;        // adds a second block carrying a 1920x1080 timing
};

// 256 bytes: the base block, then the extension block or erased memory (0xFF).
EdidMemory BuildEdid(const EdidDescription& description);

// byte 9 << 24 | byte 8 << 16 | byte 11 << 8 | byte 10
uint32_t EdidVendorProductId(std::span<const uint8_t> edid);

}  // namespace OvEmulator
