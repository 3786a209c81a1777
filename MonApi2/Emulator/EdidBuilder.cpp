#include "MonApi2/Emulator/EdidBuilder.h"

#include <algorithm>
#include <cmath>

namespace OvEmulator {
namespace {

constexpr uint8_t kHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr uint8_t kMonitorNameTag = 0xFC;
constexpr uint8_t kSerialTag = 0xFF;
constexpr uint8_t kRangeLimitsTag = 0xFD;
constexpr DetailedTiming kFullHd60 = {148500, 1920, 280, 88, 44, 1080, 45, 4, 5, 0, 0};

uint8_t Lo(uint32_t v) { return static_cast<uint8_t>(v & 0xFF); }

void FinishBlock(uint8_t* block)
{
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < kEdidBlockSize; ++i) sum += block[i];
    block[kEdidBlockSize - 1] = static_cast<uint8_t>(0x100 - (sum & 0xFF));
}

void WriteTiming(uint8_t* d, const DetailedTiming& t)
{
    const uint32_t clock = t.pixelClockKHz / 10;
    d[0] = Lo(clock);
    d[1] = Lo(clock >> 8);
    d[2] = Lo(t.hActive);
    d[3] = Lo(t.hBlank);
    d[4] = static_cast<uint8_t>(((t.hActive >> 8) << 4) | (t.hBlank >> 8));
    d[5] = Lo(t.vActive);
    d[6] = Lo(t.vBlank);
    d[7] = static_cast<uint8_t>(((t.vActive >> 8) << 4) | (t.vBlank >> 8));
    d[8] = Lo(t.hFront);
    d[9] = Lo(t.hSync);
    d[10] = static_cast<uint8_t>(((t.vFront & 0x0F) << 4) | (t.vSync & 0x0F));
    d[11] = static_cast<uint8_t>(((t.hFront >> 8) << 6) | ((t.hSync >> 8) << 4) | ((t.vFront >> 4) << 2) | (t.vSync >> 4));
    d[12] = Lo(t.widthMm);
    d[13] = Lo(t.heightMm);
    d[14] = static_cast<uint8_t>(((t.widthMm >> 8) << 4) | (t.heightMm >> 8));
    d[17] = 0x1E;  // digital separate sync, both polarities positive
}

// A display descriptor: 00 00 00 tag 00, then 13 bytes of text ended by 0x0A and padded
// with blanks.
void WriteTextDescriptor(uint8_t* d, uint8_t tag, const std::string& text)
{
    d[3] = tag;
    const size_t length = std::min<size_t>(text.size(), 13);
    std::fill(d + 5, d + 18, uint8_t{0x20});
    std::copy_n(text.begin(), length, d + 5);
    if (length < 13) d[5 + length] = 0x0A;
}

void WriteRangeLimits(uint8_t* d, const DetailedTiming& t)
{
    const uint32_t hTotal = uint32_t{t.hActive} + t.hBlank;
    const uint32_t vTotal = uint32_t{t.vActive} + t.vBlank;
    const uint32_t hKHz = t.pixelClockKHz / hTotal;
    const uint32_t refresh = t.pixelClockKHz * 1000 / (hTotal * vTotal);
    d[3] = kRangeLimitsTag;
    d[5] = 24;
    d[6] = Lo(std::max<uint32_t>(refresh + 16, 61));
    d[7] = 30;
    d[8] = Lo(hKHz + 1);
    d[9] = Lo((t.pixelClockKHz + 9999) / 10000);
    d[10] = 0x00;  // default GTF
    d[11] = 0x0A;
    std::fill(d + 12, d + 18, uint8_t{0x20});
}

void WriteChromaticity(uint8_t* block, const Chromaticity& c)
{
    const auto q = [](double v) { return static_cast<uint32_t>(std::lround(v * 1024)) & 0x3FF; };
    const uint32_t v[8] = {q(c.redX), q(c.redY), q(c.greenX), q(c.greenY), q(c.blueX), q(c.blueY), q(c.whiteX), q(c.whiteY)};
    block[25] = static_cast<uint8_t>(((v[0] & 3) << 6) | ((v[1] & 3) << 4) | ((v[2] & 3) << 2) | (v[3] & 3));
    block[26] = static_cast<uint8_t>(((v[4] & 3) << 6) | ((v[5] & 3) << 4) | ((v[6] & 3) << 2) | (v[7] & 3));
    for (int i = 0; i < 8; ++i) block[27 + i] = Lo(v[i] >> 2);
}

void WriteBaseBlock(uint8_t* block, const EdidDescription& e)
{
    std::copy(std::begin(kHeader), std::end(kHeader), block);
    block[8] = kZezManufacturer[0];
    block[9] = kZezManufacturer[1];
    block[10] = Lo(e.productCode);
    block[11] = Lo(e.productCode >> 8);
    for (int i = 0; i < 4; ++i) block[12 + i] = Lo(e.serialNumber >> (8 * i));
    block[16] = e.week;
    block[17] = Lo(e.year - 1990u);
    block[18] = 1;
    block[19] = 4;
    block[20] = e.videoInput;
    block[21] = e.widthCm;
    block[22] = e.heightCm;
    block[23] = 120;   // gamma 2.2
    block[24] = 0xEA;  // standby, suspend, active off; RGB colour; preferred timing first
    WriteChromaticity(block, e.colors);
    block[35] = 0x21;  // 640x480@60, 800x600@60
    block[36] = 0x08;  // 1024x768@60
    std::fill(block + 38, block + 54, uint8_t{0x01});
    block[38] = 0x81;  // 1280x1024@60
    block[39] = 0x80;
    WriteTiming(block + 54, e.preferred);
    WriteRangeLimits(block + 72, e.preferred);
    WriteTextDescriptor(block + 90, kMonitorNameTag, e.monitorName);
    WriteTextDescriptor(block + 108, kSerialTag, e.serialText);
    block[126] = e.ceaExtension ? 1 : 0;
    FinishBlock(block);
}

void WriteCeaBlock(uint8_t* block)
{
    block[0] = 0x02;  // CEA-861 extension
    block[1] = 0x03;
    block[2] = 0x04;  // no data blocks: the detailed timings start at byte 4
    block[3] = 0x00;
    WriteTiming(block + 4, kFullHd60);
    FinishBlock(block);
}

}  // namespace

EdidMemory BuildEdid(const EdidDescription& description)
{
    EdidMemory memory{};
    WriteBaseBlock(memory.data(), description);
    if (description.ceaExtension) {
        WriteCeaBlock(memory.data() + kEdidBlockSize);
    } else {
        std::fill(memory.begin() + kEdidBlockSize, memory.end(), uint8_t{0xFF});
    }
    return memory;
}

uint32_t EdidVendorProductId(std::span<const uint8_t> edid)
{
    if (edid.size() < 12) return 0;
    return uint32_t{edid[9]} << 24 | uint32_t{edid[8]} << 16 | uint32_t{edid[11]} << 8 | edid[10];
}

}  // namespace OvEmulator
