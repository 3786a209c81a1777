#define OV_SOURCE_FILE "Source/OvMath/OvCurveLinearization"
#include "OvMath/OvCurveLinearization.h"

#include <cmath>

#include "OvCore/OvError.h"

namespace {

// CIE L*a*b* constants: (6/29)^3 as a luminance, 6/29 and 4/29 in the cube-root domain,
// and the slopes of the linear pieces near black.
constexpr double kLuminanceBreak = 0.008856451679;
constexpr double kCubeRootBreak = 0.20689655172413793;  // 6/29
constexpr double kCubeRootOffset = 0.13793103448275862;  // 4/29
constexpr double kLinearSlope = 0.12841854934601665;     // 3 (6/29)^2
constexpr double kInverseLinearSlope = 7.787037037037037;

// sRGB constants.
constexpr double kSrgbDecodeBreak = 0.03928;
constexpr double kSrgbEncodeBreak = 0.00304;
constexpr double kSrgbLinearSlope = 12.92;
constexpr double kSrgbOffset = 0.055;
constexpr double kSrgbGamma = 2.4;

double LightnessToLuminance(double x)
{
    const double f = (100.0 * x + 16.0) / 116.0;
    return f > kCubeRootBreak ? f * f * f : (f - kCubeRootOffset) * kLinearSlope;
}

double LuminanceToLightness(double x)
{
    if (x > kLuminanceBreak) return (116.0 * std::cbrt(x) - 16.0) / 100.0;
    return ((x * kInverseLinearSlope + kCubeRootOffset) * 116.0 - 16.0) / 100.0;
}

double SrgbDecode(double x)
{
    if (x <= kSrgbDecodeBreak) return x / kSrgbLinearSlope;
    return std::pow((x + kSrgbOffset) / (1.0 + kSrgbOffset), kSrgbGamma);
}

double SrgbEncode(double x)
{
    if (x <= kSrgbEncodeBreak) return kSrgbLinearSlope * x;
    return (1.0 + kSrgbOffset) * std::pow(x, 1.0 / kSrgbGamma) - kSrgbOffset;
}

}  // namespace

void OvCurveLinearization::SetExponent(double parameter)
{
    if (parameter == 0.0) {
        fKind = Kind::kLightnessToLuminance;
    } else if (parameter < 0.0) {
        // Compared as a double, so that no parameter overflows an integer.
        const double kind = std::trunc(parameter - 0.5);
        fKind = kind >= -5.0 && kind <= -2.0 ? static_cast<Kind>(static_cast<int32_t>(kind)) : Kind::kUnsupported;
    } else {
        fKind = Kind::kPower;
        fExponent = parameter;
    }
}

double OvCurveLinearization::Evaluate(double x) const
{
    switch (fKind) {
    case Kind::kPower:
        return EvaluatePower(x);
    case Kind::kLightnessToLuminance:
        return LightnessToLuminance(x);
    case Kind::kLuminanceToLightness:
        return LuminanceToLightness(x);
    case Kind::kSrgbDecode:
        return SrgbDecode(x);
    case Kind::kSrgbEncode:
        return SrgbEncode(x);
    case Kind::kUnsupported:
        break;
    }
    OV_RAISE(kOvArgErr, "OvArgErr");
}

double OvCurveLinearization::EvaluatePower(double x) const
{
    if (!(fExponent > 0.0)) OV_RAISE(kOvArgErr, "OvArgErr");
    if (fExponent == 1.0) return x;
    if (fExponent == 2.0) return x * std::fabs(x);
    return std::copysign(std::pow(std::fabs(x), fExponent), x);
}
