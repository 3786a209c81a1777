// InitCalibrationMode: puts the display into the state it is measured in (picture mode
// and preset, gains, contrast, uniformity) by the steps each display family needs.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include "OvDevices/OvCalibrationLists.h"
#include "OvDevices/OvDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvVCPIds.h"
#include "OvDevices/OvVendorLists.h"
#include "OvTools/OvDebug.h"
#include "Progress/OvProgress.h"

namespace {
// The calibration state: read the uniformity from the display on the next call, switch
// it off, or (above 0) switch it on at that level.
constexpr int32_t kReadUniformity = -2;
constexpr int32_t kUniformityOff = -1;
constexpr int32_t kUniformityOnLevel = 2;  // the level the uniformity-on displays measure with
constexpr uint32_t kUniformityStateOff = 1;
constexpr uint32_t kUniformityStateOn = 2;

constexpr uint32_t kCalibrationPictureMode = 8;  // on the displays with their own picture mode VCP
constexpr uint32_t kCalibrationLowBrightnessMode = 2;
constexpr uint32_t kPictureMode = 5;
constexpr uint32_t kPicturePreset = 10;
constexpr uint32_t kColorPreset = 11;
constexpr uint32_t kVcp0268Calibration = 6;
constexpr uint32_t kOn = 1;
constexpr uint32_t kOff = 0;
constexpr uint32_t kCalibrationCustomizeSetting = 2;
constexpr uint32_t kLutNumber = 2;

struct VcpSetting {
    uint16_t vcpId;
    uint32_t value;
};
// The colour functions switched after the picture preset, in their order.
constexpr VcpSetting kColorConvertSettings[] = {
    {kVcpLutNumberSelectPa, kLutNumber}, {kVcpLutPrintPreviewPa, kOn},
    {kVcpAmbientLightSensor, kOn},       {kVcpMetamerismCorrection, kOn},
};
constexpr VcpSetting kSeriesPASettings[] = {
    {kVcpColorVisionEmulation, kOn}, {kVcpMetamerismCorrection, kOn},   {kVcpAmbientLightSensor, kOn},
    {kVcpLutNumberSelectPa, kLutNumber}, {kVcpLutPrintPreviewPa, kOn},
};

void Report(OvProgress* progress, double fraction)
{
    if (progress) progress->SetProgress(fraction);
}
}  // namespace

void OvROVUvidedImpl::InitCalibrationMode(double brightnessLevel, OvProgress* progress)
{
    const uint32_t id = GetVendorProductID();
    DebugPrintf(kOvChannelMonitor, "DDC2Device::InitCalibrationMode for vendorProductID 0x%lX",
                static_cast<unsigned long>(id));
    fCalibrationModelFlag = IsPAModelGroup();
    if (fCalibrationState == kReadUniformity) ReadCalibrationUniformity();
    SetCalibrationPictureControls(id);
    SetUpCalibrationMode(id);
    SetCalibrationLevels(brightnessLevel, progress);
    SetCalibrationGains(id);
    RestoreCalibrationUniformity();
    SetFeature(kVcpEcoMode, kOn, kCalibrationExtrasDelayMs);
    SetBlackLevel(fCalibrationLevel);
    Report(progress, 1.0);
}

// Remembers the display's uniformity correction, to be restored after the set-up.
void OvROVUvidedImpl::ReadCalibrationUniformity()
{
    uint32_t state = kUniformityStateOff;
    uint32_t level = 0;
    GetUniformityCorrection(&state, &level);
    fCalibrationState = state == kUniformityStateOff ? kUniformityOff : static_cast<int32_t>(level);
}

// The displays with their own calibration picture mode and low brightness mode get them
// straight through the transport: no settle time, no read-back.
void OvROVUvidedImpl::SetCalibrationPictureControls(uint32_t vendorProductId)
{
    if (!fDDCControl) return;
    OvVCPReply reply;
    if (OvIdListContains(kOvCalibrationPictureModeIds, vendorProductId))
        WriteIfSupported(kVcpPictureMode, kCalibrationPictureMode, reply);
    if (OvIdListContains(kOvLowBrightnessModeIds, vendorProductId))
        WriteIfSupported(kVcpLowBrightnessMode, kCalibrationLowBrightnessMode, reply);
}

