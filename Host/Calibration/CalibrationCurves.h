#pragma once
// Per-channel calibration curves: red, green and blue, each from 0..1 to 0..1 as a list of
// knots rising in input, read between knots by straight lines.
#include <array>
#include <vector>

#include "Calibration/HostTransform.h"

struct CurveKnot {
    double input;
    double output;
};
using ToneCurve = std::vector<CurveKnot>;

struct CalibrationCurves {
    std::array<ToneCurve, 3> channels;
};

// The curve at input, interpolated linearly between the knots around it; inputs before
// the first knot or after the last take that knot's output. An empty curve is the identity.
double EvaluateCurve(const ToneCurve& curve, double input);

// The curves as the function of a calibration transform: 0..255 in and out.
RgbFunction CurvesOnByteScale(CalibrationCurves curves);

// n equally spaced knots of a tabulated curve: knot k at input k / (n - 1).
ToneCurve EvenlySpaced(const std::vector<double>& outputs);
