#include <gtest/gtest.h>

#include <vector>

#include "OvMath/OvVector.h"
#include "Support/OvTestSupport.h"

namespace {

using Values = std::vector<double>;

Values Elements(const OvVector& vector)
{
    Values elements;
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

TEST(OvVector, ConstructionTakesUpToFourValuesAndKeepsUpToFourInline)
{
    const OvVector three(3, kOvColorRGB, 1.0, 2.0, 3.0, 9.0);
    EXPECT_EQ(Elements(three), (Values{1, 2, 3}));
    EXPECT_EQ(three.ShareCount(), 0);  // inline: no buffer
    const OvVector six(6, 0, 1.0, 2.0, 3.0, 4.0);
    EXPECT_EQ(Elements(six), (Values{1, 2, 3, 4, 0, 0}));
    const double values[] = {5, 6, 7, 8, 9};
    EXPECT_EQ(Elements(OvVector(5, 0, values)), (Values{5, 6, 7, 8, 9}));
    EXPECT_OV_ERROR(OvVector(-1, 0), 3, "OvArgErr");

    // From the abstract interface: type, dimension and elements.
    OvVector copy(static_cast<const OvVectorData&>(six));
    EXPECT_EQ(Elements(copy), Elements(six));
    copy.AssignFrom(three);
    EXPECT_EQ(Elements(copy), (Values{1, 2, 3}));
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

    const OvVector& same = copy;  // the only holder of its buffer assigned to itself
    copy = same;
    EXPECT_EQ(copy.ShareCount(), 1);
    EXPECT_EQ(copy[0], 100);
    OvVector moved(std::move(assigned));
    EXPECT_EQ(assigned.GetDim(), 0);  // a moved-from vector is empty
    EXPECT_EQ(Elements(moved), Elements(original));
}

TEST(OvVector, SetDimMovesElementsBetweenInlineAndHeapStorage)
{
    OvVector vector(3, kOvColorRGB, 1.0, 2.0, 3.0);
    vector.SetDim(6);
    vector.Ref(5) = 6;
    const OvVector shared(vector);
    vector.SetDim(2);  // back inline: lets go of the shared buffer
    EXPECT_EQ(Elements(vector), (Values{1, 2}));
    EXPECT_EQ(Elements(shared), (Values{1, 2, 3, 0, 0, 6}));
    EXPECT_EQ(shared.ShareCount(), 1);

    // Growing again must not bring back old elements.
    vector.SetDim(4);
    EXPECT_EQ(Elements(vector), (Values{1, 2, 0, 0}));
    vector.SetDim(0);
    vector.SetDim(5);
    EXPECT_EQ(Elements(vector), (Values{0, 0, 0, 0, 0}));
    EXPECT_EQ(vector.GetType(), kOvColorRGB);
    EXPECT_OV_ERROR(vector.SetDim(-2), 3, "OvArgErr");
    EXPECT_EQ(vector.GetDim(), 5);
}

TEST(OvVector, IndicesOutsideTheVectorOrItsRangeRaise)
{
    OvVector three(3, 0);
    EXPECT_OV_ERROR(three.Get(3), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Get(-1), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Ref(3), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Fill(1.0, 3, -1), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Fill(1.0, 2, 1), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Fill(1.0, 0, 3), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Max(0, 5), 7, "OvIndexError");
    EXPECT_OV_ERROR(three.Clamp(0.0, 1.0, 4, 4), 7, "OvIndexError");
    EXPECT_OV_ERROR(OvVector().Fill(1.0, 0, -1), 7, "OvIndexError");
    EXPECT_OV_ERROR(OvVector().Min(), 23, "DimMismatch");
    EXPECT_OV_ERROR(OvVector().MaxAbs(), 23, "DimMismatch");
}

TEST(OvVector, FillClampAndExtremesWorkOnIndexRanges)
{
    OvVector vector = Ramp(6);
    vector.Fill(0.5, -7, 1);
    vector.Fill(9.0, 4, -1);
    vector.Fill(-2.0, 3, 3);
    EXPECT_EQ(Elements(vector), (Values{0.5, 0.5, 3, -2, 9, 9}));
    vector.Clamp(0.0, 1.0, -1, -1);
    EXPECT_EQ(Elements(vector), (Values{0.5, 0.5, 1, 0, 1, 1}));
    OvVector partly = Ramp(4);
    partly.Clamp(2.0, 2.5, 2, -1);
    EXPECT_EQ(Elements(partly), (Values{1, 2, 2.5, 2.5}));
    OvVector empty;
    empty.Fill(1.0, -1, -1);
    empty.Clamp(0.0, 1.0, -1, -1);
    EXPECT_EQ(empty.GetDim(), 0);

    const double values[] = {3, -7, 7, -1, 0.5, 7};
    const OvVector extremes(6, 0, values);
    EXPECT_EQ((Values{extremes.Min(), extremes.Max(), extremes.MaxAbs()}), (Values{-7, 7, -7}));  // the first wins
    EXPECT_EQ((Values{extremes.Min(2, 4), extremes.Max(3, 4), extremes.MaxAbs(2)}), (Values{-1, 0.5, 7}));
}

TEST(OvVector, ArithmeticKeepsCopiesApartAndChecksDimensions)
{
    OvVector a = Ramp(5);
    const OvVector before(a);
    a.AddScalar(1.0);
    a.SubScalar(0.5);
    a.MulScalar(2.0);
    EXPECT_EQ(Elements(a), (Values{3, 5, 7, 9, 11}));
    EXPECT_EQ(Elements(before), (Values{1, 2, 3, 4, 5}));
    a.AddVector(before);
    a.AddVector(a);
    EXPECT_EQ(Elements(a), (Values{8, 14, 20, 26, 32}));
    EXPECT_EQ(OvVector::Dot(before, Ramp(5)), 55.0);

    const OvVector three(3, kOvColorRGB, 6.0, 8.0, 5.0);
    EXPECT_OV_ERROR(a.AddVector(three), 23, "DimMismatch");
    EXPECT_OV_ERROR(OvVector::Dot(a, three), 23, "DimMismatch");
    EXPECT_OV_ERROR(OvVector::Divide(a, three), 23, "DimMismatch");

    const OvVector divisors(3, 0, 2.0, 0.0, -5.0);
    const OvVector quotient = OvVector::Divide(three, divisors, false);  // a zero divisor keeps the element
    EXPECT_EQ(Elements(quotient), (Values{3, 8, -1}));
    EXPECT_EQ(quotient.GetType(), kOvColorRGB);
    EXPECT_OV_ERROR(OvVector::Divide(three, divisors), 22, "DivZero");
}
