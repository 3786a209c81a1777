#pragma once
// The framework's numeric vector: a list of doubles with a colour type (OvColorType.h).
//
// Up to four elements live inside the object; from five on they live in a heap buffer
// (reference count, element count, then the doubles: 8 n + 8 bytes) that copies share and
// that is copied only when a shared vector is changed. Buffer reference counts are plain
// integers: a vector and its copies belong to one thread at a time. Released buffers are
// recycled through a process-wide cache of ten, which any thread may use.
//
// Calibration transforms of the host evaluate our vectors, so the slot order is fixed
// (index from 0):
//   OvVectorData: 0 destructor slot (OvDestroy), 1 AssignFrom, 2 GetDim, 3 SetDim, 4 Get,
//                 5 Ref, 6 GetType, 7 SetType
//   OvVector:     8 Fill, 9 AddScalar, 10 SubScalar, 11 MulScalar, 12 AddVector, 13 Min,
//                 14 Max, 15 MaxAbs, 16 Clamp, 17 ReadText, 18 WriteText
//
// Index ranges (Fill, Min, Max, MaxAbs, Clamp): a first below 0 counts as 0, a last below 0
// means the last element; a first at or past the dimension, a first after last or a last
// past the last element raises "OvIndexError". On an empty vector with both negative,
// Fill and Clamp do nothing.
#include <cstdint>
#include <span>

#include "OvCore/OvObject.h"
#include "OvMath/OvColorType.h"
#include "OvMath/OvVectorBuffer.h"

class OvStream;

// Anything that can be read and written like a vector.
class OvVectorData {
public:
    virtual OvVectorData* OvDestroy(uint8_t flags) = 0;
    virtual void AssignFrom(const OvVectorData& other) = 0;
    virtual int32_t GetDim() const = 0;
    virtual void SetDim(int32_t dim) = 0;
    virtual double Get(int32_t index) const = 0;
    virtual double& Ref(int32_t index) = 0;  // writable element
    virtual uint32_t GetType() const = 0;
    virtual void SetType(uint32_t type) = 0;

protected:
    OvVectorData() = default;
    OvVectorData(const OvVectorData&) = default;
    OvVectorData& operator=(const OvVectorData&) = default;
    ~OvVectorData() = default;
};

class OvVector : public OvVectorData {
public:
    static constexpr int32_t kInlineCount = 4;
    // The largest dimension ReadText accepts, so that a damaged file cannot ask for
    // gigabytes.
    static constexpr int32_t kMaxTextDim = 1 << 24;

    OvVector() = default;
    // A negative dimension raises "OvArgErr", a failed allocation "OvBufferError".
    OvVector(int32_t dim, uint32_t type);  // all elements 0
    // Elements 0 to 3 take the values as far as dim reaches; the rest are 0.
    OvVector(int32_t dim, uint32_t type, double v0, double v1 = 0.0, double v2 = 0.0, double v3 = 0.0);
    OvVector(int32_t dim, uint32_t type, const double* values);  // null: all 0
    explicit OvVector(const OvVectorData& other);
    OvVector(const OvVector& other);  // shares the buffer
    OvVector(OvVector&& other) noexcept;
    OvVector& operator=(const OvVector& other);
    OvVector& operator=(OvVector&& other) noexcept;  // leaves other empty
    ~OvVector();

    OV_DESTROY_SLOT(OvVector)

    void AssignFrom(const OvVectorData& other) override;
    int32_t GetDim() const override { return fDim; }
    // Keeps the first min(old, new) elements, adds zeros; "OvArgErr" below 0.
    void SetDim(int32_t dim) override;
    double Get(int32_t index) const override;  // "OvIndexError" outside 0..dim-1
    double& Ref(int32_t index) override;       // makes the buffer private first
    uint32_t GetType() const override { return fType; }
    void SetType(uint32_t type) override;

    virtual void Fill(double value, int32_t first = -1, int32_t last = -1);
    // Adding or subtracting 0 and multiplying by 1 leave a shared buffer shared.
    virtual void AddScalar(double value);
    virtual void SubScalar(double value);
    virtual void MulScalar(double factor);
    virtual void AddVector(const OvVectorData& other);  // "OvDimMismatch" on other sizes
    // The first smallest, largest or (keeping its sign) absolutely largest element;
    // "OvDimMismatch" on an empty vector.
    virtual double Min(int32_t first = -1, int32_t last = -1) const;
    virtual double Max(int32_t first = -1, int32_t last = -1) const;
    virtual double MaxAbs(int32_t first = -1, int32_t last = -1) const;
    virtual void Clamp(double min, double max, int32_t first = -1, int32_t last = -1);

    // Reads the text form below through a buffered OvXStream. Lines whose first word
    // starts with '#' are skipped; keywords are matched ignoring ASCII case. A dimension
    // missing, below 1 or above kMaxTextDim raises "OvArgErr", more values than the
    // dimension "OvIndexError"; missing values are 0. On an error the vector is unchanged.
    virtual void ReadText(OvStream& stream);
    // "DIM %2d\n", "TYPE %ld\n", "BEGIN_DATA\n", each element with format ("%f" when
    // null) and a tab, "\nEND_DATA\n"; each piece is one Write of the stream. format takes
    // exactly one double.
    virtual void WriteText(OvStream& stream, const char* format = nullptr) const;

    double operator[](int32_t index) const { return Get(index); }
    // Vectors sharing the heap buffer (0 without one); for tests.
    int32_t ShareCount() const { return fBuffer ? fBuffer->refCount : 0; }

    static double Dot(const OvVector& a, const OvVector& b);
    // a[i] / b[i] with the type of a; where b[i] is 0 the element keeps a[i], or, with
    // raiseOnZero, "OvDivZero" is raised.
    static OvVector Divide(const OvVector& a, const OvVector& b, bool raiseOnZero = true);

private:
    const double* Values() const;
    double* Values();
    double* WritableValues();  // makes the buffer private first
    void MakePrivate();
    void CheckIndex(int32_t index) const;
    bool ResolveRange(int32_t first, int32_t last, int32_t& from, int32_t& to) const;
    // The values from first to last as ResolveRange takes them; raises OvDimMismatch for
    // an empty vector.
    std::span<const double> NonEmptyRange(int32_t first, int32_t last) const;

    OvVectorBuffer* fBuffer = nullptr;
    uint32_t fType = 0;
    int32_t fDim = 0;
    double fInline[kInlineCount] = {};
};
