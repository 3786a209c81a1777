// The calibration paths of the newer series: Series 90 writes verified chunks of a table
// whose size, full scale and finishing steps depend on the model; Series PA writes a
// 16-bit table through the target curve in the PA-series layout.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include <algorithm>

#include "OvCore/OvError.h"
#include "OvDevices/OvCalibrationLists.h"
#include "OvDevices/OvCalibrationTables.h"
#include "OvDevices/OvCapabilities.h"
#include "OvDevices/OvDDCResult.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvThrottledProgress.h"
#include "OvDevices/OvVCPIds.h"
#include "OvSystem/OvPlatform.h"
#include "OvSystem/OvSystem.h"
#include "OvTools/OvDebug.h"
#include "Progress/OvProgress.h"

using namespace OvCalibrationTables;

namespace {

constexpr uint32_t kCalibrationVcpDelayMs = 100;
constexpr uint32_t kLutSizeDelayMs = 1000;
constexpr int32_t kBeforeUploadMs = 2000;
constexpr int32_t kExtraSaveDelayMs = 10000;
constexpr uint32_t kColorConvertOff = 3;
constexpr uint32_t kColorConvertOn = 1;
constexpr uint32_t kVideoInputNeedingSmallChunks = 0x0F;
constexpr uint32_t kPALayoutTableSize = 0x300;

// How a Series 90 model stores its table and finishes the download.
enum class Series90Finish { kRefreshAndSave, kColorConvert, kHalfTable, kStoreOnly };
struct Series90Variant {
    std::span<const OvIdRange> ids;  // empty: every other model of the path
    int32_t entries;                 // per channel
    int32_t spacing;                 // default distance of the channels in the table memory
    int32_t fullScale;               // when the display does not report one
    int32_t chunk;                   // entries per verified write
    bool identityTest;               // an identity transform is set by a command instead
    bool switchesColorConvertOff;    // and asks for the 256-entry table; chunks of 4 on input 0x0F
    Series90Finish finish;
};

constexpr OvIdRange kStoreOnly[] = {{kOvSeries90StoreOnlyId, kOvSeries90StoreOnlyId}};

const Series90Variant kSeries90Variants[] = {
    {kOvSeries90FullScale4095, 1024, 1024, 4095, 16, true, false, Series90Finish::kRefreshAndSave},
    {kOvSeries90FullScale4095NoIdentityTest, 1024, 1024, 4095, 16, false, false, Series90Finish::kRefreshAndSave},
    {kOvSeries90HalfTable, 256, 256, 1023, 8, false, false, Series90Finish::kHalfTable},
    {kStoreOnly, 256, 256, 1023, 16, false, false, Series90Finish::kStoreOnly},
    {kOvColorConvertGroup, 256, 1024, 1023, 8, false, true, Series90Finish::kColorConvert},
    {{}, 1024, 1024, 1023, 16, true, false, Series90Finish::kRefreshAndSave},
};

const Series90Variant& Series90VariantOf(uint32_t id)
{
    for (const Series90Variant& variant : kSeries90Variants) {
        if (variant.ids.empty() || OvIdListContains(variant.ids, id)) return variant;
    }
    return kSeries90Variants[std::size(kSeries90Variants) - 1];
}

// The steps after a Series 90 upload that make the display apply and keep the table.
void Finish(OvROVUvidedImpl& device, Series90Finish finish)
{
    switch (finish) {
    case Series90Finish::kColorConvert:
        device.SaveGammatable();
        device.RefreshGammatable();
        device.SetPagedVCP(kVcpDisableColorConvert, kColorConvertOn, kCalibrationVcpDelayMs, true);
        device.WaitForColorConvert();
        break;
    case Series90Finish::kHalfTable:
        device.SaveGammatable();
        device.RefreshGammatable();
        device.SetPagedVCP(kVcpHoursRunningObsolete, 1, kCalibrationVcpDelayMs, true);
        device.SetPagedVCP(kVcpHoursRunningObsolete, 6, kCalibrationVcpDelayMs, true);
        break;
    case Series90Finish::kStoreOnly: device.SaveGammatable(); break;
    case Series90Finish::kRefreshAndSave:
        device.RefreshGammatable();
        device.SaveGammatable();
        break;
    }
}

}  // namespace

int32_t OvROVUvidedImpl::ChunkForVideoInput(int32_t chunk)
{
    uint32_t input = 0;
    uint32_t maximum = 0;
    return GetPagedVCP(kVcpVideoInput, &input, &maximum) && input == kVideoInputNeedingSmallChunks ? 4 : chunk;
}

bool OvROVUvidedImpl::SetLinearTableByCommand()
{
    uint32_t current = 0;
    uint32_t maximum = 0;
    if (!GetPagedVCP(kVcpResetProgrammableGamma, &current, &maximum)) return false;
    DebugPrintf(kOvChannelMonitor, "- %s", "Setting linear LUT by command");
    // Two accesses to one VCP in a row are separated by a read of another.
    if (fLastVCPId == kVcpResetProgrammableGamma) GetPagedVCP(kVcpBrightness, &current, &maximum);
    return SetPagedVCP(kVcpResetProgrammableGamma, 1, kCalibrationVcpDelayMs, true);
}

