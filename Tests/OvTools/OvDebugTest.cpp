#include "OvTools/OvDebug.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "Support/OvCaptureStream.h"
#include "Support/OvTestSupport.h"

namespace {

using Writes = std::vector<std::string>;

TEST(OvDebugChannels, NamesAndStateAtCreation)
{
    const char* const names[] = {"General", "Always on", "Always off", "Error", "CallApp", "CallUI", "DataBase",
                                 "PDF internal", "PixMap", "SmartLink", "SmartLink details", "ColorCharts",
                                 "Sockets", "Preset", "Monitor", ""};
    for (int32_t channel = 0; channel < 16; ++channel) {
        EXPECT_STREQ(ChannelName(channel).Chars(), names[channel]);
        EXPECT_EQ(IsChannelEnabled(channel), channel <= 1 || channel == 3) << channel;
    }
    // Out of range, the index becomes the error code.
    OvScopedDebugCapture capture;
    EXPECT_OV_ERROR(ChannelName(16), 16, "channel");
    EXPECT_OV_ERROR(ChannelName(-1), -1, "channel");
    EXPECT_EQ(capture.Lines()[0].rfind("Error: 16 \"channel\", file \"Debug\", line ", 0), 0u);
}

TEST(OvDebugChannels, OneIsAlwaysOnTwoAlwaysOffAndMinusOneSetsAllOthers)
{
    OvScopedDebugCapture capture;
    EnableChannel(-1, true);
    for (int32_t channel = 0; channel < 16; ++channel) EXPECT_EQ(IsChannelEnabled(channel), channel != 2) << channel;
    EnableChannel(-1, false);
    for (int32_t channel = 0; channel < 16; ++channel) EXPECT_EQ(IsChannelEnabled(channel), channel == 1) << channel;

    EnableChannel(kOvChannelAlwaysOn, false);
    for (int32_t channel : {2, 16, -2}) EnableChannel(channel, true);
    for (int32_t channel : {0, 2, 15, 16, 99, -1, -2}) {  // 16 and -2 were ignored
        EXPECT_FALSE(IsChannelEnabled(channel)) << channel;
        DebugWrite(channel, "never");
        DebugPrintf(channel, "never %d", channel);
    }
    DebugWrite(kOvChannelAlwaysOn, "x");
    EnableChannel(kOvChannelMonitor, true);
    DebugPrintf(kOvChannelMonitor, "DDC2Device::ReadEDID %d", 1);
    EXPECT_EQ(capture.Writes(), (Writes{"x", "\n", "DDC2Device::ReadEDID 1\n"}));
}

TEST(OvDebugWrite, EveryLineEndsInExactlyOneNewlineAndFormattedOnesAreCutAt4094)
{
    OvScopedDebugCapture capture;
    const struct { const char* text; Writes writes; } plain[] = {
        {"", {"", "\n"}}, {"abc\n", {"abc\n"}}, {"abc", {"abc", "\n"}}, {nullptr, {"", "\n"}}};
    for (const auto& [text, writes] : plain) {
        capture.Clear();
        DebugWrite(kOvChannelGeneral, text);
        EXPECT_EQ(capture.Writes(), writes) << (text ? text : "(null)");
    }
    // A formatted line gets its newline in the same write, unless the cut removed it.
    const std::string fits(4094, 'a');
    const std::string ended = std::string(4093, 'b') + "\n";
    const std::string tooLong = std::string(5000, 'c') + "\n";
    const struct { std::string text; Writes writes; } formatted[] = {
        {"done", {"done\n"}}, {"done\n", {"done\n"}}, {"", {"", "\n"}},
        {fits, {fits + "\n"}}, {ended, {ended}}, {tooLong, {tooLong.substr(0, 4094), "\n"}}};
    for (const auto& [text, writes] : formatted) {
        capture.Clear();
        DebugPrintf(kOvChannelGeneral, "%s", text.c_str());
        EXPECT_EQ(capture.Writes(), writes) << text.size();
    }
}

TEST(OvDebugWrite, ARaisingStreamLeavesTheChannelOff)
{
    OvScopedDebugCapture capture;
    EnableChannel(kOvChannelError, false);  // keeps the failure's own line out of the capture
    const OvError failure(kOvIOErr, "OvIOErr", "Host/Stream", 12, 0);
    EnableChannel(kOvChannelError, true);
    capture->RaiseOnWrite(failure);
    DebugWrite(kOvChannelGeneral, "lost");  // returns normally
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
    EXPECT_EQ(SetDebugStream(&second, false), &first);
    EXPECT_EQ(SetDebugStream(&first, true), &first);  // the same again: not released
    EXPECT_EQ(first.ReleaseCount(), 0);
    EXPECT_EQ(SetDebugStream(&second, true), &second);
    EXPECT_EQ(first.ReleaseCount(), 1);

    OvStream* fallback = SetDebugStream(nullptr, true);
    EXPECT_EQ(second.ReleaseCount(), 1);
    EXPECT_STREQ(fallback->ClassName(), "OvStream");
    EXPECT_EQ(GetDebugStream(), fallback);
    const int32_t count = fallback->RefCount();
    EXPECT_EQ(SetDebugStream(nullptr, true), fallback);  // released, then installed again
    EXPECT_EQ(SetDebugStream(nullptr, false), fallback);
    EXPECT_EQ(fallback->RefCount(), count);

    SetDebugStream(previous, true);
    EXPECT_EQ(first.AddRefCount() + second.AddRefCount(), 0);  // callers' counts are handed over
}

TEST(OvOutputDebugStream, AnswersAsAPlainStreamAndWritesAtMost4095Bytes)
{
    OvOutputDebugStream stream;
    EXPECT_STREQ(stream.ClassName(), "OvStream");  // no cast of its own
    int32_t written = -1;
    EXPECT_EQ(stream.Write("abc", 3, &written), 3);
    EXPECT_EQ(written, 3);
    const std::string large(5000, 'x');
    EXPECT_EQ(stream.Write(large.data(), 5000, nullptr), 4095);
}

#if !defined(_WIN32)
// On POSIX the debugger output goes to the file named by OV_DEBUG_OUTPUT.
TEST(OvOutputDebugStream, PassesTheBytesUpToTheFirstNulToTheDebugger)
{
    const OvTestFolder folder;
    OvOutputDebugStream stream;
    {
        const OvScopedEnvironment off("OV_DEBUG_OUTPUT", std::nullopt);
        stream.Write("dropped", 7, nullptr);  // silent unless asked for
    }
    const OvScopedEnvironment output("OV_DEBUG_OUTPUT", folder.Path("debugger.log"));
    int32_t written = 0;
    EXPECT_EQ(stream.Write("h\xC3\xA9llo\0rest", 11, &written), 11);
    EXPECT_EQ(written, 11);
    const std::string large = std::string(4094, 'x') + "yz";
    stream.Write(large.data(), static_cast<int32_t>(large.size()), nullptr);

    // With no stream installed, the debug lines go there too.
    OvStream* previous = GetDebugStream();
    previous->AddRef();
    SetDebugStream(nullptr, true);
    DebugPrintf(kOvChannelAlwaysOn, "to the debugger %d", 1);
    SetDebugStream(previous, true);
    EXPECT_EQ(folder.ReadFile("debugger.log"), "h\xC3\xA9llo" + std::string(4094, 'x') + "yto the debugger 1\n");
}
#endif

}  // namespace
