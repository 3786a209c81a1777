#define OV_SOURCE_FILE "Source/OvCore/OvString"
#include "OvCore/OvString.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "OvCore/OvError.h"
#include "OvSystem/OvPlatform.h"

// The shared text buffer. The text follows the header and is allocated with two spare
// bytes, so that both 8-bit and 16-bit text always end in a terminator.
struct OvString::Buffer {
    int32_t refCount;
    int32_t capacity;
    int32_t length;  // bytes; -1: recompute (after an in-place change)
    uint8_t wide;

    char* Text() { return reinterpret_cast<char*>(this + 1); }

    static Buffer* Allocate(int64_t capacity, bool wide)
    {
        if (capacity > INT32_MAX - 64) throw std::bad_alloc();
        void* memory = std::calloc(1, sizeof(Buffer) + static_cast<size_t>(capacity) + 2);
        if (memory == nullptr) throw std::bad_alloc();
        Buffer* buffer = static_cast<Buffer*>(memory);
        buffer->refCount = 1;
        buffer->capacity = static_cast<int32_t>(capacity);
        buffer->length = 0;
        buffer->wide = wide ? 1 : 0;
        return buffer;
    }

    static Buffer* FromBytes(const void* bytes, int32_t count, bool wide)
    {
        Buffer* buffer = Allocate(count, wide);
        std::memcpy(buffer->Text(), bytes, static_cast<size_t>(count));
        buffer->length = count;
        return buffer;
    }

    void Release()
    {
        if (OvPlatform::AtomicDecrement(&refCount) == 0) std::free(this);
    }

    int32_t KnownLength()
    {
        if (length >= 0) return length;
        if (!wide) {
            length = static_cast<int32_t>(std::strlen(Text()));
            return length;
        }
        const char* text = Text();
        int32_t bytes = 0;
        while (bytes + 1 < capacity && (text[bytes] != 0 || text[bytes + 1] != 0)) bytes += 2;
        return bytes;
    }
};

namespace {

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

// ---- Construction -----------------------------------------------------------------------

OvString::OvString(const char* text) : OvString(text, text ? static_cast<int32_t>(std::strlen(text)) : 0) {}

OvString::OvString(const char* text, int32_t byteCount) : OvString(static_cast<const void*>(text), byteCount, false)
{
}

OvString::OvString(const char16_t* text, int32_t unitCount)
{
    if (text == nullptr || unitCount < -1) return;
    if (unitCount == -1) {
        unitCount = 0;
        while (text[unitCount] != 0) ++unitCount;
    }
    if (unitCount == 0) return;
    fBuffer = Buffer::FromBytes(text, unitCount * 2, true);
}

OvString::OvString(const void* bytes, int32_t byteCount, bool wide)
{
    if (bytes == nullptr || byteCount <= 0) return;
    fBuffer = Buffer::FromBytes(bytes, byteCount, wide);
}

OvString::OvString(const OvString& other) : fBuffer(other.fBuffer)
{
    if (fBuffer == nullptr) return;
    // Settle a pending length before the buffer becomes shared, so sharers never write it.
    fBuffer->KnownLength();
    OvPlatform::AtomicIncrement(&fBuffer->refCount);
}

OvString::OvString(OvString&& other) noexcept : fBuffer(other.fBuffer)
{
    other.fBuffer = nullptr;
}

OvString& OvString::operator=(const OvString& other)
{
    if (fBuffer == other.fBuffer) return *this;
    OvString copy(other);
    std::swap(fBuffer, copy.fBuffer);
    return *this;
}

OvString& OvString::operator=(OvString&& other) noexcept
{
    std::swap(fBuffer, other.fBuffer);
    return *this;
}

OvString& OvString::operator=(const char* text)
{
    return *this = OvString(text);
}

OvString::~OvString()
{
    if (fBuffer) fBuffer->Release();
}

OvString OvString::FromLong(long value)
{
    return Format("%ld", value);
}

OvString OvString::FromULong(unsigned long value)
{
    return Format("%lu", value);
}

OvString OvString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    OvString result = FormatV(format, args);
    va_end(args);
    return result;
}

