#pragma once
// The parsed capability string of a display: the VCP codes it supports with the values
// they accept, its command codes, type and versions, and the layout of its gamma table.
// The text comes from the display, so the parser trusts none of it: it never reads past
// the end, and lists and texts are bounded as stated below.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// The number n of values, then the n values.
using OvValueListBlock = std::array<uint32_t, 256>;
// Values a block keeps; further values of the same code are dropped.
constexpr int32_t kOvMaxListValues = 255;
// Value lists a record keeps per kind (VCP codes, command codes); further ones are dropped.
// Real displays list a few dozen; the bound keeps a hostile text from costing a block and a
// walk of the whole list for each parenthesis it contains.
constexpr int32_t kOvMaxValueLists = 256;
// 255 characters and a NUL; longer element contents are cut.
using OvCapabilityText = std::array<char, 256>;

struct OvCapabilityRecord {
    int32_t parsed = 0;  // 1 once a parse found the "vcp(" element
    std::vector<uint32_t> vcpIds;  // page * 256 + code, in text order, "vcp(" first
    std::vector<uint32_t> valueListOwners;  // the code of each value list ("vcp(": no page)
    std::vector<uint32_t> commandIds;
    std::vector<uint32_t> commandValueListOwners;
    std::vector<OvValueListBlock> valueLists;  // one block per value-list owner
    std::vector<OvValueListBlock> commandValueLists;
    int32_t valueListCount = 0;
    int32_t commandIdCount = 0;
    int32_t commandValueListCount = 0;
    int32_t vcpIdCount = 0;
    int32_t technology = 0;  // 0 unknown, 1 CRT, 2 LCD
    int32_t assetMemorySize = 0;
    int32_t colorTemperatureOffset = 0;
    OvCapabilityText typeText{};
    OvCapabilityText mccsVersionText{};
    OvCapabilityText firmwareVersionText{};
    int32_t gammaTablePresent = 0;
    int32_t gammaTableSize = 0;
    int32_t redOffset = 0;
    int32_t greenOffset = 0;
    int32_t blueOffset = 0;
};

// Frees the lists and sets every count, number, flag and text to zero.
void ClearCapabilityRecord(OvCapabilityRecord& record);

// Scans a code list such as "10 12 14(01 02 04) page2(36)": two-digit hexadecimal codes,
// a code's accepted values in parentheses behind it, and page groups with a one-digit page.
// Appends page * 256 + code for each code to ids and each code that has a value list, as
// written, to owners (either may be null). Returns the number of codes and sets
// valueListCount to the number of value lists.
int32_t ParseCodeList(std::string_view text, std::vector<uint32_t>* ids, int32_t& valueListCount,
                      std::vector<uint32_t>* owners);

// Returns the number of values listed for id (page * 256 + code) in a code list and stores
// as many of them as values has room for.
int32_t ParseValueList(std::string_view text, uint32_t id, std::span<uint32_t> values);

// Clears the record and fills it from the text, which ends at its first NUL if it has one.
void ParseCapabilities(OvCapabilityRecord& record, std::string_view text);
