#include "OvCore/OvError.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"

namespace {

std::string Text(const char* text)
{
    return text ? std::string(text) : std::string("(null)");
}

template <class Action>
OvError CaughtError(Action action)
{
    try {
        action();
    } catch (const OvError& error) {
        return error;
    }
    ADD_FAILURE() << "no OvError raised";
    return OvError();
}

class OvErrorTest : public ::testing::Test {
protected:
    void SetUp() override { LastErrorRecord() = OvError(); }
    void TearDown() override { LastErrorRecord() = OvError(); }
    OvScopedDebugCapture fCapture;
};

TEST_F(OvErrorTest, DefaultErrorIsEmptyAndHasNoErrorMessage)
{
    const OvError error;
    EXPECT_EQ(error.code, 0);
    EXPECT_EQ(error.name, nullptr);
    EXPECT_EQ(error.file, nullptr);
    EXPECT_EQ(error.line, 0);
    EXPECT_EQ(error.flags, 0u);
    EXPECT_STREQ(error.GetMessage(), "No Error");
    EXPECT_STREQ(LastErrorRecord().GetMessage(), "No Error");
}

TEST_F(OvErrorTest, FrameworkPrefixIsTrimmedUnlessAVowelFollows)
{
    EXPECT_STREQ(OvError(20, "OvPtrInvalid", nullptr, 0, 0).name, "PtrInvalid");
    EXPECT_STREQ(OvError(12, "OvFileNotOpen", nullptr, 0, 0).name, "FileNotOpen");
    EXPECT_STREQ(OvError(19, "ovFormatErr", nullptr, 0, 0).name, "FormatErr");
    EXPECT_STREQ(OvError(19, "OVFormatErr", nullptr, 0, 0).name, "FormatErr");
    for (const char* kept : {"OvIOErr", "OvArgErr", "OvEOFReached", "OvIndexError", "OvOutOfRange", "OvUndefProc",
                             "OvUnexpectedErr", "Ovid", "OvAbc", "Oxford", "vOvX"}) {
        EXPECT_STREQ(OvError(1, kept, nullptr, 0, 0).name, kept);
    }
    EXPECT_STREQ(OvError(1, "Ov", nullptr, 0, 0).name, "");
    EXPECT_STREQ(OvError(1, "O", nullptr, 0, 0).name, "O");
    EXPECT_STREQ(OvError(1, "", nullptr, 0, 0).name, "");
}

TEST_F(OvErrorTest, FileKeepsItsLastPathComponentWithoutThePrefix)
{
    EXPECT_STREQ(OvError(1, "x", "Source/OvCore/OvString", 1, 0).file, "String");
    EXPECT_STREQ(OvError(1, "x", "C:\\work/Source\\OvCore/OvTemplates", 1, 0).file, "Templates");
    EXPECT_STREQ(OvError(1, "x", "Source/Ovio\\OvIOFile", 1, 0).file, "OvIOFile");
    EXPECT_STREQ(OvError(1, "x", "Source/Ovio/Ov", 1, 0).file, "");
    EXPECT_STREQ(OvError(1, "x", "Source/", 1, 0).file, "");
    EXPECT_STREQ(OvError(1, "x", "plain.cpp", 1, 0).file, "plain.cpp");
    EXPECT_EQ(OvError(1, "x", nullptr, 1, 0).file, nullptr);
}

TEST_F(OvErrorTest, RaiseLogsOneLineOnTheErrorChannelAndRecordsTheError)
{
    const OvError error(43, "OvIOErr", "Source/OvDevices/OvROVUvided", 625, 0);
    EXPECT_EQ(fCapture.Writes(), std::vector<std::string>{"Error: 43 \"OvIOErr\", file \"ROVUvided\", line 625\n"});
    EXPECT_STREQ(error.GetMessage(), "Error=43 (OvIOErr, 625)");

    const OvError& record = LastErrorRecord();
    EXPECT_EQ(record.code, 43);
    EXPECT_STREQ(record.name, "OvIOErr");
    EXPECT_STREQ(record.file, "ROVUvided");
    EXPECT_EQ(record.line, 625);
    EXPECT_NE(record.name, error.name);  // a copy, not the raising object's texts

    const OvError ptr(20, "OvPtrInvalid", "Source/OvCore/OvTemplates", 9, 0);
    EXPECT_EQ(fCapture.Lines().back(), "Error: 20 \"PtrInvalid\", file \"Templates\", line 9");
    EXPECT_STREQ(LastErrorRecord().name, "PtrInvalid");
}

TEST_F(OvErrorTest, MissingNameBecomesUnknownAndLineZeroIsNotFormatted)
{
    const OvError unnamed(5, nullptr, nullptr, 0, 0);
    EXPECT_STREQ(unnamed.name, "Unknown");
    EXPECT_STREQ(unnamed.GetMessage(), "Error=5 (Unknown)");
    EXPECT_EQ(fCapture.Lines(), std::vector<std::string>{"Error: 5 \"Unknown\", file \"\", line 0"});

    EXPECT_STREQ(OvError(3, "OvArgErr", "Source/x", 0, 0).GetMessage(), "Error=3 (OvArgErr)");
    EXPECT_STREQ(OvError(3, "OvArgErr", "Source/x", -4, 0).GetMessage(), "Error=3 (OvArgErr)");
    EXPECT_STREQ(OvError(7, "Ov", nullptr, 12, 0).GetMessage(), "Error=7");  // empty name
}

TEST_F(OvErrorTest, CodeZeroIsNeitherLoggedNorRecorded)
{
    const OvError recorded(9, "OvNotFound", nullptr, 1, 0);
    fCapture.Clear();
    const OvError none(0, "OvArgErr", "Source/OvCore/OvString", 4, 0);
    EXPECT_EQ(none.name, std::string("OvArgErr"));
    EXPECT_EQ(fCapture.Text(), "");
    EXPECT_EQ(LastErrorRecord().code, 9);
    EXPECT_EQ(OvError(0, nullptr, nullptr, 0, 0).name, nullptr);  // no "Unknown" for code 0
}

TEST_F(OvErrorTest, QuietFlagOrDisabledErrorChannelSkipsTheLineButStillRecords)
{
    const OvError quiet(8, "OvEOFReached", nullptr, 3, 1);
    EXPECT_EQ(fCapture.Text(), "");
    EXPECT_EQ(LastErrorRecord().code, 8);
    EXPECT_EQ(LastErrorRecord().flags, 1u);

    EnableChannel(kOvChannelError, false);
    const OvError silent(22, "OvDivZero", "Source/OvMath/OvVector", 77, 0);
    EXPECT_EQ(fCapture.Text(), "");
    EXPECT_EQ(LastErrorRecord().code, 22);
    EXPECT_STREQ(LastErrorRecord().name, "DivZero");
    EXPECT_STREQ(LastErrorRecord().GetMessage(), "Error=22 (DivZero, 77)");

    LastErrorRecord() = OvError();
    EXPECT_STREQ(LastErrorRecord().GetMessage(), "No Error");
}

TEST_F(OvErrorTest, CopiesAndAssignmentsOwnTheirTexts)
{
    OvError original(14, "OvFileSeekFailed", "Source/Ovio/OvFile", 31, 0);
    const OvError copy(original);
    EXPECT_EQ(copy.code, 14);
    EXPECT_STREQ(copy.name, "FileSeekFailed");
    EXPECT_STREQ(copy.file, "File");
    EXPECT_EQ(copy.line, 31);
    EXPECT_NE(copy.name, original.name);
    EXPECT_NE(copy.file, original.file);

    OvError target(51, "OvOutOfRange", nullptr, 2, 0);
    target = original;
    EXPECT_STREQ(target.name, "FileSeekFailed");
    EXPECT_STREQ(target.file, "File");
    EXPECT_NE(target.name, original.name);

    const char* name = original.name;
    OvError& self = original;
    original = self;
    EXPECT_EQ(original.name, name);

    target = OvError();
    EXPECT_EQ(target.name, nullptr);
    EXPECT_EQ(target.file, nullptr);
    EXPECT_STREQ(target.GetMessage(), "No Error");
}

TEST_F(OvErrorTest, MessageBufferGrowsForLongNames)
{
    const std::string longName(5000, 'n');
    const OvError error(17, longName.c_str(), "Source/Ovio/OvFile", 8, 0);
    EXPECT_EQ(Text(error.GetMessage()), "Error=17 (" + longName + ", 8)");
    EXPECT_STREQ(OvError(2, "OvUnexpectedErr", nullptr, 0, 0).GetMessage(), "Error=2 (OvUnexpectedErr)");
}

TEST_F(OvErrorTest, RaiseSystemErrorBuildsItsMessageWithoutFileAndLine)
{
    const OvError withText = CaughtError([] { RaiseSystemError(126, "Couldn't load user32.dll", 0); });
    EXPECT_EQ(withText.code, 68);
    EXPECT_STREQ(withText.name, "System error: 126 Couldn't load user32.dll");
    EXPECT_EQ(withText.file, nullptr);
    EXPECT_EQ(withText.line, 0);
    EXPECT_STREQ(withText.GetMessage(), "Error=68 (System error: 126 Couldn't load user32.dll)");
    EXPECT_EQ(fCapture.Lines(),
              std::vector<std::string>{"Error: 68 \"System error: 126 Couldn't load user32.dll\", file \"\", line 0"});

    const OvError withoutText = CaughtError([] { RaiseSystemError(5, "", 0); });
    EXPECT_STREQ(withoutText.name, "System error: 5");
    EXPECT_STREQ(CaughtError([] { RaiseSystemError(-3, nullptr, 0); }).name, "System error: -3");
    EXPECT_STREQ(LastErrorRecord().name, "System error: -3");
}

}  // namespace
