#pragma once
// Shared, reference-counted, copy-on-write text. Holds 8-bit text (treated as UTF-8) or
// 16-bit text (UTF-16, for the operating system's wide calls) in one buffer type.
// A handle without a buffer is the empty string.
#include <cstdarg>
#include <cstddef>
#include <cstdint>

class OvString {
public:
    OvString() = default;
    OvString(const char* text);                        // up to the NUL; null gives empty
    OvString(const char* text, int32_t byteCount);     // exactly byteCount bytes, 8-bit
    OvString(const char16_t* text, int32_t unitCount); // -1: up to the zero unit
    OvString(const void* bytes, int32_t byteCount, bool wide);
    OvString(const OvString& other);
    OvString(OvString&& other) noexcept;
    OvString& operator=(const OvString& other);
    OvString& operator=(OvString&& other) noexcept;
    OvString& operator=(const char* text);
    ~OvString();

    static OvString FromLong(long value);            // "%ld"
    static OvString FromULong(unsigned long value);  // "%lu"
    // printf-style into a 4096-byte buffer, at most 4094 characters.
    static OvString Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 1, 2)))
#endif
        ;
    static OvString FormatV(const char* format, va_list args)
#if defined(__GNUC__)
        __attribute__((format(printf, 1, 0)))
#endif
        ;

    // Access
    int32_t Length() const;  // bytes
    bool IsEmpty() const;
    bool IsWide() const;
    const char* Chars() const;        // never null; "" when empty
    const char16_t* WideChars() const;  // the units of a wide buffer; u"" when empty
    char CharAt(int32_t index) const;  // raises "OvIndexError"
    char& CharRef(int32_t index);      // writable; makes the buffer private first and
                                       // marks the length for recounting (a NUL shortens)
    int32_t Capacity() const;
    int32_t ShareCount() const;  // handles sharing the buffer (0 without one); for tests

    OvString Mid(int32_t start, int32_t count = -1) const;
    OvString Left(int32_t count) const;

    OvString& Append(const char* text);
    OvString& Append(const OvString& text);
    OvString& Append(const char* bytes, int32_t count);
    OvString& Append(char c);  // a NUL does nothing
    OvString& operator+=(const OvString& text) { return Append(text); }
    OvString& operator+=(const char* text) { return Append(text); }
    OvString& operator+=(char c) { return Append(c); }
    friend OvString operator+(const OvString& a, const OvString& b);

    // Searching and comparing (byte-wise; -1 means not found)
    int32_t Find(const char* text, int32_t start = 0, bool ignoreCase = false) const;
    int32_t FindChar(char c, int32_t start = 0) const;
    int32_t FindLastChar(char c) const;
    int32_t FindFirstOf(const char* set) const;
    bool Equals(const OvString& other) const;
    bool operator==(const OvString& other) const { return Equals(other); }
    bool operator==(const char* text) const { return Equals(OvString(text)); }
    int32_t Compare(const char* text) const;        // -1, 0, 1; null raises "OvArgErr"
    int32_t CompareNoCase(const char* text) const;  // difference after folding A-Z

    // Numbers
    int32_t ToInt() const;   // strtol base 10, clamped to 32 bits
    double ToDouble() const; // first ',' becomes '.', then atof
    bool ToBool() const;     // non-zero ToInt, "true" or "yes" (ASCII case ignored)

    // Tokens and quoting
    static bool IsDelimiter(char c, const char* delimiters);  // empty set: NUL TAB LF CR blank
    OvString NextToken(int32_t& position, bool quoteAware, const char* delimiters) const;
    OvString GetToken(int32_t n, bool quoteAware, const char* delimiters) const;
    OvString Quote() const;
    OvString Unquote() const;
    OvString DetectNewline() const;  // CR LF, CR or LF; CR LF when there is none

    // Editing (in place)
    OvString& ReplaceChar(char from, char to);
    OvString& ReplaceAll(const char* find, const char* replace, bool ignoreCase = false);

    // Hexadecimal
    // Returns the byte count (length / 2). Bad digits or an odd length raise "OvFormatErr";
    // a count above outSize raises "OvIndexError" before anything is written.
    int32_t HexToBytes(uint8_t* out, int32_t outSize) const;
    static OvString BytesToHex(const uint8_t* bytes, int32_t count);  // upper case, no separators

    // Encodings
    OvString ToAscii() const;  // bytes >= 128 replaced by ASCII look-alikes
    OvString ToUtf16() const;  // UTF-8 to a wide buffer (malformed input logged on channel 0)
    OvString ToUtf8() const;   // wide buffer to UTF-8; 8-bit strings unchanged

private:
    struct Buffer;
    void MakePrivate();
    // The append primitive: needs a private buffer of known length.
    void AppendToPrivate(const char* bytes, int32_t count);
    Buffer* fBuffer = nullptr;
};
