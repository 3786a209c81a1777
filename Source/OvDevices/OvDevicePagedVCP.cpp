// Paged VCP access of the real display: reads, verified writes with per-VCP settle times,
// and the wait for the display's colour conversion.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include "OvCore/OvError.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvVCPIds.h"
#include "OvDevices/OvVCPNames.h"
#include "OvDevices/OvVCPSettleTimes.h"
#include "OvDevices/OvVendorLists.h"
#include "OvSystem/OvSystem.h"
#include "OvTools/OvDebug.h"

namespace {
constexpr int32_t kWriteAttempts = 3;
constexpr int32_t kConversionPolls = 10;

void LogFailure(int32_t channel, const char* operation, int32_t error)
{
    DebugPrintf(channel, "- %s failed with error %d", operation, error);
}
}  // namespace

bool OvROVUvidedImpl::GetPagedVCP(uint32_t vcpId, uint32_t* current, uint32_t* maximum)
{
    if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    DebugPrintf(kOvChannelVCP, "DDC2Device::GetVCPPageFeature: port=%d, %s", fPort,
                VCPName(static_cast<int32_t>(vcpId)).Chars());
    fLastVCPId = vcpId;
    OvVCPReply reply;
    const int32_t result = fDDCControl->ReadPagedVCP(vcpId, &reply);
    if (reply.resultCode != 0) DebugPrintf(kOvChannelMonitor, "- Unsupported VCP: 0x%04X", vcpId);
    if (result == 0 && reply.resultCode == 0) {
        if (current) *current = reply.current;
        if (maximum) *maximum = reply.maximum;
        DebugPrintf(kOvChannelVCP, "- val=%d, max=%d", static_cast<int32_t>(reply.current),
                    static_cast<int32_t>(reply.maximum));
        return true;
    }
    if (result != 0)
        LogFailure(kOvChannelMonitor, "::GetVCPPageFeature", result);
    else
        DebugPrintf(kOvChannelMonitor, "- %s succeeded", "::GetVCPPageFeature");
    return false;
}

bool OvROVUvidedImpl::SetPagedVCP(uint32_t vcpId, uint32_t value, uint32_t delayMs, bool verify)
{
    const OvString name = VCPName(static_cast<int32_t>(vcpId));
    DebugPrintf(kOvChannelVCP, "DDC2Device::SetVCPPageFeature %s %d (port: %d)", name.Chars(),
                static_cast<int32_t>(value), fPort);
    if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    // The display is touched through another VCP before one that was accessed last.
    if (vcpId == fLastVCPId) {
        OvVCPReply ignored;
        fDDCControl->ReadPagedVCP(vcpId == kVcpBrightness ? kVcpContrast : kVcpBrightness, &ignored);
    }
    fLastVCPId = vcpId;
    // Outside calibration the display is read before each write, and a read showing the
    // value ends the operation; in calibration mode each write's reply is compared.
    const bool compareWriteReply = fCalibrationModelFlag || !verify;
    const int32_t minimumDelay = static_cast<int32_t>(delayMs);
    OvVCPReply reply;
    int32_t writeResult = 0;
    for (int32_t attempt = 0; attempt < kWriteAttempts; ++attempt) {
        const int32_t readResult = fDDCControl->ReadPagedVCP(vcpId, &reply);
        if (readResult != 0) {
            LogFailure(kOvChannelMonitor, "::GetPagedVCP", readResult);
            return false;
        }
        if (!compareWriteReply && reply.current == value) {
            DebugPrintf(kOvChannelVCP, "- %s", "EQUAL, before SetPagedVCP.");
            return true;
        }
        // Written by SetGetVCPList, which sends it; SetPagedVCP leaves it alone.
        if (vcpId == kVcpSaveLutToEepromPa) {
            DebugPrintf(kOvChannelVCP, "- Special treatment for '%s': No value verification", name.Chars());
            return true;
        }
        if (reply.resultCode != 0) {
            DebugPrintf(kOvChannelMonitor, "- Unsupported VCP 0x%04X, abort operation", vcpId);
            return false;
        }
        reply.current = value;
        writeResult = fDDCControl->WritePagedVCP(vcpId, value, &reply);
        if (writeResult != 0) LogFailure(kOvChannelMonitor, "::SetPagedVCP", writeResult);
        int32_t wait = static_cast<int32_t>(GetVCPmsWaitTime(vcpId, static_cast<int32_t>(value)));
        if (wait <= minimumDelay) wait = minimumDelay;
        DebugPrintf(kOvChannelVCP, "- delaying for %dms", wait);
        SleepMs(wait);
        if (compareWriteReply) {
            if (reply.current == value) {
                DebugPrintf(kOvChannelVCP, "- EQUAL, after SetPagedVCP. (%d)", attempt);
                return writeResult == 0;
            }
            DebugPrintf(kOvChannelVCP, "- NOT EQUAL, try again! (%d)", attempt);
        }
    }
    fDDCControl->ReadPagedVCP(vcpId, &reply);
    if (writeResult != 0) {
        LogFailure(kOvChannelMonitor, "::SetPagedVCP", writeResult);
        return false;
    }
    // A value that never verified still counts as set; this line is its only trace.
    DebugPrintf(kOvChannelVCP, "- Could not set/verify %s: set value '%d' != get value '%d'", name.Chars(),
                static_cast<int32_t>(value), static_cast<int32_t>(reply.current));
    return true;
}

uint32_t OvROVUvidedImpl::GetVCPmsWaitTime(uint32_t vcpId, int32_t value)
{
    const uint32_t vendorProduct = GetVendorProductID();
    uint32_t wait = VCPBaseSettleTime(vcpId, value, OvIdListContains(kOvPAModelGroup, vendorProduct));
    DebugPrintf(kOvChannelVCP, "GetVCPmsWaitTime\n\tVCP=%04X, value=%i, waitms=%i", vcpId, value,
                static_cast<int32_t>(wait));
    if (OvIdListContains(kOvPA322UHDGroup, vendorProduct)) {
        wait += kPA322UHDExtraSettleMs;
        DebugPrintf(kOvChannelVCP, "\tIncreasing wait time by %ds for display: %s, %0X",
                    static_cast<int32_t>(kPA322UHDExtraSettleMs), "ZEZ_PA322UHD", vendorProduct);
    }
    return wait;
}

void OvROVUvidedImpl::WaitForColorConvert()
{
    uint32_t current = 0;
    uint32_t maximum = 0;
    if (!fColorConvertAsked) {
        fColorConvertAsked = true;
        if (GetPagedVCP(kVcpColorConvertStatus, &current, &maximum)) fColorConvertSupported = true;
    }
    if (!fColorConvertSupported) {
        DebugPrintf(kOvChannelVCP, "- %s", "VCP_1097_COLOR_CONVERT_STATUS not supported so wait 4000ms");
        SleepMs(kUnknownConversionWaitMs);
        return;
    }
    SleepMs(kFirstConversionWaitMs);
    for (int32_t count = 0;; ++count) {
        if (count > 0) SleepMs(kConversionPollWaitMs);
        if (!GetPagedVCP(kVcpColorConvertStatus, &current, &maximum)) {
            DebugPrintf(kOvChannelVCP, "- GetVCP VCP_1097_COLOR_CONVERT_STATUS error=%i", 1);
            return;
        }
        DebugPrintf(kOvChannelVCP, "- GetVCP VCP_1097_COLOR_CONVERT_STATUS current=%i, count=%i",
                    static_cast<int32_t>(current), count);
        if (current == 0 || count >= kConversionPolls) return;
    }
}
