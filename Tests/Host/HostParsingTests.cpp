// The host's own readers of outside input: the command line, the values a user types,
// the EDID and the error the plug-in throws.
#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "Catalogue/CapabilityView.h"
#include "Cli/CommandLine.h"
#include "Cli/ValueParsing.h"
#include "Commands/CommandTable.h"
#include "Display/EdidDecoder.h"
#include "HostError.h"
#include "Plugin/DeviceCall.h"

namespace {

template <class Call>
std::string UsageMessage(Call call)
{
    try {
        call();
    } catch (const UsageError& error) {
        return error.what();
    }
    return "no UsageError";
}

CommandLine Parse(std::vector<std::string> tokens)
{
    return ParseCommandLine(tokens, &CommandFlags);
}

}  // namespace

TEST(HostParsing, VcpIdsComeAsNamesOrNumbers)
{
    EXPECT_EQ(ParseVcpId("brightness"), 0x0010);
    EXPECT_EQ(ParseVcpId("Vcp_1054_PA_Black_Level"), 0x1054);
    EXPECT_EQ(ParseVcpId("0x1051"), 0x1051);
    EXPECT_EQ(ParseVcpId("0X1a"), 0x001A);
    EXPECT_EQ(ParseVcpId("16"), 0x0010);
    EXPECT_EQ(ParseVcpId("10:51"), 0x1051);
    EXPECT_EQ(ParseVcpId("2:5"), 0x0205);
    for (const char* bad : {"", "0x", "65536", "1:", ":1", "100:1", "1:100", "-1", "16 "}) {
        EXPECT_EQ(UsageMessage([&] { ParseVcpId(bad); }),
                  std::string("malformed VCP id '") + bad +
                      "': give a catalogue name (brightness, VCP_0010_BRIGHTNESS), 0x1051, 16 or 10:51");
    }
}

