// The display families' tables computed from calibration transforms. Expected values are
// the families' formulas written out here.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "OvDevices/OvCalibrationTables.h"
#include "Support/OvFunctionTrafo.h"

using namespace OvCalibrationTables;

namespace {
using Rgb = OvFunctionTrafo::Rgb;

// A transform that scales each channel: lin(x)[c] = x * scale[c].
OvFunctionTrafo Scaling(Rgb scale)
{
    return OvFunctionTrafo([scale](const Rgb& in) { return Rgb{in[0] * scale[0], in[1] * scale[1], in[2] * scale[2]}; });
}
}  // namespace

TEST(CalibrationTables, EntriesTruncateTowardZeroWithinSixteenBits)
{
    const struct {
        double value;
        int32_t entry;
    } cases[] = {{6.999999999, 6}, {7.0, 7}, {-0.7, 0}, {-5.0, 0}, {65534.99, 65534}, {65535.0, 65535},
                 {1e300, 65535}, {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases) EXPECT_EQ(TruncatedEntry(c.value), c.entry) << c.value;
}

TEST(CalibrationTables, IgnoreGainMapsTheIdentityOntoTenBits)
{
    OvFunctionTrafo identity(OvIdentityRgb);
    const Table256 table = IgnoreGainTable(identity);
    for (int32_t i = 0; i < 256; ++i) {
        for (int32_t c = 0; c < 3; ++c) ASSERT_EQ(LoadEntry(table, c, i), static_cast<int32_t>(i * 1023 / 255)) << i;
    }
    // Just below an entry's boundary the entry below is taken.
    OvFunctionTrafo below([](const Rgb&) { return Rgb{255.0 * 5 / 1023 - 1e-9, 0.0, 0.0}; });
    EXPECT_EQ(LoadEntry(IgnoreGainTable(below), 0, 10), 4);
}

TEST(CalibrationTables, TenBitTableSamples1024InputsOnTheFullScale)
{
    OvFunctionTrafo identity(OvIdentityRgb);
    const std::vector<uint8_t> bytes = TenBitTable(identity, 4095);
    ASSERT_EQ(bytes.size(), 6144u);
    const auto entry = [&](int c, int i) { return (bytes[c * 2048 + 2 * i] << 8) | bytes[c * 2048 + 2 * i + 1]; };
    for (int i : {0, 1, 511, 1022, 1023}) EXPECT_EQ(entry(2, i), static_cast<int>(i * (255.0 / 1023.0) * 4095 / 255.0)) << i;
    EXPECT_EQ(entry(0, 1023), 4095);
}

TEST(CalibrationTables, NineteenInchScalesByTheWhiteAndLetsTheDisplayApplyTheGains)
{
    // White (199.5, 149.5, 255) truncates to (199, 149, 255), plus 1: (200, 150, 255).
    const Rgb scale = {199.5 / 255, 149.5 / 255, 1.0};
    OvFunctionTrafo transform = Scaling(scale);
    const NineteenInchTable result = NineteenInch(transform);
    EXPECT_EQ(result.white, (std::array<int32_t, 3>{200, 150, 255}));
    EXPECT_EQ(result.gains, (Rgb{1.0, 0.78125, 1.0}));
    // The smallest white is below 192: entry = 4 W[k] lin(A)[k] / W[k], A = i / gain.
    const auto expected = [&](int k, int i) {
        const double a = i / result.gains[static_cast<size_t>(k)] * scale[static_cast<size_t>(k)];
        const double w = result.white[static_cast<size_t>(k)];
        return static_cast<int32_t>(w * 4.0 * (a / w));
    };
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(LoadEntry(result.table, 0, i), expected(0, i)) << i;
        ASSERT_EQ(LoadEntry(result.table, 2, i), expected(2, i)) << i;
    }
    // Green's input leaves the scale at i = 200 (200 / 0.78125 = 256): the ramp stays.
    EXPECT_EQ(result.computed, (std::array<int32_t, 3>{256, 200, 256}));
    EXPECT_EQ(LoadEntry(result.table, 1, 199), expected(1, 199));
    EXPECT_EQ(LoadEntry(result.table, 1, 200), static_cast<int32_t>(200 * (768.0 / 255.0)));

    // With every white at 192 or more, entries are lin(A) / W * 1023, never falling.
    OvFunctionTrafo dipping([](const Rgb& in) { return Rgb{in[0] == 100 ? 0.0 : in[0], in[1], in[2]}; });
    const NineteenInchTable full = NineteenInch(dipping);
    EXPECT_EQ(full.gains, (Rgb{1.0, 1.0, 1.0}));
    EXPECT_EQ(LoadEntry(full.table, 0, 100), LoadEntry(full.table, 0, 99));
    EXPECT_EQ(LoadEntry(full.table, 1, 128), static_cast<int32_t>(128.0 / 255 * 1023));
}

TEST(CalibrationTables, Series90SamplesToTheKneeAndRepeatsWhite)
{
    OvFunctionTrafo identity(OvIdentityRgb);
    const ChannelEntries table = Series90(identity, 1024, 1023);
    ASSERT_EQ(table[0].size(), 1024u);
    EXPECT_EQ(identity.inputs[1][0], 1 / 1020.0 * 255);
    for (int i = 1020; i < 1024; ++i) EXPECT_EQ(identity.inputs[static_cast<size_t>(i)][1], 255.0) << i;
    EXPECT_EQ(table[1][1019], static_cast<int32_t>(1019 / 1020.0 * 255 * 1023 / 255.0));
    EXPECT_EQ(table[1][1023], 1023);

    identity.inputs.clear();
    const ChannelEntries small = Series90(identity, 256, 4095);
    EXPECT_EQ(identity.inputs[255][0], 255.0);
    EXPECT_EQ(small[2][128], static_cast<int32_t>(128 / 255.0 * 255 * 4095 / 255.0));
}

TEST(CalibrationTables, SeriesPAPassesTheTargetCurveOntoSixteenBits)
{
    OvFunctionTrafo identity(OvIdentityRgb);
    const ChannelEntries squared = SeriesPA(identity, 2.0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(squared[0][static_cast<size_t>(i)], static_cast<int32_t>(std::pow(i / 255.0, 2) * 65535 + 0.5)) << i;
    // Outputs beyond white are clamped to 65535.
    OvFunctionTrafo bright = Scaling({2.0, 2.0, 2.0});
    EXPECT_EQ(SeriesPA(bright, 1.0)[1][200], 65535);
}

TEST(CalibrationTables, IdentityToleratesOnlyRoundingNoise)
{
    OvFunctionTrafo identity(OvIdentityRgb);
    EXPECT_TRUE(IsIdentity(identity));
    for (const double offset : {5e-9, 2e-8}) {
        OvFunctionTrafo shifted([offset](const Rgb& in) { return Rgb{in[0], in[1] + (in[1] == 77 ? offset : 0), in[2]}; });
        EXPECT_EQ(IsIdentity(shifted), offset < 1e-8) << offset;
    }
}
