#include <gtest/gtest.h>

#include <string>

#include "OvSystem/OvPlatform.h"
#include "OvSystem/OvSystemTestSupport.h"
#include "Ovio/OvFileSpec.h"
#include "Ovio/OvFileTypes.h"

namespace {

std::string PathOf(const OvFileSpec& spec) { return spec.Path().Chars(); }

std::string ExecutableFolder()
{
    const std::string executable = OvPlatform::ExecutablePath();
    return executable.substr(0, executable.rfind('/'));
}

}  // namespace

TEST(OvFileSpecParts, SplitsAndRebuildsThePath)
{
    OvFileSpec spec(OvString("dir/sub/name.txt"));
    EXPECT_EQ(spec.Directory(), "dir/sub/");
    EXPECT_EQ(spec.FileName(), "name.txt");
    spec.SetFileName("other.icc");
    EXPECT_EQ(PathOf(spec), "dir/sub/other.icc");

    OvFileSpec bare(OvString("bare"));
    EXPECT_EQ(bare.Directory(), "");
    EXPECT_EQ(bare.FileName(), "bare");
    OvFileSpec folder(OvString("dir/"));
    EXPECT_EQ(folder.FileName(), "");

#if defined(_WIN32)
    EXPECT_EQ(spec.NativePath(), "dir\\sub\\other.icc");
#else
    EXPECT_EQ(spec.NativePath(), "dir/sub/other.icc");
#endif
}

TEST(OvFileSpecParts, RecognisesAbsolutePaths)
{
    EXPECT_TRUE(OvFileSpec::IsAbsolute("/usr"));
    EXPECT_TRUE(OvFileSpec::IsAbsolute("\\\\server\\share"));
    EXPECT_TRUE(OvFileSpec::IsAbsolute(":volume"));
    EXPECT_TRUE(OvFileSpec::IsAbsolute("C:/Windows"));
    EXPECT_TRUE(OvFileSpec::IsAbsolute("c:\\"));
    EXPECT_FALSE(OvFileSpec::IsAbsolute("C:relative"));
    EXPECT_FALSE(OvFileSpec::IsAbsolute("C:"));
    EXPECT_FALSE(OvFileSpec::IsAbsolute("relative/path"));
    EXPECT_FALSE(OvFileSpec::IsAbsolute(""));
    EXPECT_FALSE(OvFileSpec::IsAbsolute(nullptr));
}

TEST(OvFileSpecTypes, TheExtensionSetsTypeAndCreator)
{
    EXPECT_EQ(OvFileTypeTable().size(), 48u);

    OvFileSpec profile(OvString("profiles/Display.ICC"));
    EXPECT_EQ(profile.FileType(), OvFourCharCode("prof"));
    EXPECT_EQ(profile.Creator(), OvFourCharCode("sync"));
    EXPECT_EQ(OvFourCharCode("prof"), 0x70726F66u);

    profile.SetFileName("notes.txt");
    EXPECT_EQ(profile.FileType(), OvFourCharCode("TEXT"));
    profile.SetFileName("archive.unknown");
    EXPECT_EQ(profile.FileType(), 0u);
    EXPECT_EQ(profile.Creator(), 0u);

    // Only a dot in the file name counts.
    OvFileSpec dottedFolder(OvString("my.pdf/README"));
    EXPECT_EQ(dottedFolder.FileType(), 0u);
    EXPECT_EQ(OvFindFileType("3dl"), &OvFileTypeTable().front());
    EXPECT_EQ(OvFindFileType("zip"), &OvFileTypeTable().back());
    EXPECT_EQ(OvFindFileType(""), nullptr);
    EXPECT_EQ(OvFindFileType("tiffff"), nullptr);
}

TEST(OvFileSpecFolders, BuildPathsBelowTheWellKnownFolders)
{
    EXPECT_EQ(PathOf(OvFileSpec(OvString("a\\b.txt"), 0)), "a\\b.txt");
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x.txt"), 7)), "x.txt");
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x.txt"), 13)), ExecutableFolder() + "/x.txt");
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x.txt"), 15)), ExecutableFolder() + "/x.txt");
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x.txt"), 12)), ExecutableFolder() + "/Resources/x.txt");
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x"), 19)), OvPlatform::WindowsDirectory() + "/x");
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x"), 21)), OvPlatform::WindowsDirectory() + "/x");
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x"), 20)), OvPlatform::SystemDirectory() + "/x");

    EXPECT_OV_ERROR(OvFileSpec(OvString("x"), 11), 3, "OvArgErr");
    EXPECT_OV_ERROR(OvFileSpec(OvString("x"), 22), 3, "OvArgErr");
    EXPECT_OV_ERROR(OvFileSpec(OvString("x"), -1), 3, "OvArgErr");
}

#if !defined(_WIN32)

TEST(OvFileSpecFolders, FollowTheEnvironmentOnPosix)
{
    OvScopedEnvironment config("XDG_CONFIG_HOME", "/config\\home");
    OvScopedEnvironment temp("TMPDIR", "/scratch");
    // Backslashes of the base folder become '/'.
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x"), 4)), "/config/home/x");
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x"), 18)), "/config/home/x");
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x"), 6)), "/scratch/x");
    {
        // Without application data the Windows directory stands in.
        OvScopedEnvironment noConfig("XDG_CONFIG_HOME", std::nullopt);
        OvScopedEnvironment noHome("HOME", std::nullopt);
        EXPECT_EQ(PathOf(OvFileSpec(OvString("x"), 10)), "/etc/x");
    }
    OvScopedEnvironment home("HOME", "/home/tester");
    OvScopedEnvironment data("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(PathOf(OvFileSpec(OvString("p.icc"), 2)), "/home/tester/.local/share/color/icc/p.icc");
}

TEST(OvFileSpecFolders, MakerFolderIsCreatedUnderApplicationData)
{
    OvTestFolder folder;
    // A missing parent too, and a backslash that becomes a separator.
    OvScopedEnvironment config("XDG_CONFIG_HOME", folder.Path() + "\\config");
    const OvFileSpec spec(OvString("MonitorSimulation.txt"), kOvFolderMaker);
    EXPECT_EQ(PathOf(spec), folder.Path("config/Ovelin/MonitorSimulation.txt"));
    EXPECT_TRUE(folder.IsDirectory("config/Ovelin"));
    EXPECT_FALSE(folder.Exists("config/Ovelin/MonitorSimulation.txt"));

    // Existing: used as it is.
    EXPECT_EQ(PathOf(OvFileSpec(OvString("x"), 17)), folder.Path("config/Ovelin/x"));
}

#else

TEST(OvFileSpecFolders, MakerFolderExistsAfterBuildingASpec)
{
    const OvFileSpec spec(OvString("MonitorSimulation.txt"), kOvFolderMaker);
    const std::string path = PathOf(spec);
    EXPECT_NE(path.find("/Ovelin/MonitorSimulation.txt"), std::string::npos) << path;
    EXPECT_EQ(OvPlatform::ExaminePath(spec.Directory().Chars(), nullptr), OvPlatform::PathKind::kDirectory);
}

#endif
