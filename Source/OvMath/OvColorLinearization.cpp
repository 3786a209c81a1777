#define OV_SOURCE_FILE "Source/OvMath/OvColorLinearization"
#include "OvMath/OvColorLinearization.h"

#include "OvCore/OvError.h"
#include "OvMath/OvColorType.h"

OV_DEFINE_CAST(OvColorLinearization, OvTrafo)

uint32_t OvColorLinearization::OutputColorType() const
{
    return kOvColorRGB;
}

void OvColorLinearization::EvaluateVector(OvVector& inOut)
{
    if (inOut.GetDim() != kChannels) OV_RAISE(kOvDimMismatch, "OvDimMismatch");
    // All channels first, so that a curve that raises leaves the vector as it was.
    double out[kChannels];
    for (int32_t c = 0; c < kChannels; ++c) out[c] = fCurves[c].Evaluate(inOut.Get(c) / kFullScale) * kFullScale;
    for (int32_t c = 0; c < kChannels; ++c) inOut.Ref(c) = out[c];
    inOut.SetType(kOvColorRGB);
}

void OvColorLinearization::SetCurve(int32_t channel, const OvCurveLinearization& curve)
{
    if (channel < 0 || channel >= kChannels) OV_RAISE(kOvIndexError, "OvIndexError");
    fCurves[channel] = curve;
}