// Picture mode, preset and the colour functions of the families that have them.
void OvROVUvidedImpl::SetUpCalibrationMode(uint32_t vendorProductId)
{
    if (OvIdListContains(kOvColorConvertGroup, vendorProductId)) {
        SetFeature(kVcpPipModePa, kOn, kCalibrationModeDelayMs);
        SetFeature(kVcpColorVisionEmulation, kOn, kCalibrationModeDelayMs);
        SetPictureMode(kPictureMode);
        SetPicturePreset(kPicturePreset);
        for (const VcpSetting& setting : kColorConvertSettings)
            SetFeature(setting.vcpId, setting.value, kCalibrationModeDelayMs);
    } else if (OvIdListContains(kOvSeries90HalfTable, vendorProductId)) {
        SetPagedVCP(kVcpCustomizeSetting, kCalibrationCustomizeSetting, kCalibrationModePaDelayMs, true);
        SetFeature(kVcpPipModePa, kOn, kCalibrationModeDelayMs);
        SetPictureMode(kPictureMode);
        SetPicturePreset(kPicturePreset);
        ReadCalibrationUniformity();
        SetPagedVCP(kVcpHoursRunningObsolete, kVcp0268Calibration, kCalibrationModePaDelayMs, true);
    } else if (OvIdListContains(kOvSeriesPAPath, vendorProductId)) {
        SetPagedVCP(kVcpCustomizeSetting, kCalibrationCustomizeSetting, kCalibrationModePaDelayMs, true);
        SetPagedVCP(kVcpPipModePa, kOn, kCalibrationModePaDelayMs, true);
        SetPictureMode(kPictureMode);
        SetPicturePreset(kPicturePreset);
        for (const VcpSetting& setting : kSeriesPASettings)
            SetPagedVCP(setting.vcpId, setting.value, kCalibrationModePaDelayMs, true);
        // The PA series measures with its black level at the bottom.
        if (IsPAModelGroup()) fCalibrationLevel = 0.0;
    }
}

// The controls every display is measured with, reporting progress between them.
void OvROVUvidedImpl::SetCalibrationLevels(double brightnessLevel, OvProgress* progress)
{
    SetAutoBrightness(kOff);
    Report(progress, 0.2);
    if (brightnessLevel >= 0.0) SetBrightness(brightnessLevel);
    Report(progress, 0.5);
    SetContrast(0.5);
    Report(progress, 0.6);
    SelectColorPreset(kColorPreset);
    Report(progress, 0.7);
    SetVCP0268(kVcp0268Calibration);
    Report(progress, 0.8);
}

// Neutral gains (after black levels at 0 and the internal calibration off, where the
// display has them), or the uniformity correction of the displays measured with it on.
void OvROVUvidedImpl::SetCalibrationGains(uint32_t vendorProductId)
{
    const bool blackLevels = OvIdListContains(kOvVideoBlackLevelIds, vendorProductId);
    if (blackLevels) {
        for (const uint16_t vcpId : {kVcpRedBlackLevel, kVcpGreenBlackLevel, kVcpBlueBlackLevel})
            SetFeature(vcpId, kOff, kNoDelayMs);
        SetFeature(kVcpInternalCalibrationOff, kInternalCalibrationDisabled, kNoDelayMs);
    }
    if (blackLevels || OvIdListContains(kOvUnityGainIds, vendorProductId)) {
        SetRedGain(1.0);
        SetGreenGain(1.0);
        SetBlueGain(1.0);
        SetFeature(kVcpAutoBrightness, kOff, kCalibrationExtrasDelayMs);
        SetFeature(kVcpGrayScaleMode, kOn, kCalibrationExtrasDelayMs);
    } else if (OvIdListContains(kOvUniformityOnIds, vendorProductId)) {
        fCalibrationState = kUniformityOnLevel;
    }
}

// Switches the uniformity correction off, or on at the remembered level.
void OvROVUvidedImpl::RestoreCalibrationUniformity()
{
    if (fCalibrationState == kUniformityOff) {
        uint32_t state = kUniformityStateOff;
        uint32_t level = 0;
        GetUniformityCorrection(&state, &level);
        SetUniformityCorrection(static_cast<int32_t>(kUniformityStateOff), level);
    } else if (fCalibrationState > 0) {
        SetUniformityCorrection(static_cast<int32_t>(kUniformityStateOn), static_cast<uint32_t>(fCalibrationState));
    }
}
