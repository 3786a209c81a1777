#include "Cli/ValueParsing.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "Catalogue/VcpCatalogue.h"
#include "HostError.h"

namespace {

// The whole text as an unsigned number of the base; nothing for anything else.
std::optional<uint64_t> WholeNumber(std::string_view text, int base)
{
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool HasHexPrefix(std::string_view text)
{
    return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

std::optional<uint64_t> DecimalOrHex(std::string_view text)
{
    return HasHexPrefix(text) ? WholeNumber(text.substr(2), 16) : WholeNumber(text, 10);
}

std::optional<uint16_t> NumericVcpId(std::string_view text)
{
    if (const size_t colon = text.find(':'); colon != std::string_view::npos) {
        const auto page = WholeNumber(text.substr(0, colon), 16);
        const auto code = WholeNumber(text.substr(colon + 1), 16);
        if (!page || !code || colon > 2 || text.size() - colon - 1 > 2) return std::nullopt;
        return static_cast<uint16_t>(*page << 8 | *code);
    }
    const auto id = DecimalOrHex(text);
    if (!id || *id > 0xFFFF) return std::nullopt;
    return static_cast<uint16_t>(*id);
}

// A plain decimal number with an optional fraction; no exponent, sign or blanks.
std::optional<double> PlainDecimal(std::string_view text)
{
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const bool digitsOnly = digits(whole) && digits(fraction);
    if (!digitsOnly || (whole.empty() && fraction.empty())) return std::nullopt;
    return std::strtod(std::string(text).c_str(), nullptr);
}

}  // namespace

uint16_t ParseVcpId(std::string_view text)
{
    if (const auto id = NumericVcpId(text)) return *id;
    const std::vector<VcpCatalogueEntry> found = FindVcpByName(text);
    if (found.size() == 1) return found.front().id;
    if (found.empty())
        throw UsageError("malformed VCP id '" + std::string(text) +
                         "': give a catalogue name (brightness, VCP_0010_BRIGHTNESS), 0x1051, 16 or 10:51");
    std::string names;
    for (const VcpCatalogueEntry& entry : found) names += (names.empty() ? "" : ", ") + std::string(entry.name);
    throw UsageError("ambiguous VCP name '" + std::string(text) + "': " + names);
}

uint32_t ParseVcpValue(std::string_view text)
{
    const auto value = DecimalOrHex(text);
    if (!value || *value > std::numeric_limits<uint32_t>::max())
        throw UsageError("malformed VCP value '" + std::string(text) + "': give a number such as 60 or 0x3C");
    return static_cast<uint32_t>(*value);
}

VcpSetting ParseVcpSetting(std::string_view text)
{
    if (text.empty() || (text[0] != '+' && text[0] != '-')) return {false, ParseVcpValue(text)};
    const auto change = DecimalOrHex(text.substr(1));
    if (!change || *change > std::numeric_limits<uint32_t>::max())
        throw UsageError("malformed VCP change '" + std::string(text) + "': give a signed number such as +5 or -5");
    const int64_t magnitude = static_cast<int64_t>(*change);
    return {true, text[0] == '-' ? -magnitude : magnitude};
}

double ParseLevel(std::string_view text)
{
    const bool percent = !text.empty() && text.back() == '%';
    const auto number = PlainDecimal(percent ? text.substr(0, text.size() - 1) : text);
    if (!number)
        throw UsageError("malformed level '" + std::string(text) + "': give a fraction (0.5) or a percentage (50%)");
    const double level = percent ? *number / 100.0 : *number;
    if (level > 1.0) throw UsageError("level '" + std::string(text) + "' out of range: give 0 to 1 or 0% to 100%");
    return level;
}

int32_t ParseInteger(std::string_view text, int32_t minimum, int32_t maximum, std::string_view what)
{
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < minimum || value > maximum)
        throw UsageError("malformed " + std::string(what) + " '" + std::string(text) + "': give a number from " +
                         std::to_string(minimum) + " to " + std::to_string(maximum));
    return static_cast<int32_t>(value);
}

double ParsePositiveNumber(std::string_view text, double maximum, std::string_view what)
{
    const auto number = PlainDecimal(text);
    if (!number || !(*number > 0.0) || *number > maximum)
        throw UsageError("malformed " + std::string(what) + " '" + std::string(text) + "': give a number above 0, at most " +
                         std::to_string(static_cast<int>(maximum)));
    return *number;
}
