#pragma once
// The calibration transforms a soak round downloads: the identity, smooth monotone power
// curves per channel, or wild values (negative, far above full scale, huge) that are
// still a function of the input, so every evaluation of one input agrees.
#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "OvMath/OvTrafo.h"

enum class SoakShape { kIdentity, kSmooth, kWild };

struct SoakTransformSpec {
    SoakShape shape = SoakShape::kIdentity;
    std::array<double, 3> exponent{1, 1, 1};
    std::array<double, 3> gain{1, 1, 1};
    std::array<double, 3> offset{0, 0, 0};
    uint64_t wildSeed = 0;

    static SoakTransformSpec Random(std::mt19937_64& random);
    std::string Describe() const;
};

class SoakTransform : public OvTrafo {
public:
    explicit SoakTransform(const SoakTransformSpec& spec) : fSpec(spec) {}
    OV_DESTROY_SLOT(SoakTransform)
    uint32_t OutputColorType() const override;
    void EvaluateVector(OvVector& inOut) override;

private:
    double Channel(int32_t c, double x) const;

    SoakTransformSpec fSpec;
};
