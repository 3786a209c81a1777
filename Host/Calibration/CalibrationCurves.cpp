#include "Calibration/CalibrationCurves.h"

#include <algorithm>
#include <utility>

namespace {
constexpr double kByteScale = 255.0;
}  // namespace

double EvaluateCurve(const ToneCurve& curve, double input)
{
    if (curve.empty()) return input;
    if (input <= curve.front().input) return curve.front().output;
    if (input >= curve.back().input) return curve.back().output;
    const auto after = std::upper_bound(curve.begin(), curve.end(), input,
                                        [](double x, const CurveKnot& knot) { return x < knot.input; });
    const CurveKnot& high = *after;
    const CurveKnot& low = *(after - 1);
    const double t = (input - low.input) / (high.input - low.input);
    return low.output + t * (high.output - low.output);
}

RgbFunction CurvesOnByteScale(CalibrationCurves curves)
{
    return [curves = std::move(curves)](const Rgb& in) {
        Rgb out{};
        for (size_t c = 0; c < out.size(); ++c) out[c] = kByteScale * EvaluateCurve(curves.channels[c], in[c] / kByteScale);
        return out;
    };
}

ToneCurve EvenlySpaced(const std::vector<double>& outputs)
{
    ToneCurve curve;
    const double last = outputs.size() > 1 ? static_cast<double>(outputs.size() - 1) : 1.0;
    for (size_t k = 0; k < outputs.size(); ++k) curve.push_back({static_cast<double>(k) / last, outputs[k]});
    return curve;
}
