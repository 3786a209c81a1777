// zezctl with --sim against simulation files in a temporary application-data folder,
// starting from the description that "sim init" writes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Support/OvTestFolder.h"
#include "ZezctlRunner.h"

using testing::HasSubstr;
using Lines = std::vector<std::string>;

namespace {

class ZezctlSimulator : public testing::Test {
protected:
    std::filesystem::path Description() const { return fFolders.AppData() / "Ovelin" / "MonitorSimulation.txt"; }

private:
    OvScopedTestFolders fFolders;
};

// A text file as a text stream reads it (zezctl writes its lines with CR LF on Windows).
std::string FileText(const std::filesystem::path& file)
{
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST_F(ZezctlSimulator, SimInitWritesTheMissingDescriptionAndKeepsAnExistingOne)
{
    // Without a description no simulated display answers.
    const ZezctlResult none = RunZezctl("--sim detect");
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.empty());
    EXPECT_EQ(none.ErrorLines(), Lines{"error: no display found: no simulated display answers on ports 0 to 11; "
                                       "'zezctl sim init' writes a starter description"});

    const ZezctlResult written = RunZezctl("sim init --displays 2");
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, Description().string() + "\n");
    const std::string text = FileText(Description());
    EXPECT_THAT(text, HasSubstr("Display0 = ZEZ/Display0\nRect0 = ZEZ/Display0/Rect\nDisplay1 = ZEZ/Display1\n"));
    EXPECT_THAT(text, HasSubstr("\tDisplay1 = \n\t{\n\t\tZEZPort = 1\n\t\tRect = 1920 0 1920 1200\n"));
    EXPECT_THAT(text, testing::Not(HasSubstr("Display2")));

    const ZezctlResult again = RunZezctl("sim init");
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.ErrorLines(), Lines{"error: '" + Description().string() + "' exists; add --force to overwrite it"});
    EXPECT_EQ(FileText(Description()), text);
    EXPECT_EQ(RunZezctl("sim init --force").status, 0);
    EXPECT_THAT(FileText(Description()), testing::Not(HasSubstr("Display1")));

    const ZezctlResult tooMany = RunZezctl("sim init --displays 4 --force");
    EXPECT_EQ(tooMany.status, 2);
    EXPECT_EQ(tooMany.ErrorLines(), Lines{"error: malformed display count '4': give a number from 1 to 3"});
}

TEST_F(ZezctlSimulator, CommandsDriveTheSimulatedDisplays)
{
    ASSERT_EQ(RunZezctl("sim init --displays 2").status, 0);
    const ZezctlResult detect = RunZezctl("--sim detect");
    ASSERT_EQ(detect.status, 0) << detect.err;
    EXPECT_EQ(detect.OutLines(), (Lines{"Port  Model      Serial      Vendor-product  Input    Link       Interface",
                                        "0     LCD2180UX  44100983YB  0xA338662C      digital  simulated  -",
                                        "1     LCD2180UX  44100984YB  0xA338662C      digital  simulated  -"}));
    EXPECT_THAT(RunZezctl("--sim --port 1 edid").out,
                HasSubstr("Serial text       44100984YB\n"
                          "Extension blocks  0\nChecksum          0xC6 (valid)\n"));
    EXPECT_THAT(RunZezctl("--sim capabilities").out, HasSubstr("MCCS version               1.1\n"));

    EXPECT_EQ(RunZezctl("--sim setvcp brightness 60").out,
              "VCP_0010_BRIGHTNESS (0x0010): set to 60 (was 0, max 100)\n");
    EXPECT_EQ(RunZezctl("--sim getvcp 0x10").out, "VCP_0010_BRIGHTNESS (0x0010): current 60, max 100\n");
    EXPECT_EQ(RunZezctl("--sim brightness 40%").out, "brightness: 100.0% -> 40.0%\n");

    // What the simulator stored is there to check.
    const ZezctlResult show = RunZezctl("sim show");
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_THAT(show.out, HasSubstr("\t\tVCPVAL_0010 = 60\n"));
    EXPECT_THAT(show.out, HasSubstr("\t\tBrightness = 0.400000\n"));

    const ZezctlResult stats = RunZezctl("--sim --stats getvcp brightness");
    EXPECT_THAT(stats.out, HasSubstr("Statistics: none (the simulated display exchanges no DDC/CI traffic)\n"));
}
