#include "Soak/SoakTransform.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "OvMath/OvColorType.h"
#include "Soak/SoakRandom.h"

SoakTransformSpec SoakTransformSpec::Random(std::mt19937_64& random)
{
    SoakTransformSpec spec;
    const int32_t pick = Draw(random, 0, 99);
    spec.shape = pick < 20 ? SoakShape::kIdentity : pick < 80 ? SoakShape::kSmooth : SoakShape::kWild;
    for (size_t c = 0; c < 3; ++c) {
        spec.exponent[c] = DrawReal(random, 0.35, 3.0);
        spec.gain[c] = DrawReal(random, 0.75, 1.0);
        spec.offset[c] = DrawReal(random, 0.0, 12.0);
    }
    spec.wildSeed = random();
    return spec;
}

std::string SoakTransformSpec::Describe() const
{
    if (shape == SoakShape::kIdentity) return "identity";
    if (shape == SoakShape::kWild) return "wild";
    char text[160];
    std::snprintf(text, sizeof text, "power curves %.3f/%.3f/%.3f", exponent[0], exponent[1], exponent[2]);
    return text;
}

uint32_t SoakTransform::OutputColorType() const { return kOvColorRGB; }

void SoakTransform::EvaluateVector(OvVector& inOut)
{
    for (int32_t c = 0; c < 3; ++c) inOut.Ref(c) = Channel(c, inOut.Get(c));
}

double SoakTransform::Channel(int32_t c, double x) const
{
    const auto i = static_cast<size_t>(c);
    switch (fSpec.shape) {
    case SoakShape::kIdentity: return x;
    case SoakShape::kSmooth:
        return fSpec.offset[i] + fSpec.gain[i] * (255.0 - fSpec.offset[i]) * std::pow(std::clamp(x, 0.0, 255.0) / 255.0, fSpec.exponent[i]);
    case SoakShape::kWild: break;
    }
    // A value drawn from the input's bits: the same input always gives the same output.
    uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    std::mt19937_64 draw(fSpec.wildSeed ^ (bits * 0x9E3779B97F4A7C15u) ^ static_cast<uint64_t>(c));
    switch (draw() % 6) {
    case 0: return -DrawReal(draw, 0.0, 1000.0);
    case 1: return DrawReal(draw, 255.0, 70000.0);
    case 2: return (draw() & 1 ? 1.0 : -1.0) * 1e12;
    default: return DrawReal(draw, 0.0, 255.0);
    }
}
