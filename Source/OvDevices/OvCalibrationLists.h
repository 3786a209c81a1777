#pragma once
// The display families of the calibration code, as lists of vendor-product ids (see
// OvVendorLists.h for the format and the lists shared with the rest of the device).
#include <cstdint>
#include <span>

#include "OvDevices/OvVendorLists.h"

// The path that turns a calibration into a display's table; every other id takes the
// ignore-gain path (256 ten-bit entries per channel, change-only upload).
extern const std::span<const OvIdRange> kOv19InchPath;
extern const std::span<const OvIdRange> kOv10To10BitPath;  // also set their white point by LED currents
extern const std::span<const OvIdRange> kOvSeriesPAPath;
extern const std::span<const OvIdRange> kOvSeries90Path;

// Series 90 variants.
extern const std::span<const OvIdRange> kOvSeries90FullScale4095;                // identity test on
extern const std::span<const OvIdRange> kOvSeries90FullScale4095NoIdentityTest;
// 256 entries per channel 256 apart, chunks of 8, finished through VCP 0x0268; also
// prepared for calibration by their own steps.
extern const std::span<const OvIdRange> kOvSeries90HalfTable;
// 256 entries per channel 256 apart, finished by storing the table only.
constexpr uint32_t kOvSeries90StoreOnlyId = 0xA338674A;
// Displays that switch their colour conversion off while a table is loaded and wait for
// it to finish afterwards; also prepared for calibration by their own steps.
extern const std::span<const OvIdRange> kOvColorConvertGroup;
// Displays that need 10 s more after their settings are saved.
extern const std::span<const OvIdRange> kOvExtraSaveDelayIds;

// Preparation for measurement.
extern const std::span<const OvIdRange> kOvCalibrationPictureModeIds;  // picture mode 8 and low brightness mode 2
extern const std::span<const OvIdRange> kOvLowBrightnessModeIds;       // low brightness mode 2
extern const std::span<const OvIdRange> kOvVideoBlackLevelIds;         // video black levels to 0, then unity gains
extern const std::span<const OvIdRange> kOvUnityGainIds;               // unity gains, auto brightness and grey scale
extern const std::span<const OvIdRange> kOvUniformityOnIds;            // uniformity correction switched on
