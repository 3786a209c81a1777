#include "OvMath/OvTrafo.h"

OV_DEFINE_CAST(OvTrafo, OvObject)

int32_t OvTrafo::InterfaceVersion() const
{
    return kOvTrafoInterfaceVersion;
}

OvVector& OvTrafo::Parameters()
{
    return fParameters;
}
