// Conversions between 8-bit and 16-bit text, to ASCII look-alikes and to hexadecimal.
#define OV_SOURCE_FILE "Source/OvCore/OvStringEncoding"
#include <array>
#include <vector>

#include "OvCore/OvError.h"
#include "OvCore/OvString.h"
#include "OvTools/OvDebug.h"

namespace {

// ASCII look-alikes for the bytes 0x80-0xFF read as ISO 8859-1.
constexpr std::array<char, 128> kAsciiLookAlikes = {
    // 80-9F: control characters
    '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?',
    '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?', '?',
    // A0-BF: symbols
    ' ', '?', 'c', 'L', 'o', 'Y', '|', 'S', '?', 'c', 'a', '?', '-', ' ', 'R', '-',
    'o', '?', '2', '3', '\'', 'm', '?', '.', ' ', '1', 'o', '>', '?', '?', '?', '?',
    // C0-DF: upper-case letters
    'A', 'A', 'A', 'A', 'A', 'A', 'A', 'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I',
    'D', 'N', 'O', 'O', 'O', 'O', 'O', 'x', 'O', 'U', 'U', 'U', 'U', 'Y', '?', 's',
    // E0-FF: lower-case letters
    'a', 'a', 'a', 'a', 'a', 'a', 'a', 'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',
    'o', 'n', 'o', 'o', 'o', 'o', 'o', '/', 'o', 'u', 'u', 'u', 'u', 'y', 'p', 'y',
};

// UTF-8 sequence length by the top six bits of a start byte (0: not a start byte).
int32_t SequenceLength(uint8_t c)
{
    if (c < 0x80) return 1;
    if (c < 0xC0) return 0;
    if (c < 0xE0) return 2;
    if (c < 0xF0) return 3;
    if (c < 0xF8) return 4;
    if (c < 0xFC) return 5;
    return 6;
}

constexpr std::array<uint8_t, 7> kStartByteMask = {0x3F, 0x7F, 0x1F, 0x0F, 0x07, 0x03, 0x01};

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void AppendUtf8(std::vector<char>& out, uint16_t unit)
{
    if (unit < 0x80) {
        out.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (unit >> 6)));
        out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
        out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
}

}  // namespace

int32_t OvString::HexToBytes(uint8_t* out, int32_t outSize) const
{
    const int32_t length = Length();
    const char* text = Chars();
    const int32_t count = length / 2;
    if (count > outSize || (count > 0 && out == nullptr)) OV_RAISE(kOvIndexError, "OvIndexError");
    for (int32_t i = 0; i < count; ++i) {
        const int high = HexDigitValue(text[2 * i]);
        if (high < 0) OV_RAISE(kOvFormatErr, "OvFormatErr");
        const int low = HexDigitValue(text[2 * i + 1]);
        if (low < 0) OV_RAISE(kOvFormatErr, "OvFormatErr");
        out[i] = static_cast<uint8_t>(high * 16 + low);
    }
    if (length % 2 != 0) OV_RAISE(kOvFormatErr, "OvFormatErr");
    return count;
}

OvString OvString::BytesToHex(const uint8_t* bytes, int32_t count)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (bytes == nullptr || count < 1) return OvString();
    std::vector<char> text(static_cast<size_t>(count) * 2);
    for (int32_t i = 0; i < count; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return OvString(text.data(), count * 2);
}

OvString OvString::ToAscii() const
{
    const int32_t length = Length();
    const char* text = Chars();
    std::vector<char> ascii(text, text + length);
    for (char& c : ascii) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte >= 0x80) c = kAsciiLookAlikes[byte - 0x80];
    }
    return OvString(ascii.data(), length, IsWide());
}

OvString OvString::ToUtf16() const
{
    if (IsWide()) return *this;
    const int32_t length = Length();
    const auto* text = reinterpret_cast<const uint8_t*>(Chars());
    std::vector<char16_t> units;
    units.reserve(static_cast<size_t>(length));
    long position = 0;
    while (position < length && text[position] != 0) {
        const uint8_t start = text[position];
        int32_t sequenceLength = SequenceLength(start);
        uint32_t value = start & kStartByteMask[static_cast<size_t>(sequenceLength)];
        if (sequenceLength == 0) {
            DebugPrintf(kOvChannelGeneral, "Bad UTF8 start character at %ld\n", position);
            sequenceLength = 5;
        }
        ++position;
        for (int32_t i = 1; i < sequenceLength && position < length; ++i) {
            const uint8_t next = text[position];
            if (next == 0) break;
            if ((next & 0xC0) != 0x80) {
                DebugPrintf(kOvChannelGeneral, "Unexpected UTF8 start character at %ld\n", position);
                break;
            }
            value = ((value << 6) + (next & 0x3F)) & 0xFFFF;
            ++position;
        }
        units.push_back(static_cast<char16_t>(value));
    }
    if (units.empty()) return OvString();
    return OvString(units.data(), static_cast<int32_t>(units.size()));
}

OvString OvString::ToUtf8() const
{
    if (!IsWide()) return *this;
    const int32_t unitCount = Length() / 2;
    const char16_t* units = WideChars();
    std::vector<char> bytes;
    bytes.reserve(static_cast<size_t>(unitCount) * 3);
    for (int32_t i = 0; i < unitCount; ++i) AppendUtf8(bytes, units[i]);
    return OvString(bytes.data(), static_cast<int32_t>(bytes.size()));
}
