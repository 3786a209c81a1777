#include <gtest/gtest.h>

#include <string>

#include "Ovio/OvFile.h"
#include "Ovio/OvXStream.h"
#include "Support/OvCaptureStream.h"
#include "Support/OvTestSupport.h"

namespace {

// A test folder with one file, open for reading through an OvXStream.
class XStreamReading {
public:
    explicit XStreamReading(const std::string& content)
    {
        fFolder.WriteFile("input.txt", content);
        fFile.SetFileSpec(OvSpec(fFolder.Path("input.txt")));
        fFile.Open(kOvFileRead, false, true);
        fStream.Attach(&fFile, false);
    }
    OvXStream* operator->() { return &fStream; }

private:
    OvTestFolder fFolder;
    OvFile fFile;
    OvXStream fStream;
};

}  // namespace

TEST(OvXStreamRead, ReadsWordsAndLinesAcrossLineEndsUpToTheEnd)
{
    XStreamReading stream("# comment line\r\nDIM  3\r\n\tTYPE 0\rBEGIN_DATA\n1.5\t22 3\nEND_DATA");
    EXPECT_EQ(stream->ReadWord(), "#");
    stream->SkipLine();
    const struct { const char* word; bool beganLine; } words[] = {{"DIM", true}, {"3", false}, {"TYPE", true}};
    for (const auto& [word, beganLine] : words) {
        EXPECT_EQ(stream->ReadWord(), word);
        EXPECT_EQ(stream->WordBeganLine(), beganLine) << word;
    }
    EXPECT_EQ(stream->ReadLine(), " 0");
    EXPECT_EQ(stream->ReadLine(), "BEGIN_DATA");
    char word[4] = {};
    EXPECT_EQ(stream->ReadWord(word, sizeof word), 3);
    EXPECT_STREQ(word, "1.5");
    EXPECT_OV_ERROR(stream->ReadWord(word, 2), 6, "BufferTooSmall");
    EXPECT_STREQ(word, "2");
    EXPECT_EQ(stream->ReadWord(), "3");
    EXPECT_EQ(stream->ReadWord(), "END_DATA");
    EXPECT_OV_ERROR(stream->ReadWord(), 8, "OvEOFReached");
    EXPECT_OV_ERROR(stream->ReadLine(), 8, "OvEOFReached");
}

TEST(OvXStreamRead, WordsAndReadsSpanTheBuffer)
{
    const std::string longWord(5000, 'w');
    XStreamReading stream("  " + longWord + " tail\n");
    EXPECT_EQ(std::string(stream->ReadWord().Chars()), longWord);
    EXPECT_EQ(stream->ReadWord(), "tail");

    XStreamReading bytes(longWord + "!");
    std::string all(6000, '\0');
    int32_t read = 0;
    EXPECT_EQ(bytes->Read(all.data(), 6000, &read), 5001);
    EXPECT_EQ(read, 5001);
    EXPECT_EQ(all.substr(4999, 2), "w!");
}

TEST(OvXStreamRead, FindsAWordIgnoringCase)
{
    XStreamReading stream("DIM 2 begin_data 4 5");
    stream->FindWord("BEGIN_DATA");
    EXPECT_EQ(stream->ReadWord(), "4");
    EXPECT_OV_ERROR(stream->FindWord("END_DATA"), 9, "NotFound");
}

TEST(OvXStreamWrite, CollectsTextUntilFlushed)
{
    OvCaptureStream end;
    {
        OvXStream stream(&end, false);
        stream.WriteText("DIM  2\n");
        stream.Write("TYPE 0\n", 7, nullptr);
        EXPECT_EQ(end.Text(), "");
        stream.Flush();
        EXPECT_EQ(end.Writes(), (std::vector<std::string>{"DIM  2\nTYPE 0\n"}));
        stream.WriteText("END_DATA\n");
    }  // the destructor writes out the rest
    EXPECT_EQ(end.Text(), "DIM  2\nTYPE 0\nEND_DATA\n");

    OvXStream unattached;
    unattached.WriteText("early ");
    EXPECT_OV_ERROR(unattached.Flush(), 5, "BufferError");
    EXPECT_OV_ERROR(unattached.ReadWord(), 5, "BufferError");
    unattached.Attach(&end, false);
    unattached.Flush();
    EXPECT_EQ(end.Text(), "DIM  2\nTYPE 0\nEND_DATA\nearly ");

    XStreamReading reading("first second");  // writing while read-ahead is pending
    EXPECT_EQ(reading->ReadWord(), "first");
    EXPECT_OV_ERROR(reading->WriteText("x"), 5, "BufferError");
}
