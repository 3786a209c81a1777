// The recursive-descent parser of the formula language, which evaluates as it parses, and
// the variables.
#define OV_SOURCE_FILE "Source/OvMath/OvEvaluateParser"
#include <algorithm>
#include <array>

#include "OvCore/OvError.h"
#include "OvMath/OvEvaluate.h"

namespace {

bool IsSumOperator(int32_t token)
{
    return token == kOvTokenPlus || token == kOvTokenMinus || token == kOvTokenEqual || token == kOvTokenLess ||
           token == kOvTokenGreater;
}

bool IsCompoundAssignment(int32_t token)
{
    return token >= kOvTokenAddAssign && token <= kOvTokenDivAssign;
}

bool IsPrefixSign(int32_t token)
{
    return token == kOvTokenPlus || token == kOvTokenMinus || token == kOvTokenNot || token == kOvTokenTilde;
}

}  // namespace

template <class T>
OvEvaluateBase<T>::DepthGuard::DepthGuard(OvEvaluateBase& owner) : fOwner(owner)
{
    if (fOwner.fDepth >= kMaxDepth) throw OvError(kOvFormatErr, "Formula nested too deeply", OV_SOURCE_FILE, __LINE__, 0);
    ++fOwner.fDepth;
}

template <class T>
void OvEvaluateBase<T>::Expect(int32_t type)
{
    if (fToken != type) OV_RAISE(kOvFormatErr, "OvFormatErr");
    NextToken();
}

// ---- Variables ------------------------------------------------------------------------

template <class T>
int32_t OvEvaluateBase<T>::FindVariable(const OvString& name) const
{
    const auto found = std::find_if(fNames.begin(), fNames.end(), [&](const OvString& n) { return n.Equals(name); });
    return found == fNames.end() ? -1 : static_cast<int32_t>(found - fNames.begin());
}

template <class T>
void OvEvaluateBase<T>::ClearVariables()
{
    fNames.clear();
    fValues.clear();
}

template <class T>
void OvEvaluateBase<T>::SetVariable(const OvString& name, const T& value)
{
    const int32_t index = FindVariable(name);
    if (index >= 0) {
        fValues[static_cast<size_t>(index)] = value;
        return;
    }
    fValues.push_back(value);
    fNames.push_back(name);
}

template <class T>
T OvEvaluateBase<T>::GetVariable(const OvString& name)
{
    const int32_t index = FindVariable(name);
    if (index < 0) {
        const OvString message = OvString("Undefined: ") + name;
        throw OvError(kOvUndefinedSymbol, message.Chars(), OV_SOURCE_FILE, __LINE__, 0);
    }
    return fValues[static_cast<size_t>(index)];
}

// ---- Programs -------------------------------------------------------------------------

template <class T>
T OvEvaluateBase<T>::Run()
{
    T result = DefaultValue();
    fPosition = 0;
    fDepth = 0;
    NextToken();
    while (fToken != kOvTokenEnd) {
        if (fToken != kOvTokenSeparator) {
            result = ParseSum();
            if (fToken != kOvTokenSeparator && fToken != kOvTokenEnd) OV_RAISE(kOvFormatErr, "OvFormatErr");
        }
        if (fToken == kOvTokenSeparator) NextToken();
    }
    return result;
}

template <class T>
T OvEvaluateBase<T>::SetProgramAndRun(const OvString& text)
{
    SetProgram(text);
    return Run();
}

template <class T>
T OvEvaluateBase<T>::DefaultValue()
{
    return T();
}

// ---- Expressions ----------------------------------------------------------------------

template <class T>
T OvEvaluateBase<T>::ParseSum()
{
    T left = ParseProduct();
    while (IsSumOperator(fToken)) {
        const int32_t op = fToken;
        NextToken();
        const std::array<T, 2> operands = {left, ParseProduct()};
        left = CallFunction(OvOperatorName(op), operands);
    }
    return left;
}

template <class T>
T OvEvaluateBase<T>::ParseProduct()
{
    T left = ParsePower();
    while (fToken == kOvTokenTimes || fToken == kOvTokenDivide) {
        const int32_t op = fToken;
        NextToken();
        const std::array<T, 2> operands = {left, ParsePower()};
        left = CallFunction(OvOperatorName(op), operands);
    }
    return left;
}

// Right to left: 2^3^2 is 2^9.
template <class T>
T OvEvaluateBase<T>::ParsePower()
{
    const DepthGuard guard(*this);
    T left = ParsePrimary();
    if (fToken != kOvTokenPower) return left;
    NextToken();
    const std::array<T, 2> operands = {left, ParsePower()};
    return CallFunction(OvOperatorName(kOvTokenPower), operands);
}

