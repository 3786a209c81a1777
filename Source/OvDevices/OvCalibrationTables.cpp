#include "OvDevices/OvCalibrationTables.h"

#include <algorithm>
#include <cmath>

#include "OvMath/OvColorType.h"
#include "OvMath/OvCurveLinearization.h"
#include "OvMath/OvTrafo.h"
#include "OvMath/OvVector.h"

namespace OvCalibrationTables {

namespace {
constexpr double kWhite = 255.0;
constexpr int32_t kTenBitEntries = 1024;
constexpr int32_t kSeries90Knee = 1020;  // with 1024 entries, inputs reach white here
constexpr double kRamp19Inch = 768.0 / 255.0;
constexpr double kFullGainFrom = 192.0;
constexpr double kSixteenBit = 65535.0;
constexpr double kIdentityTolerance = 1e-8;
}  // namespace

Rgb Evaluate(OvTrafo& transform, const Rgb& input)
{
    OvVector colour(kChannels, kOvColorRGB, input[0], input[1], input[2]);
    transform.EvaluateVector(colour);
    return {colour.Get(0), colour.Get(1), colour.Get(2)};
}

int32_t TruncatedEntry(double value)
{
    if (!(value > 0.0)) return 0;  // NaN too
    return value >= kSixteenBit ? 0xFFFF : static_cast<int32_t>(value);
}

void StoreEntry(Table256& table, int32_t channel, int32_t index, int32_t entry)
{
    const size_t at = static_cast<size_t>(channel * kEntries256 * 2 + index * 2);
    table[at] = static_cast<uint8_t>(entry >> 8);
    table[at + 1] = static_cast<uint8_t>(entry);
}

int32_t LoadEntry(const Table256& table, int32_t channel, int32_t index)
{
    const size_t at = static_cast<size_t>(channel * kEntries256 * 2 + index * 2);
    return (table[at] << 8) | table[at + 1];
}

Table256 IgnoreGainTable(OvTrafo& transform)
{
    Table256 table{};
    for (int32_t i = 0; i < kEntries256; ++i) {
        const Rgb out = Grey(transform, i);
        for (int32_t c = 0; c < kChannels; ++c) StoreEntry(table, c, i, TruncatedEntry(out[c] * (1023.0 / 255.0)));
    }
    return table;
}

std::vector<uint8_t> TenBitTable(OvTrafo& transform, int32_t fullScale)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(kChannels * kTenBitEntries * 2));
    for (int32_t i = 0; i < kTenBitEntries; ++i) {
        const Rgb out = Grey(transform, i * (255.0 / 1023.0));
        for (int32_t c = 0; c < kChannels; ++c) {
            const int32_t entry = TruncatedEntry(out[c] * fullScale / 255.0);
            const size_t at = static_cast<size_t>(c * kTenBitEntries * 2 + i * 2);
            bytes[at] = static_cast<uint8_t>(entry >> 8);
            bytes[at + 1] = static_cast<uint8_t>(entry);
        }
    }
    return bytes;
}

NineteenInchTable NineteenInch(OvTrafo& transform)
{
    NineteenInchTable result{};
    const Rgb white = Grey(transform, kWhite);
    for (int32_t c = 0; c < kChannels; ++c) {
        const double truncated = std::isnan(white[c]) ? 0.0 : std::clamp(std::trunc(white[c]), -1.0, kWhite);
        result.white[c] = std::clamp(static_cast<int32_t>(truncated) + 1, 1, 255);
        result.gains[c] = result.white[c] >= kFullGainFrom ? 1.0 : result.white[c] / kFullGainFrom;
    }
    for (int32_t i = 0; i < kEntries256; ++i) {
        for (int32_t c = 0; c < kChannels; ++c) StoreEntry(result.table, c, i, TruncatedEntry(i * kRamp19Inch));
    }
    const bool fullWhite = *std::min_element(result.white.begin(), result.white.end()) >= kFullGainFrom;
    for (int32_t k = 0; k < kChannels; ++k) {
        int32_t previous = 0;
        int32_t i = 0;
        for (; i < kEntries256; ++i) {
            Rgb a = {i / result.gains[0], i / result.gains[1], i / result.gains[2]};
            if (a[k] > kWhite) break;
            a = Evaluate(transform, a);
            for (int32_t c = 0; c < kChannels; ++c) a[c] /= result.white[c];
            const double scaled = fullWhite ? a[k] * 1023.0 : result.white[k] * 4.0 * a[k];
            const int32_t entry = std::max(TruncatedEntry(scaled), previous);
            previous = entry;
            StoreEntry(result.table, k, i, entry);
        }
        result.computed[k] = i;
    }
    return result;
}

ChannelEntries Series90(OvTrafo& transform, int32_t entries, int32_t fullScale)
{
    ChannelEntries table;
    for (auto& channel : table) channel.resize(static_cast<size_t>(std::max(entries, 0)));
    for (int32_t i = 0; i < entries; ++i) {
        double x = 0.0;
        if (entries == kTenBitEntries)
            x = i < kSeries90Knee ? i / static_cast<double>(kSeries90Knee) : 1.0;
        else
            x = entries > 1 ? i / (entries - 1.0) : 0.0;
        const Rgb out = Grey(transform, x * kWhite);
        for (int32_t c = 0; c < kChannels; ++c) table[c][static_cast<size_t>(i)] = TruncatedEntry(out[c] * fullScale / 255.0);
    }
    return table;
}

ChannelEntries SeriesPA(OvTrafo& transform, double targetCurveParameter)
{
    const OvCurveLinearization target(targetCurveParameter);
    ChannelEntries table;
    for (auto& channel : table) channel.resize(kEntries256);
    for (int32_t i = 0; i < kEntries256; ++i) {
        const Rgb out = Grey(transform, i);
        for (int32_t c = 0; c < kChannels; ++c) {
            const double value = std::clamp(target.Evaluate(out[c] / kWhite) * kSixteenBit + 0.5, 0.0, kSixteenBit);
            table[c][static_cast<size_t>(i)] = TruncatedEntry(value);
        }
    }
    return table;
}

bool IsIdentity(OvTrafo& transform)
{
    for (int32_t i = 0; i < kEntries256; ++i) {
        const Rgb out = Grey(transform, i);
        for (const double value : out) {
            if (!(std::fabs(value - i) <= kIdentityTolerance)) return false;
        }
    }
    return true;
}

}  // namespace OvCalibrationTables
