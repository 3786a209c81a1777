#include <gtest/gtest.h>

#include <string>

#include "OvSystem/OvPlatform.h"
#include "OvSystem/OvVirtualClock.h"
#include "Support/OvTestSupport.h"

using namespace OvPlatform;

TEST(OvPlatformClock, InstalledClockTakesEveryTickAndSleep)
{
    {
        OvScopedVirtualClock clock(5000);
        Sleep(20);
        Sleep(0);
        Sleep(1500);
        EXPECT_EQ(TickCount(), 6520u);
        EXPECT_EQ(clock->Sleeps(), (std::vector<uint32_t>{20, 0, 1500}));
        OvVirtualClock inner(7);
        EXPECT_EQ(InstallClock(&inner), &*clock);
        EXPECT_EQ(TickCount(), 7u);
        EXPECT_EQ(InstallClock(&*clock), &inner);
    }
    EXPECT_EQ(InstallClock(nullptr), nullptr);  // the scope put the real clock back
}

TEST(OvPlatformText, ConvertsBetweenUtf8AndUtf16)
{
    const std::string utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E";  // A, e acute, euro, G clef
    EXPECT_EQ(Utf8ToUtf16(utf8), (std::u16string{u'A', 0x00E9, 0x20AC, 0xD834, 0xDD1E}));
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(utf8).c_str()), utf8);
    // Stray continuation byte, truncated sequence, overlong '/' and an encoded surrogate.
    EXPECT_EQ(Utf8ToUtf16("a\x80z"), (std::u16string{u'a', 0xFFFD, u'z'}));
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), (std::u16string{0xFFFD, 0xFFFD}));
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), (std::u16string{0xFFFD, 0xFFFD}));
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80").front(), 0xFFFD);
    const char16_t unpaired[] = {u'x', 0xD834, u'y', 0xDD1E, 0};
    EXPECT_EQ(Utf16ToUtf8(unpaired), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(nullptr), "");
}

// Creating, replacing and removing are checked through their users: CreateDirectory
// (OvSystemTest) and the database's saves (OvDataBaseFileTests).
TEST(OvPlatformFiles, ExaminePathTellsDirectoriesOtherFilesAndMissingPaths)
{
    OvTestFolder folder;
    folder.WriteFile("file.txt", "x");
    int32_t error = -1;
    EXPECT_EQ(ExaminePath(folder.Path(), &error), PathKind::kDirectory);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ExaminePath(folder.Path("file.txt"), nullptr), PathKind::kOther);
    EXPECT_EQ(ExaminePath(folder.Path("missing"), &error), PathKind::kMissing);
    EXPECT_EQ(error, 2);  // ENOENT and ERROR_FILE_NOT_FOUND alike
}

TEST(OvPlatformModules, FindTheTestProgramLibrariesAndSymbols)
{
    const std::string path = ExecutablePath();
    EXPECT_EQ(path.find('\\'), std::string::npos);
    EXPECT_NE(path.find("OvSystemTests"), std::string::npos) << path;
    EXPECT_EQ(ExaminePath(path, nullptr), PathKind::kOther);
#if defined(_WIN32)
    void* library = LoadLibrary("kernel32.dll");
    const char* symbol = "GetTickCount";
#else
    void* library = LoadLibrary("libc.so.6");
    const char* symbol = "strlen";
#endif
    ASSERT_NE(library, nullptr);
    EXPECT_NE(FindSymbol(library, symbol), nullptr);
    EXPECT_EQ(FindSymbol(library, "NoSuchFunctionAnywhere"), nullptr);
    FreeLibrary(library);
    EXPECT_EQ(LoadLibrary("NoSuchLibraryAnywhere"), nullptr);
    EXPECT_EQ(FindSymbol(nullptr, symbol), nullptr);
}

TEST(OvPlatformFolders, TestFoldersReplaceTheUsersFoldersWhileSet)
{
    const struct {
        std::string (*folder)();
        std::string system;
        std::string subfolder;
    } cases[] = {
        {ApplicationDataFolder, SystemSpecialFolder(kShellFolderAppData), "AppData"},
        {DocumentsFolder, SystemSpecialFolder(kShellFolderDocuments), "Documents"},
        {CommonDocumentsFolder, SystemSpecialFolder(kShellFolderCommonDocuments), "CommonDocuments"},
        {ProgramFilesFolder, SystemSpecialFolder(kShellFolderProgramFiles), "ProgramFiles"},
        {ColorDirectory, SystemColorDirectory(), "Color"},
    };
    for (const std::optional<std::string>& unset : {std::optional<std::string>(""), std::optional<std::string>()}) {
        OvScopedEnvironment tests(kTestFoldersVariable, unset);
        for (const auto& item : cases) EXPECT_EQ(item.folder(), item.system) << item.subfolder;
    }
    OvScopedEnvironment tests(kTestFoldersVariable, "/tests\\root/");
    for (const auto& item : cases) EXPECT_EQ(item.folder(), "/tests/root/" + item.subfolder);
    EXPECT_EQ(SpecialFolder(0x99), "");  // no other number reaches the user's folders
}

#if !defined(_WIN32)

namespace {
using Strings = std::vector<std::string>;
Strings UserFolders() { return {ApplicationDataFolder(), DocumentsFolder(), ColorDirectory(), TempFolder()}; }
}  // namespace

TEST(OvPlatformPosixFolders, FollowTheXdgVariablesAndFallBackBelowHome)
{
    OvScopedEnvironment noTestFolders(kTestFoldersVariable, std::nullopt);
    OvScopedEnvironment home("HOME", "/home/tester/");
    {
        OvScopedEnvironment config("XDG_CONFIG_HOME", "/cfg/");
        OvScopedEnvironment documents("XDG_DOCUMENTS_DIR", "/docs");
        OvScopedEnvironment data("XDG_DATA_HOME", "/data");
        OvScopedEnvironment temp("TMPDIR", "/scratch//");
        EXPECT_EQ(UserFolders(), (Strings{"/cfg", "/docs", "/data/color/icc", "/scratch"}));
    }
    {
        // Unset, empty and relative values all count as unset.
        OvScopedEnvironment config("XDG_CONFIG_HOME", std::nullopt);
        OvScopedEnvironment documents("XDG_DOCUMENTS_DIR", "");
        OvScopedEnvironment data("XDG_DATA_HOME", "relative/data");
        OvScopedEnvironment temp("TMPDIR", std::nullopt);
        EXPECT_EQ(UserFolders(), (Strings{"/home/tester/.config", "/home/tester/Documents",
                                          "/home/tester/.local/share/color/icc", "/tmp"}));
        OvScopedEnvironment noHome("HOME", std::nullopt);
        EXPECT_EQ(ApplicationDataFolder(), "");
        EXPECT_EQ(ColorDirectory(), "");
    }
    EXPECT_EQ(SpecialFolder(kShellFolderCommonDocuments), "/usr/local/share");
    EXPECT_EQ(SpecialFolder(0x99), "");
    EXPECT_EQ((Strings{ProgramFilesFolder(), WindowsDirectory(), SystemDirectory()}),
              (Strings{"/opt", "/etc", "/usr/lib"}));
}

#endif
