#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "OvCore/OvTemplates.h"
#include "OvMath/OvColorLinearization.h"
#include "OvSystem/OvSystemTestSupport.h"

namespace {

OvVector Grey(double level)
{
    return OvVector(3, kOvColorRGB, level, level, level);
}

}  // namespace

TEST(OvColorLinearization, AnswersAsACalibrationTransform)
{
    const OvRef<OvTrafo> trafo = OvRef<OvTrafo>::Adopt(new OvColorLinearization);
    EXPECT_EQ(trafo->InterfaceVersion(), 1);
    EXPECT_EQ(trafo->OutputColorType(), OvFourCC("RGB "));
    EXPECT_EQ(trafo->Cast("OvTrafo"), trafo.Get());
    EXPECT_NE(trafo->Cast("OvColorLinearization"), nullptr);
    EXPECT_STREQ(trafo->ClassName(), "OvColorLinearization");
    EXPECT_EQ(trafo->Parameters().GetDim(), 0);
}

TEST(OvColorLinearization, GammaCurvesWorkOnTheFullScale)
{
    OvColorLinearization linear;
    linear.SetCurve(0, OvCurveLinearization(1.0));
    for (const double level : {0.0, 1.0, 128.0, 255.0}) {
        OvVector grey = Grey(level);
        linear.EvaluateVector(grey);
        EXPECT_EQ(grey[0], level);
        EXPECT_DOUBLE_EQ(grey[1], level);
        EXPECT_DOUBLE_EQ(grey[2], level);
    }

    OvColorLinearization gamma;
    for (int32_t c = 0; c < 3; ++c) gamma.SetCurve(c, OvCurveLinearization(2.2));
    OvVector grey = Grey(128.0);
    grey.SetType(0);
    gamma.EvaluateVector(grey);
    for (int32_t c = 0; c < 3; ++c) EXPECT_DOUBLE_EQ(grey[c], 255.0 * std::pow(128.0 / 255.0, 2.2));
    EXPECT_DOUBLE_EQ(grey[0], 55.97752810909131);
    EXPECT_EQ(grey.GetType(), kOvColorRGB);

    // One curve per channel: red stays, green squares, blue decodes sRGB.
    OvColorLinearization mixed;
    mixed.SetCurve(1, OvCurveLinearization(2.0));
    mixed.SetCurve(2, OvCurveLinearization(-4.0));
    OvVector half = Grey(127.5);
    mixed.EvaluateVector(half);
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
    grey.SetType(0);
    EXPECT_OV_ERROR(linearization.EvaluateVector(grey), 3, "OvArgErr");
    EXPECT_EQ(grey[0], 100.0);
    EXPECT_EQ(grey.GetType(), 0u);
}
