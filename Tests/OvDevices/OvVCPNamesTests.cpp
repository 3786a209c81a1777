#include "OvDevices/OvVCPNames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

std::string Text(const OvString& text) {
    return text.Chars();
}

}  // namespace

TEST(VCPNames, TableIsSortedUniqueAndNamesCarryTheirId) {
    const auto table = VCPNameTable();
    ASSERT_EQ(table.size(), 509u);
    std::map<int, int> rowsPerPage;
    for (size_t i = 0; i < table.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(table[i - 1].id, table[i].id) << "row " << i;
        }
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "VCP_%04X_", static_cast<unsigned>(table[i].id));
        EXPECT_EQ(std::string(table[i].name).substr(0, 9), prefix);
        EXPECT_GT(std::string(table[i].name).size(), 9u);
        ++rowsPerPage[table[i].id >> 8];
    }
    const std::map<int, int> expected = {{0x00, 115}, {0x02, 204}, {0x03, 3}, {0x10, 172}, {0x11, 15}};
    EXPECT_EQ(rowsPerPage, expected);
}

TEST(VCPNames, NamesAreSpelledAsTheDisplaysReportThem) {
    EXPECT_EQ(Text(VCPName(0x0000)), "VCP_0000_DEGAUSS");
    EXPECT_EQ(Text(VCPName(0x0001)), "VCP_0001_DEGAUSS");
    EXPECT_EQ(Text(VCPName(0x0010)), "VCP_0010_BRIGHTNESS");
    EXPECT_EQ(Text(VCPName(0x009B)), "VCP_009B_SIX_AXIS_HUE_COL0R_CONTROL_RED");
    EXPECT_EQ(Text(VCPName(0x009F)), "VCP_009F_SIX_AXIS_HUE_COL0R_COMTROL_BLUE");
    EXPECT_EQ(Text(VCPName(0x00A0)), "VCP_00A0_SIX_AXIS_HUE_COL0R_CONTROL_MAGENTA");
    EXPECT_EQ(Text(VCPName(0x022B)), "VCP_022B_VISEO_OFF_TIMER");
    EXPECT_EQ(Text(VCPName(0x0059)), "VCP_0059_6_AXIS_SATURATION_CONTROL_RED");
    EXPECT_EQ(Text(VCPName(0x0212)), "VCP_0212_6_AXIS_SATURATION_CONTROL_RED");
    EXPECT_EQ(Text(VCPName(0x0264)), "VCP_0264_HOURS_RUNNING_ON_TIME_OBSOLETE");
    EXPECT_EQ(Text(VCPName(0x0268)), "VCP_0268_HOURS_RUNNING_ON_TIME_OBSOLETE");
    EXPECT_EQ(Text(VCPName(0x10B7)), "VCP_10B7_AUTO_ADJUST");
    EXPECT_EQ(Text(VCPName(0x1052)), "VCP_1052_PA_WHITE_POINT_CIE_x_VALUE");
    EXPECT_EQ(Text(VCPName(0x10F8)), "VCP_10F8_PANEL_NATIVE_WHITE_x_value_x1000");
    EXPECT_EQ(Text(VCPName(0x1097)), "VCP_1097_COLOR_CONVERT_STATUS");
    EXPECT_EQ(Text(VCPName(0x114D)), "VCP_114D_ACTIVE_PICTURE_FRAME_CONTROL");
}

TEST(VCPNames, IdsWithoutARowGetTheHexadecimalFallback) {
    EXPECT_EQ(Text(VCPName(0x0003)), "VCP 0x0003");
    EXPECT_EQ(Text(VCPName(0x1234)), "VCP 0x1234");
    EXPECT_EQ(Text(VCPName(0xFFFF)), "VCP 0xFFFF");
    EXPECT_EQ(Text(VCPName(0x0310)), "VCP 0x0310");  // code 0x10 exists on page 0 only
    EXPECT_EQ(Text(VCPName(0x10010)), "VCP 0x10010");
    EXPECT_EQ(Text(VCPName(-1)), "VCP 0xFFFFFFFF");
}
