#include <gtest/gtest.h>

#include <cmath>

#include "OvMath/OvVector.h"
#include "OvSystem/OvSystemTestSupport.h"

namespace {

std::vector<double> Elements(const OvVector& vector)
{
    std::vector<double> elements;
    for (int32_t i = 0; i < vector.GetDim(); ++i) elements.push_back(vector[i]);
    return elements;
}

OvVector Ramp(int32_t dim)
{
    OvVector vector(dim, 0);
    for (int32_t i = 0; i < dim; ++i) vector.Ref(i) = i + 1;
    return vector;
}

}  // namespace

TEST(OvVector, ConstructionTakesUpToFourValuesAndZeroesTheRest)
{
    const OvVector three(3, kOvColorRGB, 1.0, 2.0, 3.0, 9.0);
    EXPECT_EQ(Elements(three), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(three.GetType(), kOvColorRGB);
    EXPECT_EQ(three.ShareCount(), 0);

    const OvVector six(6, 0, 1.0, 2.0, 3.0, 4.0);
    EXPECT_EQ(Elements(six), (std::vector<double>{1, 2, 3, 4, 0, 0}));
    EXPECT_EQ(six.ShareCount(), 1);

    const double values[] = {5, 6, 7, 8, 9};
    EXPECT_EQ(Elements(OvVector(5, 0, values)), (std::vector<double>{5, 6, 7, 8, 9}));
    EXPECT_OV_ERROR(OvVector(-1, 0), 3, "OvArgErr");

    // From the abstract interface: type, dimension and elements.
    OvVector copy(static_cast<const OvVectorData&>(six));
    EXPECT_EQ(Elements(copy), Elements(six));
    EXPECT_EQ(copy.ShareCount(), 1);
    copy.AssignFrom(three);
    EXPECT_EQ(Elements(copy), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(copy.GetType(), kOvColorRGB);
}

TEST(OvVector, CopiesShareTheBufferUntilOneChanges)
{
    OvVector original = Ramp(10);
    OvVector copy(original);
    OvVector assigned;
    assigned = original;
    EXPECT_EQ(original.ShareCount(), 3);

    copy.Ref(0) = 100;
    EXPECT_EQ(original[0], 1);
    EXPECT_EQ(copy[0], 100);
    EXPECT_EQ(original.ShareCount(), 2);
    EXPECT_EQ(copy.ShareCount(), 1);

    // Operations that change nothing keep the buffer shared; a type change does not.
    assigned.AddScalar(0.0);
    assigned.SubScalar(0.0);
    assigned.MulScalar(1.0);
    assigned.SetType(0);
    EXPECT_EQ(original.ShareCount(), 2);
    assigned.SetType(kOvColorRGB);
    EXPECT_EQ(original.ShareCount(), 1);
    EXPECT_EQ(original.GetType(), 0u);

    const OvVector& same = assigned;
    assigned = same;
    EXPECT_EQ(assigned.ShareCount(), 1);
    OvVector moved(std::move(assigned));
    EXPECT_EQ(assigned.GetDim(), 0);  // a moved-from vector is empty
    EXPECT_EQ(Elements(moved), Elements(original));
}

TEST(OvVector, SetDimMovesElementsBetweenInlineAndHeapStorage)
{
    OvVector vector(3, kOvColorRGB, 1.0, 2.0, 3.0);
    vector.SetDim(6);
    EXPECT_EQ(Elements(vector), (std::vector<double>{1, 2, 3, 0, 0, 0}));
    EXPECT_EQ(vector.ShareCount(), 1);

    vector.Ref(5) = 6;
    const OvVector shared(vector);
    vector.SetDim(2);
    EXPECT_EQ(Elements(vector), (std::vector<double>{1, 2}));
    EXPECT_EQ(vector.ShareCount(), 0);
    EXPECT_EQ(Elements(shared), (std::vector<double>{1, 2, 3, 0, 0, 6}));
    EXPECT_EQ(shared.ShareCount(), 1);

    // Growing again must not bring back old elements.
    vector.SetDim(4);
    EXPECT_EQ(Elements(vector), (std::vector<double>{1, 2, 0, 0}));
    vector.SetDim(0);
    vector.SetDim(5);
    EXPECT_EQ(Elements(vector), (std::vector<double>{0, 0, 0, 0, 0}));
    EXPECT_EQ(vector.GetType(), kOvColorRGB);
    EXPECT_OV_ERROR(vector.SetDim(-2), 3, "OvArgErr");
    EXPECT_EQ(vector.GetDim(), 5);
}

TEST(OvVector, IndicesOutsideTheVectorRaise)
{
    OvVector three(3, 0);
    EXPECT_OV_ERROR(three.Get(3), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Get(-1), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Ref(3), 7, "OvIndexError");
    EXPECT_OV_ERROR(OvVector(7, 0).Get(7), 7, "OvIndexError");

    EXPECT_OV_ERROR(three.Fill(1.0, 3, -1), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Fill(1.0, 2, 1), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Fill(1.0, 0, 3), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Max(0, 5), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Clamp(0.0, 1.0, 4, 4), 7, "OvIndexError");
}

TEST(OvVector, FillAndClampWorkOnIndexRanges)
{
    OvVector vector = Ramp(6);
    vector.Fill(0.5, -7, 1);
    EXPECT_EQ(Elements(vector), (std::vector<double>{0.5, 0.5, 3, 4, 5, 6}));
    vector.Fill(9.0, 4, -1);
    EXPECT_EQ(Elements(vector), (std::vector<double>{0.5, 0.5, 3, 4, 9, 9}));
    vector.Fill(-2.0, 3, 3);
    EXPECT_EQ(Elements(vector), (std::vector<double>{0.5, 0.5, 3, -2, 9, 9}));

    vector.Clamp(0.0, 1.0, -1, -1);
    EXPECT_EQ(Elements(vector), (std::vector<double>{0.5, 0.5, 1, 0, 1, 1}));
    OvVector partly = Ramp(4);
    partly.Clamp(2.0, 2.5, 2, -1);
    EXPECT_EQ(Elements(partly), (std::vector<double>{1, 2, 2.5, 2.5}));

    OvVector empty;
    empty.Fill(1.0, -1, -1);
    empty.Clamp(0.0, 1.0, -1, -1);
    EXPECT_EQ(empty.GetDim(), 0);
    EXPECT_OV_ERROR(empty.Fill(1.0, 0, -1), 7, "OvIndexError");
}

TEST(OvVector, MinMaxAndMaxAbsFindTheFirstExtreme)
{
    const double values[] = {3, -7, 7, -1, 0.5, 7};
    const OvVector vector(6, 0, values);
    EXPECT_EQ(vector.Min(), -7);
    EXPECT_EQ(vector.Max(), 7);
    EXPECT_EQ(vector.MaxAbs(), -7);  // ties keep the first, with its sign
    EXPECT_EQ(vector.Min(2, 4), -1);
    EXPECT_EQ(vector.Max(3, 4), 0.5);
    EXPECT_EQ(vector.MaxAbs(2), 7);

    const OvVector empty;
    EXPECT_OV_ERROR(empty.Min(), 23, "DimMismatch");
    EXPECT_OV_ERROR(empty.MaxAbs(), 23, "DimMismatch");
}

TEST(OvVector, ArithmeticKeepsCopiesApartAndChecksDimensions)
{
    OvVector a = Ramp(5);
    const OvVector before(a);
    a.AddScalar(1.0);
    a.SubScalar(0.5);
    a.MulScalar(2.0);
    EXPECT_EQ(Elements(a), (std::vector<double>{3, 5, 7, 9, 11}));
    EXPECT_EQ(Elements(before), (std::vector<double>{1, 2, 3, 4, 5}));

    a.AddVector(before);
    EXPECT_EQ(Elements(a), (std::vector<double>{4, 7, 10, 13, 16}));
    a.AddVector(a);
    EXPECT_EQ(Elements(a), (std::vector<double>{8, 14, 20, 26, 32}));
    EXPECT_EQ(OvVector::Dot(before, Ramp(5)), 55.0);

    const OvVector three(3, kOvColorRGB, 1.0, 2.0, 3.0);
    EXPECT_OV_ERROR(a.AddVector(three), 23, "DimMismatch");
    EXPECT_OV_ERROR(OvVector::Dot(a, three), 23, "DimMismatch");
    EXPECT_OV_ERROR(OvVector::Divide(a, three), 23, "DimMismatch");
}

TEST(OvVector, DivideKeepsOrRaisesOnZeroDivisors)
{
    const OvVector a(3, kOvColorRGB, 6.0, 8.0, 5.0);
    const OvVector b(3, 0, 2.0, 0.0, -5.0);
    const OvVector quotient = OvVector::Divide(a, b, false);
    EXPECT_EQ(Elements(quotient), (std::vector<double>{3, 8, -1}));
    EXPECT_EQ(quotient.GetType(), kOvColorRGB);
    EXPECT_OV_ERROR(OvVector::Divide(a, b), 22, "DivZero");
}
