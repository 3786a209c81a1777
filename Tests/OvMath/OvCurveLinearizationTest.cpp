#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "OvMath/OvCurveLinearization.h"
#include "OvSystem/OvSystemTestSupport.h"

namespace {

double Curve(double parameter, double x)
{
    return OvCurveLinearization(parameter).Evaluate(x);
}

}  // namespace

TEST(OvCurveLinearization, PowerCurvesKeepTheSignOfX)
{
    EXPECT_EQ(OvCurveLinearization().Evaluate(0.3), 0.3);
    EXPECT_EQ(Curve(1.0, -0.7), -0.7);
    EXPECT_EQ(Curve(2.0, 0.5), 0.25);
    EXPECT_EQ(Curve(2.0, -0.5), -0.25);
    EXPECT_DOUBLE_EQ(Curve(0.5, -0.25), -0.5);
    EXPECT_DOUBLE_EQ(Curve(2.2, 128.0 / 255.0), 55.97752810909131 / 255.0);
    EXPECT_EQ(Curve(2.2, 0.0), 0.0);
    EXPECT_EQ(Curve(2.2, 1.0), 1.0);
    EXPECT_OV_ERROR(Curve(std::numeric_limits<double>::quiet_NaN(), 0.5), 3, "OvArgErr");
}

TEST(OvCurveLinearization, LightnessCurvesMeetAtTheirBreakpoints)
{
    // Kind -2 (also p = 0): L*/100 to luminance; the pieces meet at L* = 8, (6/29)^3.
    for (const double p : {0.0, -2.0, -1.6, -2.4}) {
        EXPECT_NEAR(Curve(p, 0.0), 0.0, 1e-16) << p;
        EXPECT_DOUBLE_EQ(Curve(p, 0.08), 216.0 / 24389.0) << p;
        EXPECT_DOUBLE_EQ(Curve(p, 0.5), 0.18418651851244416) << p;
        EXPECT_DOUBLE_EQ(Curve(p, 1.0), 1.0) << p;
    }
    // Kind -3 (from p = -2.5 on): the inverse.
    for (const double p : {-3.0, -2.5}) {
        EXPECT_NEAR(Curve(p, 0.0), 0.0, 1e-15) << p;
        // The breakpoint is (6/29)^3 to ten digits, so the linear piece lands just short of 0.08.
        EXPECT_NEAR(Curve(p, 0.008856451679), 0.08, 1e-11) << p;
        EXPECT_DOUBLE_EQ(Curve(p, 0.001), 0.00903296296296297) << p;
        EXPECT_DOUBLE_EQ(Curve(p, 0.18418651851244416), 0.5) << p;
        EXPECT_DOUBLE_EQ(Curve(p, 1.0), 1.0) << p;
    }
}

TEST(OvCurveLinearization, SrgbCurvesSwitchAtTheirBreakpoints)
{
    EXPECT_DOUBLE_EQ(Curve(-4.0, 0.03928), 0.03928 / 12.92);
    EXPECT_DOUBLE_EQ(Curve(-4.0, 0.0393), std::pow(0.0943 / 1.055, 2.4));
    EXPECT_DOUBLE_EQ(Curve(-4.0, 0.5), 0.21404114048223255);
    EXPECT_DOUBLE_EQ(Curve(-4.0, 1.0), 1.0);

    EXPECT_DOUBLE_EQ(Curve(-5.0, 0.00304), 0.0392768);
    EXPECT_DOUBLE_EQ(Curve(-5.4, 0.00305), 1.055 * std::pow(0.00305, 1 / 2.4) - 0.055);
    EXPECT_DOUBLE_EQ(Curve(-5.0, 0.5), 0.7353569830524495);
    EXPECT_DOUBLE_EQ(Curve(-5.0, 1.0), 1.0);
}

TEST(OvCurveLinearization, OtherKindsRaiseWhenEvaluated)
{
    for (const double p : {-0.2, -1.0, -1.4, -5.6, -6.0, -1e300}) {
        const OvCurveLinearization curve(p);
        EXPECT_OV_ERROR(curve.Evaluate(0.5), 3, "OvArgErr");
    }
    // Setting a supported parameter again repairs the curve.
    OvCurveLinearization curve(-1.0);
    curve.SetExponent(3.0);
    EXPECT_DOUBLE_EQ(curve.Evaluate(0.5), 0.125);
}
