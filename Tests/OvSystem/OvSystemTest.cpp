#include <gtest/gtest.h>

#include <string>

#include "OvSystem/OvSystem.h"
#include "OvSystem/OvSystemTestSupport.h"
#include "OvSystem/OvVirtualClock.h"
#include "Ovio/OvFileSpec.h"
#include "Support/OvCaptureStream.h"

namespace {

OvFileSpec Spec(const std::string& path)
{
    OvFileSpec spec;
    spec.SetPath(OvString(path.c_str()));
    return spec;
}

std::string Native(const std::string& path) { return OvPlatform::NativePath(path); }

#if defined(_WIN32)
constexpr int32_t kPathNotFound = 3;  // ERROR_PATH_NOT_FOUND
#else
constexpr int32_t kPathNotFound = 2;  // ENOENT
#endif

}  // namespace

TEST(OvSystemSleep, SleepsOnlyForOneMillisecondOrMore)
{
    OvScopedVirtualClock clock;
    EXPECT_EQ(SleepMs(0), 0);
    EXPECT_EQ(SleepMs(-25), 0);
    EXPECT_TRUE(clock->Sleeps().empty());
    EXPECT_EQ(SleepMs(1), 1);
    EXPECT_EQ(SleepMs(50), 50);
    EXPECT_EQ(clock->Sleeps(), (std::vector<uint32_t>{1, 50}));
    EXPECT_EQ(clock->TickCount(), 1051u);
}

TEST(OvSystemDirExists, AnswersAndExplainsWhyNot)
{
    OvTestFolder folder;
    folder.WriteFile("plain.txt", "x");
    OvCaptureStream messages;

    EXPECT_TRUE(DirExists(Spec(folder.Path()), &messages));
    EXPECT_TRUE(DirExists(Spec(folder.Path() + "/"), &messages));
    EXPECT_EQ(messages.Text(), "");

    EXPECT_FALSE(DirExists(Spec(folder.Path("plain.txt")), &messages));
    EXPECT_EQ(messages.Text(), "DirExists: No directory: \"" + Native(folder.Path("plain.txt")) + "\"");

    messages.Clear();
    EXPECT_FALSE(DirExists(Spec(folder.Path("missing")), &messages));
    EXPECT_EQ(messages.Text(),
              "DirExists: Can't get file attributes for \"" + Native(folder.Path("missing")) + "\", System error: 2");

    // Without a stream it only answers.
    EXPECT_FALSE(DirExists(Spec(folder.Path("missing"))));
}

TEST(OvSystemCreateDirectory, CreatesAcceptsExistingAndRaisesOtherFailures)
{
    OvTestFolder folder;
    CreateDirectory(Spec(folder.Path("new")));
    EXPECT_TRUE(folder.IsDirectory("new"));
    CreateDirectory(Spec(folder.Path("new")));  // already there: no error

    const std::string missing = folder.Path("missing/child");
    EXPECT_OV_ERROR(CreateDirectory(Spec(missing)), 68,
                    "System error: " + std::to_string(kPathNotFound) + " CreateDirectory \"" + Native(missing) + "\"");
    EXPECT_FALSE(folder.Exists("missing"));
}

TEST(OvSystemCreateDirectories, CreatesMissingParents)
{
    OvTestFolder folder;
    CreateDirectories(Spec(folder.Path("a/b/c/")));
    EXPECT_TRUE(folder.IsDirectory("a/b/c"));
    CreateDirectories(Spec(folder.Path("a/b/c")));  // existing: nothing to do
    CreateDirectories(Spec(folder.Path("a/x/y")));
    EXPECT_TRUE(folder.IsDirectory("a/x/y"));
}

TEST(OvSystemCreateDirectories, StopsAtAnEmptyPathOrADrive)
{
    EXPECT_OV_ERROR(CreateDirectories(Spec("")), 69, "DirCreationError");
#if defined(_WIN32)
    // A drive letter that names no drive.
    std::string drive;
    for (char letter = 'Y'; letter > 'D' && drive.empty(); --letter) {
        const std::string candidate = std::string(1, letter) + ":";
        if (!DirExists(Spec(candidate + "/"))) drive = candidate;
    }
    ASSERT_FALSE(drive.empty());
    EXPECT_OV_ERROR(CreateDirectories(Spec(drive + "/sub/dir")), 69, "DirCreationError");
#else
    // "C:" is a plain relative name here; in /proc nothing can be created, so the walk
    // up the path reaches it.
    OvScopedWorkingFolder proc("/proc");
    EXPECT_OV_ERROR(CreateDirectories(Spec("C:/sub/dir")), 69, "DirCreationError");
#endif
}
