#pragma once
// Decodes the display's 128-byte base EDID block into the facts a user checks: who made
// it, which model and unit it is, when it was made, what input it has and whether the
// block arrived intact. The block comes from the display, so nothing in it is trusted.
#include <array>
#include <cstdint>
#include <ostream>
#include <string>

using EdidBlock = std::array<uint8_t, 128>;

struct DecodedEdid {
    bool headerValid = false;       // 00 FF FF FF FF FF FF 00
    std::string manufacturer;       // three letters from bytes 8-9
    uint16_t manufacturerCode = 0;  // bytes 8-9, most significant first
    uint16_t productCode = 0;       // bytes 10-11, little-endian
    uint32_t serialNumber = 0;      // bytes 12-15, little-endian
    int32_t week = 0;               // 0: not given; 255: the year is the model year
    int32_t year = 0;
    int32_t versionMajor = 0;
    int32_t versionMinor = 0;
    bool digitalInput = false;  // byte 20 bit 7
    std::string inputDetails;   // bit depth and interface of a digital input, EDID 1.4
    int32_t widthCm = 0;
    int32_t heightCm = 0;
    std::string modelName;       // 0xFC descriptor
    std::string serialText;      // 0xFF descriptor
    int32_t extensionCount = 0;  // byte 126
    uint8_t checksum = 0;        // byte 127
    bool checksumValid = false;  // all 128 bytes sum to 0 modulo 256
};

DecodedEdid DecodeEdid(const EdidBlock& edid);

// The block as 8 rows of 16 upper-case hex bytes, each row led by its offset ("00: ").
std::string EdidHexDump(const EdidBlock& edid, const std::string& indent);

// The decoded facts as a table of labels and values, as the edid command shows them.
void PrintEdidFacts(std::ostream& out, const DecodedEdid& decoded);
