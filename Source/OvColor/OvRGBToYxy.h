#pragma once
// The framework's RGB to 'Yxy ' conversion.
//
// The RGB values are taken as sRGB (IEC 61966-2-1): primaries R 0.640/0.330,
// G 0.300/0.600, B 0.150/0.060, white D65 at 0.3127/0.3290. Each component, on 0..255,
// is first decoded with the sRGB transfer curve to linear light; the linear values then
// mix the primaries.
//
// Result, colour type 'Yxy ', three components:
//   0  Y, the luminance relative to the white: 1.0 for (255, 255, 255)
//   1  x, 2  y, the chromaticity in thousandths (312.7 and 329.0 for the white), so that
//      callers that work in thousandths truncate them directly.
// A grey (r = g = b), black included, has the white's chromaticity by definition and
// gets it as defined rather than computed: black has no chromaticity of its own, and
// rounding must not let the white's 329 truncate to 328.
#include "OvMath/OvVector.h"

// Raises "OvWrongDataType" when rgb is not of colour type 'RGB ', "OvDimMismatch" when it
// does not have three components.
OvVector OvRGBToYxy(const OvVector& rgb);
