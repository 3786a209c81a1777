#define OV_SOURCE_FILE "Source/OvDevices/OvCapabilities"
#include "OvDevices/OvCapabilities.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>

namespace {

// --- Number reading in the manner of sscanf, bounded by the end of the view ---

bool IsScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int32_t DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsDigitOfBase(char c, uint32_t base) {
    const int32_t digit = DigitValue(c);
    return digit >= 0 && static_cast<uint32_t>(digit) < base;
}

void SkipSpace(std::string_view& rest) {
    while (!rest.empty() && IsScanSpace(rest.front())) rest.remove_prefix(1);
}

// Reads "+" or "-"; returns whether it was a minus.
bool ReadSign(std::string_view& rest, size_t& budget) {
    if (budget == 0 || rest.empty() || (rest.front() != '+' && rest.front() != '-')) return false;
    const bool negative = rest.front() == '-';
    rest.remove_prefix(1);
    --budget;
    return negative;
}

// Reads "0x" when a digit follows within the budget.
bool ReadHexPrefix(std::string_view& rest, size_t& budget) {
    if (budget < 3 || rest.size() < 3 || rest[0] != '0' || (rest[1] != 'x' && rest[1] != 'X') ||
        !IsDigitOfBase(rest[2], 16)) {
        return false;
    }
    rest.remove_prefix(2);
    budget -= 2;
    return true;
}

// Reads digits of the base, at most budget of them; a value beyond 32 bits saturates.
bool ReadDigits(std::string_view& rest, size_t budget, uint32_t base, uint32_t& magnitude) {
    constexpr uint32_t kMax = std::numeric_limits<uint32_t>::max();
    size_t count = 0;
    uint32_t value = 0;
    while (count < budget && count < rest.size() && IsDigitOfBase(rest[count], base)) {
        const auto digit = static_cast<uint32_t>(DigitValue(rest[count]));
        value = value > (kMax - digit) / base ? kMax : value * base + digit;
        ++count;
    }
    if (count == 0) return false;
    rest.remove_prefix(count);
    magnitude = value;
    return true;
}

// "%X" with an optional field width: white space first, then sign, "0x" and hex digits
// within the width. value is written only on success.
bool ScanHex(std::string_view& rest, size_t width, uint32_t& value) {
    SkipSpace(rest);
    size_t budget = width;
    const bool negative = ReadSign(rest, budget);
    ReadHexPrefix(rest, budget);
    uint32_t magnitude = 0;
    if (!ReadDigits(rest, budget, 16, magnitude)) return false;
    value = negative ? 0u - magnitude : magnitude;
    return true;
}

// "%i": decimal, octal behind a leading 0, hexadecimal behind "0x"; clamped to 32 bits.
bool ScanInt(std::string_view& rest, int32_t& value) {
    SkipSpace(rest);
    size_t budget = std::numeric_limits<size_t>::max();
    const bool negative = ReadSign(rest, budget);
    uint32_t base = 10;
    if (ReadHexPrefix(rest, budget)) {
        base = 16;
    } else if (!rest.empty() && rest.front() == '0') {
        base = 8;
    }
    uint32_t magnitude = 0;
    if (!ReadDigits(rest, budget, base, magnitude)) return false;
    const int64_t signedValue = negative ? -int64_t{magnitude} : int64_t{magnitude};
    value = static_cast<int32_t>(std::clamp<int64_t>(signedValue, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
    return true;
}

// Matches a pattern of literal characters, blanks (any run of white space) and "%X"
// conversions, stopping at the first mismatch; fields not reached keep their values.
void ScanHexPattern(std::string_view rest, std::string_view pattern,
                    std::span<int32_t* const> fields) {
    size_t field = 0;
    while (!pattern.empty()) {
        if (pattern.starts_with("%X")) {
            uint32_t value = 0;
            if (field == fields.size() || !ScanHex(rest, std::numeric_limits<size_t>::max(), value)) {
                return;
            }
            *fields[field++] = static_cast<int32_t>(value);
            pattern.remove_prefix(2);
        } else if (IsScanSpace(pattern.front())) {
            SkipSpace(rest);
            pattern.remove_prefix(1);
        } else {
            if (rest.empty() || rest.front() != pattern.front()) return;
            rest.remove_prefix(1);
            pattern.remove_prefix(1);
        }
    }
}

// --- Code lists ---

uint32_t PagedId(int32_t page, uint32_t code) {
    return static_cast<uint32_t>(page) * 256u + code;
}

// Walks a code list one position at a time. Calls onCode(page * 256 + code) for each code,
// onOpen(code) for each "(" with the code read last, and onValue(page * 256 + code, value)
// for each value inside a value list. Numbers move the walk two positions on whatever their
// length, and a page group six, as the displays' texts are laid out that way.
template <typename OnCode, typename OnOpen, typename OnValue>
void WalkCodeList(std::string_view text, OnCode onCode, OnOpen onOpen, OnValue onValue) {
    bool insideValueList = false;
    int32_t page = 0;
    uint32_t code = 0;
    size_t position = 0;
    const auto moveOn = [&](size_t count) { position = std::min(position + count, text.size()); };
    while (position < text.size()) {
        std::string_view rest = text.substr(position);
        if (rest.front() == ' ') {
            moveOn(1);
        } else if (rest.starts_with("page")) {
            rest.remove_prefix(4);
            ScanInt(rest, page);  // without a number the page stays
            moveOn(6);
        } else if (rest.front() == '(') {
            insideValueList = true;
            onOpen(code);
            moveOn(1);
        } else if (rest.front() == ')') {
            // Outside a value list this closes a page group, whose page number stays.
            insideValueList = false;
            moveOn(1);
        } else if (uint32_t value = 0; ScanHex(rest, 2, value)) {
            if (insideValueList) {
                onValue(PagedId(page, code), value);
            } else {
                code = value;
                onCode(PagedId(page, code));
            }
            moveOn(2);
        } else {
            moveOn(1);
        }
    }
}

// --- Elements ---

// The content of the first element with the opening text, up to its matching ")", or
// nothing when the element is missing or not closed.
std::optional<std::string_view> ElementContent(std::string_view text, std::string_view opening) {
    const size_t start = text.find(opening);
    if (start == std::string_view::npos) return std::nullopt;
    const size_t begin = start + opening.size();
    size_t depth = 0;
    for (size_t i = begin; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')') {
            if (depth == 0) return text.substr(begin, i - begin);
            --depth;
        }
    }
    return std::nullopt;
}

void CopyText(OvCapabilityText& field, std::string_view content) {
    const size_t length = std::min(content.size(), field.size() - 1);
    std::copy_n(content.begin(), length, field.begin());
    field[length] = '\0';
}

int32_t Technology(std::string_view type) {
    if (type == "LCD" || type == "lcd") return 2;
    if (type == "CRT" || type == "CRT_AG" || type == "crt" || type == "crt_ag") return 1;
    return 0;
}

int32_t ReadHexNumber(std::string_view content) {
    uint32_t value = 0;
    ScanHex(content, std::numeric_limits<size_t>::max(), value);
    return static_cast<int32_t>(value);
}

// The displays report the asset memory as 100 or 50 where they mean 64 or 32.
int32_t AssetMemorySize(int32_t reported) {
    if (reported == 100) return 64;
    if (reported == 50) return 32;
    return reported;
}

// Parses one code list and appends its ids and value lists to the record's lists, adding
// pageBase to the ids and owners.
void AppendCodeList(std::string_view content, uint32_t pageBase, std::vector<uint32_t>& ids,
                    std::vector<uint32_t>& owners, std::vector<OvValueListBlock>& valueLists) {
    std::vector<uint32_t> listIds;
    std::vector<uint32_t> listOwners;
    int32_t valueListCount = 0;
    ParseCodeList(content, &listIds, valueListCount, &listOwners);
    for (const uint32_t id : listIds) {
        ids.push_back(pageBase + id);
    }
    for (const uint32_t owner : listOwners) {
        if (valueLists.size() >= static_cast<size_t>(kOvMaxValueLists)) break;
        OvValueListBlock& block = valueLists.emplace_back();
        const int32_t count = ParseValueList(content, owner, std::span(block).subspan(1));
        block[0] = static_cast<uint32_t>(std::min(count, kOvMaxListValues));
        owners.push_back(pageBase + owner);
    }
}

void ParsePagedCodeLists(OvCapabilityRecord& record, std::string_view text) {
    for (int32_t page = 0x00; page <= 0xFF; ++page) {
        char opening[16];
        std::snprintf(opening, sizeof opening, "vcp_p%02X(", static_cast<unsigned>(page));
        if (const auto content = ElementContent(text, opening)) {
            AppendCodeList(*content, PagedId(page, 0), record.vcpIds, record.valueListOwners,
                           record.valueLists);
        }
    }
}

void ParseGammaTable(OvCapabilityRecord& record, std::string_view text) {
    const auto content = ElementContent(text, "gamma_table(");
    if (!content) return;
    record.gammaTablePresent = 1;
    int32_t* const fields[] = {&record.gammaTableSize, &record.redOffset, &record.greenOffset,
                               &record.blueOffset};
    ScanHexPattern(*content, "size(%X) r_ofs(%X) g_ofs(%X) b_ofs(%X)", fields);
}

}  // namespace

void ClearCapabilityRecord(OvCapabilityRecord& record) {
    record = OvCapabilityRecord{};
}

int32_t ParseCodeList(std::string_view text, std::vector<uint32_t>* ids, int32_t& valueListCount,
                      std::vector<uint32_t>* owners) {
    int32_t idCount = 0;
    valueListCount = 0;
    WalkCodeList(
        text,
        [&](uint32_t id) {
            if (ids) ids->push_back(id);
            ++idCount;
        },
        [&](uint32_t code) {
            if (owners) owners->push_back(code);
            ++valueListCount;
        },
        [](uint32_t, uint32_t) {});
    return idCount;
}

int32_t ParseValueList(std::string_view text, uint32_t id, std::span<uint32_t> values) {
    int32_t count = 0;
    WalkCodeList(
        text, [](uint32_t) {}, [](uint32_t) {},
        [&](uint32_t listId, uint32_t value) {
            if (listId != id) return;
            if (static_cast<size_t>(count) < values.size()) values[static_cast<size_t>(count)] = value;
            ++count;
        });
    return count;
}

void ParseCapabilities(OvCapabilityRecord& record, std::string_view text) {
    ClearCapabilityRecord(record);
    text = text.substr(0, text.find('\0'));

    if (const auto type = ElementContent(text, "type(")) {
        CopyText(record.typeText, *type);
        record.technology = Technology(record.typeText.data());
    }
    const auto vcp = ElementContent(text, "vcp(");
    if (vcp) {
        AppendCodeList(*vcp, 0, record.vcpIds, record.valueListOwners, record.valueLists);
    }
    ParsePagedCodeLists(record, text);
    if (const auto version = ElementContent(text, "mccs_ver(")) {
        CopyText(record.mccsVersionText, *version);
    }
    if (const auto version = ElementContent(text, "mpu_ver(")) {
        CopyText(record.firmwareVersionText, *version);
    }
    if (const auto offset = ElementContent(text, "c_tmp_ofst(")) {
        record.colorTemperatureOffset = ReadHexNumber(*offset);
    }
    if (const auto commands = ElementContent(text, "cmds_c2(")) {
        AppendCodeList(*commands, 0, record.commandIds, record.commandValueListOwners,
                       record.commandValueLists);
    }
    if (const auto asset = ElementContent(text, "asset_eep(")) {
        record.assetMemorySize = AssetMemorySize(ReadHexNumber(*asset));
    }
    ParseGammaTable(record, text);

    record.vcpIdCount = static_cast<int32_t>(record.vcpIds.size());
    record.valueListCount = static_cast<int32_t>(record.valueLists.size());
    record.commandIdCount = static_cast<int32_t>(record.commandIds.size());
    record.commandValueListCount = static_cast<int32_t>(record.commandValueLists.size());
    record.parsed = vcp ? 1 : 0;
}
