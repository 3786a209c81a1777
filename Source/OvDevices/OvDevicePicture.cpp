// Picture mode, picture preset and uniformity correction of the real display, and the
// dump of the picture controls. The picture controls are read and written through the
// transport directly: one write, no read-back, no retry.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include "OvCore/OvError.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvVCPIds.h"
#include "OvDevices/OvVCPNames.h"
#include "OvDevices/OvVendorLists.h"
#include "OvSystem/OvSystem.h"
#include "OvTools/OvDebug.h"

namespace {
constexpr int32_t kPictureWriteWaitMs = 1000;
constexpr uint32_t kUniformityDelayMs = 100;
constexpr uint8_t kUnsupported = 1;

// The picture controls that DumpPictureValues logs, in its order.
constexpr uint16_t kPictureControls[] = {kVcpPictureMode,       kVcpPictureModePa,   kVcpSelectColorPreset,
                                         kVcpPicturePresetPa,   kVcpUniformityOnOff, kVcpColorCompLevel};
}  // namespace

OvString OvROVUvidedImpl::FormatVCPReply(uint16_t vcpId, const OvVCPReply& reply)
{
    return OvString::Format("%s: value=%d, maxValue=%d, unsupported=%d, vcpType=%d", VCPName(vcpId).Chars(),
                            static_cast<int32_t>(reply.current), static_cast<int32_t>(reply.maximum),
                            static_cast<int32_t>(reply.resultCode), static_cast<int32_t>(reply.type));
}

bool OvROVUvidedImpl::IsPAModelGroup() { return OvIdListContains(kOvPAModelGroup, GetVendorProductID()); }

bool OvROVUvidedImpl::WriteIfSupported(uint16_t vcpId, uint32_t value, OvVCPReply& reply)
{
    reply.resultCode = kUnsupported;
    if (fDDCControl->ReadPagedVCP(vcpId, &reply) != 0 || reply.resultCode != 0) return false;
    fDDCControl->WritePagedVCP(vcpId, value, &reply);
    return true;
}

void OvROVUvidedImpl::WritePictureControl(uint16_t vcpId, uint32_t value, bool logReply)
{
    if (!fDDCControl) return;
    OvVCPReply reply;
    if (!WriteIfSupported(vcpId, value, reply)) return;
    if (logReply) DebugPrintf(kOvChannelVCP, "%s", FormatVCPReply(vcpId, reply).Chars());
    SleepMs(kPictureWriteWaitMs);
}

void OvROVUvidedImpl::SetPictureMode(uint32_t value)
{
    if (!fDDCControl) return;
    WritePictureControl(IsPAModelGroup() ? kVcpPictureModePa : kVcpPictureMode, value, false);
}

void OvROVUvidedImpl::SetPicturePreset(uint32_t value) { WritePictureControl(kVcpPicturePresetPa, value, true); }

void OvROVUvidedImpl::DumpPictureValues(const OvString& title)
{
    if (!fDDCControl) return;
    DebugPrintf(kOvChannelVCP, "- %s", title.Chars());
    // One reply record for all reads: a read that fails leaves the previous values.
    OvVCPReply reply;
    reply.resultCode = kUnsupported;
    for (const uint16_t vcpId : kPictureControls) {
        if (fDDCControl->ReadPagedVCP(vcpId, &reply) == 0)
            DebugPrintf(kOvChannelVCP, "%s", FormatVCPReply(vcpId, reply).Chars());
    }
}

void OvROVUvidedImpl::GetUniformityCorrection(uint32_t* state, uint32_t* level)
{
    if (!fDDCControl) return;
    uint32_t unused[2] = {};
    if (!state) state = &unused[0];
    if (!level) level = &unused[1];
    DebugPrintf(kOvChannelMonitor, "%s", "DDC2Device::GetUniformityCorrection:");
    uint32_t maximum = 0;
    uint32_t readLevel = 0;
    // The PA series has no on/off control: its state follows from the level.
    bool stateRead = !IsPAModelGroup() && GetPagedVCP(kVcpUniformityOnOff, state, &maximum);
    if (stateRead) {
        DebugPrintf(kOvChannelMonitor, "\t- VCP_02C2_UNIFORMITY_COMP_ON_OFF state=%d, max=%d",
                    static_cast<int32_t>(*state), static_cast<int32_t>(maximum));
    } else {
        DebugPrintf(kOvChannelMonitor, "\t%s", "- VCP_02C2_UNIFORMITY_COMP_ON_OFF not supported!");
    }
    try {
        if (GetPagedVCP(kVcpColorCompLevel, &readLevel, &maximum)) {
            *level = readLevel;
            if (!stateRead) *state = readLevel != 0 ? 2 : 1;
            DebugPrintf(kOvChannelMonitor, "\t- VCP_02EE_COLORCOMP_LEVEL level=%d, max=%d", static_cast<int32_t>(*level),
                        static_cast<int32_t>(maximum));
            return;
        }
        DebugPrintf(kOvChannelMonitor, "\t- VCP_02EE_COLORCOMP_LEVEL not supported, disable setting! state=%d, level=%d",
                    1, 0);
    } catch (const OvError&) {
        DebugPrintf(kOvChannelMonitor, "\t%s", "- VCP_02EE_COLORCOMP_LEVEL has thrown an exception, disable setting!");
    }
    *state = 1;
    *level = 0;
}

void OvROVUvidedImpl::SetUniformityCorrection(int32_t state, uint32_t level)
{
    DebugPrintf(kOvChannelMonitor, "DDC2Device::SetUniformityCorrection( %d, %d)", state, static_cast<int32_t>(level));
    // The on/off control takes the level too: 0 switches the correction off.
    const uint32_t effectiveLevel = (state == 0 || state == 1) ? 0 : level;
    if (!IsPAModelGroup() && !SetPagedVCP(kVcpUniformityOnOff, effectiveLevel, kUniformityDelayMs, true))
        DebugPrintf(kOvChannelMonitor, "\t%s", "- VCP_02C2_UNIFORMITY_COMP_ON_OFF not supported!");
    if (!SetPagedVCP(kVcpColorCompLevel, effectiveLevel, kUniformityDelayMs, true))
        DebugPrintf(kOvChannelMonitor, "VCP_02EE_COLORCOMP_LEVEL not supported, disable setting! state=%d, level=%d", 1, 0);
}
