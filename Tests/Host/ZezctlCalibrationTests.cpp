// zezctl's calibration commands end to end against emulated displays that keep their
// state in a folder of the test (OV_MONAPI2_EMULATE_STATE): calibrate from .cal texts and
// ICC vcgt tags and from target curves, curves, lut3d from a .cube, the bad-input cases and
// the progress display.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "CalibrationFixtures.h"
#include "ChildProcess.h"
#include "Support/OvTestFolder.h"
#include "ZezctlRunner.h"

using testing::HasSubstr;

namespace {

constexpr int kEntries = 256;

// A test folder that the emulated displays keep their state in; the plug-in does not wait.
class ZezctlCalibration : public testing::Test {
protected:
    ZezctlCalibration() : fState("OV_MONAPI2_EMULATE_STATE", fFolder.Path("state")), fNoWaits("OV_TEST_TIME_SCALE", "0")
    {
    }

    std::filesystem::path File(const std::string& name) const { return fFolder.Folder() / name; }
    std::filesystem::path StateFile(const std::string& model) const
    {
        return fFolder.Folder() / "state" / ("display1-" + model + ".state");
    }
    void Write(const std::string& name, const std::string& text) const { fFolder.WriteFile(name, text); }

private:
    OvTestFolder fFolder;
    OvScopedEnvironment fState;
    OvScopedEnvironment fNoWaits;
};

// What a 256-entry, 10-bit path makes of a curve: trunc(lin(i) * 1023 / 255), with lin
// the curve on the 0..255 scale.
std::vector<int> TenBitTable(const UnitCurve& curve)
{
    std::vector<int> table;
    for (int i = 0; i < kEntries; ++i) table.push_back(static_cast<int>(255.0 * curve(i / 255.0) * 1023.0 / 255.0));
    return table;
}

// Entries may differ by one where the path truncates a value computed a little differently.
void ExpectWithinTruncation(const std::vector<int>& actual, const std::vector<int>& expected, const std::string& what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (size_t i = 0; i < actual.size(); ++i) ASSERT_NEAR(actual[i], expected[i], 1) << what << ", entry " << i;
}

// The linear interpolation zezctl reads a .cal with, on knots at k / (rows - 1).
UnitCurve Interpolated(const UnitCurve& curve, int rows)
{
    return [curve, rows](double x) {
        const double position = x * (rows - 1);
        const int k = std::min(static_cast<int>(position), rows - 2);
        const double t = position - k;
        return (1 - t) * curve(static_cast<double>(k) / (rows - 1)) + t * curve(static_cast<double>(k + 1) / (rows - 1));
    };
}

const std::array<UnitCurve, 3> kWarmCurves = {
    [](double x) { return std::pow(x, 1.1); },
    [](double x) { return 0.95 * std::pow(x, 1.2); },
    [](double x) { return 0.02 + 0.85 * std::pow(x, 1.3); },
};

std::array<std::vector<int>, 3> CurvesOfDisplay(const std::string& model)
{
    const ZezctlResult curves = RunZezctl("--emulate " + model + " curves --json");
    EXPECT_EQ(curves.status, 0) << curves.err;
    return CurvesJsonValues(curves.out);
}

}  // namespace

