// SetWhitePoint against emulated displays: CIE x and y on the PA series, LED currents on
// the 10-to-10-bit displays, and no white point elsewhere.
#include <algorithm>

#include "OvEmulatedBusFixture.h"

namespace {

using DeviceWhitePointTest = EmulatedBusTest;

// Settle waits and the waits after writes, without the transport's 50 ms steps.
Waits LongWaits(const Waits& waits)
{
    Waits longWaits;
    std::ranges::copy_if(waits, std::back_inserter(longWaits), [](uint32_t ms) { return ms >= 100; });
    return longWaits;
}

TEST_F(DeviceWhitePointTest, PASeriesTakesBrightnessAndClampedChromaticity)
{
    auto device = ConnectTo("PA271W");
    struct Case {
        double r, g, b;
        uint16_t brightness;  // of 100: the largest component
        double x, y;          // thousandths, by the published sRGB to XYZ matrix
    };
    const Case cases[] = {
        {1.0, 0.5, 0.1, 100, 538.4, 401.98},   // very warm: x clamped
        {0.05, 0.1, 0.5, 50, 161.2, 86.2},     // deep blue: both clamped from below
        {0.3, 0.8, 0.3, 80, 303.3, 529.4},     // green: y clamped
        {0.6, 0.5, 0.4, 60, 373.9, 371.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << " " << c.g << " " << c.b);
        ForgetTraffic();
        device->SetWhitePoint(c.r, c.g, c.b);
        const auto x = static_cast<uint16_t>(std::clamp(static_cast<int>(c.x), 250, 480));
        const auto y = static_cast<uint16_t>(std::clamp(static_cast<int>(c.y), 250, 430));
        EXPECT_EQ(PagedWrites(*display), (VcpWrites{{0x0010, c.brightness}, {0x1052, x}, {0x1053, y}}));
        EXPECT_EQ(LongWaits(Sleeps()), (Waits{500, 4000, 4000}));
        EXPECT_EQ(LogLines("VCP_105"), (Lines{"VCP_1052_PA_WHITE_POINT_CIE_x_VALUE: " + std::to_string(x),
                                             "VCP_1053_PA_WHITE_POINT_CIE_y_VALUE: " + std::to_string(y)}));
    }
}

TEST_F(DeviceWhitePointTest, LEDDisplaysSetTheirCurrentsBetweenInternalCalibrationOffAndOn)
{
    auto device = ConnectTo("SV241C");
    SetVendorProductID(*device, 0xA338668D);
    for (const uint16_t gain : {0x0016, 0x0018, 0x001A}) display->Vcps().Define(gain, 100, 255);
    for (const uint16_t led : {0x027E, 0x027F, 0x0280}) display->Vcps().Define(led, 0, 200);
    display->Vcps().Define(0x02C7, 0, 1);
    display->Vcps().Define(0x02A3, 0, 2);
    device->SetWhitePoint(0.9, 0.75, 0.333);
    // The LED currents are trunc(200 * component): 180, 150 and 66.
    EXPECT_EQ(PagedWrites(*display), (VcpWrites{{0x02A3, 2}, {0x0016, 255}, {0x0018, 255}, {0x001A, 255}, {0x027E, 180},
                                                {0x027F, 150}, {0x0280, 66}, {0x02C7, 1}, {0x02A3, 1}}));
    EXPECT_EQ(LongWaits(Sleeps()), (Waits{1000, 1000, 1000, 1000, 1000, 1000, 3000, 500}));
}

TEST_F(DeviceWhitePointTest, OtherDisplaysHaveNoWhitePoint)
{
    auto device = ConnectTo("V193A");
    EXPECT_OV_ERROR(device->SetWhitePoint(1.0, 1.0, 1.0), kOvUndefProc, "OvUndefProc");
    EXPECT_TRUE(Requests(*display).empty());
}

}  // namespace
