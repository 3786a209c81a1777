#pragma once
// The VCP ids the device code reads and writes, named after their catalogue entries
// (OvVCPNames.cpp), and the delays and waits that go with them. An id is page * 256 +
// code; page 0 holds the standard MCCS codes.
#include <cstdint>

constexpr uint16_t VcpId(uint8_t page, uint8_t code) { return static_cast<uint16_t>(page * 256 + code); }
constexpr uint8_t VcpPage(uint16_t id) { return static_cast<uint8_t>(id >> 8); }
constexpr uint8_t VcpCode(uint16_t id) { return static_cast<uint8_t>(id & 0xFF); }

// Standard MCCS controls.
constexpr uint16_t kVcpFactoryReset = 0x0004;
constexpr uint16_t kVcpColorReset = 0x0008;
constexpr uint16_t kVcpBrightness = 0x0010;
constexpr uint16_t kVcpContrast = 0x0012;
constexpr uint16_t kVcpSelectColorPreset = 0x0014;
constexpr uint16_t kVcpRedGain = 0x0016;
constexpr uint16_t kVcpGreenGain = 0x0018;
constexpr uint16_t kVcpBlueGain = 0x001A;
constexpr uint16_t kVcpAutoSetup = 0x001E;
constexpr uint16_t kVcpHorizontalSize = 0x0022;
constexpr uint16_t kVcpVerticalSize = 0x0032;
constexpr uint16_t kVcpVideoInput = 0x0060;
constexpr uint16_t kVcpAmbientLightSensor = 0x0066;
constexpr uint16_t kVcpRedBlackLevel = 0x006C;
constexpr uint16_t kVcpGreenBlackLevel = 0x006E;
constexpr uint16_t kVcpBlueBlackLevel = 0x0070;
constexpr uint16_t kVcpHoursRunning = 0x00FA;    // counts half hours
constexpr uint16_t kVcpHoursOnTime = 0x00FF;     // counts half hours

// ZEZ's page 2.
constexpr uint16_t kVcpPictureMode = 0x021A;
constexpr uint16_t kVcpAutoBrightness = 0x022D;
constexpr uint16_t kVcpEcoMode = 0x0233;
constexpr uint16_t kVcpAutoBrightnessOnOff = 0x0254;
constexpr uint16_t kVcpBlackLevel = 0x0257;
constexpr uint16_t kVcpHoursRunningObsolete = 0x0268;
constexpr uint16_t kVcpLedCurrentRed = 0x027E;
constexpr uint16_t kVcpLedCurrentGreen = 0x027F;
constexpr uint16_t kVcpLedCurrentBlue = 0x0280;
constexpr uint16_t kVcpLowBrightnessMode = 0x02A2;
constexpr uint16_t kVcpInternalCalibrationOff = 0x02A3;
constexpr uint16_t kVcpSetLuminance = 0x02B3;
constexpr uint16_t kVcpUniformityOnOff = 0x02C2;
constexpr uint16_t kVcpReferenceWhite = 0x02C7;
constexpr uint16_t kVcpCscGain = 0x02CA;         // full scale of the 10-bit table
constexpr uint16_t kVcpCustomGamma = 0x02E8;
constexpr uint16_t kVcpColorCompLevel = 0x02EE;  // uniformity correction level
constexpr uint16_t kVcpGrayScaleMode = 0x02EF;
constexpr uint16_t kVcpResetProgrammableGamma = 0x02F8;
constexpr uint16_t kVcpGammaLutSize = 0x02F9;

// ZEZ's page 0x10 and 0x11: the PA series, colour conversion and the 3D LUT.
constexpr uint16_t kVcpPictureModePa = 0x1050;
constexpr uint16_t kVcpPicturePresetPa = 0x1051;
constexpr uint16_t kVcpWhitePointXPa = 0x1052;
constexpr uint16_t kVcpWhitePointYPa = 0x1053;
constexpr uint16_t kVcpBlackLevelPa = 0x1054;
constexpr uint16_t kVcpColorVisionEmulation = 0x105B;
constexpr uint16_t kVcpMetamerismCorrection = 0x105C;
constexpr uint16_t kVcpPipModePa = 0x105F;
constexpr uint16_t kVcpDisableColorConvert = 0x1067;
constexpr uint16_t kVcpLutPrintPreviewPa = 0x1069;
constexpr uint16_t kVcpLutNumberSelectPa = 0x106B;
constexpr uint16_t kVcpResetCurrentRgbXyPa = 0x1071;
constexpr uint16_t kVcpColorConvertStatus = 0x1097;
constexpr uint16_t kVcpCustomizeSetting = 0x10A3;
constexpr uint16_t kVcpSaveLutToEepromPa = 0x1107;
constexpr uint16_t kVcpEngineMode = 0x1147;

// Values of the internal-calibration-off control (0x02A3).
constexpr uint32_t kInternalCalibrationDisabled = 2;
constexpr uint32_t kInternalCalibrationEnabled = 1;

// Delays handed to the VCP writes: the least settle time after each write.
constexpr uint32_t kResetDelayMs = 1000;           // factory reset, colour reset, auto setup
constexpr uint32_t kLevelDelayMs = 500;            // brightness, contrast, auto brightness
constexpr uint32_t kGainDelayMs = 1000;
constexpr uint32_t kBlackLevelDelayMs = 500;
constexpr uint32_t kBlackLevelPaDelayMs = 100;
constexpr uint32_t kColorPresetDelayMs = 1000;
constexpr uint32_t kHoursRunningObsoleteDelayMs = 3000;
constexpr uint32_t kNoDelayMs = 0;
constexpr uint32_t kWhitePointDelayMs = 100;          // PA white point x and y
constexpr uint32_t kLedCurrentBlueDelayMs = 3000;     // the last LED current, for all three
constexpr uint32_t kInternalCalibrationOnDelayMs = 500;
constexpr uint32_t kCalibrationModeDelayMs = 2000;    // calibration set-up of the colour-convert group
constexpr uint32_t kCalibrationModePaDelayMs = 100;   // calibration set-up of the PA series
constexpr uint32_t kCalibrationExtrasDelayMs = 250;   // auto brightness, grey scale, eco mode

// Waits of the calling thread.
constexpr int32_t kSaveSettingsWaitMs = 2000;
constexpr int32_t kGainWaitMs = 1000;              // after a gain write
constexpr int32_t kInternalCalibrationWaitMs = 3000;  // after a brightness write on those displays
constexpr uint32_t kPA322UHDExtraSettleMs = 1000;  // added to every settle time of those displays
// The colour conversion after a new calibration: a fixed wait when the display cannot
// report it, else a first wait and polls of the status.
constexpr int32_t kUnknownConversionWaitMs = 4000;
constexpr int32_t kFirstConversionWaitMs = 2000;
constexpr int32_t kConversionPollWaitMs = 4000;
