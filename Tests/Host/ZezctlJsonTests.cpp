// --json: each command prints one JSON object that carries the facts of its text form.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "Support/OvTestFolder.h"
#include "ZezctlRunner.h"

using Json = nlohmann::json;

namespace {

Json JsonOf(const std::string& arguments)
{
    const ZezctlResult result = RunZezctl(arguments + " --json");
    EXPECT_EQ(result.status, 0) << arguments << ": " << result.err;
    return Json::parse(result.out);  // throws, and fails the test, unless it is one JSON text
}

// The cell of a text row: the words after the label, up to the end.
std::string TextFact(const std::vector<std::string>& lines, const std::string& label)
{
    for (const std::string& line : lines) {
        if (line.rfind(label, 0) != 0) continue;
        const size_t start = line.find_first_not_of(' ', label.size());
        return start == std::string::npos ? "" : line.substr(start);
    }
    return "(no line " + label + ")";
}

}  // namespace

TEST(ZezctlJson, EachCommandCarriesTheFactsOfItsText)
{
    const OvScopedEnvironment noWaits("OV_TEST_TIME_SCALE", "0");  // curves reads the whole table
    const std::string pa = "--emulate PA271W ";
    const Json detect = JsonOf("--emulate PA271W,USB:PA311D detect");
    ASSERT_EQ(detect.at("displays").size(), 2u);
    EXPECT_EQ(detect["displays"][0]["model"], "PA311D");
    EXPECT_EQ(detect["displays"][0]["link"], "USB");
    EXPECT_EQ(detect["displays"][1]["vendorProductId"], "0xA3386810");
    EXPECT_EQ(detect["displays"][1]["interface"], "DISPLAY1");

    const Json info = JsonOf(pa + "info");
    const struct {
        const char* key;
        const char* label;
    } facts[] = {{"model", "Model"}, {"serial", "Serial number"}, {"vendorProductId", "Vendor-product id"},
                 {"screenSize", "Screen size"}, {"runningHours", "Running hours"}, {"lut3d", "3D LUT"}};
    const std::vector<std::string> infoText = RunZezctl(pa + "info").OutLines();
    for (const auto& fact : facts) EXPECT_EQ(info.at(fact.key), TextFact(infoText, fact.label)) << fact.key;

    const Json getvcp = JsonOf(pa + "getvcp brightness 0x1054");
    EXPECT_EQ(getvcp.at("controls")[0], Json::parse(R"({"id":"0x0010","name":"VCP_0010_BRIGHTNESS","supported":true,
                                                         "current":70,"maximum":100})"));
    EXPECT_EQ(getvcp["controls"][1]["maximum"], 500);

    const Json scan = JsonOf(pa + "scan 0x10 0x16 --all");
    EXPECT_EQ(scan.at("tried"), 7);
    EXPECT_EQ(scan.at("supported"), 4);  // the text's "4 of 7 ids supported"
    EXPECT_EQ(scan["controls"][1]["supported"], false);

    const Json capabilities = JsonOf(pa + "capabilities");
    EXPECT_EQ(capabilities.at("string").get<std::string>() + "\n", RunZezctl(pa + "capabilities --raw").out);
    EXPECT_EQ(capabilities.at("vcpCodes").size(), 33u);
    EXPECT_EQ(capabilities["gammaTable"]["greenOffset"], 0x400);
    EXPECT_EQ(capabilities["vcpCodes"][4]["values"], Json::parse("[1, 2, 4, 5, 6, 8, 11]"));

    const Json curves = JsonOf("--emulate V193A curves");
    EXPECT_EQ(curves.at("family"), "ignore-gain");
    EXPECT_EQ(curves["channels"]["blue"]["values"].size(), 256u);
    EXPECT_EQ(curves["channels"]["blue"]["samples"]["255"], curves["channels"]["blue"]["values"][255]);
}