// Each source of curves reaches the display as the curves it describes, and a later run
// reads them back from the remembered display. Each target curve's name maps to the
// plug-in's curve code: a wrong code gives another table.
TEST_F(ZezctlCalibration, EachSourceLoadsItsCurvesAndIsVerified)
{
    constexpr int kRows = 9;  // coarse, so the interpolation between rows shows
    Write("warm.cal", CalText(kRows, kWarmCurves));
    const std::array<VcgtFormula, 3> formula = {{{1.0, 0.0, 1.0}, {1.8, 0.0, 0.9}, {2.2, 0.05, 1.0}}};
    WriteVcgtFormulaProfile(File("formula.icm"), formula);
    const auto power = [&formula](size_t c) -> UnitCurve {
        return [f = formula[c]](double x) { return f.minimum + (f.maximum - f.minimum) * std::pow(x, f.gamma); };
    };
    const auto each = [](const UnitCurve& curve) { return std::array<UnitCurve, 3>{curve, curve, curve}; };
    const std::string cal = File("warm.cal").string(), icm = File("formula.icm").string();
    const struct {
        ZezctlArguments arguments;
        std::array<UnitCurve, 3> curves;
        std::string loaded;  // as the output names it
        bool verified;
    } cases[] = {
        {{cal},
         {Interpolated(kWarmCurves[0], kRows), Interpolated(kWarmCurves[1], kRows), Interpolated(kWarmCurves[2], kRows)},
         cal + " (9 entries a channel)", true},
        {{icm, "--no-verify"}, {power(0), power(1), power(2)}, icm + " (4096 entries a channel)", false},
        {{"--gamma", "2.2"}, each([](double x) { return std::pow(x, 2.2); }), "gamma 2.2", true},
        {{"--curve", "linear"}, each([](double x) { return x; }), "the linear curve", true},
        {{"--curve", "srgb"},
         each([](double x) { return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4); }),
         "the srgb curve", true},
        {{"--curve", "lstar"}, each([](double x) {
             const double f = (100 * x + 16) / 116;
             return f > 0.20689655172413793 ? f * f * f : (f - 0.13793103448275862) * 0.12841854934601665;
         }),
         "the lstar curve", true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.loaded);
        ZezctlArguments arguments = {"--emulate", "V193A", "calibrate"};
        arguments.insert(arguments.end(), test.arguments.begin(), test.arguments.end());
        const ZezctlResult loaded = RunZezctl(arguments);
        ASSERT_EQ(loaded.status, 0) << loaded.err;
        EXPECT_EQ(loaded.out, "loaded " + test.loaded + " into the V193A on port 0 (ignore-gain family)\n" +
                                  (test.verified ? "verified: the display holds the table sent (3 x 256 entries read"
                                                   " back, largest difference 0)\n"
                                                 : ""));
        // Off a terminal the plug-in's progress is shown a line a step; their format is ProgressDisplay's.
        EXPECT_THAT(loaded.err, HasSubstr("calibrate: 100%"));
        const auto values = CurvesOfDisplay("V193A");
        for (size_t c = 0; c < 3; ++c)
            ExpectWithinTruncation(values[c], TenBitTable(test.curves[c]), "channel " + std::to_string(c));
    }
}

TEST_F(ZezctlCalibration, VcgtTableGoesThroughTheSeries90PathToTheCapabilityOffsets)
{
    WriteVcgtTableProfile(File("table.icc"), kWarmCurves);
    const ZezctlResult loaded = RunZezctl({"--emulate", "PA271W", "calibrate", File("table.icc").string()});
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_THAT(loaded.out, HasSubstr("verification: not available for the Series 90 family"));
    // The PA271W keeps red, green and blue 0x400 apart (its capability string's gamma_table).
    const DisplayState state = ReadDisplayState(StateFile("PA271W"));
    for (size_t c = 0; c < 3; ++c) {
        std::vector<int> channel;
        for (int i = 0; i < kEntries; ++i) channel.push_back(state.gamma.count(0x400 * int(c) + i) ? state.gamma.at(0x400 * int(c) + i) : 0);
        // The table holds 16-bit rounded entries of the curve.
        const UnitCurve tabulated = [&](double x) { return std::round(kWarmCurves[c](x) * 65535) / 65535; };
        ExpectWithinTruncation(channel, TenBitTable(tabulated), "channel " + std::to_string(c));
    }
}

TEST_F(ZezctlCalibration, CubeIsSampledOnTheDisplaysGrid)
{
    // A linear function of the input, which tetrahedral interpolation reproduces exactly
    // (up to OpenColorIO's single precision, hence a little over one step).
    const auto function = [](const UnitColour& in) {
        return UnitColour{0.8 * in[0] + 0.1 * in[1], 0.2 + 0.7 * in[1], 0.3 * in[0] + 0.5 * in[2]};
    };
    Write("grade.cube", CubeText(5, function));
    const ZezctlResult loaded = RunZezctl({"--emulate", "PA271W", "lut3d", File("grade.cube").string()});
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    const DisplayState state = ReadDisplayState(StateFile("PA271W"));
    constexpr int n = 9;
    for (int p = 0; p < n * n * n; ++p) {
        const UnitColour in = {(p % n) / 8.0, (p / n % n) / 8.0, (p / n / n) / 8.0};
        const UnitColour out = function(in);
        const std::array<int, 3> actual = state.lut.count(p) ? state.lut.at(p) : std::array<int, 3>{};
        for (size_t c = 0; c < 3; ++c) ASSERT_NEAR(actual[c], 4 * 255 * out[c], 1.01) << "point " << p << ", channel " << c;
    }
}

