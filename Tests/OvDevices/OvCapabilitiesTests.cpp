#include "OvDevices/OvCapabilities.h"

#include <gtest/gtest.h>

#include <string>
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
    EXPECT_EQ(record.parsed, 1);
    EXPECT_EQ(record.technology, 2);
    EXPECT_STREQ(record.typeText.data(), "LCD");
    EXPECT_STREQ(record.mccsVersionText.data(), "2.2");
    EXPECT_STREQ(record.firmwareVersionText.data(), "R1.012");
    EXPECT_EQ(record.assetMemorySize, 64);
    EXPECT_EQ(record.colorTemperatureOffset, 3000);
    EXPECT_EQ(record.vcpIds, (Ids{0x02, 0x04, 0x05, 0x08, 0x10, 0x12, 0x14, 0x16, 0x18, 0x1A, 0x60,
                                  0x62, 0xDF, 0x022B, 0x0236, 0x0254, 0x0257, 0x0268, 0x1050,
                                  0x1051, 0x1097}));
    EXPECT_EQ(record.vcpIdCount, 21);
    EXPECT_EQ(record.valueListOwners, (Ids{0x14, 0x60, 0x0254, 0x1050}));
    EXPECT_EQ(record.valueListCount, 4);
    ASSERT_EQ(record.valueLists.size(), 4u);
    EXPECT_EQ(BlockValues(record.valueLists[0]), (Ids{0x01, 0x02, 0x05, 0x06, 0x08, 0x0B}));
    EXPECT_EQ(BlockValues(record.valueLists[2]), (Ids{0x00, 0x01}));
    EXPECT_EQ(BlockValues(record.valueLists[3]), (Ids{0x00, 0x01, 0x02, 0x03}));
    EXPECT_EQ(record.commandIds, (Ids{0x01, 0x02}));
    EXPECT_EQ(record.commandIdCount, 2);
    EXPECT_EQ(record.commandValueListOwners, (Ids{0x02}));
    EXPECT_EQ(record.commandValueListCount, 1);
    ASSERT_EQ(record.commandValueLists.size(), 1u);
    EXPECT_EQ(BlockValues(record.commandValueLists[0]), (Ids{0x00, 0x01}));
    EXPECT_EQ(record.gammaTablePresent, 1);
    EXPECT_EQ(record.gammaTableSize, 0x300);
    EXPECT_EQ(record.redOffset, 0);
    EXPECT_EQ(record.greenOffset, 0x100);
    EXPECT_EQ(record.blueOffset, 0x200);
}

TEST(Capabilities, TechnologyNeedsAnExactType) {
    EXPECT_EQ(Parse("type(LCD)").technology, 2);
    EXPECT_EQ(Parse("type(lcd)").technology, 2);
    EXPECT_EQ(Parse("type(CRT)").technology, 1);
    EXPECT_EQ(Parse("type(crt_ag)").technology, 1);
    EXPECT_EQ(Parse("type(CRT_AG)").technology, 1);
    EXPECT_EQ(Parse("type(Lcd)").technology, 0);
    EXPECT_EQ(Parse("type(LCD )").technology, 0);
    EXPECT_EQ(Parse("type(LCD").technology, 0);  // not closed: absent
    EXPECT_STREQ(Parse("type(LCD").typeText.data(), "");
}

TEST(Capabilities, CodeListsWithValueListsAndPages) {
    OvCapabilityRecord record = Parse("vcp(10 12 14(01 02 04) 16)");
    EXPECT_EQ(record.vcpIds, (Ids{0x10, 0x12, 0x14, 0x16}));
    EXPECT_EQ(record.valueListOwners, (Ids{0x14}));
    EXPECT_EQ(record.valueLists.at(0)[0], 3u);
    EXPECT_EQ(BlockValues(record.valueLists.at(0)), (Ids{0x01, 0x02, 0x04}));

    record = Parse("vcp(10)vcp_p02(36 68(01 04))");
    EXPECT_EQ(record.vcpIds, (Ids{0x10, 0x0236, 0x0268}));
    EXPECT_EQ(record.valueListOwners, (Ids{0x0268}));
    EXPECT_EQ(BlockValues(record.valueLists.at(0)), (Ids{0x01, 0x04}));

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
    record = Parse("vcp(4(01))");
    EXPECT_EQ(record.vcpIds, (Ids{0x04, 0x01}));
    EXPECT_TRUE(record.valueListOwners.empty());
}

