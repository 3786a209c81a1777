#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>

#include "HostSide.h"

using namespace OvEmulatorTest;

namespace {

bool BlockChecksumHolds(const uint8_t* block) { return std::accumulate(block, block + 128, 0u) % 256 == 0; }

// The 13-byte text of the display descriptor 00 00 00 tag 00 in the base block, its 0x0A
// shown as "|".
std::string DescriptorText(const Bytes& block, uint8_t tag)
{
    for (size_t at = 54; at < 126; at += 18) {
        if (block[at] || block[at + 1] || block[at + 2] || block[at + 3] != tag || block[at + 4]) continue;
        std::string field(block.begin() + static_cast<long>(at) + 5, block.begin() + static_cast<long>(at) + 18);
        std::replace(field.begin(), field.end(), '\n', '|');
        return field;
    }
    return "<none>";
}

// A descriptor text as the catalogue writes it: the text, 0x0A, blanks to 13 bytes.
std::string Padded(const std::string& text)
{
    return text + "|" + std::string(12 - text.size(), ' ');
}

}  // namespace

TEST(EmulatedEdid, ReadsBothBlocksThroughTheOffsetPointer)
{
    HostSide host("PA322UHD");
    ASSERT_EQ(host.Write(0xA0, {0x00}), 0);
    const Bytes base = host.Read(0xA1, 128);
    EXPECT_EQ(Bytes(base.begin(), base.begin() + 12),
              (Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x38, 0xA3, 0x21, 0x2B}));
    EXPECT_TRUE(BlockChecksumHolds(base.data()));
    EXPECT_EQ(base[126], 1);

    const Bytes extension = host.Read(0xA1, 128);  // the pointer moved on to 0x80
    EXPECT_EQ(extension[0], 0x02);
    EXPECT_TRUE(BlockChecksumHolds(extension.data()));
    EXPECT_EQ(host.Read(0xA1, 128), base);  // and wraps at 256
    ASSERT_EQ(host.Write(0xA0, {0x80}), 0);
    EXPECT_EQ(host.Read(0xA1, 128), extension);
}

TEST(EmulatedEdid, CatalogueModelsCarryTheirIdentity)
{
    const struct {
        const char* name;
        uint32_t vendorProduct;
        bool digital;
        const char* serial;
    } models[] = {{"PA271W", 0xA3386810, true, "91000123"}, {"PA322UHD", 0xA3382B21, true, "64003017"},
                  {"PA311D", 0xA338690C, true, "86000142"}, {"SV241C", 0xA33866CB, true, "7X000310"},
                  {"V193A", 0xA3381234, false, "43105522"}, {"V192L", 0xA338667D, true, "51000777"},
                  {"SV272Q", 0xA338668D, true, "52000468"}, {"SV231S", 0xA33866AB, true, "53000231"},
                  {"SV242P", 0xA33866E8, true, "54000242"}, {"PA241W", 0xA3382B1B, true, "55000241"}};
    ASSERT_EQ(OvEmulator::ModelCatalogue().size(), std::size(models));
    for (const auto& e : models) {
        SCOPED_TRACE(e.name);
        const OvEmulator::EmulatedModel* model = OvEmulator::FindModel(e.name);
        ASSERT_NE(model, nullptr);
        const OvEmulator::EdidMemory memory = model->Edid();
        const Bytes block(memory.begin(), memory.begin() + 128);
        EXPECT_EQ(uint32_t{block[9]} << 24 | block[8] << 16 | block[11] << 8 | block[10], e.vendorProduct);
        EXPECT_EQ(model->VendorProductId(), e.vendorProduct);
        EXPECT_TRUE(BlockChecksumHolds(block.data()));
        EXPECT_EQ(Bytes(block.begin() + 18, block.begin() + 20), (Bytes{1, 4}));  // EDID 1.4
        EXPECT_EQ(block[20] >= 0x80, e.digital);
        EXPECT_EQ(DescriptorText(block, 0xFC), Padded(e.name));
        EXPECT_EQ(DescriptorText(block, 0xFF), Padded(e.serial));
        if (block[126] == 0) {
            EXPECT_EQ(memory[128], 0xFF) << "erased memory behind a lone block";
        }
    }
    EXPECT_EQ(OvEmulator::FindModel("pa271w"), OvEmulator::FindModel("PA271W"));
    EXPECT_EQ(OvEmulator::FindModel("PA999"), nullptr);
    EXPECT_EQ(OvEmulator::FindModel("PA311D")->usbId, 0x0409046Bu);
}
