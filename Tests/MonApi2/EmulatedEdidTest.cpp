#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "HostSide.h"
#include "MonApi2/Emulator/EmulatedModel.h"

using namespace OvEmulatorTest;

namespace {

bool BlockChecksumHolds(const uint8_t* block) { return std::accumulate(block, block + 128, 0u) % 256 == 0; }

// The text of the display descriptor 00 00 00 tag 00 in the base block, up to 0x0A.
std::string DescriptorText(const std::vector<uint8_t>& block, uint8_t tag, std::string* padding)
{
    for (size_t at = 54; at < 126; at += 18) {
        if (block[at] || block[at + 1] || block[at + 2] || block[at + 3] != tag || block[at + 4]) continue;
        const std::string field(block.begin() + static_cast<long>(at) + 5, block.begin() + static_cast<long>(at) + 18);
        const size_t end = field.find('\n');
        *padding = end == std::string::npos ? "" : field.substr(end + 1);
        return field.substr(0, end);
    }
    return "<none>";
}

}  // namespace

TEST(EmulatedEdid, ReadsBothBlocksThroughTheOffsetPointer)
{
    HostSide host("PA322UHD");
    ASSERT_EQ(host.Write(0xA0, {0x00}), 0);
    const auto base = host.Read(0xA1, 128);
    EXPECT_EQ(std::vector<uint8_t>(base.begin(), base.begin() + 12),
              (std::vector<uint8_t>{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x38, 0xA3, 0x21, 0x2B}));
    EXPECT_TRUE(BlockChecksumHolds(base.data()));
    EXPECT_EQ(base[126], 1);

    const auto extension = host.Read(0xA1, 128);  // the pointer moved on to 0x80
    EXPECT_EQ(extension[0], 0x02);
    EXPECT_TRUE(BlockChecksumHolds(extension.data()));
    EXPECT_EQ(host.Read(0xA1, 128), base);  // and wraps at 256

    ASSERT_EQ(host.Write(0xA0, {0x80}), 0);
    EXPECT_EQ(host.Read(0xA1, 128), extension);
}

TEST(EmulatedEdid, CatalogueModelsCarryTheirIdentity)
{
    struct Expected {
        const char* name;
        uint32_t vendorProduct;
        bool digital;
        const char* serial;
    };
    const Expected models[] = {{"PA271W", 0xA3386810, true, "91000123"},
                               {"PA322UHD", 0xA3382B21, true, "64003017"},
                               {"PA311D", 0xA338690C, true, "86000142"},
                               {"SV241C", 0xA33866CB, true, "7X000310"},
                               {"V193A", 0xA3381234, false, "43105522"}};
    ASSERT_EQ(OvEmulator::ModelCatalogue().size(), std::size(models));
    for (const Expected& e : models) {
        SCOPED_TRACE(e.name);
        const OvEmulator::EmulatedModel* model = OvEmulator::FindModel(e.name);
        ASSERT_NE(model, nullptr);
        const OvEmulator::EdidMemory memory = model->Edid();
        const std::vector<uint8_t> block(memory.begin(), memory.begin() + 128);
        EXPECT_EQ(uint32_t{block[9]} << 24 | uint32_t{block[8]} << 16 | uint32_t{block[11]} << 8 | block[10], e.vendorProduct);
        EXPECT_EQ(model->VendorProductId(), e.vendorProduct);
        EXPECT_TRUE(BlockChecksumHolds(block.data()));
        EXPECT_EQ(block[18], 1);
        EXPECT_EQ(block[19], 4);
        EXPECT_EQ(block[20] >= 0x80, e.digital);
        std::string padding;
        EXPECT_EQ(DescriptorText(block, 0xFC, &padding), e.name);
        EXPECT_EQ(padding, std::string(12 - std::string(e.name).size(), ' '));
        EXPECT_EQ(DescriptorText(block, 0xFF, &padding), e.serial);
        if (block[126] == 0) {
            EXPECT_EQ(memory[128], 0xFF);  // erased memory behind a lone block
        }
    }
    EXPECT_EQ(OvEmulator::FindModel("pa271w"), OvEmulator::FindModel("PA271W"));
    EXPECT_EQ(OvEmulator::FindModel("PA999"), nullptr);
    EXPECT_EQ(OvEmulator::FindModel("PA311D")->usbId, 0x0409046Bu);
}
