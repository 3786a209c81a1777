#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Ovio/OvFile.h"
#include "Support/OvTestSupport.h"

TEST(OvFileSeek, OriginsCountFromStartEndAndCurrent)
{
    OvTestFolder folder;
    folder.WriteFile("hundred.bin", std::string(100, 'x'));
    OvFile file(OvSpec(folder.Path("hundred.bin")));
    file.Open(kOvFileRead, false, true);
    const struct { int64_t offset; int32_t origin; int64_t position; } seeks[] = {
        {30, kOvSeekStart, 30}, {0, kOvSeekEnd, 100}, {10, kOvSeekEnd, 90}, {-5, kOvSeekCurrent, 85}};
    for (const auto& [offset, origin, position] : seeks) {
        file.Seek(offset, origin);
        EXPECT_EQ(file.GetPosition(), position) << offset << " from " << origin;
    }
    EXPECT_EQ(file.GetLength(), 100);
    EXPECT_EQ(file.GetPosition(), 85);  // the length leaves the position
    EXPECT_OV_ERROR(file.Seek(0, 3), 3, "OvArgErr");
    EXPECT_OV_ERROR(file.Seek(-1, kOvSeekStart), 14, "FileSeekFailed");
}

TEST(OvFileOpen, ReadWriteModeCreatesAMissingFile)
{
    OvTestFolder folder;
    OvFile file(OvSpec(folder.Path("created.dat")));
    file.Open(kOvFileReadWrite, false, true);
    EXPECT_TRUE(folder.Exists("created.dat"));
    EXPECT_EQ(file.GetLength(), 0);

    file.WriteText("abcdef");
    file.Seek(2, kOvSeekStart);
    EXPECT_EQ(file.ReadAll(2), "cd");
    int32_t written = -1;
    EXPECT_EQ(file.Write("XY", 2, &written), 2);  // straight after a read
    EXPECT_EQ(written, 2);
    file.Seek(0, kOvSeekStart);
    char all[10] = {};
    int32_t read = -1;
    EXPECT_EQ(file.Read(all, 10, &read), 6);
    EXPECT_EQ(std::string(all, static_cast<size_t>(read)), "abcdXY");
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    file.Open(kOvFileReadWrite, false, true);  // an existing file keeps its content
    EXPECT_EQ(file.GetLength(), 6);
}

TEST(OvFileOpen, QuietFailureRaisesOnTheNextDataOperation)
{
    OvTestFolder folder;
    const std::string missing = folder.Path("missing.txt");
    OvFile file(OvSpec(missing));
    file.Open(kOvFileRead, false, false);
    EXPECT_FALSE(file.IsOpen());
    char byte = 0;
    EXPECT_OV_ERROR(file.Read(&byte, 1, nullptr), 12, "FileNotOpen (for reading, errno=2): " + missing);
    EXPECT_EQ(LastErrorRecord().file, nullptr);  // raised without file and line
    EXPECT_EQ(LastErrorRecord().line, 0);
    EXPECT_OV_ERROR(file.GetLength(), 12, "FileNotOpen (for reading, errno=2): " + missing);

    const std::string unwritable = folder.Path("no/such/folder.txt");
    OvFile writer(OvSpec(unwritable));
    EXPECT_OV_ERROR(writer.Open(kOvFileWrite, false, true), 12, "FileNotOpen (for writing, errno=2): " + unwritable);
}

TEST(OvFileOpen, WithoutAFileDataOperationsRaiseFileNotOpen)
{
    OvFile file;
    file.Open(kOvFileRead, false, false);  // no path: quietly nothing
    EXPECT_OV_ERROR(file.Open(kOvFileRead, false, true), 11, "FileInvalidDesc");
    char byte = 0;
    EXPECT_OV_ERROR(file.Read(&byte, 1, nullptr), 12, "FileNotOpen");
    EXPECT_OV_ERROR(file.Write(&byte, 1, nullptr), 12, "FileNotOpen");
    EXPECT_OV_ERROR(file.Seek(0, kOvSeekStart), 12, "FileNotOpen");
    EXPECT_OV_ERROR(file.GetPosition(), 12, "FileNotOpen");

    OvTestFolder folder;
    folder.WriteFile("closed.txt", "text");
    file.SetFileSpec(OvSpec(folder.Path("closed.txt")));
    EXPECT_OV_ERROR(file.Open(0, false, true), 3, "OvArgErr");
    file.Open(kOvFileRead, false, true);
    EXPECT_OV_ERROR(file.Read(nullptr, 1, nullptr), 3, "OvArgErr");
    file.Close();
    EXPECT_OV_ERROR(file.Read(&byte, 1, nullptr), 12, "FileNotOpen");
}

TEST(OvFileReadAll, GivesWideTextWhenAZeroByteIsRead)
{
    OvTestFolder folder;
    folder.WriteFile("plain.txt", "Hello, world");
    folder.WriteFile("binary.bin", std::string("a\0b\0", 4));
    OvFile plain(OvSpec(folder.Path("plain.txt")));
    plain.Open(kOvFileRead, false, true);
    const OvString all = plain.ReadAll(0);
    EXPECT_TRUE(all == "Hello, world" && !all.IsWide());
    plain.Seek(7, kOvSeekStart);
    EXPECT_EQ(plain.ReadAll(3), "wor");
    EXPECT_EQ(plain.ReadAll(0), "ld");
    EXPECT_TRUE(plain.ReadAll(0).IsEmpty());

    OvFile binary(OvSpec(folder.Path("binary.bin")));
    binary.Open(kOvFileRead, false, true);
    const OvString wide = binary.ReadAll(0);
    ASSERT_TRUE(wide.IsWide());
    EXPECT_EQ(wide.Length(), 4);
    EXPECT_EQ(std::memcmp(wide.WideChars(), "a\0b\0", 4), 0);
}

TEST(OvFileWrite, WritesTextDescribesItselfAndClosesWhenDestroyed)
{
    OvTestFolder folder;
    {
        OvFile file(OvSpec(folder.Path("out.txt")));
        EXPECT_EQ(file.Describe(), OvString(("OvFile\t" + folder.Path("out.txt")).c_str()));
        EXPECT_EQ(file.Cast("OvStream"), &file);
        file.Open(kOvFileWrite, false, true);
        file.WriteText("line\nmore");
        EXPECT_EQ(file.GetPosition(), 9);
    }
    EXPECT_EQ(folder.ReadFile("out.txt"), "line\nmore");
}

#if defined(__linux__)
TEST(OvFileWrite, ShortWriteRaisesWithCountsAndErrno)
{
    OvFile file(OvSpec("/dev/full"));
    file.Open(kOvFileWrite, false, true);
    const std::string block(65536, 'x');
    EXPECT_OV_ERROR(file.Write(block.data(), 65536, nullptr), 17, "FileWriteFailed (0/65536, errno=28): /dev/full");
}
#endif
