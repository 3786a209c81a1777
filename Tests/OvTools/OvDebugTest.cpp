#include "OvTools/OvDebug.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "Support/OvCaptureStream.h"

namespace {

using Writes = std::vector<std::string>;

TEST(OvDebugChannels, NamesAndStateAtCreation)
{
    const std::vector<std::string> names = {
        "General", "Always on", "Always off", "Error", "CallApp", "CallUI", "DataBase", "PDF internal",
        "PixMap", "SmartLink", "SmartLink details", "ColorCharts", "Sockets", "Preset", "Monitor", ""};
    for (int32_t channel = 0; channel < 16; ++channel) {
        EXPECT_STREQ(ChannelName(channel).Chars(), names[static_cast<size_t>(channel)].c_str());
        const bool enabledAtCreation = channel <= 1 || channel == 3;
        EXPECT_EQ(IsChannelEnabled(channel), enabledAtCreation) << channel;
    }
}

TEST(OvDebugChannels, NamingAChannelOutOfRangeRaisesWithTheIndexAsCode)
{
    OvScopedDebugCapture capture;
    for (int32_t channel : {16, -1}) {
        try {
            ChannelName(channel);
            ADD_FAILURE() << channel;
        } catch (const OvError& error) {
            EXPECT_EQ(error.code, channel);
            EXPECT_STREQ(error.name, "channel");
            EXPECT_STREQ(error.file, "Debug");
            EXPECT_GT(error.line, 0);
        }
    }
    ASSERT_EQ(capture.Lines().size(), 2u);
    EXPECT_EQ(capture.Lines()[0].rfind("Error: 16 \"channel\", file \"Debug\", line ", 0), 0u);
}

TEST(OvDebugChannels, ChannelOneAlwaysWritesAndChannelTwoNever)
{
    OvScopedDebugCapture capture;
    EnableChannel(kOvChannelAlwaysOn, false);
    EnableChannel(kOvChannelAlwaysOff, true);
    EXPECT_TRUE(IsChannelEnabled(kOvChannelAlwaysOn));
    EXPECT_FALSE(IsChannelEnabled(kOvChannelAlwaysOff));
    DebugWrite(kOvChannelAlwaysOn, "x");
    DebugWrite(kOvChannelAlwaysOff, "never");
    DebugPrintf(kOvChannelAlwaysOff, "never %d", 2);
    for (int32_t channel : {16, 99, -1, -2}) {
        EXPECT_FALSE(IsChannelEnabled(channel));
        DebugWrite(channel, "out of range");
        DebugPrintf(channel, "out of range %d", channel);
    }
    EXPECT_EQ(capture.Text(), "x\n");
}

TEST(OvDebugChannels, MinusOneSetsEveryChannelWhileOtherNumbersAreIgnored)
{
    OvScopedDebugCapture capture;
    EnableChannel(-1, true);
    for (int32_t channel = 0; channel < 16; ++channel) {
        EXPECT_EQ(IsChannelEnabled(channel), channel != kOvChannelAlwaysOff) << channel;
    }
    EnableChannel(16, false);
    EnableChannel(-2, false);
    EXPECT_TRUE(IsChannelEnabled(15));
    EXPECT_TRUE(IsChannelEnabled(0));

    EnableChannel(-1, false);
    for (int32_t channel = 0; channel < 16; ++channel) {
        EXPECT_EQ(IsChannelEnabled(channel), channel == kOvChannelAlwaysOn) << channel;
    }
    DebugPrintf(kOvChannelMonitor, "DDC2Device::ReadEDID %d", 1);
    EXPECT_EQ(capture.Text(), "");
    EnableChannel(kOvChannelMonitor, true);
    DebugPrintf(kOvChannelMonitor, "DDC2Device::ReadEDID %d", 1);
    EXPECT_EQ(capture.Writes(), Writes{"DDC2Device::ReadEDID 1\n"});
}

TEST(OvDebugWrite, EveryLineEndsInExactlyOneNewline)
{
    OvScopedDebugCapture capture;
    DebugWrite(kOvChannelGeneral, "");
    EXPECT_EQ(capture.Writes(), (Writes{"", "\n"}));
    capture.Clear();
    DebugWrite(kOvChannelGeneral, "abc\n");
    EXPECT_EQ(capture.Writes(), Writes{"abc\n"});
    capture.Clear();
    DebugWrite(kOvChannelGeneral, "abc");
    EXPECT_EQ(capture.Writes(), (Writes{"abc", "\n"}));
    capture.Clear();
    DebugWrite(kOvChannelGeneral, nullptr);
    EXPECT_EQ(capture.Writes(), (Writes{"", "\n"}));

    capture.Clear();
    DebugPrintf(kOvChannelGeneral, "- %s failed with error %d", "::SendBuf", 5);
    DebugPrintf(kOvChannelGeneral, "done\n");
    DebugPrintf(kOvChannelGeneral, "%s", "");
    EXPECT_EQ(capture.Writes(), (Writes{"- ::SendBuf failed with error 5\n", "done\n", "", "\n"}));
}

TEST(OvDebugWrite, FormattedLinesAreCutAt4094Characters)
{
    OvScopedDebugCapture capture;
    const std::string fits(4094, 'a');
    DebugPrintf(kOvChannelGeneral, "%s", fits.c_str());
    EXPECT_EQ(capture.Writes(), Writes{fits + "\n"});

    capture.Clear();
    const std::string ended(4093, 'b');
    DebugPrintf(kOvChannelGeneral, "%s\n", ended.c_str());
    EXPECT_EQ(capture.Writes(), Writes{ended + "\n"});

    capture.Clear();
    const std::string tooLong(5000, 'c');
    DebugPrintf(kOvChannelGeneral, "%s\n", tooLong.c_str());
    EXPECT_EQ(capture.Writes(), (Writes{tooLong.substr(0, 4094), "\n"}));
}

TEST(OvDebugWrite, ARaisingStreamLeavesTheChannelOff)
{
    OvScopedDebugCapture capture;
    EnableChannel(kOvChannelError, false);  // keeps the failure's own line out of the capture
    const OvError failure(kOvIOErr, "OvIOErr", "Host/Stream", 12, 0);
    EnableChannel(kOvChannelError, true);
    capture->RaiseOnWrite(failure);
    DebugWrite(kOvChannelGeneral, "lost");
    EXPECT_FALSE(IsChannelEnabled(kOvChannelGeneral));

    capture->StopRaising();
    DebugWrite(kOvChannelGeneral, "still off");
    DebugPrintf(kOvChannelGeneral, "still %s", "off");
    DebugWrite(kOvChannelError, "other channels go on");
    EXPECT_EQ(capture.Text(), "other channels go on\n");
}

TEST(OvDebugWrite, TheStreamsOwnLoggingOnTheWrittenChannelIsDropped)
{
    OvScopedDebugCapture capture;
    capture->DuringNextWrite([] {
        DebugWrite(kOvChannelGeneral, "dropped");
        DebugWrite(kOvChannelError, "nested");  // same thread: the debug lock is taken again
    });
    DebugWrite(kOvChannelGeneral, "outer");
    EXPECT_EQ(capture.Writes(), (Writes{"outer", "nested", "\n", "\n"}));
    EXPECT_TRUE(IsChannelEnabled(kOvChannelGeneral));
}

TEST(OvDebugWrite, AFlushingStreamIsClosedAfterEachLine)
{
    OvScopedDebugCapture capture;
    DebugWrite(kOvChannelGeneral, "plain");
    EXPECT_EQ(capture->CloseCount(), 0);

    capture->AnswerFlushFileStream(true);
    DebugWrite(kOvChannelGeneral, "one");
    DebugPrintf(kOvChannelGeneral, "two %d", 2);
    DebugWrite(kOvChannelAlwaysOff, "none");
    EXPECT_EQ(capture->CloseCount(), 2);
    EXPECT_EQ(capture.Lines(), (Writes{"plain", "one", "two 2"}));
}

TEST(OvDebugStream, SetDebugStreamReleasesTheReplacedStreamAndFallsBackToTheDefault)
{
    OvStream* previous = GetDebugStream();
    previous->AddRef();
    OvCaptureStream first;
    OvCaptureStream second;

    EXPECT_EQ(SetDebugStream(&first, true), &first);
    EXPECT_EQ(first.AddRefCount(), 0);  // the caller's count is handed over
    EXPECT_EQ(SetDebugStream(&second, false), &first);
    EXPECT_EQ(SetDebugStream(&first, true), &first);
    EXPECT_EQ(first.ReleaseCount(), 0);
    EXPECT_EQ(SetDebugStream(&second, true), &second);
    EXPECT_EQ(first.ReleaseCount(), 1);
    EXPECT_EQ(GetDebugStream(), &second);

    OvStream* fallback = SetDebugStream(nullptr, true);
    EXPECT_EQ(second.ReleaseCount(), 1);
    EXPECT_STREQ(fallback->ClassName(), "OvStream");
    EXPECT_EQ(fallback->Cast("OvCaptureStream"), nullptr);
    EXPECT_EQ(GetDebugStream(), fallback);
    const int32_t count = fallback->RefCount();
    EXPECT_EQ(SetDebugStream(nullptr, true), fallback);  // released, then installed again
    EXPECT_EQ(fallback->RefCount(), count);
    EXPECT_EQ(SetDebugStream(nullptr, false), fallback);
    EXPECT_EQ(fallback->RefCount(), count);

    SetDebugStream(previous, true);
    EXPECT_EQ(first.AddRefCount() + second.AddRefCount(), 0);
}

TEST(OvOutputDebugStream, AnswersAsAPlainStream)
{
    OvOutputDebugStream stream;
    EXPECT_EQ(stream.Cast("OvStream"), &stream);
    EXPECT_EQ(stream.Cast("OvObject"), &stream);
    EXPECT_EQ(stream.Cast("OvFile"), nullptr);
    EXPECT_EQ(stream.Cast("OvOutputDebugStream"), nullptr);
    EXPECT_STREQ(stream.ClassName(), "OvStream");

    int32_t written = -1;
    EXPECT_EQ(stream.Write("abc", 3, &written), 3);
    EXPECT_EQ(written, 3);
    const std::string large(5000, 'x');
    EXPECT_EQ(stream.Write(large.data(), 5000, nullptr), 4095);
}

#if !defined(_WIN32)
// On POSIX the debugger output goes to the file named by OV_DEBUG_OUTPUT.
class DebuggerOutputFile {
public:
    DebuggerOutputFile()
        : fPath(std::filesystem::temp_directory_path() /
                ("OvDebugTest-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())))
    {
        setenv("OV_DEBUG_OUTPUT", fPath.c_str(), 1);
    }
    ~DebuggerOutputFile()
    {
        unsetenv("OV_DEBUG_OUTPUT");
        std::filesystem::remove(fPath);
    }
    DebuggerOutputFile(const DebuggerOutputFile&) = delete;
    DebuggerOutputFile& operator=(const DebuggerOutputFile&) = delete;

    std::string Text() const
    {
        std::ifstream file(fPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path fPath;
};

TEST(OvOutputDebugStream, PassesAtMost4095BytesUpToTheFirstNulToTheDebugger)
{
    const DebuggerOutputFile output;
    OvOutputDebugStream stream;
    int32_t written = 0;
    EXPECT_EQ(stream.Write("h\xC3\xA9llo\0rest", 11, &written), 11);
    EXPECT_EQ(written, 11);
    EXPECT_EQ(output.Text(), "h\xC3\xA9llo");

    const std::string large = std::string(4094, 'x') + "yz";
    stream.Write(large.data(), static_cast<int32_t>(large.size()), nullptr);
    EXPECT_EQ(output.Text(), "h\xC3\xA9llo" + std::string(4094, 'x') + "y");
}

TEST(OvOutputDebugStream, IsTheDebugStreamUntilAnotherIsInstalled)
{
    const DebuggerOutputFile output;
    OvStream* previous = GetDebugStream();
    previous->AddRef();
    SetDebugStream(nullptr, true);
    DebugPrintf(kOvChannelAlwaysOn, "to the debugger %d", 1);
    SetDebugStream(previous, true);
    EXPECT_EQ(output.Text(), "to the debugger 1\n");
}
#endif

}  // namespace
