// The matrix evaluator: "[" literals and the matrix meaning of the function table.
#define OV_SOURCE_FILE "Source/OvMath/OvEvaluateMatrix"
#include <array>
#include <cstring>
#include <vector>

#include "OvCore/OvError.h"
#include "OvMath/OvEvaluate.h"

namespace {

using Matrices = std::span<const OvMatrix>;

bool NameIs(const OvString& name, const char* text)
{
    return std::strcmp(name.Chars(), text) == 0;
}

bool AllScalars(Matrices arguments)
{
    for (const OvMatrix& argument : arguments)
        if (!argument.IsScalar()) return false;
    return true;
}

bool IsListFunction(const OvString& name)
{
    for (const char* list : {"min", "max", "sum", "avg", "norm"})
        if (NameIs(name, list)) return true;
    return false;
}

// The size all arguments share, 1 x 1 arguments standing for any size.
OvMatrix CommonShape(Matrices arguments)
{
    const OvMatrix* shape = &arguments[0];
    for (const OvMatrix& argument : arguments) {
        if (argument.IsScalar()) continue;
        if (shape->IsScalar()) shape = &argument;
        if (argument.Rows() != shape->Rows() || argument.Columns() != shape->Columns()) {
            OV_RAISE(kOvDimMismatch, "OvDimMismatch");
        }
    }
    return OvMatrix(shape->Rows(), shape->Columns());
}

// The scalar function applied element by element.
OvMatrix ElementWise(const OvString& name, Matrices arguments)
{
    OvMatrix result = CommonShape(arguments);
    std::vector<double> scalars(arguments.size());
    for (int32_t i = 0; i < result.Count(); ++i) {
        for (size_t a = 0; a < arguments.size(); ++a) scalars[a] = arguments[a][arguments[a].IsScalar() ? 0 : i];
        result[i] = OvEvaluateDoubleFunction(name, scalars);
    }
    return result;
}

// The scalar function over every element of every argument.
OvMatrix OverAllElements(const OvString& name, Matrices arguments)
{
    std::vector<double> elements;
    for (const OvMatrix& argument : arguments)
        for (int32_t i = 0; i < argument.Count(); ++i) elements.push_back(argument[i]);
    return OvEvaluateDoubleFunction(name, elements);
}

std::vector<double> Scalars(Matrices arguments)
{
    std::vector<double> scalars;
    for (const OvMatrix& argument : arguments) scalars.push_back(argument[0]);
    return scalars;
}

// a times the inverse of b, a scalar a scaling it.
OvMatrix Quotient(const OvMatrix& a, const OvMatrix& b)
{
    const OvMatrix inverse = b.Inverse(OvEvaluateMatrix::kInverseTolerance);
    if (!a.IsScalar()) return OvMatrix::Product(a, inverse);
    const std::array<OvMatrix, 2> factors = {a, inverse};
    return ElementWise(OvOperatorName(kOvTokenTimes), factors);
}

}  // namespace

// "inv" and "trans" are matrix operations on any size; "!" and "~" only on larger
// matrices, where the scalar meanings (reciprocal, unchanged value) would not fit.
OvMatrix OvEvaluateMatrix::CallFunction(const OvString& name, Matrices arguments)
{
    if (arguments.empty()) OV_RAISE(kOvUndefProc, "OvUndefProc");
    const bool one = arguments.size() == 1;
    const bool two = arguments.size() == 2;
    if (one && NameIs(name, "inv")) return arguments[0].Inverse(kInverseTolerance);
    if (one && NameIs(name, "trans")) return arguments[0].Transposed();
    if (AllScalars(arguments)) return OvEvaluateDoubleFunction(name, Scalars(arguments));
    if (one && NameIs(name, "!")) return arguments[0].Inverse(kInverseTolerance);
    if (one && NameIs(name, "~")) return arguments[0].Transposed();
    if (two && NameIs(name, "*") && !arguments[0].IsScalar() && !arguments[1].IsScalar()) {
        return OvMatrix::Product(arguments[0], arguments[1]);
    }
    if (two && NameIs(name, "/") && !arguments[1].IsScalar()) return Quotient(arguments[0], arguments[1]);
    if (IsListFunction(name)) return OverAllElements(name, arguments);
    return ElementWise(name, arguments);
}

OvMatrix OvEvaluateMatrix::ReadNumber()
{
    return TokenToNumber();
}

// The current token is "["; reads up to and including "]".
OvMatrix OvEvaluateMatrix::ReadBracket()
{
    const DepthGuard guard(*this);
    NextToken();
    std::vector<double> elements;
    int32_t columns = 0;
    int32_t rows = 0;
    while (Token() != kOvTokenCloseBracket) {
        const int32_t count = ReadRow(elements);
        if (count == 0) continue;
        if (rows > 0 && count != columns) OV_RAISE(kOvFormatErr, "OvFormatErr");
        columns = count;
        ++rows;
    }
    NextToken();
    if (rows == 0) OV_RAISE(kOvFormatErr, "OvFormatErr");
    OvMatrix matrix(rows, columns);
    for (int32_t i = 0; i < matrix.Count(); ++i) matrix[i] = elements[static_cast<size_t>(i)];
    return matrix;
}

// Elements up to "]" or a separator, which it reads past; the end of text raises.
int32_t OvEvaluateMatrix::ReadRow(std::vector<double>& elements)
{
    int32_t count = 0;
    for (;;) {
        if (Token() == kOvTokenCloseBracket) return count;
        if (Token() == kOvTokenSeparator) {
            NextToken();
            return count;
        }
        if (Token() == kOvTokenEnd) OV_RAISE(kOvFormatErr, "OvFormatErr");
        const OvMatrix element = ParsePrimary();
        if (!element.IsScalar()) OV_RAISE(kOvWrongDataType, "OvWrongDataType");
        if (elements.size() >= static_cast<size_t>(OvMatrix::kMaxElements)) OV_RAISE(kOvBufferError, "OvBufferError");
        elements.push_back(element[0]);
        ++count;
    }
}
