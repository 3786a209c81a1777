#pragma once
// A calibration transform made of a function of (r, g, b) on 0..255, for tests; it keeps
// the inputs it was evaluated on.
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "OvMath/OvColorType.h"
#include "OvMath/OvTrafo.h"

class OvFunctionTrafo : public OvTrafo {
public:
    using Rgb = std::array<double, 3>;
    explicit OvFunctionTrafo(std::function<Rgb(const Rgb&)> function) : fFunction(std::move(function)) {}
    OV_DESTROY_SLOT(OvFunctionTrafo)
    uint32_t OutputColorType() const override { return kOvColorRGB; }
    void EvaluateVector(OvVector& inOut) override
    {
        const Rgb in = {inOut.Get(0), inOut.Get(1), inOut.Get(2)};
        inputs.push_back(in);
        const Rgb out = fFunction(in);
        for (int c = 0; c < 3; ++c) inOut.Ref(c) = out[static_cast<size_t>(c)];
    }

    std::vector<Rgb> inputs;

private:
    std::function<Rgb(const Rgb&)> fFunction;
};

inline OvFunctionTrafo::Rgb OvIdentityRgb(const OvFunctionTrafo::Rgb& in) { return in; }