template <class T>
T OvEvaluateBase<T>::ParsePrimary()
{
    const DepthGuard guard(*this);
    if (fToken == kOvTokenIdentifier) {
        const OvString name = fTokenText;
        NextToken();
        if (fToken == kOvTokenOpenParen) return CallFunction(name, ReadArguments());
        if (fToken == kOvTokenAssign || IsCompoundAssignment(fToken)) return ParseAssignment(name, fToken);
        return GetVariable(name);
    }
    if (fToken == kOvTokenNumber) {
        T value = ReadNumber();
        NextToken();
        return value;
    }
    if (fToken == kOvTokenOpenBracket) return ReadBracket();
    if (fToken == kOvTokenOpenParen) {
        NextToken();
        T value = ParseSum();
        Expect(kOvTokenCloseParen);
        return value;
    }
    if (IsPrefixSign(fToken)) return ParsePrefix(fToken);
    OV_RAISE(kOvFormatErr, "OvFormatErr");
}

// The sign applies to the primary alone: -x^2 is (-x)^2.
template <class T>
T OvEvaluateBase<T>::ParsePrefix(int32_t signToken)
{
    NextToken();
    const std::array<T, 1> operand = {ParsePrimary()};
    return CallFunction(OvOperatorName(signToken), operand);
}

// The current token is the assignment operator; the value is the value assigned.
template <class T>
T OvEvaluateBase<T>::ParseAssignment(const OvString& name, int32_t assignToken)
{
    NextToken();
    T value;
    if (assignToken == kOvTokenAssign) {
        value = ParseSum();
    } else {
        const T current = GetVariable(name);
        const std::array<T, 2> operands = {current, ParseSum()};
        value = CallFunction(OvOperatorName(assignToken), operands);
    }
    SetVariable(name, value);
    return value;
}

template <class T>
typename OvEvaluateBase<T>::Arguments OvEvaluateBase<T>::ReadArguments()
{
    Expect(kOvTokenOpenParen);
    Arguments arguments;
    for (;;) {
        arguments.push_back(ParseSum());
        if (fToken == kOvTokenCloseParen) break;
        Expect(kOvTokenSeparator);
    }
    NextToken();
    return arguments;
}

// ---- Values the base cannot read ------------------------------------------------------

template <class T>
T OvEvaluateBase<T>::CallFunction(const OvString&, std::span<const T>)
{
    OV_RAISE(kOvUndefProc, "OvUndefProc");
}

template <class T>
T OvEvaluateBase<T>::ReadNumber()
{
    OV_RAISE(kOvUndefProc, "OvUndefProc");
}

template <class T>
T OvEvaluateBase<T>::ReadBracket()
{
    OV_RAISE(kOvUndefProc, "OvUndefProc");
}

template <class T>
T OvEvaluateBase<T>::TokenToNumber()
{
    return T(fTokenText.ToDouble());
}

#define OV_INSTANTIATE_PARSER(T)                                                              \
    template OvEvaluateBase<T>::DepthGuard::DepthGuard(OvEvaluateBase<T>&);                  \
    template void OvEvaluateBase<T>::Expect(int32_t);                                       \
    template void OvEvaluateBase<T>::ClearVariables();                                      \
    template void OvEvaluateBase<T>::SetVariable(const OvString&, const T&);                \
    template T OvEvaluateBase<T>::GetVariable(const OvString&);                             \
    template T OvEvaluateBase<T>::Run();                                                    \
    template T OvEvaluateBase<T>::SetProgramAndRun(const OvString&);                        \
    template T OvEvaluateBase<T>::DefaultValue();                                           \
    template T OvEvaluateBase<T>::ParseSum();                                               \
    template T OvEvaluateBase<T>::ParseProduct();                                           \
    template T OvEvaluateBase<T>::ParsePower();                                             \
    template T OvEvaluateBase<T>::ParsePrimary();                                           \
    template typename OvEvaluateBase<T>::Arguments OvEvaluateBase<T>::ReadArguments();      \
    template T OvEvaluateBase<T>::CallFunction(const OvString&, std::span<const T>);        \
    template T OvEvaluateBase<T>::ReadNumber();                                             \
    template T OvEvaluateBase<T>::ReadBracket();                                            \
    template T OvEvaluateBase<T>::TokenToNumber();

OV_INSTANTIATE_PARSER(double)
OV_INSTANTIATE_PARSER(OvMatrix)
