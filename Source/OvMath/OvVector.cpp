#define OV_SOURCE_FILE "Source/OvMath/OvVector"
#include "OvMath/OvVector.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "OvCore/OvError.h"

// ---- Construction -------------------------------------------------------------------------

OvVector::OvVector(int32_t dim, uint32_t type) : fType(type)
{
    SetDim(dim);
}

OvVector::OvVector(int32_t dim, uint32_t type, double v0, double v1, double v2, double v3) : OvVector(dim, type)
{
    const double given[kInlineCount] = {v0, v1, v2, v3};
    std::copy_n(given, std::min(dim, kInlineCount), Values());
}

OvVector::OvVector(int32_t dim, uint32_t type, const double* values) : OvVector(dim, type)
{
    if (values) std::copy_n(values, dim, Values());
}

OvVector::OvVector(const OvVectorData& other)
{
    AssignFrom(other);
}

OvVector::OvVector(const OvVector& other)
    : OvVectorData(), fBuffer(other.fBuffer), fType(other.fType), fDim(other.fDim)
{
    if (fBuffer) ++fBuffer->refCount;
    std::copy_n(other.fInline, kInlineCount, fInline);
}

OvVector::OvVector(OvVector&& other) noexcept
    : OvVectorData(), fBuffer(std::exchange(other.fBuffer, nullptr)), fType(other.fType),
      fDim(std::exchange(other.fDim, 0))
{
    std::copy_n(other.fInline, kInlineCount, fInline);
}

OvVector& OvVector::operator=(const OvVector& other)
{
    if (this == &other) return *this;
    if (other.fBuffer) ++other.fBuffer->refCount;
    OvReleaseVectorBuffer(fBuffer);
    fBuffer = other.fBuffer;
    fType = other.fType;
    fDim = other.fDim;
    std::copy_n(other.fInline, kInlineCount, fInline);
    return *this;
}

OvVector& OvVector::operator=(OvVector&& other) noexcept
{
    if (this == &other) return *this;
    OvReleaseVectorBuffer(fBuffer);
    fBuffer = std::exchange(other.fBuffer, nullptr);
    fType = other.fType;
    fDim = std::exchange(other.fDim, 0);
    std::copy_n(other.fInline, kInlineCount, fInline);
    return *this;
}

OvVector::~OvVector()
{
    OvReleaseVectorBuffer(fBuffer);
}

void OvVector::AssignFrom(const OvVectorData& other)
{
    if (this == &other) return;
    SetDim(other.GetDim());
    SetType(other.GetType());
    double* values = WritableValues();
    for (int32_t i = 0; i < fDim; ++i) values[i] = other.Get(i);
}

// ---- Storage ------------------------------------------------------------------------------

const double* OvVector::Values() const
{
    if (fDim <= kInlineCount) return fInline;
    if (!fBuffer) OV_RAISE(kOvBufferError, "OvBufferError");
    return fBuffer->Values();
}

double* OvVector::Values()
{
    return const_cast<double*>(std::as_const(*this).Values());
}

double* OvVector::WritableValues()
{
    MakePrivate();
    return Values();
}

void OvVector::MakePrivate()
{
    if (!fBuffer || fBuffer->refCount < 2) return;
    OvVectorBuffer* copy = OvAcquireVectorBuffer(fBuffer->count);
    std::copy_n(fBuffer->Values(), fBuffer->count, copy->Values());
    --fBuffer->refCount;
    fBuffer = copy;
}

void OvVector::SetDim(int32_t dim)
{
    if (dim == fDim) return;
    if (dim < 0) OV_RAISE(kOvArgErr, "OvArgErr");
    const int32_t kept = std::min(fDim, dim);
    if (dim > kInlineCount) {
        OvVectorBuffer* fresh = OvAcquireVectorBuffer(dim);
        std::copy_n(Values(), kept, fresh->Values());
        std::fill(fresh->Values() + kept, fresh->Values() + dim, 0.0);
        OvReleaseVectorBuffer(fBuffer);
        fBuffer = fresh;
    } else {
        if (fBuffer) {
            std::copy_n(fBuffer->Values(), kept, fInline);
            OvReleaseVectorBuffer(fBuffer);
            fBuffer = nullptr;
        }
        std::fill(fInline + kept, fInline + kInlineCount, 0.0);
    }
    fDim = dim;
}

void OvVector::SetType(uint32_t type)
{
    if (type == fType) return;
    MakePrivate();
    fType = type;
}

