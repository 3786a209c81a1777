// Tokenizing, quoting and replacing: the text utilities of the key/value text format.
#include <cstring>

#include "OvCore/OvString.h"

bool OvString::IsDelimiter(char c, const char* delimiters)
{
    if (delimiters != nullptr && delimiters[0] != '\0') {
        return c != '\0' && std::strchr(delimiters, c) != nullptr;
    }
    return c == '\0' || c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

OvString OvString::NextToken(int32_t& position, bool quoteAware, const char* delimiters) const
{
    const int32_t length = Length();
    const char* text = Chars();
    int32_t pos = position < 0 ? 0 : position;
    while (pos < length && IsDelimiter(text[pos], delimiters)) ++pos;
    const int32_t start = pos;
    if (pos >= length) {
        position = pos;
        return OvString();
    }
    if (quoteAware && text[pos] == '"') {
        // Up to and including the closing quote; a backslash escapes the next character.
        ++pos;
        while (pos < length && text[pos] != '\0') {
            if (text[pos] == '\\') {
                pos = pos + 2 < length ? pos + 2 : length;
                continue;
            }
            if (text[pos++] == '"') break;
        }
        position = pos;
        return Mid(start, pos - start);
    }
    while (pos < length && !IsDelimiter(text[pos], delimiters)) ++pos;
    position = pos < length ? pos + 1 : pos;  // the delimiter that ends the token is consumed
    return Mid(start, pos - start);
}

OvString OvString::GetToken(int32_t n, bool quoteAware, const char* delimiters) const
{
    if (n < 0) return OvString();
    int32_t position = 0;
    OvString token;
    for (int32_t i = 0; i <= n; ++i) {
        token = NextToken(position, quoteAware, delimiters);
        if (token.IsEmpty()) break;
    }
    return token;
}

OvString OvString::Quote() const
{
    OvString quoted("\"");
    const int32_t length = Length();
    const char* text = Chars();
    for (int32_t i = 0; i < length; ++i) {
        if (text[i] == '"' || text[i] == '\\') quoted.Append('\\');
        quoted.Append(text[i]);
    }
    quoted.Append('"');
    return quoted;
}

OvString OvString::Unquote() const
{
    const int32_t length = Length();
    const char* text = Chars();
    if (length < 2 || text[0] != '"' || text[length - 1] != '"') return *this;
    OvString plain;
    for (int32_t i = 1; i < length - 1; ++i) {
        if (text[i] == '\\' && i + 1 < length - 1 && (text[i + 1] == '"' || text[i + 1] == '\\')) ++i;
        plain.Append(text[i]);
    }
    return plain;
}

OvString OvString::DetectNewline() const
{
    const int32_t length = Length();
    const char* text = Chars();
    for (int32_t i = 0; i < length; ++i) {
        if (text[i] == '\r') return OvString(text[i + 1] == '\n' ? "\r\n" : "\r");
        if (text[i] == '\n') return OvString("\n");
    }
    return OvString("\r\n");
}

OvString& OvString::ReplaceAll(const char* find, const char* replace, bool ignoreCase)
{
    if (find == nullptr || find[0] == '\0') return *this;
    const int32_t findLength = static_cast<int32_t>(std::strlen(find));
    OvString result;
    int32_t from = 0;
    for (int32_t found = Find(find, 0, ignoreCase); found >= 0; found = Find(find, from, ignoreCase)) {
        result.Append(Chars() + from, found - from);
        result.Append(replace);
        from = found + findLength;
    }
    if (from == 0) return *this;
    result.Append(Chars() + from, Length() - from);
    return *this = result;
}
