#define OV_SOURCE_FILE "Source/OvColor/OvRGBToYxy"
#include "OvColor/OvRGBToYxy.h"

#include <array>

#include "OvCore/OvError.h"
#include "OvMath/OvCurveLinearization.h"

namespace {

struct Chromaticity {
    double x;
    double y;
    constexpr double z() const { return 1.0 - x - y; }
};

constexpr std::array<Chromaticity, 3> kPrimaries = {{{0.640, 0.330}, {0.300, 0.600}, {0.150, 0.060}}};
constexpr Chromaticity kWhite = {0.3127, 0.3290};
constexpr double kThousandths = 1000.0;
constexpr double kFullScale = 255.0;
constexpr double kSrgbDecoding = -4.0;  // the sRGB decoding curve (OvCurveLinearization)

using Column = std::array<double, 3>;

constexpr double Determinant(const Column& a, const Column& b, const Column& c)
{
    return a[0] * (b[1] * c[2] - b[2] * c[1]) - b[0] * (a[1] * c[2] - a[2] * c[1]) + c[0] * (a[1] * b[2] - a[2] * b[1]);
}

// Each primary's X + Y + Z at full drive: the amounts of the primaries' chromaticities
// (x, y, z) that add up to the white's XYZ with Y = 1, solved by Cramer's rule.
constexpr std::array<double, 3> PrimaryStrengths()
{
    std::array<Column, 3> columns{};
    for (size_t i = 0; i < 3; ++i) columns[i] = {kPrimaries[i].x, kPrimaries[i].y, kPrimaries[i].z()};
    const Column white = {kWhite.x / kWhite.y, 1.0, kWhite.z() / kWhite.y};
    const double det = Determinant(columns[0], columns[1], columns[2]);
    return {Determinant(white, columns[1], columns[2]) / det, Determinant(columns[0], white, columns[2]) / det,
            Determinant(columns[0], columns[1], white) / det};
}

constexpr std::array<double, 3> kStrengths = PrimaryStrengths();

}  // namespace

OvVector OvRGBToYxy(const OvVector& rgb)
{
    if (rgb.GetType() != kOvColorRGB) OV_RAISE(kOvWrongDataType, "OvWrongDataType");
    if (rgb.GetDim() != 3) OV_RAISE(kOvDimMismatch, "OvDimMismatch");
    const OvCurveLinearization decode(kSrgbDecoding);
    std::array<double, 3> weights{};  // each primary's share of X + Y + Z
    double luminance = 0.0;
    double total = 0.0;
    for (int32_t i = 0; i < 3; ++i) {
        const size_t p = static_cast<size_t>(i);
        weights[p] = kStrengths[p] * decode.Evaluate(rgb[i] / kFullScale);
        luminance += weights[p] * kPrimaries[p].y;
        total += weights[p];
    }
    const bool grey = rgb[0] == rgb[1] && rgb[1] == rgb[2];
    if (grey || !(total > 0.0)) return OvVector(3, kOvColorYxy, luminance, kWhite.x * kThousandths, kWhite.y * kThousandths);
    // Shares rather than sums over the total: a pure primary gives its own x and y exactly.
    double x = 0.0;
    double y = 0.0;
    for (size_t p = 0; p < 3; ++p) {
        x += weights[p] / total * kPrimaries[p].x;
        y += weights[p] / total * kPrimaries[p].y;
    }
    return OvVector(3, kOvColorYxy, luminance, x * kThousandths, y * kThousandths);
}