OvString OvString::FormatV(const char* format, va_list args)
{
    if (format == nullptr) OV_RAISE(kOvArgErr, "OvArgErr");
    char text[4096];
    if (std::vsnprintf(text, 4095, format, args) < 0) text[0] = '\0';
    return OvString(text);
}

// ---- Access -----------------------------------------------------------------------------

int32_t OvString::Length() const
{
    return fBuffer ? fBuffer->KnownLength() : 0;
}

bool OvString::IsEmpty() const
{
    return Length() < 1;
}

bool OvString::IsWide() const
{
    return fBuffer && fBuffer->wide;
}

const char* OvString::Chars() const
{
    return fBuffer ? fBuffer->Text() : "";
}

const char16_t* OvString::WideChars() const
{
    if (!IsWide()) return u"";
    return reinterpret_cast<const char16_t*>(fBuffer->Text());
}

char OvString::CharAt(int32_t index) const
{
    if (fBuffer == nullptr || index < 0 || index >= fBuffer->capacity) OV_RAISE(kOvIndexError, "OvIndexError");
    return fBuffer->Text()[index];
}

char& OvString::CharRef(int32_t index)
{
    MakePrivate();
    if (fBuffer == nullptr || index < 0 || index >= fBuffer->capacity) OV_RAISE(kOvIndexError, "OvIndexError");
    fBuffer->length = -1;  // a NUL written here shortens the text
    return fBuffer->Text()[index];
}

int32_t OvString::Capacity() const
{
    return fBuffer ? fBuffer->capacity : 0;
}

int32_t OvString::ShareCount() const
{
    return fBuffer ? fBuffer->refCount : 0;
}

OvString OvString::Mid(int32_t start, int32_t count) const
{
    const int32_t length = Length();
    start = std::max(start, 0);
    if (start >= length || count == 0) return OvString();
    if (count < 0 || count > length - start) count = length - start;
    return OvString(Chars() + start, count, IsWide());
}

OvString OvString::Left(int32_t count) const
{
    return Mid(0, count);
}

// ---- Appending --------------------------------------------------------------------------

void OvString::MakePrivate()
{
    if (fBuffer == nullptr || fBuffer->refCount < 2) return;
    Buffer* copy = Buffer::Allocate(fBuffer->capacity, fBuffer->wide);
    std::memcpy(copy->Text(), fBuffer->Text(), static_cast<size_t>(fBuffer->capacity) + 2);
    copy->length = fBuffer->length;
    fBuffer->Release();
    fBuffer = copy;
}

void OvString::AppendToPrivate(const char* bytes, int32_t count)
{
    if (fBuffer && fBuffer->refCount > 1) OV_RAISE(kOvUnexpectedErr, "OvUnexpectedErr");
    if (fBuffer && fBuffer->wide && fBuffer->length < 0) OV_RAISE(kOvGeneralErr, "OvGeneralErr");
    const int32_t oldLength = Length();
    const int64_t newLength = static_cast<int64_t>(oldLength) + count;
    const int32_t capacity = Capacity();
    if (newLength > capacity) {
        const int64_t grown = std::max<int64_t>({newLength, capacity + capacity / 2, 10});
        Buffer* larger = Buffer::Allocate(grown, IsWide());
        if (fBuffer) std::memcpy(larger->Text(), fBuffer->Text(), static_cast<size_t>(oldLength));
        // The old buffer is freed only after the copy: the bytes may come from it.
        std::memcpy(larger->Text() + oldLength, bytes, static_cast<size_t>(count));
        if (fBuffer) fBuffer->Release();
        fBuffer = larger;
    } else {
        std::memmove(fBuffer->Text() + oldLength, bytes, static_cast<size_t>(count));
    }
    fBuffer->length = static_cast<int32_t>(newLength);
    fBuffer->Text()[newLength] = '\0';
    fBuffer->Text()[newLength + 1] = '\0';
}

OvString& OvString::Append(const char* text)
{
    if (text == nullptr) return *this;
    return Append(text, static_cast<int32_t>(std::strlen(text)));
}

OvString& OvString::Append(const OvString& text)
{
    const OvString keep(text);  // appending a string to itself
    return Append(keep.Chars(), keep.Length());
}

