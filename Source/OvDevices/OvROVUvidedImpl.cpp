// Construction, destruction and the small operations of the real display that are one or
// two VCP requests each.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include "OvDevices/OvROVUvidedImpl.h"

#include <cstring>
#include <limits>
#include <new>

#include "OvCore/OvError.h"
#include "OvDevices/OvCapabilities.h"
#include "OvDevices/OvDeviceLog.h"
#include "OvDevices/OvEdidText.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvVCPIds.h"
#include "OvDevices/OvVendorLists.h"
#include "OvSystem/OvSystem.h"
#include "OvTools/OvDebug.h"

uint32_t OvROVUvidedImpl::LevelValue(uint32_t maximum, double fraction)
{
    const double scaled = static_cast<double>(maximum) * fraction;
    constexpr double kLimit = 9.2e18;  // inside the range of int64_t
    if (!(scaled > -kLimit && scaled < kLimit)) return 0;
    return static_cast<uint32_t>(static_cast<int64_t>(scaled));
}

OvROVUvidedImpl::OvROVUvidedImpl()
{
    EnableChannel(kOvChannelMonitor, true);
    EnableChannel(kOvChannelVCP, false);
    DebugPrintf(kOvChannelMonitor, "DDC2Device, version %ld build %s", static_cast<long>(kOvDeviceInterfaceVersion),
                kOvDeviceBuild);
    LogDeviceOperation("::InitValues()");
    ResetData();
    fColorConvertSupported = false;
    fColorConvertAsked = false;
}

OvROVUvidedImpl::~OvROVUvidedImpl()
{
    fCapabilityRecord.reset();
    if (fDDCControl) {
        LogDeviceOperation("::Disconnect");
        fDDCControl.reset();
    }
}

OvROVUvided* OvROVUvidedImpl::OvDestroy(uint8_t flags)
{
    this->OvROVUvidedImpl::~OvROVUvidedImpl();
    if (flags & 1) ::operator delete(this);
    return this;
}

void OvROVUvidedImpl::Destroy()
{
    Disconnect();
    OvDestroy(1);
}

void OvROVUvidedImpl::ResetData()
{
    DebugPrintf(kOvChannelMonitor, "%s", "DDC2Device::ResetData");
    std::memset(fTableImage, 0xFF, sizeof fTableImage);
    std::memset(fEdid, 0, sizeof fEdid);
    if (fCapabilityRecord) ClearCapabilityRecord(*fCapabilityRecord);
    fCapabilityString = OvString();
    fConnectedPerUSB = false;
}

int32_t OvROVUvidedImpl::GetInterfaceVersion()
{
    return kOvDeviceInterfaceVersion;
}

int32_t OvROVUvidedImpl::ConnectMonitor(int32_t displayID, int32_t port)
{
    return ConnectMonitorID(displayID, port);
}

int32_t OvROVUvidedImpl::GetPort()
{
    return fPort;
}

bool OvROVUvidedImpl::IsConnected()
{
    return fDDCControl != nullptr;
}

bool OvROVUvidedImpl::AutoAdjust()
{
    return AutoSetup();
}

bool OvROVUvidedImpl::FactoryReset()
{
    return SetPagedVCP(kVcpFactoryReset, 1, kResetDelayMs, true);
}

bool OvROVUvidedImpl::ColorReset()
{
    return SetPagedVCP(kVcpColorReset, 1, kResetDelayMs, true);
}

bool OvROVUvidedImpl::AutoSetup()
{
    return SetFeature(kVcpAutoSetup, 1, kResetDelayMs);
}

void OvROVUvidedImpl::SaveSettings()
{
    if (fDDCControl && fDDCControl->SaveCurrentSettings() != 0) OV_RAISE(kOvIOErr, "OvIOErr");
    SleepMs(kSaveSettingsWaitMs);
}

bool OvROVUvidedImpl::IsDigitalInput()
{
    if (!fDDCControl) return false;
    return ::IsDigitalInput(fEdid);
}

bool OvROVUvidedImpl::GetSize(uint32_t* verticalSize, uint32_t* horizontalSize)
{
    uint32_t maximum = 0;
    GetFeature(kVcpHorizontalSize, horizontalSize, &maximum);
    return GetFeature(kVcpVerticalSize, verticalSize, &maximum);
}

bool OvROVUvidedImpl::GetRunningHours(uint32_t* hours)
{
    uint32_t maximum = 0;
    const bool ok = GetFeature(kVcpHoursRunning, hours, &maximum);
    *hours >>= 1;  // the display counts half hours
    return ok;
}

bool OvROVUvidedImpl::GetOnTimeHours(uint32_t* hours)
{
    uint32_t maximum = 0;
    const bool ok = GetFeature(kVcpHoursOnTime, hours, &maximum);
    *hours >>= 1;
    return ok;
}

bool OvROVUvidedImpl::SetAutoBrightness(uint32_t value)
{
    return SetFeature(kVcpAutoBrightnessOnOff, value, kLevelDelayMs);
}

bool OvROVUvidedImpl::GetFeature(uint16_t vcpId, uint32_t* current, uint32_t* maximum)
{
    return GetVCPPageFeature(VcpPage(vcpId), VcpCode(vcpId), current, maximum);
}

