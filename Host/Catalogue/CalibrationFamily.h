#pragma once
// The calibration family of a display, from the plug-in's data library's id lists: which
// path turns a calibration into its table, and whether that table can be read back.
#include <cstdint>
#include <string_view>

#include "Catalogue/CatalogueExport.h"

enum class CalibrationFamily { kIgnoreGain, kNineteenInch, kTenBit, kSeriesPA, kSeries90 };

ZEZCTL_CATALOGUE_API CalibrationFamily CalibrationFamilyOf(uint32_t vendorProductId);
// "ignore-gain", "19-inch", "10-bit", "Series PA", "Series 90".
ZEZCTL_CATALOGUE_API std::string_view CalibrationFamilyName(CalibrationFamily family);
// Whether the family's table is the classic 256 entries a channel at red 0, green 256 and
// blue 512, the layout the table read-back and the device's table image use. Only the
// ignore-gain and 19-inch paths upload it so; the others write other sizes or addresses.
ZEZCTL_CATALOGUE_API bool KeepsClassicTableLayout(CalibrationFamily family);
