// Batches of VCP reads and writes handed in by the host, and the scan of a VCP range into
// a text report. The batch reads through the verified paged access but writes through
// the transport directly: one write, no read-back.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include "OvCore/OvError.h"
#include "OvData/OvArray.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvVCPIds.h"
#include "OvSystem/OvSystem.h"
#include "OvTools/OvDebug.h"
#include "Progress/OvProgress.h"

namespace {
// Transport errors of MONAPI2 that leave the batch running.
constexpr int32_t kContinuingError = -2002;
constexpr uint32_t kReadFailed = 1;
// Switching the colour conversion off needs a moment before the write.
constexpr int32_t kDisableColorConvertWaitMs = 500;

bool IsSet(const OvVCPListRecord& record) { return (record.flags & 0xFF) != 0; }
bool IsSetOnlyIfDifferent(const OvVCPListRecord& record) { return ((record.flags >> 8) & 0xFF) != 0; }
}  // namespace

void OvROVUvidedImpl::WriteListRecord(OvVCPListRecord& record)
{
    if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    OvVCPReply reply;
    const int32_t result = fDDCControl->WritePagedVCP(record.vcp, record.value, &reply);
    record.result = static_cast<uint32_t>(result);
    record.value = reply.current;
    SleepMs(static_cast<int32_t>(GetVCPmsWaitTime(record.vcp, static_cast<int32_t>(record.value))));
    // Saving the 3D LUT reports errors that do not mean it failed.
    if (record.vcp == kVcpSaveLutToEepromPa && result != 0) {
        DebugPrintf(kOvChannelVCP, "\tVCP_1107_PA_SAVE_3D_LUT_RAM_TO_EEPROM ignoring error=%i", result);
        record.result = 0;
    }
}

void OvROVUvidedImpl::RunListRecord(OvVCPListRecord& record)
{
    const bool disablesColorConvert = record.vcp == kVcpDisableColorConvert && record.value == 1;
    if (!IsSet(record)) {
        record.result = GetPagedVCP(record.vcp, &record.value, &record.maximum) ? 0 : kReadFailed;
        return;
    }
    if (IsSetOnlyIfDifferent(record)) {
        uint32_t current = 0;
        uint32_t maximum = 0;
        if (!GetPagedVCP(record.vcp, &current, &maximum)) {
            record.result = kReadFailed;
            return;
        }
        if (disablesColorConvert) SleepMs(kDisableColorConvertWaitMs);
        if (current == record.value) {
            record.result = 0;
            return;
        }
        DebugPrintf(kOvChannelVCP, "\tcurrent_value=%i is different so changing", static_cast<int32_t>(current));
    } else if (disablesColorConvert) {
        SleepMs(kDisableColorConvertWaitMs);
    }
    WriteListRecord(record);
}

int32_t OvROVUvidedImpl::SetGetVCPList(OvArray<OvVCPListRecord>* list, OvProgress* progress)
{
    DebugPrintf(kOvChannelVCP, "%s", "DDC2Device::SetGetVCPList");
    if (!list) return -1;
    const int32_t count = list->Count();
    OvSubProgress subProgress(progress, 0.0, 1.0);
    DebugPrintf(kOvChannelVCP, "\tsize=%i", count);
    subProgress.SetProgress(0.0);
    if (count <= 0) return 0;
    const double step = 1.0 / count;
    double done = 0.0;
    for (int32_t i = 0; i < count; ++i) {
        OvVCPListRecord record = (*list)[i];
        DebugPrintf(kOvChannelVCP, "\t[%i] set=%i", i, static_cast<int32_t>(record.flags & 0xFF));
        DebugPrintf(kOvChannelVCP, "\t[%i] set_only_if_different=%i", i, static_cast<int32_t>((record.flags >> 8) & 0xFF));
        DebugPrintf(kOvChannelVCP, "\t[%i] vcp=%04Xh", i, record.vcp);
        DebugPrintf(kOvChannelVCP, "\t[%i] value=%i", i, static_cast<int32_t>(record.value));
        RunListRecord(record);
        const int32_t result = static_cast<int32_t>(record.result);
        DebugPrintf(kOvChannelVCP, "\tresult = %i", result);
        (*list)[i] = record;
        if (result != 0 && result != kContinuingError) {
            DebugPrintf(kOvChannelMonitor, "\terror result = %i so ending", result);
            return result;
        }
        done += step;
        subProgress.SetProgress(done);
    }
    return 0;
}

OvString OvROVUvidedImpl::ScanVCPCodes(uint32_t first, uint32_t last, bool supportedOnly)
{
    if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    if (last < first) last = first;
    OvVCPReply reply;
    reply.resultCode = 1;
    OvString text;
    for (uint32_t id = first;; ++id) {
        if (fDDCControl->GetFeature(id, &reply) != 0) OV_RAISE(kOvIOErr, "OvIOErr");
        if (reply.resultCode == 0 || !supportedOnly) {
            if (!text.IsEmpty()) text += "\n";
            text += FormatVCPReply(static_cast<uint16_t>(id), reply);
        }
        if (id == last) break;
    }
    return text;
}