bool OvROVUvidedImpl::SetFeature(uint16_t vcpId, uint32_t value, uint32_t delayMs)
{
    return SetVCPPageFeature(VcpPage(vcpId), VcpCode(vcpId), value, delayMs);
}

double OvROVUvidedImpl::GetLevel(uint16_t vcpId)
{
    uint32_t current = 0;
    uint32_t maximum = 0;
    GetFeature(vcpId, &current, &maximum);
    if (maximum == 0) return 1.0;
    return static_cast<double>(current) / static_cast<double>(maximum);
}

void OvROVUvidedImpl::SetLevel(uint16_t vcpId, double fraction, uint32_t delayMs, int32_t waitAfterMs)
{
    // A failed read leaves the maximum at 0, so 0 is computed and written.
    uint32_t current = std::numeric_limits<uint32_t>::max();
    uint32_t maximum = 0;
    GetFeature(vcpId, &current, &maximum);
    const uint32_t value = LevelValue(maximum, fraction);
    if (value == current) return;
    SetFeature(vcpId, value, delayMs);
    if (waitAfterMs > 0) SleepMs(waitAfterMs);
}

double OvROVUvidedImpl::GetBrightness() { return GetLevel(kVcpBrightness); }
double OvROVUvidedImpl::GetRedGain() { return GetLevel(kVcpRedGain); }
double OvROVUvidedImpl::GetBlueGain() { return GetLevel(kVcpBlueGain); }
double OvROVUvidedImpl::GetGreenGain() { return GetLevel(kVcpGreenGain); }

void OvROVUvidedImpl::SetBrightness(double fraction)
{
    const bool internalCalibration = OvIdListContains(kOvInternalCalibrationIds, GetVendorProductID());
    SetLevel(kVcpBrightness, fraction, kLevelDelayMs, internalCalibration ? kInternalCalibrationWaitMs : 0);
}

void OvROVUvidedImpl::SetContrast(double fraction) { SetLevel(kVcpContrast, fraction, kLevelDelayMs, 0); }
void OvROVUvidedImpl::SetRedGain(double fraction) { SetLevel(kVcpRedGain, fraction, kGainDelayMs, kGainWaitMs); }
void OvROVUvidedImpl::SetGreenGain(double fraction) { SetLevel(kVcpGreenGain, fraction, kGainDelayMs, kGainWaitMs); }
void OvROVUvidedImpl::SetBlueGain(double fraction) { SetLevel(kVcpBlueGain, fraction, kGainDelayMs, kGainWaitMs); }

void OvROVUvidedImpl::SetBlackLevel(double fraction)
{
    if (!OvIdListContains(kOvPAModelGroup, GetVendorProductID())) {
        SetLevel(kVcpBlackLevel, fraction, kBlackLevelDelayMs, 0);
        return;
    }
    uint32_t current = std::numeric_limits<uint32_t>::max();
    uint32_t maximum = 0;
    GetPagedVCP(kVcpBlackLevelPa, &current, &maximum);
    const uint32_t value = LevelValue(maximum, fraction);
    if (value != current) SetPagedVCP(kVcpBlackLevelPa, value, kBlackLevelPaDelayMs, true);
}

bool OvROVUvidedImpl::SupportsWhitePoint()
{
    return OvIdListContains(kOvWhitePointIds, GetVendorProductID());
}

bool OvROVUvidedImpl::SelectColorPreset(uint32_t preset)
{
    return SetPagedVCP(kVcpSelectColorPreset, preset, kColorPresetDelayMs, true);
}

bool OvROVUvidedImpl::SetVCP0268(uint32_t value)
{
    return SetPagedVCP(kVcpHoursRunningObsolete, value, kHoursRunningObsoleteDelayMs, true);
}

uint32_t OvROVUvidedImpl::GetVendorProductID()
{
    return VendorProductID(fEdid);
}

const char* OvROVUvidedImpl::GetModelName()
{
    fTextResult = ModelNameText(fEdid);
    return fTextResult.Chars();
}

const char* OvROVUvidedImpl::GetSerialNumber()
{
    fTextResult = SerialNumberText(fEdid);
    return fTextResult.Chars();
}

void OvROVUvidedImpl::ConnectForCalibration()
{
    ConnectMonitor(0, 0);
    InitCalibrationMode(1.0, nullptr);
}

bool OvROVUvidedImpl::GetVCPPageFeature(uint8_t page, uint8_t code, uint32_t* current, uint32_t* maximum)
{
    return GetPagedVCP(VcpId(page, code), current, maximum);
}

bool OvROVUvidedImpl::SetVCPPageFeature(uint8_t page, uint8_t code, uint32_t value, uint32_t delayMs)
{
    return SetPagedVCP(VcpId(page, code), value, delayMs, true);
}

bool OvROVUvidedImpl::SupportsVCPPageFeature(uint8_t page, uint8_t code)
{
    return VcpId(page, code) == kVcpInternalCalibrationOff &&
           OvIdListContains(kOvInternalCalibrationIds, GetVendorProductID());
}

bool OvROVUvidedImpl::Supports3DLUT() { return OvIdListContains(kOv3DLUTModelGroup, GetVendorProductID()); }
