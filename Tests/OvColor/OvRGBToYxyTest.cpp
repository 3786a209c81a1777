// RGB to 'Yxy ' against the published sRGB values (IEC 61966-2-1): the primaries'
// chromaticities, their relative luminances (the middle row of the sRGB to XYZ matrix)
// and the D65 white.
#include <gtest/gtest.h>

#include <cmath>

#include "OvColor/OvRGBToYxy.h"
#include "OvCore/OvError.h"
#include "Support/OvTestSupport.h"

namespace {

TEST(RGBToYxyTest, PrimariesGreysAndBlackGiveThePublishedValues)
{
    // Luminance published to four places; x and y in thousandths, truncated.
    const struct { double r, g, b, luminance; int32_t x, y; } cases[] = {
        {255, 0, 0, 0.2126, 640, 330}, {0, 255, 0, 0.7152, 300, 600}, {0, 0, 255, 0.0722, 150, 60},
        {255, 255, 255, 1.0, 312, 329},
        // Linear light: mid-grey decodes to ((0.5 + 0.055) / 1.055)^2.4.
        {127.5, 127.5, 127.5, 0.2140, 312, 329},
        {0, 0, 0, 0.0, 312, 329},  // black takes the white's chromaticity
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << " " << c.g << " " << c.b);
        const OvVector yxy = OvRGBToYxy(OvVector(3, kOvColorRGB, c.r, c.g, c.b));
        EXPECT_EQ(yxy.GetType(), kOvColorYxy);
        EXPECT_NEAR(yxy[0], c.luminance, 5e-5);
        ASSERT_FALSE(std::isnan(yxy[1]) || std::isnan(yxy[2]));
        EXPECT_EQ(static_cast<int32_t>(yxy[1]), c.x);
        EXPECT_EQ(static_cast<int32_t>(yxy[2]), c.y);
    }
}

TEST(RGBToYxyTest, AMixtureLiesBetweenItsPrimariesAndOtherInputsAreRefused)
{
    // Red and green at full drive: x and y by the published matrix, X = 0.4124 + 0.3576,
    // Y = 0.2126 + 0.7152, Z = 0.0193 + 0.1192.
    const OvVector yellow = OvRGBToYxy(OvVector(3, kOvColorRGB, 255.0, 255.0, 0.0));
    const double sum = 0.77 + 0.9278 + 0.1385;
    EXPECT_NEAR(yellow[1], 770.0 / sum, 0.1);
    EXPECT_NEAR(yellow[2], 927.8 / sum, 0.1);
    EXPECT_OV_ERROR(OvRGBToYxy(OvVector(3, kOvColorXYZ, 1.0, 1.0, 1.0)), kOvWrongDataType, "WrongDataType");
    EXPECT_OV_ERROR(OvRGBToYxy(OvVector(4, kOvColorRGB, 1.0, 1.0, 1.0)), kOvDimMismatch, "DimMismatch");
}

}  // namespace
