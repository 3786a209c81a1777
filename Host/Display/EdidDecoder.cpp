#include "Display/EdidDecoder.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "Cli/Formatting.h"
#include "Cli/TextTable.h"

namespace {

constexpr std::array<uint8_t, 8> kHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr size_t kDescriptorOffsets[] = {54, 72, 90, 108};
constexpr size_t kDescriptorTextLength = 13;

// Three letters of five bits each, 1 for 'A'; anything outside A to Z shows as '?'.
std::string ManufacturerLetters(uint16_t code)
{
    std::string letters;
    for (const int shift : {10, 5, 0}) {
        const int letter = (code >> shift) & 0x1F;
        letters += letter >= 1 && letter <= 26 ? static_cast<char>('A' + letter - 1) : '?';
    }
    return letters;
}

// The text of a display descriptor with that tag: up to 13 characters, ended by a line
// feed, trailing blanks dropped, unprintable bytes shown as '?'.
std::string DescriptorText(const EdidBlock& edid, uint8_t tag)
{
    for (const size_t offset : kDescriptorOffsets) {
        if (edid[offset] != 0 || edid[offset + 1] != 0 || edid[offset + 2] != 0 || edid[offset + 3] != tag) continue;
        std::string text;
        for (size_t i = offset + 5; i < offset + 5 + kDescriptorTextLength && edid[i] != 0x0A; ++i)
            text += edid[i] >= 0x20 && edid[i] < 0x7F ? static_cast<char>(edid[i]) : '?';
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
    }
    return {};
}

// Bit depth and interface of a digital input as EDID 1.4 codes them in byte 20.
std::string DigitalInputDetails(uint8_t input)
{
    static const char* const kDepths[] = {"undefined", "6", "8", "10", "12", "14", "16", "reserved"};
    static const char* const kInterfaces[] = {"undefined", "DVI", "HDMI-a", "HDMI-b", "MDDI", "DisplayPort"};
    const int depth = (input >> 4) & 0x07;
    const int link = input & 0x0F;
    std::string text = depth == 0 || depth == 7 ? std::string("colour depth ") + kDepths[depth]
                                                : std::string(kDepths[depth]) + " bits per colour";
    text += ", ";
    text += link < 6 ? kInterfaces[link] : "reserved interface";
    return text;
}

std::string Manufactured(const DecodedEdid& edid)
{
    if (edid.week == 255) return "model year " + std::to_string(edid.year);
    if (edid.week == 0) return std::to_string(edid.year);
    return "week " + std::to_string(edid.week) + " of " + std::to_string(edid.year);
}

std::string Input(const DecodedEdid& edid)
{
    if (!edid.digitalInput) return "analogue";
    return edid.inputDetails.empty() ? "digital" : "digital, " + edid.inputDetails;
}

}  // namespace

DecodedEdid DecodeEdid(const EdidBlock& edid)
{
    DecodedEdid decoded;
    decoded.headerValid = std::equal(kHeader.begin(), kHeader.end(), edid.begin());
    decoded.manufacturerCode = static_cast<uint16_t>(edid[8] << 8 | edid[9]);
    decoded.manufacturer = ManufacturerLetters(decoded.manufacturerCode);
    decoded.productCode = static_cast<uint16_t>(edid[10] | edid[11] << 8);
    decoded.serialNumber = static_cast<uint32_t>(edid[12]) | static_cast<uint32_t>(edid[13]) << 8 |
                           static_cast<uint32_t>(edid[14]) << 16 | static_cast<uint32_t>(edid[15]) << 24;
    decoded.week = edid[16];
    decoded.year = 1990 + edid[17];
    decoded.versionMajor = edid[18];
    decoded.versionMinor = edid[19];
    decoded.digitalInput = (edid[20] & 0x80) != 0;
    if (decoded.digitalInput && decoded.versionMajor == 1 && decoded.versionMinor >= 4)
        decoded.inputDetails = DigitalInputDetails(edid[20]);
    decoded.widthCm = edid[21];
    decoded.heightCm = edid[22];
    decoded.modelName = DescriptorText(edid, 0xFC);
    decoded.serialText = DescriptorText(edid, 0xFF);
    decoded.extensionCount = edid[126];
    decoded.checksum = edid[127];
    decoded.checksumValid = std::accumulate(edid.begin(), edid.end(), 0u) % 256 == 0;
    return decoded;
}

std::string EdidHexDump(const EdidBlock& edid, const std::string& indent)
{
    std::string dump;
    char cell[8];
    for (size_t row = 0; row < edid.size(); row += 16) {
        std::snprintf(cell, sizeof cell, "%02X:", static_cast<unsigned>(row));
        dump += indent + cell;
        for (size_t i = row; i < row + 16; ++i) {
            std::snprintf(cell, sizeof cell, " %02X", static_cast<unsigned>(edid[i]));
            dump += cell;
        }
        dump += '\n';
    }
    return dump;
}

void PrintEdidFacts(std::ostream& out, const DecodedEdid& decoded)
{
    TextTable facts({"Header", decoded.headerValid ? "valid" : "invalid"});
    facts.AddRow({"Manufacturer", decoded.manufacturer + " (" + Hex(decoded.manufacturerCode, 4) + ")"});
    facts.AddRow({"Product code", Hex(decoded.productCode, 4)});
    facts.AddRow({"Serial number", std::to_string(decoded.serialNumber)});
    facts.AddRow({"Manufactured", Manufactured(decoded)});
    facts.AddRow({"EDID version", std::to_string(decoded.versionMajor) + "." + std::to_string(decoded.versionMinor)});
    facts.AddRow({"Input", Input(decoded)});
    facts.AddRow({"Screen size", std::to_string(decoded.widthCm) + " x " + std::to_string(decoded.heightCm) + " cm"});
    facts.AddRow({"Model name", OrDash(decoded.modelName)});
    facts.AddRow({"Serial text", OrDash(decoded.serialText)});
    facts.AddRow({"Extension blocks", std::to_string(decoded.extensionCount)});
    facts.AddRow({"Checksum", Hex(decoded.checksum, 2) + (decoded.checksumValid ? " (valid)" : " (invalid)")});
    facts.Print(out);
}
