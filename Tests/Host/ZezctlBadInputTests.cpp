// Wrong command lines and missing pieces: each ends with one "error:" line naming the
// reason and a non-zero status (2 for the command line, 1 for the operation), never a crash.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "Support/OvTestFolder.h"
#include "ZezctlRunner.h"

using Lines = std::vector<std::string>;

namespace {

void ExpectFailure(const ZezctlArguments& arguments, int status, const std::string& error,
                   const std::filesystem::path& program = ZEZCTL_PATH)
{
    const ZezctlResult result = RunZezctl(arguments, program);
    const std::string shown = testing::PrintToString(arguments);
    EXPECT_EQ(result.status, status) << shown;
    EXPECT_EQ(result.ErrorLines(), Lines{"error: " + error}) << shown;
    EXPECT_TRUE(result.out.empty()) << shown;
}

void ExpectFailure(const std::string& words, int status, const std::string& error,
                   const std::filesystem::path& program = ZEZCTL_PATH)
{
    ExpectFailure(Words(words), status, error, program);
}

}  // namespace

TEST(ZezctlBadInput, UnknownCommandsAndOptionsAreUsageErrors)
{
    ExpectFailure("", 2, "no command given ('zezctl --help' lists the commands)");
    ExpectFailure("frobnicate", 2, "unknown command 'frobnicate' ('zezctl --help' lists the commands)");
    ExpectFailure("detect --frob", 2, "unknown option '--frob' for command 'detect'");
    ExpectFailure("--port x detect", 2, "malformed port 'x': give a number from 0 to 255");
    ExpectFailure("--port", 2, "option --port needs a value");
    ExpectFailure("--sim=1 detect", 2, "option --sim takes no value");
    ExpectFailure("detect extra", 2, "too many arguments: usage: zezctl detect");
    ExpectFailure("gain purple", 2, "unknown gain 'purple': give red, green or blue");
    ExpectFailure("sim frob", 2, "unknown action 'sim frob': give 'sim init' or 'sim show'");
}

TEST(ZezctlBadInput, MalformedIdsAndValuesAreUsageErrors)
{
    const std::string pa = "--emulate PA271W ";
    const std::string idHint = "give a catalogue name (brightness, VCP_0010_BRIGHTNESS), 0x1051, 16 or 10:51";
    ExpectFailure(pa + "getvcp bright", 2, "malformed VCP id 'bright': " + idHint);
    ExpectFailure(pa + "getvcp 0x10000", 2, "malformed VCP id '0x10000': " + idHint);
    ExpectFailure(pa + "getvcp 100:1", 2, "malformed VCP id '100:1': " + idHint);
    ExpectFailure(pa + "getvcp degauss", 2, "ambiguous VCP name 'degauss': VCP_0000_DEGAUSS, VCP_0001_DEGAUSS");
    ExpectFailure(pa + "setvcp brightness five", 2, "malformed VCP value 'five': give a number such as 60 or 0x3C");
    ExpectFailure(pa + "setvcp brightness +x", 2, "malformed VCP change '+x': give a signed number such as +5 or -5");
    ExpectFailure(pa + "setvcp brightness 5 5", 2, "unexpected argument '5': usage: zezctl setvcp ID [+|-]VALUE");
    ExpectFailure(pa + "setvcp brightness", 2, "missing arguments: usage: zezctl setvcp ID [+|-]VALUE");
    ExpectFailure(pa + "brightness 150%", 2, "level '150%' out of range: give 0 to 1 or 0% to 100%");
    ExpectFailure(pa + "brightness half", 2, "malformed level 'half': give a fraction (0.5) or a percentage (50%)");
    ExpectFailure(pa + "scan 0x20 0x10", 2, "the scan range 0x0020 to 0x0010 is empty");
}

TEST(ZezctlBadInput, MissingPluginOrDisplayFailsTheOperation)
{
    const ZezctlResult missing = RunZezctl("--plugin nowhere/OvROVUvided.so detect");
    EXPECT_EQ(missing.status, 1);
    ASSERT_EQ(missing.ErrorLines().size(), 1u);
    EXPECT_THAT(missing.ErrorLines()[0],
                testing::StartsWith("error: cannot load the plug-in 'nowhere/OvROVUvided.so': "));

    const ZezctlResult notPlugin = RunZezctl(ZezctlArguments{"--plugin", MONAPI2_PATH, "detect"});
    EXPECT_EQ(notPlugin.status, 1);
    EXPECT_EQ(notPlugin.ErrorLines(), Lines{std::string("error: '") + MONAPI2_PATH +
                                            "' is not a plug-in: it does not export InitPlugin and RegisterModules"});

#if defined(__linux__)
    // A copy of zezctl and the plug-in without MONAPI2 beside them.
    {
        OvTestFolder install;
        const std::filesystem::path built = std::filesystem::path(ZEZCTL_PATH).parent_path();
        for (const char* file : {"zezctl", "libZezctlCatalogue.so", "OvROVUvided.so"}) std::filesystem::copy(built / file, install.Folder() / file);
        ExpectFailure("--emulate PA271W detect", 1, "no display found: no display answers on ports 0 to 11"
                      " (MONAPI2 is not beside the plug-in)", install.Folder() / "zezctl");
    }
#endif

    // An empty emulation list: a display bus without displays.
    ExpectFailure(ZezctlArguments{"--emulate", "", "detect"}, 1, "no display found: no display interface found");
#if defined(__linux__)
    // The machine's displays, of which a sysfs tree without connectors has none.
    if (!std::getenv("OV_MONAPI2_EMULATE")) {
        OvTestFolder sysfs;
        OvScopedEnvironment root("OV_MONAPI2_SYSFS_ROOT", sysfs.Path());
        const std::string noInterface = "error: no display found: no display interface found; real displays need the"
                                        " i2c-dev module and access to /dev/i2c-* (see \"Real displays on Linux\" in"
                                        " README.md)";
        EXPECT_EQ(RunZezctl("detect").ErrorLines(), Lines{noInterface});
        // A connector whose bus cannot be opened is named with the likely reason.
        const std::filesystem::path connector = sysfs.Folder() / "class/drm/card0-DP-1";
        std::filesystem::create_directories(connector);
        std::ofstream(connector / "status") << "connected\n";
        std::filesystem::create_directory_symlink("../../i2c-987654", connector / "ddc");
        const ZezctlResult result = RunZezctl("detect");
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.ErrorLines(), Lines{noInterface});
        EXPECT_THAT(result.err, testing::HasSubstr("MONAPI2: cannot open /dev/i2c-987654 for card0-DP-1: No such file"
                                                   " or directory (is the i2c-dev module loaded?)\n"));
    }
#endif
    ExpectFailure(ZezctlArguments{"--emulate", "", "getvcp", "brightness"}, 1, "no display on port 0 (ConnectMonitor returned -1)");
    ExpectFailure("--emulate PA271W --port 1 edid", 1, "no display on port 1 (ConnectMonitor returned -1)");
}
