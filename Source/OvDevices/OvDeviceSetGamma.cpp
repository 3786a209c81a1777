// SetGamma: a pure target curve, loaded as a calibration of three equal channels.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include "OvCore/OvTemplates.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvMath/OvColorLinearization.h"
#include "OvMath/OvCurveLinearization.h"

void OvROVUvidedImpl::SetGamma(double gamma, OvProgress* progress)
{
    // Reference counted, so a calibration path that keeps a reference keeps it alive.
    const OvRef<OvColorLinearization> calibration = OvMakeRef<OvColorLinearization>();
    const OvCurveLinearization curve(gamma);
    for (int32_t channel = 0; channel < OvColorLinearization::kChannels; ++channel)
        calibration->SetCurve(channel, curve);
    // Through the interface: the simulated display stores the curves instead.
    SetRGBCalibration(calibration.Get(), progress);
}
