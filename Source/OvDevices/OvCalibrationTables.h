#pragma once
// The gamma tables of the display families, computed from a calibration transform: pure
// functions, transform in, entries out. The uploads that send them are the device's.
//
// lin(x) below is the transform applied to the grey (x, x, x) on the 0..255 scale. Every
// conversion from double to entry truncates toward zero; values outside 0..65535 (and
// NaN, as 0) are clamped first, so a wild transform cannot overflow an entry.
#include <array>
#include <cstdint>
#include <vector>

class OvTrafo;

namespace OvCalibrationTables {

constexpr int32_t kChannels = 3;
constexpr int32_t kEntries256 = 256;
// The 256-entry table as the display's memory and the device's table image hold it:
// channel c's entry i at byte c * 512 + 2 i, most significant byte first.
constexpr int32_t kTable256Bytes = kChannels * kEntries256 * 2;
using Table256 = std::array<uint8_t, kTable256Bytes>;
using Rgb = std::array<double, kChannels>;
// One vector of entries per channel: red, green, blue.
using ChannelEntries = std::array<std::vector<int32_t>, kChannels>;

Rgb Evaluate(OvTrafo& transform, const Rgb& input);
inline Rgb Grey(OvTrafo& transform, double x) { return Evaluate(transform, {x, x, x}); }

// trunc(value), clamped to 0..65535.
int32_t TruncatedEntry(double value);
void StoreEntry(Table256& table, int32_t channel, int32_t index, int32_t entry);
int32_t LoadEntry(const Table256& table, int32_t channel, int32_t index);

// Ten-bit entries trunc(lin(i)[c] * 1023 / 255) for i = 0..255.
Table256 IgnoreGainTable(OvTrafo& transform);

// 1024 entries per channel, inputs i * 255 / 1023, on the full scale F; as bytes, channel
// c's entry i at byte c * 2048 + 2 i.
std::vector<uint8_t> TenBitTable(OvTrafo& transform, int32_t fullScale);

// The 19-inch family: the table is scaled by the display's white W (lin(255) truncated,
// plus 1, within 1..255) and the channels' gains are applied by the display instead.
struct NineteenInchTable {
    Table256 table;
    std::array<int32_t, kChannels> white;
    Rgb gains;                                   // 1 where W >= 192, else W / 192
    std::array<int32_t, kChannels> computed;     // entries per channel computed; the rest keep the ramp
};
NineteenInchTable NineteenInch(OvTrafo& transform);

// Series 90: n entries per channel on the full scale F. With 1024 entries the inputs are
// i / 1020 (the last four repeat full white), else i / (n - 1).
ChannelEntries Series90(OvTrafo& transform, int32_t entries, int32_t fullScale);

// Series PA: 256 sixteen-bit entries per channel through the target curve of parameter p.
ChannelEntries SeriesPA(OvTrafo& transform, double targetCurveParameter);

// Whether lin(i) equals (i, i, i) within 1e-8 for every i of 0..255.
bool IsIdentity(OvTrafo& transform);

}  // namespace OvCalibrationTables