OvString& OvString::Append(const char* bytes, int32_t count)
{
    if (bytes == nullptr || count <= 0) return *this;
    MakePrivate();
    AppendToPrivate(bytes, count);
    return *this;
}

OvString& OvString::Append(char c)
{
    if (c == '\0') return *this;
    return Append(&c, 1);
}

OvString operator+(const OvString& a, const OvString& b)
{
    OvString result(a);
    result.Append(b);
    return result;
}

// ---- Searching and comparing --------------------------------------------------------------

int32_t OvString::Find(const char* text, int32_t start, bool ignoreCase) const
{
    if (text == nullptr) OV_RAISE(kOvArgErr, "OvArgErr");
    const int32_t count = static_cast<int32_t>(std::strlen(text));
    const int32_t length = Length();
    const char* chars = Chars();
    for (int32_t i = std::max(start, 0); i + count <= length; ++i) {
        int32_t matched = 0;
        while (matched < count && (ignoreCase ? FoldAscii(chars[i + matched]) == FoldAscii(text[matched])
                                              : chars[i + matched] == text[matched])) {
            ++matched;
        }
        if (matched == count) return i;
    }
    return -1;
}

int32_t OvString::FindChar(char c, int32_t start) const
{
    const int32_t length = Length();
    const char* chars = Chars();
    for (int32_t i = std::max(start, 0); i < length; ++i) {
        if (chars[i] == c) return i;
    }
    return -1;
}

int32_t OvString::FindLastChar(char c) const
{
    const char* chars = Chars();
    for (int32_t i = Length() - 1; i >= 0; --i) {
        if (chars[i] == c) return i;
    }
    return -1;
}

int32_t OvString::FindFirstOf(const char* set) const
{
    if (set == nullptr) OV_RAISE(kOvArgErr, "OvArgErr");
    const size_t setLength = std::strlen(set);
    const int32_t length = Length();
    const char* chars = Chars();
    for (int32_t i = 0; i < length; ++i) {
        if (std::memchr(set, chars[i], setLength) != nullptr) return i;
    }
    return -1;
}

bool OvString::Equals(const OvString& other) const
{
    if (!IsWide() && !other.IsWide()) return std::strcmp(Chars(), other.Chars()) == 0;
    const int32_t length = Length();
    return length == other.Length() && std::memcmp(Chars(), other.Chars(), static_cast<size_t>(length)) == 0;
}

int32_t OvString::Compare(const char* text) const
{
    if (text == nullptr) OV_RAISE(kOvArgErr, "OvArgErr");
    const int result = std::strcmp(Chars(), text);
    return (result > 0) - (result < 0);
}

int32_t OvString::CompareNoCase(const char* text) const
{
    if (text == nullptr) OV_RAISE(kOvArgErr, "OvArgErr");
    const char* chars = Chars();
    for (int32_t i = 0;; ++i) {
        const auto a = static_cast<unsigned char>(FoldAscii(chars[i]));
        const auto b = static_cast<unsigned char>(FoldAscii(text[i]));
        if (a != b) return a - b;
        if (a == 0) return 0;
    }
}

// ---- Numbers ----------------------------------------------------------------------------

int32_t OvString::ToInt() const
{
    const long value = std::strtol(Chars(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

double OvString::ToDouble() const
{
    const int32_t comma = FindChar(',');
    if (comma < 0) return std::atof(Chars());
    OvString copy(*this);
    copy.CharRef(comma) = '.';
    return std::atof(copy.Chars());
}

bool OvString::ToBool() const
{
    return ToInt() != 0 || CompareNoCase("true") == 0 || CompareNoCase("yes") == 0;
}

// ---- Editing ----------------------------------------------------------------------------

OvString& OvString::ReplaceChar(char from, char to)
{
    if (FindChar(from) < 0) return *this;
    MakePrivate();
    const int32_t length = Length();
    char* text = fBuffer->Text();
    for (int32_t i = 0; i < length; ++i) {
        if (text[i] == from) text[i] = to;
    }
    if (to == '\0' && !fBuffer->wide) fBuffer->length = -1;
    return *this;
}