// ---- Elements -----------------------------------------------------------------------------

void OvVector::CheckIndex(int32_t index) const
{
    if (index < 0 || index >= fDim) OV_RAISE(kOvIndexError, "OvIndexError");
}

double OvVector::Get(int32_t index) const
{
    CheckIndex(index);
    return Values()[index];
}

double& OvVector::Ref(int32_t index)
{
    CheckIndex(index);
    return WritableValues()[index];
}

bool OvVector::ResolveRange(int32_t first, int32_t last, int32_t& from, int32_t& to) const
{
    if (fDim == 0 && first < 0 && last < 0) return false;
    from = std::max(first, 0);
    to = last < 0 ? fDim - 1 : last;
    if (from >= fDim || from > to || to >= fDim) OV_RAISE(kOvIndexError, "OvIndexError");
    return true;
}

std::span<const double> OvVector::NonEmptyRange(int32_t first, int32_t last) const
{
    if (fDim == 0) OV_RAISE(kOvDimMismatch, "OvDimMismatch");
    int32_t from = 0;
    int32_t to = 0;
    ResolveRange(first, last, from, to);
    return {Values() + from, static_cast<size_t>(to - from + 1)};
}

void OvVector::Fill(double value, int32_t first, int32_t last)
{
    int32_t from = 0;
    int32_t to = 0;
    if (!ResolveRange(first, last, from, to)) return;
    double* values = WritableValues();
    std::fill(values + from, values + to + 1, value);
}

void OvVector::Clamp(double min, double max, int32_t first, int32_t last)
{
    int32_t from = 0;
    int32_t to = 0;
    if (!ResolveRange(first, last, from, to)) return;
    double* values = WritableValues();
    for (int32_t i = from; i <= to; ++i) {
        if (values[i] < min) {
            values[i] = min;
        } else if (values[i] > max) {
            values[i] = max;
        }
    }
}

double OvVector::Min(int32_t first, int32_t last) const
{
    return std::ranges::min(NonEmptyRange(first, last));
}

double OvVector::Max(int32_t first, int32_t last) const
{
    return std::ranges::max(NonEmptyRange(first, last));
}

double OvVector::MaxAbs(int32_t first, int32_t last) const
{
    // max_element returns the first of equal largest elements.
    const std::span<const double> range = NonEmptyRange(first, last);
    return *std::ranges::max_element(range, [](double a, double b) { return std::fabs(a) < std::fabs(b); });
}

// ---- Arithmetic ---------------------------------------------------------------------------

void OvVector::AddScalar(double value)
{
    if (value == 0.0) return;
    double* values = WritableValues();
    for (int32_t i = 0; i < fDim; ++i) values[i] += value;
}

void OvVector::SubScalar(double value)
{
    if (value == 0.0) return;
    double* values = WritableValues();
    for (int32_t i = 0; i < fDim; ++i) values[i] -= value;
}

void OvVector::MulScalar(double factor)
{
    if (factor == 1.0) return;
    double* values = WritableValues();
    for (int32_t i = 0; i < fDim; ++i) values[i] *= factor;
}

void OvVector::AddVector(const OvVectorData& other)
{
    if (other.GetDim() != fDim) OV_RAISE(kOvDimMismatch, "OvDimMismatch");
    double* values = WritableValues();
    for (int32_t i = 0; i < fDim; ++i) values[i] += other.Get(i);
}

double OvVector::Dot(const OvVector& a, const OvVector& b)
{
    if (a.fDim != b.fDim) OV_RAISE(kOvDimMismatch, "OvDimMismatch");
    const double* x = a.Values();
    const double* y = b.Values();
    double sum = 0.0;
    for (int32_t i = 0; i < a.fDim; ++i) sum += x[i] * y[i];
    return sum;
}

OvVector OvVector::Divide(const OvVector& a, const OvVector& b, bool raiseOnZero)
{
    if (a.fDim != b.fDim) OV_RAISE(kOvDimMismatch, "OvDimMismatch");
    OvVector quotient(a);
    double* values = quotient.WritableValues();
    const double* divisors = b.Values();
    for (int32_t i = 0; i < a.fDim; ++i) {
        if (divisors[i] != 0.0) {
            values[i] /= divisors[i];
        } else if (raiseOnZero) {
            OV_RAISE(kOvDivZero, "OvDivZero");
        }
    }
    return quotient;
}
