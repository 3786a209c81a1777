// Fuzzes the hexadecimal reader and the UTF-8/UTF-16 conversions of OvString.
//   - HexToBytes either raises "OvFormatErr" or returns bytes that BytesToHex writes back
//     as the same text (up to the case of the letters).
//   - Any 8-bit text decodes to UTF-16 without raising; encoding the units up to the first
//     zero unit as UTF-8 and decoding that again gives the same units.
//   - Any 16-bit text survives the trip to UTF-8 and back up to its first zero unit.
//   - ToAscii leaves no byte of 128 or more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "OvCore/OvString.h"
#include "OvTools/OvDebug.h"

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

std::u16string UnitsUpToZero(const OvString& wide)
{
    const std::u16string units(wide.WideChars(), static_cast<size_t>(wide.Length() / 2));
    return units.substr(0, units.find(u'\0'));
}

void FuzzHex(const OvString& text)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(text.Length() / 2) + 1);
    int32_t count = 0;
    try {
        count = text.HexToBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
    } catch (const OvError& error) {
        Check(error.code == kOvFormatErr);
        return;
    }
    Check(OvString::BytesToHex(bytes.data(), count).CompareNoCase(text.Chars()) == 0);
}

void FuzzUtf8(const OvString& text)
{
    const std::u16string units = UnitsUpToZero(text.ToUtf16());
    const OvString wide(units.data(), static_cast<int32_t>(units.size()));
    const OvString utf8 = wide.ToUtf8();
    Check(UnitsUpToZero(utf8.ToUtf16()) == units);
}

void FuzzUtf16(const uint8_t* data, size_t size)
{
    const OvString wide(data, static_cast<int32_t>(size & ~size_t{1}), true);
    if (!wide.IsWide()) return;
    const std::u16string units = UnitsUpToZero(wide);
    Check(UnitsUpToZero(wide.ToUtf8().ToUtf16()) == units);
}

void FuzzAscii(const OvString& text)
{
    const OvString ascii = text.ToAscii();
    Check(ascii.Length() == text.Length());
    for (int32_t i = 0; i < ascii.Length(); ++i) Check(static_cast<uint8_t>(ascii.Chars()[i]) < 0x80);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 16) return 0;
    static const bool quiet = [] {
        EnableChannel(-1, false);  // decoding warnings and raised errors would only slow it down
        return true;
    }();
    (void)quiet;
    const OvString text(reinterpret_cast<const char*>(data), static_cast<int32_t>(size));
    FuzzHex(text);
    FuzzUtf8(text);
    FuzzUtf16(data, size);
    FuzzAscii(text);
    return 0;
}
