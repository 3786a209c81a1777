#include <gtest/gtest.h>

#include <string>

#include "OvSystem/OvPlatform.h"
#include "Ovio/OvFileSpec.h"
#include "Ovio/OvFileTypes.h"
#include "Support/OvTestSupport.h"

namespace {

std::string InFolder(const char* name, int32_t folder)
{
    return OvFileSpec(OvString(name), folder).Path().Chars();
}

}  // namespace

TEST(OvFileSpecParts, SplitsAndRebuildsThePath)
{
    OvFileSpec spec(OvString("dir/sub/name.txt"));
    EXPECT_EQ(spec.Directory(), "dir/sub/");
    EXPECT_EQ(spec.FileName(), "name.txt");
    spec.SetFileName("other.icc");
    EXPECT_EQ(spec.Path(), "dir/sub/other.icc");
    EXPECT_EQ(OvFileSpec(OvString("bare")).Directory(), "");
    EXPECT_EQ(OvFileSpec(OvString("dir/")).FileName(), "");
#if defined(_WIN32)
    EXPECT_EQ(spec.NativePath(), "dir\\sub\\other.icc");
#else
    EXPECT_EQ(spec.NativePath(), "dir/sub/other.icc");
#endif
    for (const char* absolute : {"/usr", "\\\\server\\share", ":volume", "C:/Windows", "c:\\"}) {
        EXPECT_TRUE(OvFileSpec::IsAbsolute(absolute)) << absolute;
    }
    for (const char* relative : {"C:relative", "C:", "relative/path", ""}) {
        EXPECT_FALSE(OvFileSpec::IsAbsolute(relative)) << relative;
    }
    EXPECT_FALSE(OvFileSpec::IsAbsolute(nullptr));
}

TEST(OvFileSpecTypes, TheExtensionSetsTypeAndCreator)
{
    OvFileSpec profile(OvString("profiles/Display.ICC"));
    EXPECT_EQ(profile.FileType(), 0x70726F66u);  // "prof"
    EXPECT_EQ(profile.Creator(), OvFourCharCode("sync"));
    profile.SetFileName("notes.txt");
    EXPECT_EQ(profile.FileType(), OvFourCharCode("TEXT"));
    profile.SetFileName("archive.unknown");
    EXPECT_EQ(profile.FileType() + profile.Creator(), 0u);
    EXPECT_EQ(OvFileSpec(OvString("my.pdf/README")).FileType(), 0u);  // only a dot in the file name counts
    EXPECT_EQ(OvFindFileType("3dl"), &OvFileTypeTable().front());
    EXPECT_EQ(OvFindFileType("zip"), &OvFileTypeTable().back());
    EXPECT_EQ(OvFindFileType(""), nullptr);
    EXPECT_EQ(OvFindFileType("tiffff"), nullptr);
}

TEST(OvFileSpecFolders, BuildPathsBelowTheWellKnownFolders)
{
    const std::string executable = OvPlatform::ExecutablePath();
    const std::string executableFolder = executable.substr(0, executable.rfind('/'));
    const struct { const char* name; int32_t folder; std::string path; } cases[] = {
        {"a\\b.txt", 0, "a\\b.txt"},
        {"x.txt", 7, "x.txt"},
        {"x.txt", 13, executableFolder + "/x.txt"},
        {"x.txt", 15, executableFolder + "/x.txt"},
        {"x.txt", 12, executableFolder + "/Resources/x.txt"},
        {"x", 19, OvPlatform::WindowsDirectory() + "/x"},
        {"x", 21, OvPlatform::WindowsDirectory() + "/x"},
        {"x", 20, OvPlatform::SystemDirectory() + "/x"}};
    for (const auto& [name, folder, path] : cases) EXPECT_EQ(InFolder(name, folder), path) << folder;
    for (const int32_t folder : {11, 22, -1}) EXPECT_OV_ERROR(OvFileSpec(OvString("x"), folder), 3, "OvArgErr");
}

#if !defined(_WIN32)

TEST(OvFileSpecFolders, FollowTheEnvironmentOnPosix)
{
    OvScopedEnvironment noTestFolders(OvPlatform::kTestFoldersVariable, std::nullopt);
    OvScopedEnvironment config("XDG_CONFIG_HOME", "/config\\home");  // backslashes become '/'
    OvScopedEnvironment temp("TMPDIR", "/scratch");
    EXPECT_EQ(InFolder("x", 4), "/config/home/x");
    EXPECT_EQ(InFolder("x", 18), "/config/home/x");
    EXPECT_EQ(InFolder("x", 6), "/scratch/x");
    {
        // Without application data the Windows directory stands in.
        OvScopedEnvironment noConfig("XDG_CONFIG_HOME", std::nullopt);
        OvScopedEnvironment noHome("HOME", std::nullopt);
        EXPECT_EQ(InFolder("x", 10), "/etc/x");
    }
    OvScopedEnvironment home("HOME", "/home/tester");
    OvScopedEnvironment data("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(InFolder("p.icc", 2), "/home/tester/.local/share/color/icc/p.icc");
}

#endif

TEST(OvFileSpecFolders, MakerFolderIsCreatedUnderApplicationData)
{
    OvTestFolder folder;
    // The application data's parent is missing too.
    OvScopedEnvironment tests(OvPlatform::kTestFoldersVariable, folder.Path("tests"));
    EXPECT_EQ(InFolder("MonitorSimulation.txt", kOvFolderMaker), folder.Path("tests/AppData/Ovelin/MonitorSimulation.txt"));
    EXPECT_TRUE(folder.IsDirectory("tests/AppData/Ovelin"));
    EXPECT_FALSE(folder.Exists("tests/AppData/Ovelin/MonitorSimulation.txt"));
    EXPECT_EQ(InFolder("x", 17), folder.Path("tests/AppData/Ovelin/x"));  // existing: used as it is
}
