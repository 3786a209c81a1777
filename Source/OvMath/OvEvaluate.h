#pragma once
// The formula language: a program is a text of statements (assignments and expressions
// over named variables, with built-in functions) separated by "," ";" CR or LF; running it
// leaves its results in the variables and returns the value of the last statement.
//
// OvEvaluateBase<T> holds the language over a value type T. Evaluation happens while
// parsing, so every Run tokenizes and parses the text afresh and no syntax tree is kept.
// Precedence, lowest first: "+" "-" "==" "<" ">" (one level, left to right); "*" "/";
// "^" (right to left); then primaries: numbers, variables, calls, "(" ")", "[" literals
// and the prefix signs "+" "-" "!" "~", which bind tighter than "^" (-2^2 is 4).
// "#" starts a comment up to and including the next CR or LF, so that line end does not
// separate statements. The text ends at its end or at its first NUL.
//
// Errors: a character the tokenizer does not know, a statement not followed by a
// separator, a missing "(" or ")" and a token that cannot start a primary raise
// "OvFormatErr" (code 19); so does nesting deeper than kMaxDepth. Reading a variable never
// assigned raises code 21 named "Undefined: " and the name; an unknown function or a wrong
// argument count raises "OvUndefProc".
//
// Virtual slots (index from 0), the same on every compiler:
//   0 destructor slot (OvDestroy), 1 SetProgram, 2 Run, 3 SetProgramAndRun,
//   4 ClearVariables, 5 SetVariable, 6 GetVariable, 7 ContainsToken, 8 NextToken,
//   9 ParseSum, 10 ParseProduct, 11 ParsePower, 12 ParsePrimary, 13 CallFunction,
//   14 ReadNumber, 15 ReadBracket, 16 CurrentChar, 17 NextChar, 18 DefaultValue,
//   19 TokenToNumber, 20 ReadWord, 21 ReadArguments
// An evaluator belongs to one thread at a time.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "OvCore/OvObject.h"
#include "OvCore/OvString.h"
#include "OvMath/OvMatrix.h"

// Token types; ContainsToken takes them.
enum OvEvaluateToken : int32_t {
    kOvTokenNone = -1,
    kOvTokenEnd = 0,
    kOvTokenSeparator = 1,  // "," ";" CR LF
    kOvTokenIdentifier = 2,
    kOvTokenNumber = 3,
    kOvTokenOpenBracket = 4,
    kOvTokenCloseBracket = 5,
    kOvTokenOpenParen = 6,
    kOvTokenCloseParen = 7,
    kOvTokenAssign = 8,
    kOvTokenAddAssign = 9,
    kOvTokenSubAssign = 10,
    kOvTokenMulAssign = 11,
    kOvTokenDivAssign = 12,
    kOvTokenPlus = 13,
    kOvTokenMinus = 14,
    kOvTokenTimes = 15,
    kOvTokenDivide = 16,
    kOvTokenPower = 17,
    kOvTokenEqual = 18,
    kOvTokenLess = 19,
    kOvTokenGreater = 20,
    kOvTokenNot = 21,
    kOvTokenTilde = 22,
};

template <class T>
class OvEvaluateBase {
public:
    using Arguments = std::vector<T>;
    // Parser functions nested deeper than this raise "OvFormatErr", before the stack runs
    // out; each level of parentheses, prefix signs or "^" takes about two.
    static constexpr int32_t kMaxDepth = 400;

    virtual OvEvaluateBase* OvDestroy(uint8_t flags) = 0;
    virtual void SetProgram(const OvString& text);  // 16-bit text is taken as UTF-8
    virtual T Run();
    virtual T SetProgramAndRun(const OvString& text);
    virtual void ClearVariables();
    virtual void SetVariable(const OvString& name, const T& value);
    virtual T GetVariable(const OvString& name);
    // Reads the whole program from the start: true at the first token of this type (and,
    // for identifiers and numbers, this text).
    virtual bool ContainsToken(int32_t type, const OvString& text);
    virtual void NextToken();
    virtual T ParseSum();
    virtual T ParseProduct();
    virtual T ParsePower();
    virtual T ParsePrimary();
    // Operators come here too, by their texts ("+", "-", "==", ...).
    virtual T CallFunction(const OvString& name, std::span<const T> arguments);
    virtual T ReadNumber();
    virtual T ReadBracket();
    virtual char CurrentChar();  // 0 past the end
    virtual char NextChar();
    virtual T DefaultValue();
    virtual T TokenToNumber();
    virtual OvString ReadWord();
    virtual Arguments ReadArguments();

