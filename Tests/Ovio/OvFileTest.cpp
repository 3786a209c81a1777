#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "OvSystem/OvSystemTestSupport.h"
#include "Ovio/OvFile.h"

namespace {

OvFileSpec Spec(const std::string& path)
{
    OvFileSpec spec;
    spec.SetPath(OvString(path.c_str()));
    return spec;
}

std::string ReadString(OvFile& file, int32_t count)
{
    std::string bytes(static_cast<size_t>(count), '\0');
    int32_t read = -1;
    EXPECT_EQ(file.Read(bytes.data(), count, &read), read);
    bytes.resize(static_cast<size_t>(read));
    return bytes;
}

}  // namespace

TEST(OvFileSeek, OriginsCountFromStartEndAndCurrent)
{
    OvTestFolder folder;
    folder.WriteFile("hundred.bin", std::string(100, 'x'));
    OvFile file(Spec(folder.Path("hundred.bin")));
    file.Open(kOvFileRead, false, true);
    EXPECT_EQ(file.GetLength(), 100);

    file.Seek(30, kOvSeekStart);
    EXPECT_EQ(file.GetPosition(), 30);
    file.Seek(0, kOvSeekEnd);
    EXPECT_EQ(file.GetPosition(), 100);
    file.Seek(10, kOvSeekEnd);
    EXPECT_EQ(file.GetPosition(), 90);
    file.Seek(-5, kOvSeekCurrent);
    EXPECT_EQ(file.GetPosition(), 85);
    EXPECT_EQ(file.GetLength(), 100);  // and the position stays
    EXPECT_EQ(file.GetPosition(), 85);

    EXPECT_OV_ERROR(file.Seek(0, 3), 3, "OvArgErr");
    EXPECT_OV_ERROR(file.Seek(-1, kOvSeekStart), 14, "FileSeekFailed");
    EXPECT_TRUE(file.IsSeekable());
}

TEST(OvFileOpen, ReadWriteModeCreatesAMissingFile)
{
    OvTestFolder folder;
    OvFile file(Spec(folder.Path("created.dat")));
    file.Open(kOvFileReadWrite, false, true);
    EXPECT_TRUE(file.IsOpen());
    EXPECT_TRUE(folder.Exists("created.dat"));
    EXPECT_EQ(file.GetLength(), 0);

    file.WriteText("abcdef");
    file.Seek(2, kOvSeekStart);
    EXPECT_EQ(ReadString(file, 2), "cd");
    file.Write("XY", 2, nullptr);  // straight after a read
    file.Seek(0, kOvSeekStart);
    EXPECT_EQ(ReadString(file, 10), "abcdXY");
    file.Close();
    EXPECT_FALSE(file.IsOpen());

    // An existing file keeps its content.
    file.Open(kOvFileReadWrite, false, true);
    EXPECT_EQ(file.GetLength(), 6);
}

TEST(OvFileOpen, QuietFailureRaisesOnTheNextDataOperation)
{
    OvTestFolder folder;
    const std::string missing = folder.Path("missing.txt");
    OvFile file(Spec(missing));
    file.Open(kOvFileRead, false, false);
    EXPECT_FALSE(file.IsOpen());

    char byte = 0;
    try {
        file.Read(&byte, 1, nullptr);
        ADD_FAILURE() << "Read did not raise";
    } catch (const OvError& error) {
        EXPECT_EQ(error.code, 12);
        EXPECT_EQ(std::string(error.name), "FileNotOpen (for reading, errno=2): " + missing);
        EXPECT_EQ(error.file, nullptr);
        EXPECT_EQ(error.line, 0);
    }
    EXPECT_OV_ERROR(file.GetLength(), 12, "FileNotOpen (for reading, errno=2): " + missing);

    const std::string unwritable = folder.Path("no/such/folder.txt");
    OvFile writer(Spec(unwritable));
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
    file.SetFileSpec(Spec(folder.Path("closed.txt")));
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

    OvFile plain(Spec(folder.Path("plain.txt")));
    plain.Open(kOvFileRead, false, true);
    const OvString all = plain.ReadAll(0);
    EXPECT_FALSE(all.IsWide());
    EXPECT_EQ(all, "Hello, world");
    plain.Seek(7, kOvSeekStart);
    EXPECT_EQ(plain.ReadAll(3), "wor");
    EXPECT_EQ(plain.ReadAll(0), "ld");
    EXPECT_TRUE(plain.ReadAll(0).IsEmpty());

    OvFile binary(Spec(folder.Path("binary.bin")));
    binary.Open(kOvFileRead, false, true);
    const OvString wide = binary.ReadAll(0);
    ASSERT_TRUE(wide.IsWide());
    EXPECT_EQ(wide.Length(), 4);
    EXPECT_EQ(std::memcmp(wide.WideChars(), "a\0b\0", 4), 0);
}

TEST(OvFileDescribe, NamesThePathAndAnswersItsClasses)
{
    OvFile file(Spec("/some/where/file.txt"));
    EXPECT_EQ(file.Describe(), "OvFile\t/some/where/file.txt");
    EXPECT_STREQ(file.ClassName(), "OvFile");
    EXPECT_EQ(file.Cast("OvFile"), &file);
    EXPECT_EQ(file.Cast("OvStream"), &file);
    EXPECT_EQ(file.Cast("OvCastBase"), &file);
    EXPECT_EQ(file.Cast("OvFilter"), nullptr);
    EXPECT_EQ(file.Cast("ovfile"), nullptr);
    EXPECT_EQ(file.GetFileSpec().Path(), "/some/where/file.txt");
}

TEST(OvFileWrite, WritesTextAndReportsCounts)
{
    OvTestFolder folder;
    {
        OvFile file(Spec(folder.Path("out.txt")));
        file.Open(kOvFileWrite, false, true);
        int32_t written = -1;
        EXPECT_EQ(file.Write("line\n", 5, &written), 5);
        EXPECT_EQ(written, 5);
        file.WriteText("more");
        EXPECT_EQ(file.GetPosition(), 9);
    }  // the destructor closes
    EXPECT_EQ(folder.ReadFile("out.txt"), "line\nmore");
}

#if defined(__linux__)
TEST(OvFileWrite, ShortWriteRaisesWithCountsAndErrno)
{
    OvFile file(Spec("/dev/full"));
    file.Open(kOvFileWrite, false, true);
    const std::string block(65536, 'x');
    EXPECT_OV_ERROR(file.Write(block.data(), 65536, nullptr), 17, "FileWriteFailed (0/65536, errno=28): /dev/full");
}
#endif