TEST_F(ZezctlCalibration, LutTextCommandsReachTheDisplayAndKeepTheOutputClean)
{
    const ZezctlResult identity = RunZezctl("--emulate PA271W lut3d --identity");
    ASSERT_EQ(identity.status, 0) << identity.err;
    // The plug-in's own "%3.0f %%" lines become zezctl's progress on the standard error.
    EXPECT_EQ(identity.out, "loaded the identity 3D LUT\n");
    EXPECT_THAT(identity.err, HasSubstr("lut3d: 100%"));
    const DisplayState state = ReadDisplayState(StateFile("PA271W"));
    EXPECT_EQ(state.lut.at(8), (std::array<int, 3>{1020, 0, 0}));
    EXPECT_EQ(state.lut.at(9 * 9 * 9 - 1), (std::array<int, 3>{1020, 1020, 1020}));

    ASSERT_EQ(RunZezctl("--emulate PA271W lut3d --swap-red-green").status, 0);
    EXPECT_EQ(ReadDisplayState(StateFile("PA271W")).lut.at(8), (std::array<int, 3>{0, 1020, 0}));
    const ZezctlResult off = RunZezctl("--emulate PA271W lut3d --disable");
    EXPECT_EQ(off.out, "3D LUT switched off\n");
    EXPECT_EQ(RunZezctl("--emulate PA271W getvcp --terse 0x1069").out, "VCP 0x1069 C 1 2\n");
}

TEST_F(ZezctlCalibration, BadInputAndMissingLutAreNamedAndNothingReachesTheDisplay)
{
    Write("columns.cal", "CAL\nNUMBER_OF_FIELDS 2\nBEGIN_DATA_FORMAT\nRGB_I RGB_R\nEND_DATA_FORMAT\n"
                         "NUMBER_OF_SETS 2\nBEGIN_DATA\n0 0\n1 1\nEND_DATA\n");
    Write("range.cal", CalText(5, {[](double x) { return x; }, [](double x) { return 1.5 * x; }, [](double x) { return x; }}));
    const std::string good = CalText(17, kWarmCurves);
    Write("truncated.cal", good.substr(0, good.size() / 2));
    Write("falling.cal", "CAL\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nRGB_I RGB_R RGB_G RGB_B\nEND_DATA_FORMAT\n"
                         "NUMBER_OF_SETS 3\nBEGIN_DATA\n0 0 0 0\n0.6 0.5 0.5 0.5\n0.4 1 1 1\nEND_DATA\n");
    WriteProfileWithoutVcgt(File("plain.icc"));
    WriteVcgtTableProfile(File("whole.icc"), kWarmCurves);
    const std::string profile = OvReadBytes(File("whole.icc"));
    Write("truncated.icc", profile.substr(0, profile.size() - 200));
    Write("broken.cube", "LUT_3D_SIZE 3\n0 0 0\n1 1\n");
    const struct {
        std::string command;
        std::string file;
        std::string reason;
    } cases[] = {
        {"calibrate", "columns.cal", "the CAL sheet has no RGB_G column"},
        {"calibrate", "range.cal", "row 4: RGB_G = 1.125 is outside 0..1"},
        {"calibrate", "truncated.cal", "not a readable CGATS calibration"},
        {"calibrate", "falling.cal", "row 3: RGB_I does not rise"},
        {"calibrate", "plain.icc", "the ICC profile has no vcgt tag"},
        {"calibrate", "truncated.icc", "vcgt"},
        {"calibrate", "missing.cal", "cannot be opened"},
        {"lut3d", "broken.cube", "not a LUT OpenColorIO can read"},
        {"lut3d", "missing.cube", "cannot be opened"},
        {"lut3d", "whole.icc", "an ICC profile, not a LUT file (calibrate loads its vcgt curves)"},
    };
    const auto expectRefused = [this](const char* model, const std::string& command, const std::string& argument,
                                      const testing::Matcher<std::string>& error) {
        SCOPED_TRACE(argument);
        const ZezctlResult result = RunZezctl({"--emulate", model, command, argument});
        EXPECT_EQ(result.status, 1);
        EXPECT_THAT(result.ErrorLines(), testing::ElementsAre(error));
        // The display would have left a state file had anything been written to it.
        EXPECT_FALSE(std::filesystem::exists(StateFile(model)));
    };
    for (const auto& test : cases) {
        const std::string path = File(test.file).string();
        expectRefused("PA271W", test.command, path, testing::AllOf(HasSubstr("error: " + path + ": "), HasSubstr(test.reason)));
    }
    // A display without a 3D LUT refuses every lut3d before anything is sent.
    Write("grade.cube", CubeText(2, [](const UnitColour& in) { return in; }));
    for (const std::string& argument : {File("grade.cube").string(), std::string("--identity"), std::string("--enable")})
        expectRefused("V193A", "lut3d", argument, testing::Eq("error: the V193A on port 0 has no 3D LUT (it is not in the 3D LUT model"
                                                            " group); nothing was sent"));
}

