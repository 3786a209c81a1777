// zezctl against emulated displays of the stand-in display-interface library, chosen with
// --emulate: a PA271W (PA model group, DDC link) and a PA311D on its USB link.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "ZezctlRunner.h"

using testing::HasSubstr;
using testing::StartsWith;
using Lines = std::vector<std::string>;

namespace {

const std::string kPa271W = "--emulate PA271W ";

bool Contains(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST(ZezctlEmulated, DetectListsEachDisplayWithItsIdentityAndLink)
{
    const ZezctlResult result = RunZezctl("--emulate PA271W,USB:PA311D detect");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.OutLines(), (Lines{"Port  Model   Serial    Vendor-product  Input    Link  Interface",
                                        "0     PA311D  86000142  0xA338690C      digital  USB   USB",
                                        "1     PA271W  91000123  0xA3386810      digital  DDC   DISPLAY1"}));
    // The user is told the displays are not real.
    EXPECT_EQ(result.err, "(emulated display: PA271W,USB:PA311D; no hardware involved, the plug-in's protocol waits run"
                          " in real time; reply delays scaled by 0)\n");
}

TEST(ZezctlEmulated, EdidShowsTheBlockInHexAndDecoded)
{
    const ZezctlResult result = RunZezctl(kPa271W + "edid");
    ASSERT_EQ(result.status, 0) << result.err;
    const Lines lines = result.OutLines();
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], "EDID (128 bytes)");
    EXPECT_EQ(lines[1], "  00: 00 FF FF FF FF FF FF 00 38 A3 10 68 3B 8D 6C 05");
    EXPECT_EQ(lines[8], "  70: 00 39 31 30 30 30 31 32 33 0A 20 20 20 20 00 79");
    EXPECT_EQ(lines[9], "Header            valid");
    EXPECT_THAT(lines[10], testing::EndsWith(" (0x38A3)"));
    EXPECT_EQ(Lines(lines.begin() + 11, lines.end()),
              (Lines{"Product code      0x6810", "Serial number     91000123", "Manufactured      week 23 of 2016",
                     "EDID version      1.4", "Input             digital, 10 bits per colour, DisplayPort",
                     "Screen size       60 x 34 cm", "Model name        PA271W", "Serial text       91000123",
                     "Extension blocks  0", "Checksum          0x79 (valid)"}));
}

TEST(ZezctlEmulated, CapabilitiesShowTheRawStringAndTheParsedView)
{
    const ZezctlResult raw = RunZezctl(kPa271W + "capabilities --raw");
    ASSERT_EQ(raw.status, 0) << raw.err;
    ASSERT_EQ(raw.OutLines().size(), 1u);
    EXPECT_THAT(raw.out, StartsWith("(prot(monitor)type(LCD)model(PA271W)"));

    const ZezctlResult parsed = RunZezctl(kPa271W + "capabilities");
    ASSERT_EQ(parsed.status, 0) << parsed.err;
    const Lines lines = parsed.OutLines();
    EXPECT_EQ(lines[0], "Capability string (" + std::to_string(raw.out.size() - 1) + " characters)");
    EXPECT_EQ(lines[1], "  " + raw.OutLines()[0]);
    EXPECT_TRUE(Contains(lines, "MCCS version               2.2"));
    EXPECT_TRUE(Contains(lines, "Gamma table                size 0xC00, red at 0x0, green at 0x400, blue at 0x800"));
    EXPECT_TRUE(Contains(lines, "VCP codes                  33"));
    EXPECT_TRUE(Contains(lines, "  0x0014  VCP_0014_SELECT_COLOR_PRESET                       01 02 04 05 06 08 0B"));
    EXPECT_TRUE(Contains(lines, "  0x1054  VCP_1054_PA_BLACK_LEVEL"));
}

// The forms of an id are HostParsing's. An unsupported id fails the run, not the ids after it.
TEST(ZezctlEmulated, GetVcpShowsEachValueAndMarksTheUnsupported)
{
    const ZezctlResult result = RunZezctl(kPa271W + "getvcp brightness 0x0003 0x1051 10:54");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.OutLines(), (Lines{"VCP_0010_BRIGHTNESS (0x0010): current 70, max 100",
                                        "VCP_1051_PA_PICTURE_PRESET (0x1051): current 1, max 12",
                                        "VCP_1054_PA_BLACK_LEVEL (0x1054): current 0, max 500"}));
    EXPECT_EQ(result.ErrorLines(), Lines{"error: VCP 0x0003 is not supported by the display"});

    const ZezctlResult terse = RunZezctl(kPa271W + "getvcp --terse brightness 0x0003 10:54");
    EXPECT_EQ(terse.status, 1);
    EXPECT_EQ(terse.OutLines(), (Lines{"VCP 0x0010 C 70 100", "VCP 0x0003 ERR", "VCP 0x1054 C 0 500"}));
}

TEST(ZezctlEmulated, SetVcpWritesInsideTheRangeAndRefusesAboveIt)
{
    const ZezctlResult set = RunZezctl(kPa271W + "setvcp brightness 60");
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.OutLines(), Lines{"VCP_0010_BRIGHTNESS (0x0010): set to 60 (was 70, max 100)"});

    // Changes of the current value (70) stop at the ends of the range.
    const std::pair<const char*, const char*> changes[] = {{"+ 5", "75"}, {"-80", "0"}, {"+0x40", "100"}};
    for (const auto& [change, result] : changes) {
        EXPECT_EQ(RunZezctl(kPa271W + "setvcp brightness " + change).OutLines(),
                  Lines{"VCP_0010_BRIGHTNESS (0x0010): set to " + std::string(result) + " (was 70, max 100)"});
    }

    const ZezctlResult above = RunZezctl(kPa271W + "setvcp 0x1051 13");
    EXPECT_EQ(above.status, 1);
    EXPECT_TRUE(above.out.empty());
    EXPECT_EQ(above.ErrorLines(),
              Lines{"error: value 13 out of range for VCP_1051_PA_PICTURE_PRESET (0x1051): the display takes 0 to 12"});
}