TEST(Capabilities, NumbersAndTheGammaTablePattern) {
    EXPECT_EQ(Parse("asset_eep(40)").assetMemorySize, 64);
    EXPECT_EQ(Parse("asset_eep(64)").assetMemorySize, 64);
    EXPECT_EQ(Parse("asset_eep(32)").assetMemorySize, 32);
    EXPECT_EQ(Parse("asset_eep(80)").assetMemorySize, 128);
    EXPECT_EQ(Parse("asset_eep(zz)").assetMemorySize, 0);
    EXPECT_EQ(Parse("c_tmp_ofst(BB8)").colorTemperatureOffset, 3000);
    EXPECT_EQ(Parse("c_tmp_ofst( 0xbb8)").colorTemperatureOffset, 3000);

    OvCapabilityRecord record =
        Parse("gamma_table(size( 300)r_ofs(0 )g_ofs(100) b_ofs(200))");
    EXPECT_EQ(record.gammaTablePresent, 1);
    EXPECT_EQ(record.gammaTableSize, 0x300);  // a blank matches no white space too
    EXPECT_EQ(record.redOffset, 0);
    EXPECT_EQ(record.greenOffset, 0);  // ")" does not match the blank: reading stopped
    EXPECT_EQ(record.blueOffset, 0);

    record = Parse("gamma_table(size(300)   r_ofs(10) g_ofs(100) b_ofs(200)");
    EXPECT_EQ(record.gammaTablePresent, 0);
    EXPECT_EQ(record.gammaTableSize, 0);
    EXPECT_EQ(Parse("gamma_table()").gammaTablePresent, 1);
}

TEST(Capabilities, RecordStaysUnparsedWithoutVcpAndIsClearedEachTime) {
    OvCapabilityRecord record = Parse("type(LCD)mccs_ver(2.1)cmds_c2(01)");
    EXPECT_EQ(record.parsed, 0);
    EXPECT_EQ(record.technology, 2);
    EXPECT_STREQ(record.mccsVersionText.data(), "2.1");
    EXPECT_EQ(record.commandIds, (Ids{0x01}));

    ParseCapabilities(record, kDisplayText);
    ParseCapabilities(record, "vcp()");
    EXPECT_EQ(record.parsed, 1);
    EXPECT_TRUE(record.vcpIds.empty());
    EXPECT_TRUE(record.valueLists.empty());
    EXPECT_EQ(record.technology, 0);
    EXPECT_STREQ(record.firmwareVersionText.data(), "");
    EXPECT_EQ(record.gammaTablePresent, 0);

    ParseCapabilities(record, kDisplayText);
    ClearCapabilityRecord(record);
    EXPECT_EQ(record.parsed, 0);
    EXPECT_EQ(record.vcpIdCount, 0);
    EXPECT_TRUE(record.commandValueLists.empty());
    EXPECT_EQ(record.assetMemorySize, 0);
    EXPECT_STREQ(record.typeText.data(), "");
}

TEST(Capabilities, ElementsAreFoundByPlainSearchAndNeedTheirClosingParenthesis) {
    OvCapabilityRecord record = Parse("mccs_ver(2.2)mccs_ver(3.0)mpu_ver(a(b)c)");
    EXPECT_STREQ(record.mccsVersionText.data(), "2.2");
    EXPECT_STREQ(record.firmwareVersionText.data(), "a(b)c");
    EXPECT_STREQ(Parse("xtype(CRT)").typeText.data(), "CRT");
    // The text ends at a NUL, as the string the display sent does.
    EXPECT_EQ(Parse(std::string_view("vcp(10)\0type(LCD)", 17)).technology, 0);
}

TEST(Capabilities, HostileTextsStayInBounds) {
    std::string values;
    for (int i = 0; i < 300; ++i) values += i % 2 ? "AA " : "01 ";
    const std::string longList = "vcp(10(" + values + "))";
    OvCapabilityRecord record = Parse(longList);
    ASSERT_EQ(record.valueLists.size(), 1u);
    EXPECT_EQ(record.valueLists[0][0], 255u);
    EXPECT_EQ(record.valueLists[0][1], 0x01u);
    EXPECT_EQ(record.valueLists[0][255], 0x01u);
    EXPECT_EQ(ParseValueList(longList.substr(4), 0x10, {}), 300);

    const std::string longType = "type(" + std::string(1000, 'L') + ")";
    record = Parse(longType);
    EXPECT_EQ(std::string(record.typeText.data()), std::string(255, 'L'));
    EXPECT_EQ(record.technology, 0);

    EXPECT_EQ(Parse("vcp(((10 12)").parsed, 0);
    EXPECT_EQ(Parse("vcp(10 12))(((").vcpIds, (Ids{0x10, 0x12}));
    EXPECT_EQ(Parse("vcp(10 page)").vcpIds, (Ids{0x10}));
    EXPECT_EQ(Parse("vcp(10 pag)").vcpIds, (Ids{0x10, 0x0A}));
    EXPECT_EQ(Parse("vcp(page-1 10)").vcpIds, (Ids{0xFFFFFF10}));
    int32_t valueListCount = 0;
    EXPECT_EQ(ParseCodeList("10 page", nullptr, valueListCount, nullptr), 1);
    EXPECT_EQ(ParseCodeList("1", nullptr, valueListCount, nullptr), 1);
    EXPECT_EQ(Parse("c_tmp_ofst(FFFFFFFFFFFF)").colorTemperatureOffset, -1);

    std::string manyLists = "vcp(";
    for (int i = 0; i < 300; ++i) manyLists += "10(01)";
    record = Parse(manyLists + ")");
    EXPECT_EQ(record.valueLists.size(), static_cast<size_t>(kOvMaxValueLists));
    EXPECT_EQ(record.valueListCount, kOvMaxValueLists);
    EXPECT_EQ(record.valueListOwners.size(), static_cast<size_t>(kOvMaxValueLists));
    EXPECT_EQ(record.vcpIdCount, 300);
}
