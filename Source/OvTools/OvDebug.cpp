#define OV_SOURCE_FILE "Source/OvTools/OvDebug"
#include "OvTools/OvDebug.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "OvCore/OvError.h"
#include "Ovio/OvFile.h"
#include "OvSystem/OvPlatform.h"

namespace {

constexpr int32_t kChannelCount = 16;
constexpr int32_t kLineBufferSize = 4096;
constexpr int32_t kMaxLineLength = kLineBufferSize - 2;

struct ChannelEntry {
    int32_t index;
    OvString name;
    bool enabled;
    OvStream* stream;  // the channel's own stream; none means the process-wide one
    bool flush;        // close a flushing stream after each line
};

using ChannelTable = std::array<ChannelEntry, kChannelCount>;

ChannelTable& Channels()
{
    static ChannelTable table = {{
        {0, "General", true, nullptr, true},
        {1, "Always on", true, nullptr, true},
        {2, "Always off", false, nullptr, true},
        {3, "Error", true, nullptr, true},
        {4, "CallApp", false, nullptr, true},
        {5, "CallUI", false, nullptr, true},
        {6, "DataBase", false, nullptr, true},
        {7, "PDF internal", false, nullptr, true},
        {8, "PixMap", false, nullptr, true},
        {9, "SmartLink", false, nullptr, true},
        {10, "SmartLink details", false, nullptr, true},
        {11, "ColorCharts", false, nullptr, true},
        {12, "Sockets", false, nullptr, true},
        {13, "Preset", false, nullptr, true},
        {14, "Monitor", false, nullptr, true},
        {15, "", false, nullptr, true},
    }};
    return table;
}

ChannelEntry& Channel(int32_t index)
{
    if (index < 0 || index >= kChannelCount) throw OvError(index, "channel", OV_SOURCE_FILE, __LINE__, 0);
    return Channels()[static_cast<size_t>(index)];
}

// Whether a line on the channel is written: channel 1 always, channel 2 never.
bool IsWritable(int32_t channel)
{
    if (channel == kOvChannelAlwaysOn) return true;
    if (channel == kOvChannelAlwaysOff || channel < 0 || channel >= kChannelCount) return false;
    return Channel(channel).enabled;
}

OvStream* gDebugStream = nullptr;

OvStream* DefaultDebugStream()
{
    // Holds its creation count for the life of the process, so releases never free it.
    static OvOutputDebugStream* stream = new OvOutputDebugStream;
    return stream;
}

// Holds the debug lock. The thread that holds it may take it again (an error raised while
// a line is written logs its own line), as the Windows mutex behind the lock allows.
class DebugLock {
public:
    DebugLock()
    {
        if (tDepth++ == 0) OvPlatform::LockDebugMutex();
    }
    ~DebugLock()
    {
        if (--tDepth == 0) OvPlatform::UnlockDebugMutex();
    }
    DebugLock(const DebugLock&) = delete;
    DebugLock& operator=(const DebugLock&) = delete;

private:
    static thread_local int tDepth;
};

thread_local int DebugLock::tDepth = 0;

OvStream* CurrentDebugStream()
{
    if (gDebugStream == nullptr) {
        gDebugStream = DefaultDebugStream();
        gDebugStream->AddRef();
    }
    return gDebugStream;
}

void WriteLine(ChannelEntry& entry, const char* text)
{
    OvStream* stream = entry.stream ? entry.stream : CurrentDebugStream();
    // Whatever the stream logs on this channel while writing is dropped.
    entry.enabled = false;
    const size_t length = std::strlen(text);
    stream->Write(text, static_cast<int32_t>(length), nullptr);
    if (length == 0 || text[length - 1] != '\n') stream->Write("\n", 1, nullptr);
    if (entry.flush) {
        if (OvCastBase* flushing = stream->Cast("OvFlushFileStream")) static_cast<OvFile*>(flushing)->Close();
    }
    entry.enabled = true;
}

}  // namespace

bool IsChannelEnabled(int32_t channel)
{
    return IsWritable(channel);
}

void EnableChannel(int32_t channel, bool on)
{
    if (channel == -1) {
        for (ChannelEntry& entry : Channels()) entry.enabled = on;
    } else if (channel >= 0 && channel < kChannelCount) {
        Channel(channel).enabled = on;
    }
}

OvString ChannelName(int32_t channel)
{
    return Channel(channel).name;
}

void DebugWrite(int32_t channel, const char* text)
{
    DebugLock lock;
    if (!IsWritable(channel)) return;
    try {
        WriteLine(Channel(channel), text ? text : "");
    } catch (...) {
        // A failing log stream must never reach the code that logs; the channel stays off.
    }
}

void DebugPrintf(int32_t channel, const char* format, ...)
{
    if (!IsWritable(channel)) return;
    char line[kLineBufferSize];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(line, kMaxLineLength + 1, format, args);
    va_end(args);
    if (length < 0) line[0] = '\0';
    if (length >= 1 && length <= kMaxLineLength && line[length - 1] != '\n') {
        line[length] = '\n';
        line[length + 1] = '\0';
    }
    DebugWrite(channel, line);
}

OvStream* SetDebugStream(OvStream* stream, bool replace)
{
    DebugLock lock;
    if (replace && stream != gDebugStream) {
        if (gDebugStream) gDebugStream->Release();
        gDebugStream = stream;
    }
    return CurrentDebugStream();
}

OvStream* GetDebugStream()
{
    DebugLock lock;
    return CurrentDebugStream();
}

int32_t OvOutputDebugStream::Write(const void* buffer, int32_t count, int32_t* written)
{
    const int32_t taken = buffer ? std::clamp<int32_t>(count, 0, kLineBufferSize - 1) : 0;
    char text[kLineBufferSize];
    if (taken > 0) std::memcpy(text, buffer, static_cast<size_t>(taken));
    text[taken] = '\0';
    OvPlatform::DebuggerOutput(OvString(text).ToUtf16().WideChars());
    if (written) *written = taken;
    return taken;
}
