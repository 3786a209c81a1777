// Reads arbitrary bytes as key/value text, writes what was read and reads that again:
// the second reading must give the same pairs, and, with the same line end, the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "OvCore/OvError.h"
#include "OvCore/OvString.h"
#include "OvData/OvDataBase.h"
#include "OvTools/OvDebug.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "FuzzDataBaseText: %s\n", what);
    std::abort();
}

bool SameBytes(const OvString& a, const OvString& b)
{
    return a.Length() == b.Length() && std::memcmp(a.Chars(), b.Chars(), static_cast<size_t>(a.Length())) == 0;
}

bool SameContent(const OvDataBase* a, const OvDataBase* b)
{
    if (a == nullptr || b == nullptr) return a == b;
    if (a->Count() != b->Count() || !SameContent(a->Info().Get(), b->Info().Get())) return false;
    for (int32_t i = 0; i < a->Count(); ++i) {
        const OvDBData& x = a->Entry(i);
        const OvDBData& y = b->Entry(i);
        if (!SameBytes(x.key, y.key) || !SameBytes(x.value, y.value)) return false;
        if (!SameContent(x.child.Get(), y.child.Get())) return false;
    }
    return true;
}

// Keys the format cannot carry back: a leading '#', '{', '}' or '<' reads as a comment or
// as structure, a leading byte-order mark is skipped at the start of a text, and a second
// "_DBInfo" pair would become the info block.
bool KeyReadsBack(const OvString& key)
{
    const char* chars = key.Chars();
    if (key.Length() > 0 && std::strchr("#{}<", chars[0]) != nullptr) return false;
    if (key.Length() >= 3 && std::memcmp(chars, "\xEF\xBB\xBF", 3) == 0) return false;
    return !(key == "_DBInfo");
}

bool ReadsBack(const OvDataBase* dataBase)
{
    if (dataBase == nullptr) return true;
    if (!ReadsBack(dataBase->Info().Get())) return false;
    for (int32_t i = 0; i < dataBase->Count(); ++i) {
        const OvDBData& pair = dataBase->Entry(i);
        if (!KeyReadsBack(pair.key) || !ReadsBack(pair.child.Get())) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnableChannel(kOvChannelError, false);  // malformed input raises all the time
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20)) return 0;
    OvDataBase first;
    try {
        first.LoadFromText(OvString(data, static_cast<int32_t>(size), false));
    } catch (const OvError&) {
        // What was read before the fault stays and is written all the same.
    }
    const OvString text = first.ToText();
    // Text with zero bytes is not supported (such files are read as 16-bit text).
    if (std::memchr(data, 0, size) != nullptr || !ReadsBack(&first)) return 0;

    OvDataBase second;
    try {
        second.LoadFromText(text);
    } catch (const OvError&) {
        Fail("written text does not read back");
    }
    if (!SameContent(&first, &second)) Fail("pairs differ after reading the written text");
    // The second reading takes its line end from the text, which may meet one inside a
    // quoted key or value of the first line first.
    if (SameBytes(first.Newline(), second.Newline()) && !SameBytes(text, second.ToText())) {
        Fail("written text differs");
    }
    return 0;
}