TEST(HostParsing, ValuesAndLevelsAreCheckedWhole)
{
    EXPECT_EQ(ParseVcpValue("60"), 60u);
    EXPECT_EQ(ParseVcpValue("0xFFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(UsageMessage([] { ParseVcpValue("4294967296"); }),
              "malformed VCP value '4294967296': give a number such as 60 or 0x3C");
    const auto setting = [](const char* text) {
        const VcpSetting parsed = ParseVcpSetting(text);
        return std::pair(parsed.relative, parsed.amount);
    };
    EXPECT_EQ(setting("0x3C"), std::pair(false, int64_t{60}));
    EXPECT_EQ(setting("-0x10"), std::pair(true, int64_t{-16}));
    EXPECT_EQ(setting("+4294967295"), std::pair(true, int64_t{4294967295}));
    for (const char* bad : {"+", "--5", "+4294967296", "+ 5"}) {
        EXPECT_EQ(UsageMessage([&] { ParseVcpSetting(bad); }),
                  "malformed VCP change '" + std::string(bad) + "': give a signed number such as +5 or -5");
    }
    EXPECT_DOUBLE_EQ(ParseLevel("0.5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseLevel("50%"), 0.5);
    EXPECT_DOUBLE_EQ(ParseLevel(".25"), 0.25);
    EXPECT_DOUBLE_EQ(ParseLevel("0.123456789012345678901"), 0.123456789012345678901);
    EXPECT_DOUBLE_EQ(ParseLevel("100%"), 1.0);
    EXPECT_EQ(UsageMessage([] { ParseLevel("1e-1"); }),
              "malformed level '1e-1': give a fraction (0.5) or a percentage (50%)");
    EXPECT_EQ(UsageMessage([] { ParseLevel("%"); }),
              "malformed level '%': give a fraction (0.5) or a percentage (50%)");
    EXPECT_EQ(UsageMessage([] { ParseLevel("1.01"); }), "level '1.01' out of range: give 0 to 1 or 0% to 100%");
    EXPECT_EQ(ParseInteger("-1", -1, 255, "display id"), -1);
    EXPECT_EQ(UsageMessage([] { ParseInteger("99999999999", 0, 255, "port"); }),
              "malformed port '99999999999': give a number from 0 to 255");
}

TEST(HostParsing, CommandLineTakesOptionsAnywhereAndNegativeNumbersAsArguments)
{
    const CommandLine line = Parse({"command", "--sim", "TargetCurve", "-2", "--port=3", "--display", "-1", "--stats"});
    EXPECT_EQ(line.command, "command");
    EXPECT_EQ(line.arguments, (std::vector<std::string>{"TargetCurve", "-2"}));
    EXPECT_TRUE(line.options.simulator);
    EXPECT_TRUE(line.options.statistics);
    EXPECT_EQ(line.options.port, 3);
    EXPECT_EQ(line.options.displayId, -1);

    const CommandLine flags = Parse({"--emulate", "PA271W", "sim", "init", "--displays=2", "--force", "--", "--all"});
    EXPECT_EQ(flags.options.emulate, "PA271W");
    EXPECT_EQ(flags.flags.at("--displays"), "2");
    EXPECT_TRUE(flags.HasFlag("--force"));
    EXPECT_EQ(flags.arguments, (std::vector<std::string>{"init", "--all"}));

    EXPECT_TRUE(Parse({"getvcp", "-h"}).help);
    EXPECT_EQ(UsageMessage([] { Parse({"--all", "scan"}); }), "unknown option '--all'");
    EXPECT_EQ(UsageMessage([] { Parse({"scan", "--all=yes"}); }), "option --all takes no value");
    EXPECT_EQ(UsageMessage([] { Parse({"sim", "--displays"}); }), "option --displays needs a value");
    EXPECT_EQ(UsageMessage([] { Parse({"-x"}); }), "unknown option '-x'");
}

TEST(HostParsing, EdidDecodingTrustsNothing)
{
    EdidBlock edid{};
    // Header, "ABC" (1, 2, 3 in five bits each), product 0x1234, serial 0x01020304.
    const uint8_t start[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x04, 0x43, 0x34, 0x12,
                             0x04, 0x03, 0x02, 0x01, 0xFF, 0x20, 0x01, 0x03, 0x0E, 0x26, 0x1E};
    std::copy(std::begin(start), std::end(start), edid.begin());
    // A name descriptor with an unprintable byte and no line feed, at the last position.
    const uint8_t name[] = {0x00, 0x00, 0x00, 0xFC, 0x00, 'V', '1', 0x07, 'A',
                            'B',  'C',  'D',  'E',  'F',  'G', 'H', 'I',  'J'};
    std::copy(std::begin(name), std::end(name), edid.begin() + 108);
    edid[126] = 1;

    DecodedEdid decoded = DecodeEdid(edid);
    EXPECT_TRUE(decoded.headerValid);
    EXPECT_EQ(decoded.manufacturer, "ABC");
    EXPECT_EQ(decoded.productCode, 0x1234);
    EXPECT_EQ(decoded.serialNumber, 0x01020304u);
    EXPECT_EQ(decoded.week, 255);
    EXPECT_EQ(decoded.year, 2022);
    EXPECT_FALSE(decoded.digitalInput);
    EXPECT_EQ(decoded.widthCm, 38);
    EXPECT_EQ(decoded.modelName, "V1?ABCDEFGHIJ");
    EXPECT_EQ(decoded.serialText, "");
    EXPECT_EQ(decoded.extensionCount, 1);
    EXPECT_FALSE(decoded.checksumValid);

    edid[127] = static_cast<uint8_t>(256 - std::accumulate(edid.begin(), edid.end() - 1, 0u) % 256);
    EXPECT_TRUE(DecodeEdid(edid).checksumValid);
    edid[0] = 0x01;
    edid[8] = 0x00;  // letter 0 is no letter
    decoded = DecodeEdid(edid);
    EXPECT_FALSE(decoded.headerValid);
    EXPECT_EQ(decoded.manufacturer, "?BC");
    EXPECT_EQ(EdidHexDump(edid, "").substr(0, 52), "00: 01 FF FF FF FF FF FF 00 00 43 34 12 04 03 02 01\n");
}

// CallDevice's catch of a thrown OvError is driven end to end by zezctl's text command test.
TEST(HostParsing, PluginErrorsReadLikeTheFrameworksMessages)
{
    EXPECT_EQ(DescribeOvError(43, "OvIOErr", 625), "Error=43 (OvIOErr, 625)");
    EXPECT_EQ(DescribeOvError(3, "OvIOErr", 0), "Error=3 (OvIOErr)");
    EXPECT_EQ(DescribeOvError(-25, nullptr, 12), "Error=-25");
    EXPECT_EQ(DescribeOvError(0, nullptr, 0), "No Error");
}

TEST(HostParsing, CapabilityCodesKeepTheirValueLists)
{
    const CapabilityView view =
        ParseCapabilityView("(type(LCD)vcp(10 14(01 05) page2(68(01 04)))vcp_p10(51 54(00 01))mccs_ver(2.2))");
    ASSERT_TRUE(view.parsed);
    ASSERT_EQ(view.vcpCodes.size(), 5u);
    EXPECT_EQ(view.vcpCodes[0].id, 0x0010);
    EXPECT_TRUE(view.vcpCodes[0].values.empty());
    EXPECT_EQ(view.vcpCodes[1].values, (std::vector<uint32_t>{0x01, 0x05}));
    EXPECT_EQ(view.vcpCodes[2].id, 0x0268);
    EXPECT_EQ(view.vcpCodes[4].id, 0x1054);
    EXPECT_EQ(view.vcpCodes[4].values, (std::vector<uint32_t>{0x00, 0x01}));
    EXPECT_EQ(view.technology, "LCD");
    EXPECT_EQ(view.mccsVersion, "2.2");
    EXPECT_FALSE(ParseCapabilityView("(type(CRT))").parsed);
}
