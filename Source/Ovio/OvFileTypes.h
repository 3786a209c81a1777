#pragma once
// The file type and creator codes of the file extensions the framework knows.
#include <cstdint>
#include <span>

// A four-character code as the classic file systems store it: the first character in the
// most significant byte.
constexpr uint32_t OvFourCharCode(const char (&code)[5])
{
    return (static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
           (static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
           (static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
           static_cast<uint32_t>(static_cast<unsigned char>(code[3]));
}

struct OvFileTypeEntry {
    const char* extension;  // lower case, without the '.'
    uint32_t fileType;
    uint32_t creator;
};

// The table, sorted by extension.
std::span<const OvFileTypeEntry> OvFileTypeTable();

// The entry for an extension (ASCII case ignored), or null.
const OvFileTypeEntry* OvFindFileType(const char* extension);
