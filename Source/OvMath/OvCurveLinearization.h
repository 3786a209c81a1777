#pragma once
// One tone curve y(x) on 0..1, chosen by one parameter p (the target curves of SetGamma
// and of the calibration paths):
//   p > 0  power curve y = |x|^p with the sign of x (p = 1: y = x; p = 2: y = x |x|)
//   p = 0  as p = -2
//   p < 0  the curve of kind trunc(p - 0.5):
//          -2  CIE lightness to luminance: x is L*/100
//          -3  luminance to CIE lightness (L*/100)
//          -4  sRGB decoding (encoded value to linear)
//          -5  sRGB encoding (linear to encoded value)
//          evaluating any other kind raises "OvArgErr".
// A power curve whose exponent is not positive (a NaN parameter) raises "OvArgErr" too.
#include <cstdint>

class OvCurveLinearization {
public:
    OvCurveLinearization() = default;  // the identity, y = x
    explicit OvCurveLinearization(double parameter) { SetExponent(parameter); }

    void SetExponent(double parameter);
    double Evaluate(double x) const;

private:
    enum class Kind : int32_t {
        kPower = 1,
        kUnsupported = 0,
        kLightnessToLuminance = -2,
        kLuminanceToLightness = -3,
        kSrgbDecode = -4,
        kSrgbEncode = -5,
    };

    double EvaluatePower(double x) const;

    Kind fKind = Kind::kPower;
    double fExponent = 1.0;
};
