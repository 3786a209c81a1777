// SetWhitePoint: the PA series takes the white as CIE x and y in thousandths, the
// 10-to-10-bit displays as the currents of their red, green and blue LEDs.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include <algorithm>
#include <array>

#include "OvColor/OvRGBToYxy.h"
#include "OvCore/OvError.h"
#include "OvDevices/OvCalibrationLists.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvVCPIds.h"
#include "OvDevices/OvVendorLists.h"
#include "OvTools/OvDebug.h"

namespace {
// The chromaticities the PA series accepts, in thousandths.
constexpr int32_t kMinWhiteX = 250;
constexpr int32_t kMaxWhiteX = 480;
constexpr int32_t kMinWhiteY = 250;
constexpr int32_t kMaxWhiteY = 430;
constexpr double kFullScale = 255.0;
constexpr uint32_t kUseReferenceWhite = 1;
}  // namespace

void OvROVUvidedImpl::SetWhitePoint(double r, double g, double b)
{
    const uint32_t id = GetVendorProductID();
    // The white-point list holds both families; the LED-current displays are the
    // 10-to-10-bit ones.
    if (OvIdListContains(kOv10To10BitPath, id)) {
        SetLEDWhitePoint(r, g, b);
    } else if (OvIdListContains(kOvWhitePointIds, id)) {
        SetPAWhitePoint(r, g, b);
    } else {
        OV_RAISE(kOvUndefProc, "OvUndefProc");
    }
}

void OvROVUvidedImpl::SetPAWhitePoint(double r, double g, double b)
{
    SetBrightness(std::max({r, g, b}));
    const OvVector yxy = OvRGBToYxy(OvVector(3, kOvColorRGB, r * kFullScale, g * kFullScale, b * kFullScale));
    const int32_t x = std::clamp(static_cast<int32_t>(yxy[1]), kMinWhiteX, kMaxWhiteX);
    const int32_t y = std::clamp(static_cast<int32_t>(yxy[2]), kMinWhiteY, kMaxWhiteY);
    DebugPrintf(kOvChannelVCP, "VCP_1052_PA_WHITE_POINT_CIE_x_VALUE: %d", x);
    SetPagedVCP(kVcpWhitePointXPa, static_cast<uint32_t>(x), kWhitePointDelayMs, true);
    DebugPrintf(kOvChannelVCP, "VCP_1053_PA_WHITE_POINT_CIE_y_VALUE: %d", y);
    SetPagedVCP(kVcpWhitePointYPa, static_cast<uint32_t>(y), kWhitePointDelayMs, true);
}

void OvROVUvidedImpl::SetLEDWhitePoint(double r, double g, double b)
{
    SetFeature(kVcpInternalCalibrationOff, kInternalCalibrationDisabled, kNoDelayMs);
    SetRedGain(1.0);
    SetGreenGain(1.0);
    SetBlueGain(1.0);
    struct LedCurrent {
        uint16_t vcpId;
        double fraction;
        uint32_t delayMs;
    };
    // The display settles once, after the last of the three.
    const std::array<LedCurrent, 3> currents = {{{kVcpLedCurrentRed, r, kNoDelayMs},
                                                 {kVcpLedCurrentGreen, g, kNoDelayMs},
                                                 {kVcpLedCurrentBlue, b, kLedCurrentBlueDelayMs}}};
    for (const LedCurrent& led : currents) {
        uint32_t current = 0;
        uint32_t maximum = 0;
        GetFeature(led.vcpId, &current, &maximum);
        SetFeature(led.vcpId, LevelValue(maximum, led.fraction), led.delayMs);
    }
    SetFeature(kVcpReferenceWhite, kUseReferenceWhite, kNoDelayMs);
    SetFeature(kVcpInternalCalibrationOff, kInternalCalibrationEnabled, kInternalCalibrationOnDelayMs);
}