    int32_t Token() const { return fToken; }
    const OvString& TokenText() const { return fTokenText; }

protected:
    OvEvaluateBase() = default;
    OvEvaluateBase(const OvEvaluateBase&) = default;
    OvEvaluateBase& operator=(const OvEvaluateBase&) = default;
    ~OvEvaluateBase() = default;

    // Counts the nesting of the parser functions for as long as it lives.
    class DepthGuard {
    public:
        explicit DepthGuard(OvEvaluateBase& owner);
        ~DepthGuard() { --fOwner.fDepth; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        OvEvaluateBase& fOwner;
    };

    // Raises "OvFormatErr" unless the current token has this type, then reads the next.
    void Expect(int32_t type);

private:
    T ParseAssignment(const OvString& name, int32_t assignToken);
    T ParsePrefix(int32_t signToken);
    int32_t FindVariable(const OvString& name) const;
    void SkipBlanksAndComments();
    int32_t SymbolToken();  // the token of an operator or bracket at the position

    OvString fProgram;
    int32_t fPosition = 0;
    int32_t fToken = kOvTokenEnd;
    OvString fTokenText;
    std::vector<OvString> fNames;  // in order of first assignment
    std::vector<T> fValues;
    int32_t fDepth = 0;
};

// The text of an operator token for CallFunction ("+" for both "+" and "+="); empty for
// other tokens.
const OvString& OvOperatorName(int32_t token);

// Values are doubles. "[" raises "OvUndefProc". Division by zero and "!" of zero give a
// quiet NaN.
class OvEvaluateDouble : public OvEvaluateBase<double> {
public:
    // The process-wide generator of "rnd" starts from this state at the first function
    // call of any scalar evaluator.
    static constexpr uint32_t kRandomSeed = 123456789;

    OvEvaluateDouble() = default;
    ~OvEvaluateDouble() = default;
    OV_DESTROY_SLOT(OvEvaluateDouble)

    double CallFunction(const OvString& name, std::span<const double> arguments) override;
    double ReadNumber() override;

    // Restarts the "rnd" sequence from state (1 to 2147483646).
    static void SeedRandom(uint32_t state);
};

// The scalar function table (names, argument counts and results), shared with the matrix
// evaluator; "OvUndefProc" for a name or count it lacks.
double OvEvaluateDoubleFunction(const OvString& name, std::span<const double> arguments);

// Values are matrices (OvMatrix); a number is a 1 x 1 matrix. A "[" literal lists its
// elements row by row: elements are primaries written one after the other, a separator
// starts the next row (empty rows are skipped), "]" ends it; every row has as many
// elements as the first. An element that is not 1 x 1 raises "OvWrongDataType", a short
// or long row or an empty literal "OvFormatErr".
//
// Functions: on 1 x 1 values everything the scalar evaluator does. Otherwise "*" is the
// matrix product, or a scale when one side is 1 x 1; "/" divides by a 1 x 1 divisor, or
// multiplies on the right by the inverse of the divisor (tolerance 1e-6); "inv" and "!"
// invert, "trans" and "~" transpose; "min" "max" "sum" "avg" "norm" take all elements of
// all arguments; every other function works element by element, a 1 x 1 argument standing
// for each element ("OvDimMismatch" for other differing sizes).
class OvEvaluateMatrix : public OvEvaluateBase<OvMatrix> {
public:
    static constexpr double kInverseTolerance = 1e-6;

    OvEvaluateMatrix() = default;
    ~OvEvaluateMatrix() = default;
    OV_DESTROY_SLOT(OvEvaluateMatrix)

    OvMatrix CallFunction(const OvString& name, std::span<const OvMatrix> arguments) override;
    OvMatrix ReadNumber() override;
    OvMatrix ReadBracket() override;

private:
    // The elements of one row up to a separator or "]"; appends them to elements.
    int32_t ReadRow(std::vector<double>& elements);
};

// Owns an evaluator through its destructor slot.
struct OvEvaluatorDeleter {
    template <class T>
    void operator()(OvEvaluateBase<T>* evaluator) const
    {
        evaluator->OvDestroy(1);
    }
};
template <class Evaluator>
using OvEvaluatorPtr = std::unique_ptr<Evaluator, OvEvaluatorDeleter>;