TEST_F(ZezctlCalibration, CurvesSummarizesAndPlotsWhatJsonLists)
{
    ASSERT_EQ(RunZezctl("--emulate V193A calibrate --gamma 2.2").status, 0);
    const ZezctlResult text = RunZezctl({"--emulate", "V193A", "curves", "--plot", File("curves.svg").string()});
    ASSERT_EQ(text.status, 0) << text.err;
    const auto values = CurvesOfDisplay("V193A");
    const std::vector<std::string> lines = text.OutLines();
    ASSERT_EQ(lines.size(), 5u) << text.out;
    EXPECT_THAT(lines[1], testing::StartsWith("Channel  Min  Max   @0  @64  @128  @192  @255  From identity"));
    const auto& red = values[0];
    std::ostringstream expected;
    expected << "red      0    1023  0   " << red[64] << "   " << red[128] << "   " << red[192] << "   1023";
    EXPECT_THAT(lines[2], testing::StartsWith(expected.str()));
    const std::string svg = OvReadBytes(File("curves.svg"));
    EXPECT_THAT(svg, testing::StartsWith("<?xml"));
    EXPECT_THAT(svg, HasSubstr("</svg>"));
    for (const char* label : {">red<", ">green<", ">blue<", ">identity<"}) EXPECT_THAT(svg, HasSubstr(label));
    // Each channel is one polyline of 256 points.
    EXPECT_EQ(static_cast<int>(std::count(svg.begin(), svg.end(), ',')) >= 3 * 256, true);
}

#if defined(__linux__)
// The bar's format is ProgressDisplay's unit test; here zezctl sees the terminal and finishes.
TEST_F(ZezctlCalibration, ProgressIsABarRedrawnInPlaceOnATerminal)
{
    const std::string screen = RunUnderTerminal(ZEZCTL_PATH, Words("--emulate V193A calibrate --gamma 2.0"));
    EXPECT_THAT(screen, HasSubstr("\rcalibrate [##############################] 100%  0:00 elapsed, done"));
    EXPECT_THAT(screen, testing::Not(HasSubstr("calibrate: 10%")));
}
#endif

TEST_F(ZezctlCalibration, PrepareAndWhitePointReachTheDisplay)
{
    const ZezctlResult prepared = RunZezctl("--emulate PA271W prepare 50%");
    ASSERT_EQ(prepared.status, 0) << prepared.err;
    EXPECT_EQ(prepared.out, "prepared for measurement at brightness 50.0%\n");
    EXPECT_EQ(RunZezctl("--emulate PA271W getvcp --terse brightness").out, "VCP 0x0010 C 50 100\n");

    const ZezctlResult white = RunZezctl("--emulate PA271W whitepoint 1 0.9 0.8");
    ASSERT_EQ(white.status, 0) << white.err;
    EXPECT_NE(RunZezctl("--emulate PA271W getvcp --terse 0x1052").out, "VCP 0x1052 C 3127 10000\n");
}
