#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "OvCore/OvTemplates.h"
#include "OvMath/OvColorLinearization.h"
#include "OvMath/OvCurveLinearization.h"
#include "Support/OvTestSupport.h"

namespace {

double Curve(double parameter, double x) { return OvCurveLinearization(parameter).Evaluate(x); }

// A grey of no colour type.
OvVector Grey(double level) { return OvVector(3, 0, level, level, level); }

}  // namespace

// Every build rounds each intermediate to a double: x87 code would keep 1 + 2^-53 in an
// 80-bit register and end at 1 + 2^-52, and tables truncated from such sums would differ
// by an entry between the 32-bit and the 64-bit builds.
TEST(OvNumbers, EachIntermediateIsRoundedToADouble)
{
    volatile double one = 1.0;
    volatile double halfUlp = 0x1p-53;
    EXPECT_EQ((one + halfUlp) + halfUlp, 1.0);
}

TEST(OvCurveLinearization, EachKindMatchesItsFormulaAtAndAroundItsBreakpoints)
{
    const struct { double parameter, x, y; } cases[] = {
        // Power curves keep the sign of x.
        {1.0, -0.7, -0.7}, {2.0, 0.5, 0.25}, {2.0, -0.5, -0.25}, {0.5, -0.25, -0.5},
        {2.2, 128.0 / 255.0, 55.97752810909131 / 255.0}, {2.2, 0.0, 0.0}, {2.2, 1.0, 1.0},
        // Kind -2 (also p = 0 and -1.6 to -2.4): L*/100 to luminance, meeting at L* = 8, (6/29)^3.
        {0.0, 0.08, 216.0 / 24389.0}, {-2.0, 0.5, 0.18418651851244416}, {-1.6, 1.0, 1.0}, {-2.4, 0.08, 216.0 / 24389.0},
        // Kind -3 (from p = -2.5 on): the inverse.
        {-3.0, 0.001, 0.00903296296296297}, {-2.5, 0.18418651851244416, 0.5}, {-3.0, 1.0, 1.0},
        // sRGB decoding (-4) and encoding (-5 and -5.4) on both sides of their breakpoints.
        {-4.0, 0.03928, 0.03928 / 12.92}, {-4.0, 0.0393, std::pow(0.0943 / 1.055, 2.4)},
        {-4.0, 0.5, 0.21404114048223255}, {-4.0, 1.0, 1.0}, {-5.0, 0.00304, 0.0392768},
        {-5.4, 0.00305, 1.055 * std::pow(0.00305, 1 / 2.4) - 0.055}, {-5.0, 0.5, 0.7353569830524495}, {-5.0, 1.0, 1.0}};
    for (const auto& [parameter, x, y] : cases) EXPECT_DOUBLE_EQ(Curve(parameter, x), y) << parameter << " at " << x;
    EXPECT_EQ(OvCurveLinearization().Evaluate(0.3), 0.3);
    EXPECT_NEAR(Curve(-2.0, 0.0), 0.0, 1e-16);
    EXPECT_NEAR(Curve(-3.0, 0.0), 0.0, 1e-15);
    // The breakpoint is (6/29)^3 to ten digits, so the linear piece lands just short of 0.08.
    EXPECT_NEAR(Curve(-2.5, 0.008856451679), 0.08, 1e-11);
}

TEST(OvCurveLinearization, OtherKindsRaiseWhenEvaluated)
{
    for (const double p : {-0.2, -1.0, -1.4, -5.6, -6.0, -1e300, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_OV_ERROR(Curve(p, 0.5), 3, "OvArgErr");
    }
    OvCurveLinearization curve(-1.0);
    curve.SetExponent(3.0);  // a supported parameter repairs the curve
    EXPECT_DOUBLE_EQ(curve.Evaluate(0.5), 0.125);
}

TEST(OvColorLinearization, AnswersAsACalibrationTransform)
{
    const OvRef<OvTrafo> trafo = OvRef<OvTrafo>::Adopt(new OvColorLinearization);
    EXPECT_EQ(trafo->InterfaceVersion(), 1);
    EXPECT_EQ(trafo->OutputColorType(), OvFourCC("RGB "));
    EXPECT_EQ(trafo->Cast("OvTrafo"), trafo.Get());
    EXPECT_NE(trafo->Cast("OvColorLinearization"), nullptr);
}

// One curve per channel on the full scale: red keeps the default identity, green squares
// and blue decodes sRGB; any input type comes out as RGB.
TEST(OvColorLinearization, EachChannelFollowsItsCurveOnTheFullScale)
{
    OvColorLinearization mixed;
    mixed.SetCurve(1, OvCurveLinearization(2.0));
    mixed.SetCurve(2, OvCurveLinearization(-4.0));
    OvVector half = Grey(127.5);
    mixed.EvaluateVector(half);
    EXPECT_EQ(half.GetType(), kOvColorRGB);
    EXPECT_DOUBLE_EQ(half[0], 127.5);
    EXPECT_DOUBLE_EQ(half[1], 63.75);
    EXPECT_DOUBLE_EQ(half[2], 255.0 * 0.21404114048223255);
}

TEST(OvColorLinearization, RejectsOtherSizesChannelsAndBrokenCurves)
{
    OvColorLinearization linearization;
    OvVector four(4, kOvColorRGB);
    EXPECT_OV_ERROR(linearization.EvaluateVector(four), 23, "DimMismatch");
    EXPECT_OV_ERROR(linearization.SetCurve(3, OvCurveLinearization()), 7, "OvIndexError");
    EXPECT_OV_ERROR(linearization.SetCurve(-1, OvCurveLinearization()), 7, "OvIndexError");

    // A curve that raises leaves the vector untouched.
    linearization.SetCurve(2, OvCurveLinearization(-1.0));
    OvVector grey = Grey(100.0);
    EXPECT_OV_ERROR(linearization.EvaluateVector(grey), 3, "OvArgErr");
    EXPECT_EQ(grey[0], 100.0);
    EXPECT_EQ(grey.GetType(), 0u);
}
