#pragma once
// A calibration transform made of one tone curve per channel of an RGB colour. The curves
// work on 0..1 and the transform on the 0..255 scale of 'RGB ', so each component is
// divided by 255, passed through its channel's curve and multiplied by 255.
#include <cstdint>

#include "OvMath/OvCurveLinearization.h"
#include "OvMath/OvTrafo.h"

class OvColorLinearization : public OvTrafo {
public:
    static constexpr int32_t kChannels = 3;
    static constexpr double kFullScale = 255.0;

    OvColorLinearization() = default;  // identity curves
    ~OvColorLinearization() = default;

    OV_DESTROY_SLOT(OvColorLinearization)
    OV_DECLARE_CAST()

    uint32_t OutputColorType() const override;
    // The vector must have three components ("OvDimMismatch" otherwise); it leaves with the
    // type 'RGB '.
    void EvaluateVector(OvVector& inOut) override;

    // "OvIndexError" for a channel outside 0..2.
    void SetCurve(int32_t channel, const OvCurveLinearization& curve);

private:
    OvCurveLinearization fCurves[kChannels];
};
