#include "OvDevices/OvVCPNames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

// The rows' order and uniqueness are checked where the table is defined.
TEST(VCPNames, EveryRowIsThereAndItsNameCarriesItsId) {
    const auto table = VCPNameTable();
    ASSERT_EQ(table.size(), 509u);
    std::map<int, int> rowsPerPage;
    for (size_t i = 0; i < table.size(); ++i) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "VCP_%04X_", static_cast<unsigned>(table[i].id));
        EXPECT_EQ(std::string(table[i].name).substr(0, 9), prefix);
        EXPECT_GT(std::string(table[i].name).size(), 9u);
        ++rowsPerPage[table[i].id >> 8];
    }
    EXPECT_EQ(rowsPerPage, (std::map<int, int>{{0x00, 115}, {0x02, 204}, {0x03, 3}, {0x10, 172}, {0x11, 15}}));
}

// Names are spelled as the displays report them, odd spellings included; ids without a
// row get the hexadecimal fallback.
TEST(VCPNames, NamesAndFallbacks) {
    const std::pair<int32_t, const char*> names[] = {
        {0x0000, "VCP_0000_DEGAUSS"}, {0x0001, "VCP_0001_DEGAUSS"}, {0x0010, "VCP_0010_BRIGHTNESS"},
        {0x009B, "VCP_009B_SIX_AXIS_HUE_COL0R_CONTROL_RED"}, {0x009F, "VCP_009F_SIX_AXIS_HUE_COL0R_COMTROL_BLUE"},
        {0x00A0, "VCP_00A0_SIX_AXIS_HUE_COL0R_CONTROL_MAGENTA"}, {0x022B, "VCP_022B_VISEO_OFF_TIMER"},
        {0x0059, "VCP_0059_6_AXIS_SATURATION_CONTROL_RED"}, {0x0212, "VCP_0212_6_AXIS_SATURATION_CONTROL_RED"},
        {0x0264, "VCP_0264_HOURS_RUNNING_ON_TIME_OBSOLETE"}, {0x0268, "VCP_0268_HOURS_RUNNING_ON_TIME_OBSOLETE"},
        {0x10B7, "VCP_10B7_AUTO_ADJUST"}, {0x1052, "VCP_1052_PA_WHITE_POINT_CIE_x_VALUE"},
        {0x10F8, "VCP_10F8_PANEL_NATIVE_WHITE_x_value_x1000"}, {0x1097, "VCP_1097_COLOR_CONVERT_STATUS"},
        {0x114D, "VCP_114D_ACTIVE_PICTURE_FRAME_CONTROL"}, {0x0003, "VCP 0x0003"}, {0x1234, "VCP 0x1234"},
        {0xFFFF, "VCP 0xFFFF"},
        {0x0310, "VCP 0x0310"},  // code 0x10 exists on page 0 only
        {0x10010, "VCP 0x10010"}, {-1, "VCP 0xFFFFFFFF"},
    };
    for (const auto& [id, name] : names) EXPECT_STREQ(VCPName(id).Chars(), name);
}
