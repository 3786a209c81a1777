#pragma once
// Helpers of the monitor-list and simulation tests.
//
// OvScopedMakerFolder: the maker's application-data folder (".../Ovelin/") for one test,
// holding the simulation files and the settings file, below a fresh temporary folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Ovio/OvFileSpec.h"
#include "Support/OvTestSupport.h"

class OvScopedMakerFolder {
public:
    OvScopedMakerFolder() : fFolder(FromUtf8(OvFileSpec::FolderPath(kOvFolderMaker).Chars())) {}

    OvScopedMakerFolder(const OvScopedMakerFolder&) = delete;
    OvScopedMakerFolder& operator=(const OvScopedMakerFolder&) = delete;

    void Write(const std::string& name, const std::string& text) const { OvWriteBytes(fFolder / name, text); }
    std::string Read(const std::string& name) const { return OvReadBytes(fFolder / name); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(fFolder / name); }

private:
    static std::filesystem::path FromUtf8(const std::string& text)
    {
        return std::filesystem::path(std::u8string(text.begin(), text.end()));
    }

    OvScopedTestFolders fFolders;
    std::filesystem::path fFolder;
};

// A 128-byte EDID of a digital display whose serial-number descriptor holds serial (up to
// 12 characters). With an empty serial that descriptor becomes plain text, so the serial
// text is the number in bytes 12 to 15: "16843009".
inline std::vector<uint8_t> OvTestEdid(const std::string& serial)
{
    static const char* const kHex =
        "00FFFFFFFFFFFF0038A32C6601010101100E0103802B2078EE0555A6554B9B24145054BFEF80315945596159714F814F818081"
        "99A940483F403062B0324040C01300B0441100001E000000FD0030571E6011000A202020202020000000FC004C4344323138"
        "3055580A202020000000FF00343431303039383359420A202000C7";
    std::vector<uint8_t> edid(128);
    for (size_t i = 0; i < edid.size(); ++i) {
        edid[i] = static_cast<uint8_t>(std::stoi(std::string(kHex + 2 * i, 2), nullptr, 16));
    }
    constexpr size_t kSerialDescriptor = 108;
    if (serial.empty()) {
        edid[kSerialDescriptor + 3] = 0xFE;
    } else {
        std::memset(&edid[kSerialDescriptor + 5], ' ', 13);
        std::memcpy(&edid[kSerialDescriptor + 5], serial.data(), serial.size());
        edid[kSerialDescriptor + 5 + serial.size()] = 0x0A;
    }
    return edid;
}

// bytes followed by zeros up to the 256 bytes the monitor list keeps.
inline std::vector<uint8_t> OvPaddedEdid(std::vector<uint8_t> bytes)
{
    bytes.resize(256, 0);
    return bytes;
}
