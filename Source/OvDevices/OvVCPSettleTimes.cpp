#define OV_SOURCE_FILE "Source/OvDevices/OvVCPSettleTimes"
#include "OvDevices/OvVCPSettleTimes.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "OvDevices/OvVCPIds.h"

namespace {

// One entry of the table below, which is sorted by id with each id once.
struct OvVCPSettleTime {
    uint16_t id;             // page * 256 + code
    uint32_t waitMs;
    uint32_t paModelWaitMs;  // for the displays of the PA model group
    int32_t quickValue;      // a value that needs no wait at all; -1 when there is none
};

constexpr int32_t kNone = -1;

constexpr OvVCPSettleTime kSettleTimes[] = {
    {kVcpHoursRunningObsolete, 3000, 3000, kNone},
    {kVcpSetLuminance, 1000, 1000, kNone},
    {kVcpUniformityOnOff, 500, 500, kNone},
    {kVcpCustomGamma, 3000, 3000, kNone},
    {kVcpColorCompLevel, 500, 500, kNone},
    {kVcpPictureModePa, 3500, 3500, kNone},
    {kVcpPicturePresetPa, 2000, 2000, kNone},
    {kVcpWhitePointXPa, 2000, 4000, kNone},
    {kVcpWhitePointYPa, 2000, 4000, kNone},
    {kVcpMetamerismCorrection, 2000, 2000, kNone},
    {kVcpDisableColorConvert, 5000, 5000, 3},  // 3 switches the conversion back on at once
    {kVcpLutPrintPreviewPa, 2000, 2000, kNone},
    {kVcpResetCurrentRgbXyPa, 2000, 2000, kNone},
    {kVcpSaveLutToEepromPa, 3000, 3000, kNone},
    {kVcpEngineMode, 500, 500, kNone},
};

constexpr bool StrictlySorted()
{
    for (size_t i = 1; i < std::size(kSettleTimes); ++i)
        if (kSettleTimes[i - 1].id >= kSettleTimes[i].id) return false;
    return true;
}
static_assert(StrictlySorted(), "the settle times are sorted by id, each id once");

}  // namespace

uint32_t VCPBaseSettleTime(uint32_t vcpId, int32_t value, bool paModel)
{
    const auto entry = std::ranges::lower_bound(kSettleTimes, vcpId, {}, &OvVCPSettleTime::id);
    if (entry == std::end(kSettleTimes) || entry->id != vcpId) return 0;
    if (value == entry->quickValue) return 0;
    return paModel ? entry->paModelWaitMs : entry->waitMs;
}
