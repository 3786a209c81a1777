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

// One case for each reader of a value: their other malformed forms are HostParsing's.
TEST(ZezctlBadInput, WrongCommandLinesAreUsageErrors)
{
    const std::string idHint = "give a catalogue name (brightness, VCP_0010_BRIGHTNESS), 0x1051, 16 or 10:51";
    const std::pair<std::string, std::string> cases[] = {
        {"", "no command given ('zezctl --help' lists the commands)"},
        {"frobnicate", "unknown command 'frobnicate' ('zezctl --help' lists the commands)"},
        {"detect --frob", "unknown option '--frob' for command 'detect'"},
        {"--port x detect", "malformed port 'x': give a number from 0 to 255"},
        {"--sim=1 detect", "option --sim takes no value"},
        {"detect extra", "too many arguments: usage: zezctl detect"},
        {"gain purple", "unknown gain 'purple': give red, green or blue"},
        {"sim frob", "unknown action 'sim frob': give 'sim init' or 'sim show'"},
        {"getvcp bright", "malformed VCP id 'bright': " + idHint},
        {"getvcp degauss", "ambiguous VCP name 'degauss': VCP_0000_DEGAUSS, VCP_0001_DEGAUSS"},
        {"setvcp brightness five", "malformed VCP value 'five': give a number such as 60 or 0x3C"},
        {"setvcp brightness 5 5", "unexpected argument '5': usage: zezctl setvcp ID [+|-]VALUE"},
        {"setvcp brightness", "missing arguments: usage: zezctl setvcp ID [+|-]VALUE"},
        {"brightness 150%", "level '150%' out of range: give 0 to 1 or 0% to 100%"},
        {"scan 0x20 0x10", "the scan range 0x0020 to 0x0010 is empty"},
        {"calibrate --gamma 2.2 --curve srgb", "give one of FILE, --gamma G or --curve srgb|lstar|linear"},
        {"calibrate --curve cubic", "unknown curve 'cubic': give srgb, lstar or linear"},
        {"calibrate --gamma 99", "malformed gamma '99': give a number above 0, at most 10"},
        {"lut3d --identity --enable", "give one of FILE, --identity, --swap-red-green, --enable or --disable"},
    };
    for (const auto& [words, error] : cases) ExpectFailure("--emulate PA271W " + words, 2, error);
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
