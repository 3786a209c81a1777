#pragma once
// The transform interface. Calibration transforms that the host hands in, and our own
// (OvColorLinearization, the formula transform), are reference-counted objects with these
// slots (index from 0):
//   0-5 as OvObject: Cast, ClassName, destructor slot, RefCount, AddRef, Release
//   6   int32_t InterfaceVersion() const    kOvTrafoInterfaceVersion for this layout
//   7   uint32_t OutputColorType() const    colour type of the results, 'RGB ' for a
//                                           calibration transform (OvColorType.h)
//   8   void EvaluateVector(OvVector& inOut)  transforms one vector in place and gives it
//                                           the output colour type
//   9   OvVector& Parameters()              the parameter vector; set its elements to set
//                                           the transform's parameters
// Colour values of type 'RGB ' are on the 0..255 scale. A caller checks
// InterfaceVersion before using any other slot of a transform it did not create.
#include <cstdint>

#include "OvCore/OvObject.h"
#include "OvMath/OvVector.h"

constexpr int32_t kOvTrafoInterfaceVersion = 1;

class OvTrafo : public OvObject {
public:
    OV_DECLARE_CAST()
    virtual int32_t InterfaceVersion() const;
    virtual uint32_t OutputColorType() const = 0;
    virtual void EvaluateVector(OvVector& inOut) = 0;
    virtual OvVector& Parameters();  // empty unless a transform defines parameters

protected:
    OvTrafo() = default;
    OvTrafo(const OvTrafo&) = default;
    OvTrafo& operator=(const OvTrafo&) = default;
    ~OvTrafo() = default;

private:
    OvVector fParameters;
};
