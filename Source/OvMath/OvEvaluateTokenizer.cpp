// The tokenizer of the formula language: characters to tokens, and the token scan.
#define OV_SOURCE_FILE "Source/OvMath/OvEvaluateTokenizer"
#include "OvCore/OvError.h"
#include "OvMath/OvEvaluate.h"

namespace {

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsWordChar(char c)
{
    return IsLetter(c) || IsDigit(c) || c == '.';
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Single-character tokens; "+" "-" "*" "/" "=" may take a following "=".
struct Symbol {
    char c;
    int32_t token;
    int32_t withEquals;  // the token when "=" follows; kOvTokenNone when none
};

constexpr Symbol kSymbols[] = {
    {',', kOvTokenSeparator, kOvTokenNone},     {';', kOvTokenSeparator, kOvTokenNone},
    {'\r', kOvTokenSeparator, kOvTokenNone},    {'\n', kOvTokenSeparator, kOvTokenNone},
    {'(', kOvTokenOpenParen, kOvTokenNone},     {')', kOvTokenCloseParen, kOvTokenNone},
    {'[', kOvTokenOpenBracket, kOvTokenNone},   {']', kOvTokenCloseBracket, kOvTokenNone},
    {'^', kOvTokenPower, kOvTokenNone},         {'<', kOvTokenLess, kOvTokenNone},
    {'>', kOvTokenGreater, kOvTokenNone},       {'!', kOvTokenNot, kOvTokenNone},
    {'~', kOvTokenTilde, kOvTokenNone},         {'+', kOvTokenPlus, kOvTokenAddAssign},
    {'-', kOvTokenMinus, kOvTokenSubAssign},    {'*', kOvTokenTimes, kOvTokenMulAssign},
    {'/', kOvTokenDivide, kOvTokenDivAssign},   {'=', kOvTokenAssign, kOvTokenEqual},
};

}  // namespace

const OvString& OvOperatorName(int32_t token)
{
    static const OvString plus("+"), minus("-"), times("*"), divide("/"), power("^"), equal("=="), less("<"),
        greater(">"), invert("!"), tilde("~"), none;
    switch (token) {
    case kOvTokenPlus:
    case kOvTokenAddAssign: return plus;
    case kOvTokenMinus:
    case kOvTokenSubAssign: return minus;
    case kOvTokenTimes:
    case kOvTokenMulAssign: return times;
    case kOvTokenDivide:
    case kOvTokenDivAssign: return divide;
    case kOvTokenPower: return power;
    case kOvTokenEqual: return equal;
    case kOvTokenLess: return less;
    case kOvTokenGreater: return greater;
    case kOvTokenNot: return invert;
    case kOvTokenTilde: return tilde;
    default: return none;
    }
}

template <class T>
void OvEvaluateBase<T>::SetProgram(const OvString& text)
{
    fProgram = text.IsWide() ? text.ToUtf8() : text;
    fPosition = 0;
}

template <class T>
char OvEvaluateBase<T>::CurrentChar()
{
    return fPosition < fProgram.Length() ? fProgram.Chars()[fPosition] : '\0';
}

template <class T>
char OvEvaluateBase<T>::NextChar()
{
    if (fPosition < fProgram.Length()) ++fPosition;
    return CurrentChar();
}

template <class T>
OvString OvEvaluateBase<T>::ReadWord()
{
    const int32_t start = fPosition;
    for (char c = CurrentChar(); IsWordChar(c); c = NextChar()) {
    }
    return OvString(fProgram.Chars() + start, fPosition - start);
}

// A comment swallows its line end, so the line end does not separate statements.
template <class T>
void OvEvaluateBase<T>::SkipBlanksAndComments()
{
    for (char c = CurrentChar();; c = NextChar()) {
        if (c == '#') {
            do c = NextChar();
            while (c != '\0' && !IsLineEnd(c));
            if (c == '\0') return;
        } else if (c != ' ' && c != '\t') {
            return;
        }
    }
}

template <class T>
int32_t OvEvaluateBase<T>::SymbolToken()
{
    const char c = CurrentChar();
    for (const Symbol& symbol : kSymbols) {
        if (symbol.c != c) continue;
        if (symbol.withEquals != kOvTokenNone && NextChar() == '=') {
            NextChar();
            return symbol.withEquals;
        }
        if (symbol.withEquals == kOvTokenNone) NextChar();
        return symbol.token;
    }
    OV_RAISE(kOvFormatErr, "OvFormatErr");
}

template <class T>
void OvEvaluateBase<T>::NextToken()
{
    SkipBlanksAndComments();
    fTokenText = OvString();
    const char c = CurrentChar();
    if (c == '\0') {
        fToken = kOvTokenEnd;
    } else if (IsDigit(c) || c == '.' || IsLetter(c)) {
        fToken = IsLetter(c) ? kOvTokenIdentifier : kOvTokenNumber;
        fTokenText = ReadWord();
    } else {
        fToken = kOvTokenNone;  // stays so when the character is unknown
        fToken = SymbolToken();
    }
}

template <class T>
bool OvEvaluateBase<T>::ContainsToken(int32_t type, const OvString& text)
{
    const bool compareText = type == kOvTokenIdentifier || type == kOvTokenNumber;
    fPosition = 0;
    for (NextToken(); fToken != kOvTokenEnd; NextToken()) {
        if (fToken == type && (!compareText || fTokenText.Equals(text))) return true;
    }
    return false;
}

#define OV_INSTANTIATE_TOKENIZER(T)                                                   \
    template void OvEvaluateBase<T>::SetProgram(const OvString&);                    \
    template char OvEvaluateBase<T>::CurrentChar();                                  \
    template char OvEvaluateBase<T>::NextChar();                                     \
    template OvString OvEvaluateBase<T>::ReadWord();                                 \
    template void OvEvaluateBase<T>::NextToken();                                    \
    template bool OvEvaluateBase<T>::ContainsToken(int32_t, const OvString&);

OV_INSTANTIATE_TOKENIZER(double)
OV_INSTANTIATE_TOKENIZER(OvMatrix)
