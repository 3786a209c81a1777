#include "OvDevices/OvCalibrationLists.h"
#include "OvDevices/OvVendorLists.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct NamedList {
    const char* name;
    std::span<const OvIdRange> ranges;
};

const NamedList kLists[] = {
    {"internal calibration", kOvInternalCalibrationIds},
    {"PA model group", kOvPAModelGroup},
    {"white point", kOvWhitePointIds},
    {"PA322UHD group", kOvPA322UHDGroup},
    {"3D LUT model group", kOv3DLUTModelGroup},
    {"19-inch path", kOv19InchPath},
    {"10-to-10-bit path", kOv10To10BitPath},
    {"Series PA path", kOvSeriesPAPath},
    {"Series 90 path", kOvSeries90Path},
    {"Series 90 full scale 4095", kOvSeries90FullScale4095},
    {"Series 90 full scale 4095, no identity test", kOvSeries90FullScale4095NoIdentityTest},
    {"Series 90 half table", kOvSeries90HalfTable},
    {"colour-convert group", kOvColorConvertGroup},
    {"extra save delay", kOvExtraSaveDelayIds},
    {"calibration picture mode", kOvCalibrationPictureModeIds},
    {"low brightness mode", kOvLowBrightnessModeIds},
    {"video black level", kOvVideoBlackLevelIds},
    {"unity gain", kOvUnityGainIds},
    {"uniformity on", kOvUniformityOnIds},
};

}  // namespace

// Every range ends exactly where it says, so no two ranges touch or overlap either (the
// lookup does not need them sorted).
TEST(VendorLists, MembershipEndsExactlyAtEachRangeEnd) {
    for (const NamedList& list : kLists) {
        ASSERT_FALSE(list.ranges.empty()) << list.name;
        for (const OvIdRange& range : list.ranges) {
            SCOPED_TRACE(testing::Message() << list.name << std::hex << " " << range.first << "-" << range.last);
            EXPECT_TRUE(OvIdListContains(list.ranges, range.first));
            EXPECT_TRUE(OvIdListContains(list.ranges, range.last));
            EXPECT_FALSE(OvIdListContains(list.ranges, range.first - 1));
            EXPECT_FALSE(OvIdListContains(list.ranges, range.last + 1));
        }
    }
    // The PA322UHD group's models are PA models too.
    for (const OvIdRange& range : kOvPA322UHDGroup) {
        for (uint32_t id = range.first; id <= range.last; ++id)
            EXPECT_TRUE(OvIdListContains(kOvPAModelGroup, id)) << std::hex << id;
    }
    const struct {
        std::span<const OvIdRange> list;
        uint32_t id;
        bool member;
    } known[] = {
        // 0xA3386810 and 0xA3386812 are checked through the device in the spine tests.
        {kOvPAModelGroup, 0xA3386949, false},  {kOvPAModelGroup, 0xA3386948, true},
        {kOvPAModelGroup, 0xA338694A, true},   {kOvWhitePointIds, 0xAC34469D, true},
        {kOvWhitePointIds, 0xA146DA71, false}, {kOvInternalCalibrationIds, 0x613026F1, true},
        {kOv3DLUTModelGroup, 0xA338668D, false}, {kOv3DLUTModelGroup, 0x0409046B, true}, {{}, 0, false},
    };
    for (const auto& k : known) EXPECT_EQ(OvIdListContains(k.list, k.id), k.member) << std::hex << k.id;
}

TEST(VendorLists, USBDisplayIdsAreDistinctZEZProducts) {
    EXPECT_EQ(kOvUSBDisplayIds.front(), 0x0409040Du);
    EXPECT_EQ(kOvUSBDisplayIds.back(), 0x0409044Fu);
    EXPECT_EQ(std::set<uint32_t>(kOvUSBDisplayIds.begin(), kOvUSBDisplayIds.end()).size(), 17u);
    for (const uint32_t id : kOvUSBDisplayIds) EXPECT_EQ(id >> 16, 0x0409u) << std::hex << id;
}
