#pragma once
// An SVG plot of a table image: the three channels against the input, with axes, grid,
// the identity as a dashed line and a legend; it opens in any browser.
#include <string>

#include "Calibration/GammaTableImage.h"

std::string CurvePlotSvg(const GammaTableImage& image, const std::string& title);
