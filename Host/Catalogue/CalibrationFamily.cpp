#include "Catalogue/CalibrationFamily.h"

#include "OvDevices/OvCalibrationLists.h"

CalibrationFamily CalibrationFamilyOf(uint32_t vendorProductId)
{
    // The order the device tests the lists in.
    if (OvIdListContains(kOv19InchPath, vendorProductId)) return CalibrationFamily::kNineteenInch;
    if (OvIdListContains(kOv10To10BitPath, vendorProductId)) return CalibrationFamily::kTenBit;
    if (OvIdListContains(kOvSeriesPAPath, vendorProductId)) return CalibrationFamily::kSeriesPA;
    if (OvIdListContains(kOvSeries90Path, vendorProductId)) return CalibrationFamily::kSeries90;
    return CalibrationFamily::kIgnoreGain;
}

std::string_view CalibrationFamilyName(CalibrationFamily family)
{
    switch (family) {
    case CalibrationFamily::kIgnoreGain: return "ignore-gain";
    case CalibrationFamily::kNineteenInch: return "19-inch";
    case CalibrationFamily::kTenBit: return "10-bit";
    case CalibrationFamily::kSeriesPA: return "Series PA";
    case CalibrationFamily::kSeries90: return "Series 90";
    }
    return "unknown";
}

bool KeepsClassicTableLayout(CalibrationFamily family)
{
    return family == CalibrationFamily::kIgnoreGain || family == CalibrationFamily::kNineteenInch;
}
