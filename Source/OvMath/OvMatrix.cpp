#define OV_SOURCE_FILE "Source/OvMath/OvMatrix"
#include "OvMath/OvMatrix.h"

#include <cmath>
#include <utility>

#include "OvCore/OvError.h"

OvMatrix::OvMatrix(double value) : fValues(1, value) {}

OvMatrix::OvMatrix(int32_t rows, int32_t columns)
{
    if (rows < 1 || columns < 1) OV_RAISE(kOvDimMismatch, "OvDimMismatch");
    if (static_cast<int64_t>(rows) * columns > kMaxElements) OV_RAISE(kOvBufferError, "OvBufferError");
    fRows = rows;
    fColumns = columns;
    fValues.assign(static_cast<size_t>(rows * columns), 0.0);
}

OvMatrix OvMatrix::Transposed() const
{
    OvMatrix result(fColumns, fRows);
    for (int32_t r = 0; r < fRows; ++r)
        for (int32_t c = 0; c < fColumns; ++c) result.At(c, r) = At(r, c);
    return result;
}

OvMatrix OvMatrix::Product(const OvMatrix& a, const OvMatrix& b)
{
    if (a.fColumns != b.fRows) OV_RAISE(kOvDimMismatch, "OvDimMismatch");
    OvMatrix result(a.fRows, b.fColumns);
    for (int32_t r = 0; r < a.fRows; ++r)
        for (int32_t k = 0; k < a.fColumns; ++k)
            for (int32_t c = 0; c < b.fColumns; ++c) result.At(r, c) += a.At(r, k) * b.At(k, c);
    return result;
}

// Gauss-Jordan elimination with partial pivoting on [this | identity].
OvMatrix OvMatrix::Inverse(double tolerance) const
{
    if (fRows != fColumns) OV_RAISE(kOvDimMismatch, "OvDimMismatch");
    OvMatrix work(*this);
    OvMatrix result(fRows, fRows);
    for (int32_t i = 0; i < fRows; ++i) result.At(i, i) = 1.0;
    for (int32_t column = 0; column < fRows; ++column) {
        int32_t pivot = column;
        for (int32_t r = column + 1; r < fRows; ++r)
            if (std::fabs(work.At(r, column)) > std::fabs(work.At(pivot, column))) pivot = r;
        if (std::fabs(work.At(pivot, column)) < tolerance) OV_RAISE(kOvSingularMatrixErr, "OvSingularMatrixErr");
        work.SwapRows(column, pivot);
        result.SwapRows(column, pivot);
        const double scale = 1.0 / work.At(column, column);
        for (int32_t c = 0; c < fRows; ++c) {
            work.At(column, c) *= scale;
            result.At(column, c) *= scale;
        }
        for (int32_t r = 0; r < fRows; ++r) {
            const double factor = work.At(r, column);
            if (r == column || factor == 0.0) continue;
            for (int32_t c = 0; c < fRows; ++c) {
                work.At(r, c) -= factor * work.At(column, c);
                result.At(r, c) -= factor * result.At(column, c);
            }
        }
    }
    return result;
}

void OvMatrix::SwapRows(int32_t a, int32_t b)
{
    if (a == b) return;
    for (int32_t c = 0; c < fColumns; ++c) std::swap(At(a, c), At(b, c));
}

OvString OvMatrix::ToText() const
{
    OvString text("[");
    for (double value : fValues) text.Append(OvString::Format(" %g", value));
    text.Append(" ]");
    return text;
}
