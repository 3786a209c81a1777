#pragma once
// A dense matrix of doubles, row by row, as the formula language's matrix evaluator uses
// it: a number is a 1 x 1 matrix, and a matrix always has at least one element.
//
// Sizes are limited to kMaxElements so that a formula cannot ask for gigabytes or for
// products that take minutes; a larger result raises "OvBufferError". Mismatched sizes
// raise "OvDimMismatch", an inversion whose pivot falls below the tolerance
// "OvSingularMatrixErr".
#include <cstdint>
#include <vector>

#include "OvCore/OvString.h"

class OvMatrix {
public:
    static constexpr int32_t kMaxElements = 4096;

    OvMatrix() : OvMatrix(0.0) {}
    OvMatrix(double value);  // 1 x 1; implicit, as numbers are matrices
    OvMatrix(int32_t rows, int32_t columns);  // all 0

    int32_t Rows() const { return fRows; }
    int32_t Columns() const { return fColumns; }
    int32_t Count() const { return fRows * fColumns; }
    bool IsScalar() const { return Count() == 1; }

    // Row by row; no range checks beyond Count().
    double operator[](int32_t index) const { return fValues[static_cast<size_t>(index)]; }
    double& operator[](int32_t index) { return fValues[static_cast<size_t>(index)]; }
    double At(int32_t row, int32_t column) const { return (*this)[row * fColumns + column]; }
    double& At(int32_t row, int32_t column) { return (*this)[row * fColumns + column]; }

    OvMatrix Transposed() const;
    OvMatrix Inverse(double tolerance) const;  // square only
    static OvMatrix Product(const OvMatrix& a, const OvMatrix& b);

    // "[", " %g" per element, " ]".
    OvString ToText() const;

private:
    void SwapRows(int32_t a, int32_t b);

    int32_t fRows = 1;
    int32_t fColumns = 1;
    std::vector<double> fValues;
};
