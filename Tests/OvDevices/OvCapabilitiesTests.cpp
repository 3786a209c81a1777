#include "OvDevices/OvCapabilities.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using Ids = std::vector<uint32_t>;

OvCapabilityRecord Parse(std::string_view text) {
    OvCapabilityRecord record;
    ParseCapabilities(record, text);
    return record;
}

Ids BlockValues(const OvValueListBlock& block) {
    return Ids(block.begin() + 1, block.begin() + 1 + block[0]);
}

std::string Text(const OvCapabilityText& text) {
    return text.data();
}

// The gamma table's presence, size and offsets.
std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t> Gamma(const OvCapabilityRecord& record) {
    return {record.gammaTablePresent, record.gammaTableSize, record.redOffset, record.greenOffset, record.blueOffset};
}

// As a desktop display of the PA family sends it (shortened).
constexpr const char* kDisplayText =
    "(prot(monitor)type(LCD)model(PA271Q)cmds(01 02 03 07 0C F3)"
    "vcp(02 04 05 08 10 12 14(01 02 05 06 08 0B) 16 18 1A 60(0F 11 12) 62 DF)"
    "mccs_ver(2.2)mpu_ver(R1.012)asset_eep(64)c_tmp_ofst(BB8)"
    "vcp_p02(2B 36 54(00 01) 57 68)vcp_p10(50(00 01 02 03) 51 97)"
    "cmds_c2(01 02(00 01))gamma_table(size(300) r_ofs(0) g_ofs(100) b_ofs(200)))";

}  // namespace

TEST(Capabilities, ReadsEveryElementOfADisplaysText) {
    const OvCapabilityRecord record = Parse(kDisplayText);
    EXPECT_EQ(std::tuple(record.parsed, record.technology, record.assetMemorySize, record.colorTemperatureOffset),
              std::tuple(1, 2, 64, 3000));
    EXPECT_EQ(Text(record.typeText) + "|" + Text(record.mccsVersionText) + "|" + Text(record.firmwareVersionText),
              "LCD|2.2|R1.012");
    EXPECT_EQ(record.vcpIds, (Ids{0x02, 0x04, 0x05, 0x08, 0x10, 0x12, 0x14, 0x16, 0x18, 0x1A, 0x60, 0x62, 0xDF,
                                  0x022B, 0x0236, 0x0254, 0x0257, 0x0268, 0x1050, 0x1051, 0x1097}));
    EXPECT_EQ(record.vcpIdCount, 21);
    EXPECT_EQ(record.valueListOwners, (Ids{0x14, 0x60, 0x0254, 0x1050}));
    EXPECT_EQ(record.valueListCount, 4);
    ASSERT_EQ(record.valueLists.size(), 4u);
    EXPECT_EQ(BlockValues(record.valueLists[0]), (Ids{0x01, 0x02, 0x05, 0x06, 0x08, 0x0B}));
    EXPECT_EQ(BlockValues(record.valueLists[1]), (Ids{0x0F, 0x11, 0x12}));
    EXPECT_EQ(BlockValues(record.valueLists[2]), (Ids{0x00, 0x01}));
    EXPECT_EQ(BlockValues(record.valueLists[3]), (Ids{0x00, 0x01, 0x02, 0x03}));
    EXPECT_EQ(record.commandIds, (Ids{0x01, 0x02}));
    EXPECT_EQ(record.commandValueListOwners, (Ids{0x02}));
    EXPECT_EQ(std::tuple(record.commandIdCount, record.commandValueListCount), std::tuple(2, 1));
    ASSERT_EQ(record.commandValueLists.size(), 1u);
    EXPECT_EQ(BlockValues(record.commandValueLists[0]), (Ids{0x00, 0x01}));
    EXPECT_EQ(Gamma(record), std::tuple(1, 0x300, 0, 0x100, 0x200));
}

TEST(Capabilities, TechnologyNeedsAnExactTypeAndNumbersReadAsTheyCome) {
    const std::pair<const char*, int32_t> types[] = {
        {"type(LCD)", 2},  {"type(lcd)", 2},  {"type(CRT)", 1},  {"type(crt_ag)", 1},
        {"type(CRT_AG)", 1}, {"type(Lcd)", 0}, {"type(LCD )", 0}, {"type(LCD", 0},  // not closed: absent
    };
    for (const auto& [text, technology] : types) EXPECT_EQ(Parse(text).technology, technology) << text;
    EXPECT_EQ(Text(Parse("type(LCD").typeText), "");

    const std::pair<const char*, int32_t> assetSizes[] = {
        {"asset_eep(40)", 64}, {"asset_eep(64)", 64}, {"asset_eep(32)", 32}, {"asset_eep(80)", 128},
        {"asset_eep(zz)", 0},
    };
    for (const auto& [text, size] : assetSizes) EXPECT_EQ(Parse(text).assetMemorySize, size) << text;
    EXPECT_EQ(Parse("c_tmp_ofst(BB8)").colorTemperatureOffset, 3000);
    EXPECT_EQ(Parse("c_tmp_ofst( 0xbb8)").colorTemperatureOffset, 3000);
}

