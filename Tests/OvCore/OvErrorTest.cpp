#include "OvCore/OvError.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"

namespace {

using Lines = std::vector<std::string>;
using TextPairs = std::initializer_list<std::pair<const char*, const char*>>;

class OvErrorTest : public ::testing::Test {
protected:
    OvScopedDebugCapture fCapture;
};

TEST_F(OvErrorTest, NameAndFileLoseTheFrameworkPrefixUnlessAVowelFollows)
{
    for (const auto& [raw, trimmed] : TextPairs{{"OvPtrInvalid", "PtrInvalid"}, {"ovFormatErr", "FormatErr"},
                                                {"OVFormatErr", "FormatErr"}, {"Ov", ""}}) {
        EXPECT_STREQ(OvError(1, raw, nullptr, 0, 0).name, trimmed) << raw;
    }
    for (const char* kept : {"OvIOErr", "OvArgErr", "OvEOFReached", "OvOutOfRange", "OvUndefProc", "Ovid", "Oxford",
                             "vOvX", "O", ""}) {
        EXPECT_STREQ(OvError(1, kept, nullptr, 0, 0).name, kept);
    }
    // The file keeps its last component, after '/' or '\\'.
    for (const auto& [raw, trimmed] : TextPairs{{"Source/OvCore/OvString", "String"},
                                                {"C:\\work/Source\\OvCore/OvTemplates", "Templates"},
                                                {"Source/Ovio\\OvIOFile", "OvIOFile"}, {"Source/Ovio/Ov", ""},
                                                {"Source/", ""}, {"plain.cpp", "plain.cpp"}}) {
        EXPECT_STREQ(OvError(1, "x", raw, 1, 0).file, trimmed) << raw;
    }
    EXPECT_EQ(OvError(1, "x", nullptr, 1, 0).file, nullptr);
}

TEST_F(OvErrorTest, RaiseLogsOneLineOnTheErrorChannelAndRecordsACopy)
{
    const OvError error(43, "OvIOErr", "Source/OvDevices/OvROVUvided", 625, 0);
    EXPECT_EQ(fCapture.Writes(), Lines{"Error: 43 \"OvIOErr\", file \"ROVUvided\", line 625\n"});
    EXPECT_STREQ(LastErrorRecord().GetMessage(), "Error=43 (OvIOErr, 625)");
    EXPECT_STREQ(LastErrorRecord().file, "ROVUvided");
    EXPECT_NE(LastErrorRecord().name, error.name);  // a copy, not the raising object's texts

    const OvError unnamed(5, nullptr, nullptr, 0, 0);
    EXPECT_STREQ(unnamed.name, "Unknown");
    EXPECT_EQ(fCapture.Lines().back(), "Error: 5 \"Unknown\", file \"\", line 0");
}

TEST_F(OvErrorTest, MessageShowsTheLineOnlyWhenPositive)
{
    EXPECT_STREQ(OvError().GetMessage(), "No Error");
    EXPECT_STREQ(OvError(5, nullptr, nullptr, 0, 0).GetMessage(), "Error=5 (Unknown)");
    EXPECT_STREQ(OvError(3, "OvArgErr", "Source/x", 0, 0).GetMessage(), "Error=3 (OvArgErr)");
    EXPECT_STREQ(OvError(3, "OvArgErr", "Source/x", -4, 0).GetMessage(), "Error=3 (OvArgErr)");
    EXPECT_STREQ(OvError(7, "Ov", nullptr, 12, 0).GetMessage(), "Error=7");  // empty name
    const std::string longName(5000, 'n');  // beyond the first message buffer
    EXPECT_EQ(std::string(OvError(17, longName.c_str(), "Source/x", 8, 0).GetMessage()),
              "Error=17 (" + longName + ", 8)");
}

TEST_F(OvErrorTest, QuietFlagOrDisabledChannelSkipsTheLineButStillRecordsWhileCodeZeroDoesNeither)
{
    const OvError quiet(8, "OvEOFReached", nullptr, 3, 1);
    EXPECT_EQ(LastErrorRecord().flags, 1u);
    EnableChannel(kOvChannelError, false);
    const OvError silent(22, "OvDivZero", "Source/OvMath/OvVector", 77, 0);
    EXPECT_STREQ(LastErrorRecord().GetMessage(), "Error=22 (DivZero, 77)");
    EnableChannel(kOvChannelError, true);
    EXPECT_STREQ(OvError(0, "OvArgErr", "Source/OvCore/OvString", 4, 0).name, "OvArgErr");
    EXPECT_EQ(OvError(0, nullptr, nullptr, 0, 0).name, nullptr);  // no "Unknown" for code 0
    EXPECT_EQ(fCapture.Text(), "");
    EXPECT_EQ(LastErrorRecord().code, 22);
}

TEST_F(OvErrorTest, CopiesAndAssignmentsOwnTheirTexts)
{
    OvError original(14, "OvFileSeekFailed", "Source/Ovio/OvFile", 31, 0);
    const OvError copy(original);
    OvError assigned(51, "OvOutOfRange", nullptr, 2, 0);
    assigned = original;
    for (const OvError* other : std::initializer_list<const OvError*>{&copy, &assigned}) {
        EXPECT_EQ(std::string(other->GetMessage()), "Error=14 (FileSeekFailed, 31)");
        EXPECT_STREQ(other->file, "File");
        EXPECT_TRUE(other->name != original.name && other->file != original.file);
    }
    const char* name = original.name;
    const OvError& self = original;
    original = self;
    EXPECT_EQ(original.name, name);
    assigned = OvError();
    EXPECT_TRUE(assigned.name == nullptr && assigned.file == nullptr);
}

TEST_F(OvErrorTest, RaiseSystemErrorBuildsItsMessageWithoutFileAndLine)
{
    EXPECT_THROW(RaiseSystemError(126, "Couldn't load user32.dll", 0), OvError);
    EXPECT_EQ(LastErrorRecord().file, nullptr);
    EXPECT_EQ(fCapture.Lines(), Lines{"Error: 68 \"System error: 126 Couldn't load user32.dll\", file \"\", line 0"});
    EXPECT_THROW(RaiseSystemError(5, "", 0), OvError);
    EXPECT_STREQ(LastErrorRecord().name, "System error: 5");
    EXPECT_THROW(RaiseSystemError(-3, nullptr, 0), OvError);
    EXPECT_STREQ(LastErrorRecord().name, "System error: -3");
}

}  // namespace
