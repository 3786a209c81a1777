#define OV_SOURCE_FILE "Source/OvDevices/OvVCPSettleTimes"
#include "OvDevices/OvVCPSettleTimes.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

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
    {0x0268, 3000, 3000, kNone},  // hours running (obsolete use)
    {0x02B3, 1000, 1000, kNone},  // set luminance
    {0x02C2, 500, 500, kNone},    // uniformity compensation on/off
    {0x02E8, 3000, 3000, kNone},  // custom gamma value
    {0x02EE, 500, 500, kNone},    // colour compensation level
    {0x1050, 3500, 3500, kNone},  // picture mode
    {0x1051, 2000, 2000, kNone},  // picture preset
    {0x1052, 2000, 4000, kNone},  // white point CIE x
    {0x1053, 2000, 4000, kNone},  // white point CIE y
    {0x105C, 2000, 2000, kNone},  // metamerism correction
    {0x1067, 5000, 5000, 3},      // disable colour conversion; 3 switches it back at once
    {0x1069, 2000, 2000, kNone},  // 3D LUT print preview
    {0x1071, 2000, 2000, kNone},  // reset current RGB xy
    {0x1107, 3000, 3000, kNone},  // save 3D LUT RAM to EEPROM
    {0x1147, 500, 500, kNone},    // engine mode
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