void OvROVUvidedImpl::SetRGBCalibrationSeries90(OvTrafo& calibration, OvProgress* progress)
{
    DebugPrintf(kOvChannelMonitor, "DDC2Device%s", "::SetRGBCalibrationSeries90");
    OvThrottledProgress throttled(progress, OvPlatform::TickCount());
    if (!fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    const uint32_t id = GetVendorProductID();
    const Series90Variant& variant = Series90VariantOf(id);
    int32_t entries = variant.entries;
    int32_t chunk = variant.chunk;
    if (variant.switchesColorConvertOff) {
        SetPagedVCP(kVcpDisableColorConvert, kColorConvertOff, kCalibrationVcpDelayMs, true);
        chunk = ChunkForVideoInput(chunk);
        SetPagedVCP(kVcpGammaLutSize, 1, kCalibrationVcpDelayMs, true);
    }
    // A display that makes its table linear by command needs no upload.
    const bool linearByCommand = variant.identityTest && IsIdentity(calibration) && SetLinearTableByCommand();
    if (!linearByCommand) {
        uint32_t current = 0;
        uint32_t maximum = 0;
        if (entries > 256 && GetPagedVCP(kVcpGammaLutSize, &current, &maximum)) {
            if (current != 1) SetPagedVCP(kVcpGammaLutSize, 1, kLutSizeDelayMs, true);
            entries = 256;
        }
        const int32_t fullScale = GetPagedVCP(kVcpCscGain, &current, &maximum) ? static_cast<int32_t>(current)
                                                                               : variant.fullScale;
        const ChannelEntries table = Series90(calibration, entries, fullScale);
        const std::array<int32_t, kChannels> offsets = Series90Offsets(variant.spacing);
        SleepMs(kBeforeUploadMs);
        for (int32_t c = 0; c < kChannels; ++c) {
            for (int32_t j = 0; j < entries; j += chunk) {
                const int32_t count = std::min(chunk, entries - j);
                GammaTableWriteChunkVerifyAndRetry(table[c].data() + j, static_cast<uint16_t>(offsets[c] + j), count);
                throttled.Report(static_cast<double>(c * entries + j + count) / (kChannels * entries));
            }
        }
    }
    Finish(*this, variant.finish);
    SaveSettings();
    if (OvIdListContains(kOvExtraSaveDelayIds, id)) {
        DebugPrintf(kOvChannelMonitor, "- 10s extra delay for id %0X", id);
        SleepMs(kExtraSaveDelayMs);
    }
    if (progress) progress->SetProgress(1.0);
}

std::array<int32_t, 3> OvROVUvidedImpl::Series90Offsets(int32_t spacing)
{
    // A capability string without a gamma_table element leaves the offsets at 0, which
    // would put the three channels on top of each other: the defaults apply then.
    const OvCapabilityRecord& record = GetCapabilityRecord();
    if (record.parsed && record.gammaTablePresent) return {record.redOffset, record.greenOffset, record.blueOffset};
    return {0, spacing, 2 * spacing};
}

void OvROVUvidedImpl::SetRGBCalibrationSeriesPA(OvTrafo& calibration, OvProgress* progress)
{
    DebugPrintf(kOvChannelMonitor, "DDC2Device%s", "::SetRGBCalibrationSeriesPA");
    const OvCapabilityRecord& record = GetCapabilityRecord();
    if (!record.parsed || !fDDCControl) OV_RAISE(kOvIOErr, "OvIOErr");
    OvSubProgress steps(progress, 0.0, 1.0);
    SetPagedVCP(kVcpDisableColorConvert, kColorConvertOff, kCalibrationVcpDelayMs, true);
    SetPagedVCP(kVcpHoursRunningObsolete, 6, kCalibrationVcpDelayMs, true);
    const ChannelEntries table = SeriesPA(calibration, fCommandValue == 0.0 ? 2.0 : fCommandValue);
    const int32_t chunk = ChunkForVideoInput(8);
    if (record.gammaTableSize != static_cast<int32_t>(kPALayoutTableSize))
        SetPagedVCP(kVcpGammaLutSize, 1, kCalibrationVcpDelayMs, true);
    if (record.greenOffset == 0) OV_RAISE(kOvIOErr, "OvIOErr");

    const int32_t offsets[kChannels] = {record.redOffset, record.greenOffset, record.blueOffset};
    const double rangeEnds[kChannels] = {0.3, 0.6, 0.9};
    bool failed = false;
    for (int32_t c = 0; c < kChannels && !failed; ++c) {
        steps.NextRange(rangeEnds[c]);
        for (int32_t j = 0; j < kEntries256 && !failed; j += chunk) {
            const int32_t count = std::min(chunk, kEntries256 - j);
            failed = fDDCControl->WritePATableChunkVerified(table[c].data() + j, static_cast<uint16_t>(offsets[c] + j),
                                                            count) != kOvDDCOk;
            if (!failed) steps.SetProgress(j / 256.0);
        }
    }
    steps.NextRange(1.0);
    // A failed write stops the upload but is not raised: the display keeps what it got.
    if (!failed) {
        SaveGammatable();
        steps.SetProgress(0.3);
        RefreshGammatable();
        steps.SetProgress(0.6);
        if (SetPagedVCP(kVcpDisableColorConvert, kColorConvertOn, kCalibrationVcpDelayMs, true)) WaitForColorConvert();
    }
    SaveSettings();
    steps.SetProgress(1.0);
}