TEST(Capabilities, PageGroupsAndOddNumbersInCodeLists) {
    // A page group keeps its page after it closes; owners inside one are written without
    // their page, so their blocks find no values of that code on page 0.
    const std::string_view grouped = "10 page2(36 68(01 04)) 12";
    Ids ids;
    Ids owners;
    int32_t valueListCount = -1;
    EXPECT_EQ(ParseCodeList(grouped, &ids, valueListCount, &owners), 4);
    EXPECT_EQ(ids, (Ids{0x10, 0x0236, 0x0268, 0x0212}));
    EXPECT_EQ(owners, (Ids{0x68}));
    EXPECT_EQ(valueListCount, 1);
    EXPECT_EQ(ParseValueList(grouped, 0x68, {}), 0);
    EXPECT_EQ(ParseValueList(grouped, 0x0268, {}), 2);
    EXPECT_EQ(ParseCodeList(grouped, nullptr, valueListCount, nullptr), 4);

    // Each number moves the walk two places: a one-digit code swallows the "(" behind it.
    EXPECT_EQ(Parse("vcp(1 2 345)").vcpIds, (Ids{0x01, 0x02, 0x34, 0x05}));
    const OvCapabilityRecord record = Parse("vcp(4(01))");
    EXPECT_EQ(record.vcpIds, (Ids{0x04, 0x01}));
    EXPECT_TRUE(record.valueListOwners.empty());
}

TEST(Capabilities, GammaTableFollowsItsPatternExactly) {
    // A blank in the pattern matches no white space too; ")" does not match it, so
    // reading stops before the green offset.
    EXPECT_EQ(Gamma(Parse("gamma_table(size( 300)r_ofs(0 )g_ofs(100) b_ofs(200))")), std::tuple(1, 0x300, 0, 0, 0));
    EXPECT_EQ(Gamma(Parse("gamma_table(size(300)   r_ofs(10) g_ofs(100) b_ofs(200)")), std::tuple(0, 0, 0, 0, 0));
    EXPECT_EQ(Parse("gamma_table()").gammaTablePresent, 1);
}

TEST(Capabilities, RecordStaysUnparsedWithoutVcpAndIsClearedEachTime) {
    OvCapabilityRecord record = Parse("type(LCD)mccs_ver(2.1)cmds_c2(01)");
    EXPECT_EQ(std::tuple(record.parsed, record.technology), std::tuple(0, 2));
    EXPECT_EQ(Text(record.mccsVersionText), "2.1");
    EXPECT_EQ(record.commandIds, (Ids{0x01}));

    ParseCapabilities(record, kDisplayText);
    ParseCapabilities(record, "vcp()");
    EXPECT_EQ(record.parsed, 1);
    EXPECT_TRUE(record.vcpIds.empty());
    EXPECT_TRUE(record.valueLists.empty());
    EXPECT_EQ(std::tuple(record.technology, record.gammaTablePresent), std::tuple(0, 0));
    EXPECT_EQ(Text(record.firmwareVersionText), "");

    ParseCapabilities(record, kDisplayText);
    ClearCapabilityRecord(record);
    EXPECT_EQ(std::tuple(record.parsed, record.vcpIdCount, record.assetMemorySize), std::tuple(0, 0, 0));
    EXPECT_TRUE(record.commandValueLists.empty());
    EXPECT_EQ(Text(record.typeText), "");
}

TEST(Capabilities, ElementsAreFoundByPlainSearchAndNeedTheirClosingParenthesis) {
    OvCapabilityRecord record = Parse("mccs_ver(2.2)mccs_ver(3.0)mpu_ver(a(b)c)");
    EXPECT_EQ(Text(record.mccsVersionText), "2.2");
    EXPECT_EQ(Text(record.firmwareVersionText), "a(b)c");
    EXPECT_EQ(Text(Parse("xtype(CRT)").typeText), "CRT");
    // The text ends at a NUL, as the string the display sent does.
    EXPECT_EQ(Parse(std::string_view("vcp(10)\0type(LCD)", 17)).technology, 0);
}

TEST(Capabilities, HostileTextsStayInBounds) {
    std::string values;
    for (int i = 0; i < 300; ++i) values += i % 2 ? "AA " : "01 ";
    const std::string longList = "vcp(10(" + values + "))";
    OvCapabilityRecord record = Parse(longList);
    ASSERT_EQ(record.valueLists.size(), 1u);
    EXPECT_EQ(std::tuple(record.valueLists[0][0], record.valueLists[0][1], record.valueLists[0][255]),
              std::tuple(255u, 0x01u, 0x01u));
    EXPECT_EQ(ParseValueList(longList.substr(4), 0x10, {}), 300);

    record = Parse("type(" + std::string(1000, 'L') + ")");
    EXPECT_EQ(Text(record.typeText), std::string(255, 'L'));
    EXPECT_EQ(record.technology, 0);

    EXPECT_EQ(Parse("vcp(((10 12)").parsed, 0);
    const std::pair<const char*, Ids> codeLists[] = {
        {"vcp(10 12))(((", {0x10, 0x12}}, {"vcp(10 page)", {0x10}}, {"vcp(10 pag)", {0x10, 0x0A}},
        {"vcp(page-1 10)", {0xFFFFFF10}},
    };
    for (const auto& [text, ids] : codeLists) EXPECT_EQ(Parse(text).vcpIds, ids) << text;
    int32_t valueListCount = 0;
    EXPECT_EQ(ParseCodeList("10 page", nullptr, valueListCount, nullptr), 1);
    EXPECT_EQ(ParseCodeList("1", nullptr, valueListCount, nullptr), 1);
    EXPECT_EQ(Parse("c_tmp_ofst(FFFFFFFFFFFF)").colorTemperatureOffset, -1);

    std::string manyLists = "vcp(";
    for (int i = 0; i < 300; ++i) manyLists += "10(01)";
    record = Parse(manyLists + ")");
    EXPECT_EQ(record.valueLists.size(), static_cast<size_t>(kOvMaxValueLists));
    EXPECT_EQ(record.valueListOwners.size(), static_cast<size_t>(kOvMaxValueLists));
    EXPECT_EQ(std::tuple(record.valueListCount, record.vcpIdCount), std::tuple(kOvMaxValueLists, 300));
}