TEST(ZezctlEmulated, ScanListsTheSupportedIdsAndWithAllTheOthers)
{
    const ZezctlResult supported = RunZezctl(kPa271W + "scan 0x10 0x12");
    ASSERT_EQ(supported.status, 0) << supported.err;
    EXPECT_EQ(supported.OutLines(),
              (Lines{"Id      Name                 Value", "0x0010  VCP_0010_BRIGHTNESS  current 70, max 100",
                     "0x0012  VCP_0012_CONTRAST    current 50, max 100", "2 of 3 ids supported"}));
    const ZezctlResult all = RunZezctl(kPa271W + "scan 0x10 0x12 --all");
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.OutLines()[2], "0x0011  VCP_0011_FLESH_TONE_ENHANCEMENT  unsupported");
}

TEST(ZezctlEmulated, NamedControlsReadAndSetLevels)
{
    EXPECT_EQ(RunZezctl(kPa271W + "brightness").out, "brightness: 70.0%\n");
    EXPECT_EQ(RunZezctl(kPa271W + "brightness 50%").out, "brightness: 70.0% -> 50.0%\n");
    EXPECT_EQ(RunZezctl(kPa271W + "gain blue 0.25").out, "blue gain: 100.0% -> 25.0%\n");
    EXPECT_EQ(RunZezctl(kPa271W + "contrast 40%").out, "contrast: set to 40.0% (the interface cannot read it back)\n");
    EXPECT_EQ(RunZezctl(kPa271W + "blacklevel 0.1").out,
              "black level: set to 10.0% (the interface cannot read it back)\n");

    const ZezctlResult noGetter = RunZezctl(kPa271W + "contrast");
    EXPECT_EQ(noGetter.status, 2);
    EXPECT_EQ(noGetter.ErrorLines(), Lines{"error: the device interface has no getter for the contrast; read VCP 0x12 "
                                           "with 'zezctl getvcp contrast'"});
}

TEST(ZezctlEmulated, InfoAndDemoIdentifyTheDisplay)
{
    const ZezctlResult info = RunZezctl(kPa271W + "info");
    ASSERT_EQ(info.status, 0) << info.err;
    const Lines lines = info.OutLines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 8),
              (Lines{"Port               0", "Model              PA271W", "Serial number      91000123",
                     "Vendor-product id  0xA3386810", "Input              digital", "Interface version  9",
                     "Screen size        597 x 336 mm", "Running hours      500"}));

    const ZezctlResult demo = RunZezctl(kPa271W + "demo");
    ASSERT_EQ(demo.status, 0) << demo.err;
    EXPECT_THAT(demo.out, HasSubstr("Display on port 0: PA271W, serial 91000123, vendor-product id 0xA3386810\n"
                                    "  EDID 1.4, made 2016, digital input, checksum valid\n"));
    EXPECT_THAT(demo.out, HasSubstr("VCP_0010_BRIGHTNESS (0x0010): current 70, max 100\n"
                                    "  set to 50, read back 50\n  restored to 70\n"));
}

// The text command interface is not provided by the plug-in yet: its OvError is shown as
// one line. Once it is, "Version" answers the build number.
TEST(ZezctlEmulated, TextCommandShowsTheAnswerOrThePluginsError)
{
    const ZezctlResult result = RunZezctl(kPa271W + "command Version");
    if (result.status == 0) {
        EXPECT_EQ(result.out, "18403\n");
        return;
    }
    EXPECT_EQ(result.status, 1);
    ASSERT_EQ(result.ErrorLines().size(), 1u);
    EXPECT_THAT(result.ErrorLines()[0], StartsWith("error: command Version: Error=1 (OvUndefProc, "));
    EXPECT_THAT(result.ErrorLines()[0], testing::EndsWith(")"));
}

TEST(ZezctlEmulated, StatsSplitTheTrafficTimeOfEachDisplay)
{
    const ZezctlResult result = RunZezctl(kPa271W + "--stats getvcp brightness");
    ASSERT_EQ(result.status, 0) << result.err;
    const Lines lines = result.OutLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "Statistics: I2C traffic per display; wire time at 100 kHz, 9 bits a byte");
    EXPECT_THAT(lines[3], StartsWith("Port  Display  Link  Writes  Reads  Bytes out  Bytes in  I2C errors"));
    std::istringstream row(lines[4]);
    std::string port, display, link;
    unsigned writes = 0, reads = 0, out = 0, in = 0, errors = 0;
    double elapsed = 0, wire = 0, waits = 0;
    row >> port >> display >> link >> writes >> reads >> out >> in >> errors >> elapsed >> wire >> waits;
    EXPECT_EQ(port + display + link, "0PA271WDDC");
    EXPECT_GT(writes, 0u);
    EXPECT_EQ(writes, reads);  // every request gets its reply read
    EXPECT_EQ(errors, 0u);
    EXPECT_NEAR(wire, (writes + reads + out + in) * 0.09, 0.05);  // 9 bits a byte at 100 kHz
    EXPECT_NEAR(waits, elapsed - wire, 0.15);
    EXPECT_GT(waits, wire);  // the protocol waits, not the bytes, take the time
}
