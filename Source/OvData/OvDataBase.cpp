#define OV_SOURCE_FILE "Source/OvData/OvDataBase"
#include "OvData/OvDataBase.h"

#include <cstdarg>
#include <cstring>

#include "OvCore/OvError.h"

namespace {

// Walks the components of a path without copying them: one leading '/' is skipped and a
// '/' at the very end adds no component, so "", "/" and "a//" end in an empty key.
class PathCursor {
public:
    explicit PathCursor(const OvString& path) : fText(path.Chars()), fLength(path.Length())
    {
        if (fLength > 0 && fText[0] == '/') fPosition = 1;
    }

    // The next component; false once the last one has been returned.
    bool Next(const char*& start, int32_t& length)
    {
        if (fDone) return false;
        const void* slash = std::memchr(fText + fPosition, '/', static_cast<size_t>(fLength - fPosition));
        const int32_t end = slash ? static_cast<int32_t>(static_cast<const char*>(slash) - fText) : fLength;
        start = fText + fPosition;
        length = end - fPosition;
        fPosition = end + 1;
        fDone = fPosition >= fLength;
        return true;
    }

    bool AtLast() const { return fDone; }

private:
    const char* fText;
    int32_t fLength;
    int32_t fPosition = 0;
    bool fDone = false;
};

bool KeyEquals(const OvString& key, const char* component, int32_t length)
{
    return key.Length() == length && std::memcmp(key.Chars(), component, static_cast<size_t>(length)) == 0;
}

template <class Entries>
auto FindKey(Entries& entries, const char* component, int32_t length) -> decltype(entries.begin())
{
    for (auto& pair : entries) {
        if (KeyEquals(pair.key, component, length)) return &pair;
    }
    return nullptr;
}

bool EqualsIgnoringAsciiCase(const OvString& text, const char* lowerCase)
{
    const int32_t length = static_cast<int32_t>(std::strlen(lowerCase));
    if (text.Length() != length) return false;
    const char* chars = text.Chars();
    for (int32_t i = 0; i < length; ++i) {
        char c = chars[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerCase[i]) return false;
    }
    return true;
}

// A caller-supplied format is not a literal, so it goes through the va_list form. GCC
// accepts that unchecked; clang would still warn that it cannot check the format.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wformat-nonliteral"
#endif
OvString FormatNumber(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    OvString text = OvString::FormatV(format, args);
    va_end(args);
    return text;
}
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

// "%f" without trailing fraction zeros, and without the point when nothing follows it.
OvString FormatTrimmed(double value)
{
    OvString text = OvString::Format("%f", value);
    const int32_t point = text.FindChar('.');
    if (point < 0) return text;
    const char* chars = text.Chars();
    int32_t end = text.Length();
    while (end > point + 1 && chars[end - 1] == '0') --end;
    if (end == point + 1) end = point;
    return text.Left(end);
}

}  // namespace

// ---- OvDBData ------------------------------------------------------------------------

OvDBData::OvDBData() = default;
OvDBData::OvDBData(const OvString& pairKey, const OvString& pairValue) : key(pairKey), value(pairValue) {}
OvDBData::OvDBData(const OvDBData& other) = default;
OvDBData::OvDBData(OvDBData&& other) noexcept = default;
OvDBData& OvDBData::operator=(const OvDBData& other) = default;
OvDBData& OvDBData::operator=(OvDBData&& other) noexcept = default;
OvDBData::~OvDBData() = default;

// ---- OvDataBase ----------------------------------------------------------------------

OV_DEFINE_CAST(OvDataBase, OvObject)

OvDataBase::OvDataBase() = default;
OvDataBase::~OvDataBase() = default;

const OvDBData* OvDataBase::FindPair(const OvString& path) const
{
    PathCursor cursor(path);
    const OvDataBase* level = this;
    const char* component = nullptr;
    int32_t length = 0;
    while (cursor.Next(component, length)) {
        const OvDBData* pair = FindKey(level->fEntries, component, length);
        if (pair == nullptr || cursor.AtLast()) return pair;
        level = pair->child.Get();
        if (level == nullptr) return nullptr;
    }
    return nullptr;
}

OvDBData& OvDataBase::FindOrCreatePair(const OvString& path)
{
    PathCursor cursor(path);
    OvDataBase* level = this;
    const char* component = nullptr;
    int32_t length = 0;
    for (;;) {
        cursor.Next(component, length);
        OvDBData* pair = FindKey(level->fEntries, component, length);
        if (pair == nullptr) pair = &level->fEntries.Append(OvDBData(OvString(component, length), OvString()));
        if (cursor.AtLast()) return *pair;
        if (!pair->child) pair->child = OvMakeRef<OvDataBase>();
        level = pair->child.Get();
    }
}

bool OvDataBase::Exists(const OvString& path) const
{
    return FindPair(path) != nullptr;
}

OvString OvDataBase::GetValue(const OvString& path, const OvString& defaultValue) const
{
    const OvDBData* pair = FindPair(path);
    return pair ? pair->value : defaultValue;
}

int32_t OvDataBase::GetInt(const OvString& path, int32_t defaultValue) const
{
    const OvDBData* pair = FindPair(path);
    return pair ? pair->value.ToInt() : defaultValue;
}

bool OvDataBase::GetBool(const OvString& path, bool defaultValue, bool create)
{
    if (const OvDBData* pair = FindPair(path)) {
        return EqualsIgnoringAsciiCase(pair->value, "true") || pair->value == "1";
    }
    if (create) SetBool(path, defaultValue);
    return defaultValue;
}

void OvDataBase::SetValue(const OvString& path, const OvString& value)
{
    FindOrCreatePair(path).value = value;
}

void OvDataBase::SetInt(const OvString& path, int32_t value)
{
    SetValue(path, OvString::Format("%d", static_cast<int>(value)));
}

void OvDataBase::SetBool(const OvString& path, bool value)
{
    SetValue(path, value ? "true" : "false");
}

void OvDataBase::SetReal(const OvString& path, double value, const char* format)
{
    const OvDBData* pair = FindPair(path);
    if (pair != nullptr && pair->value.ToDouble() == value) return;
    SetValue(path, format ? FormatNumber(format, value) : FormatTrimmed(value));
}

OvRef<OvDataBase> OvDataBase::GetChild(const OvString& path, bool create)
{
    if (!create) {
        const OvDBData* pair = FindPair(path);
        return pair ? pair->child : OvRef<OvDataBase>();
    }
    OvDBData& pair = FindOrCreatePair(path);
    if (!pair.child) pair.child = OvMakeRef<OvDataBase>();
    return pair.child;
}

uint32_t OvDataBaseChecksum(const OvString& text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.Chars());
    const int32_t length = text.Length();
    uint32_t checksum = 0;
    for (int32_t i = 0; i < length; ++i) checksum = checksum * 37u + bytes[i];
    return checksum & 0x7fffffffu;
}
