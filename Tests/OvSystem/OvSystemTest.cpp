#include <gtest/gtest.h>

#include <string>

#include "OvSystem/OvSystem.h"
#include "OvSystem/OvVirtualClock.h"
#include "Support/OvCaptureStream.h"
#include "Support/OvTestSupport.h"

namespace {

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
    for (const int32_t ms : {0, -25, 1, 50}) EXPECT_EQ(SleepMs(ms), ms > 0 ? ms : 0);
    EXPECT_EQ(clock->Sleeps(), (std::vector<uint32_t>{1, 50}));
}

TEST(OvSystemDirExists, AnswersAndExplainsWhyNot)
{
    OvTestFolder folder;
    folder.WriteFile("plain.txt", "x");
    OvCaptureStream messages;

    EXPECT_TRUE(DirExists(OvSpec(folder.Path()), &messages) && DirExists(OvSpec(folder.Path() + "/"), &messages));
    EXPECT_EQ(messages.Text(), "");

    EXPECT_FALSE(DirExists(OvSpec(folder.Path("plain.txt")), &messages));
    EXPECT_EQ(messages.Text(), "DirExists: No directory: \"" + Native(folder.Path("plain.txt")) + "\"");

    messages.Clear();
    EXPECT_FALSE(DirExists(OvSpec(folder.Path("missing")), &messages));
    EXPECT_EQ(messages.Text(),
              "DirExists: Can't get file attributes for \"" + Native(folder.Path("missing")) + "\", System error: 2");

    // Without a stream it only answers.
    EXPECT_FALSE(DirExists(OvSpec(folder.Path("missing"))));
}

TEST(OvSystemCreateDirectory, CreatesAcceptsExistingAndRaisesOtherFailures)
{
    OvTestFolder folder;
    CreateDirectory(OvSpec(folder.Path("new")));
    EXPECT_TRUE(folder.IsDirectory("new"));
    CreateDirectory(OvSpec(folder.Path("new")));  // already there: no error

    const std::string missing = folder.Path("missing/child");
    EXPECT_OV_ERROR(CreateDirectory(OvSpec(missing)), 68,
                    "System error: " + std::to_string(kPathNotFound) + " CreateDirectory \"" + Native(missing) + "\"");
    EXPECT_FALSE(folder.Exists("missing"));
}

TEST(OvSystemCreateDirectories, CreatesMissingParentsAndStopsAtAnEmptyPathOrADrive)
{
    OvTestFolder folder;
    for (const char* path : {"a/b/c/", "a/b/c", "a/x/y"}) CreateDirectories(OvSpec(folder.Path(path)));
    EXPECT_TRUE(folder.IsDirectory("a/b/c") && folder.IsDirectory("a/x/y"));
    EXPECT_OV_ERROR(CreateDirectories(OvSpec("")), 69, "DirCreationError");
#if defined(_WIN32)
    // A drive letter that names no drive.
    std::string drive;
    for (char letter = 'Y'; letter > 'D' && drive.empty(); --letter) {
        const std::string candidate = std::string(1, letter) + ":";
        if (!DirExists(OvSpec(candidate + "/"))) drive = candidate;
    }
    ASSERT_FALSE(drive.empty());
    EXPECT_OV_ERROR(CreateDirectories(OvSpec(drive + "/sub/dir")), 69, "DirCreationError");
#else
    // "C:" is a plain relative name here; in /proc nothing can be created, so the walk
    // up the path reaches it.
    OvScopedWorkingFolder proc("/proc");
    EXPECT_OV_ERROR(CreateDirectories(OvSpec("C:/sub/dir")), 69, "DirCreationError");
#endif
}
