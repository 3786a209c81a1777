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
};

}  // namespace

TEST(VendorLists, RangesAreOrderedSortedAndApart) {
    for (const NamedList& list : kLists) {
        ASSERT_FALSE(list.ranges.empty()) << list.name;
        for (size_t i = 0; i < list.ranges.size(); ++i) {
            EXPECT_LE(list.ranges[i].first, list.ranges[i].last) << list.name << " range " << i;
            if (i > 0) {
                // Apart, not just disjoint: touching ranges would be written as one.
                EXPECT_LT(list.ranges[i - 1].last + 1, list.ranges[i].first) << list.name << " range " << i;
            }
        }
    }
}

TEST(VendorLists, MembershipEndsExactlyAtEachRangeEnd) {
    for (const NamedList& list : kLists) {
        for (const OvIdRange& range : list.ranges) {
            EXPECT_TRUE(OvIdListContains(list.ranges, range.first)) << list.name << std::hex << range.first;
            EXPECT_TRUE(OvIdListContains(list.ranges, range.last)) << list.name << std::hex << range.last;
            EXPECT_FALSE(OvIdListContains(list.ranges, range.first - 1)) << list.name << std::hex << range.first;
            EXPECT_FALSE(OvIdListContains(list.ranges, range.last + 1)) << list.name << std::hex << range.last;
        }
    }
    EXPECT_FALSE(OvIdListContains(kOvPAModelGroup, 0xA3386949));
    EXPECT_TRUE(OvIdListContains(kOvPAModelGroup, 0xA3386948));
    EXPECT_TRUE(OvIdListContains(kOvPAModelGroup, 0xA338694A));
    EXPECT_TRUE(OvIdListContains(kOvWhitePointIds, 0xA3386810));
    EXPECT_FALSE(OvIdListContains(kOvWhitePointIds, 0xA3386812));
    EXPECT_TRUE(OvIdListContains(kOvWhitePointIds, 0xAC34469D));
    EXPECT_FALSE(OvIdListContains(kOvWhitePointIds, 0xA146DA71));
    EXPECT_TRUE(OvIdListContains(kOvInternalCalibrationIds, 0x613026F1));
    EXPECT_FALSE(OvIdListContains({}, 0));
}

TEST(VendorLists, PA322UHDModelsArePAModels) {
    for (const OvIdRange& range : kOvPA322UHDGroup) {
        for (uint32_t id = range.first; id <= range.last; ++id) {
            EXPECT_TRUE(OvIdListContains(kOvPAModelGroup, id)) << std::hex << id;
        }
    }
}

TEST(VendorLists, USBDisplayIdsAreDistinctZEZProducts) {
    EXPECT_EQ(kOvUSBDisplayIds.front(), 0x0409040Du);
    EXPECT_EQ(kOvUSBDisplayIds.back(), 0x0409044Fu);
    EXPECT_EQ(std::set<uint32_t>(kOvUSBDisplayIds.begin(), kOvUSBDisplayIds.end()).size(), 17u);
    for (const uint32_t id : kOvUSBDisplayIds) {
        EXPECT_EQ(id >> 16, 0x0409u) << std::hex << id;
    }
}
