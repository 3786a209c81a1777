#define OV_SOURCE_FILE "Tests/Support/OvCaptureStream"
#include "Support/OvCaptureStream.h"

#include <utility>

#include "OvTools/OvDebug.h"

OvCastBase* OvCaptureStream::Cast(const char* className)
{
    if (OvClassNameIs(className, "OvCaptureStream")) return this;
    if (fAnswersFlush && OvClassNameIs(className, "OvFlushFileStream")) return this;
    return OvStream::Cast(className);
}

const char* OvCaptureStream::ClassName() const
{
    return "OvCaptureStream";
}

int32_t OvCaptureStream::RefCount() const
{
    return fCount;
}

void OvCaptureStream::AddRef()
{
    ++fAddRefs;
    ++fCount;
}

void OvCaptureStream::Release()
{
    ++fReleases;
    --fCount;
}

int32_t OvCaptureStream::Read(void* buffer, int32_t count, int32_t* read)
{
    return OvStream::Read(buffer, count, read);
}

int32_t OvCaptureStream::Write(const void* buffer, int32_t count, int32_t* written)
{
    if (fRaise) throw OvError(*fRaise);
    const int32_t taken = buffer && count > 0 ? count : 0;
    fWrites.emplace_back(static_cast<const char*>(buffer), static_cast<size_t>(taken));
    if (written) *written = taken;
    if (fDuringNextWrite) std::exchange(fDuringNextWrite, nullptr)();
    return taken;
}

void OvCaptureStream::Seek(int64_t offset, int32_t origin)
{
    OvStream::Seek(offset, origin);
}

int64_t OvCaptureStream::GetPosition()
{
    return OvStream::GetPosition();
}

OvString OvCaptureStream::Describe()
{
    return OvString(ClassName());
}

bool OvCaptureStream::IsSeekable()
{
    return false;
}

void OvCaptureStream::Close()
{
    ++fCloses;
}

std::string OvCaptureStream::Text() const
{
    std::string text;
    for (const std::string& write : fWrites) text += write;
    return text;
}

std::vector<std::string> OvCaptureStream::Writes() const
{
    return fWrites;
}

std::vector<std::string> OvCaptureStream::Lines() const
{
    std::vector<std::string> lines;
    const std::string text = Text();
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

void OvCaptureStream::Clear()
{
    fWrites.clear();
}

void OvCaptureStream::RaiseOnWrite(const OvError& error)
{
    fRaise = error;
}

void OvCaptureStream::DuringNextWrite(std::function<void()> action)
{
    fDuringNextWrite = std::move(action);
}

void OvCaptureStream::StopRaising()
{
    fRaise.reset();
}

void OvCaptureStream::AnswerFlushFileStream(bool answer)
{
    fAnswersFlush = answer;
}

OvScopedDebugCapture::OvScopedDebugCapture() : fPrevious(GetDebugStream())
{
    for (int32_t channel = 0; channel < static_cast<int32_t>(fChannels.size()); ++channel) {
        fChannels[static_cast<size_t>(channel)] = IsChannelEnabled(channel);
    }
    fPrevious->AddRef();  // survives the release that installing the capture gives it
    SetDebugStream(&fStream, true);
}

OvScopedDebugCapture::~OvScopedDebugCapture()
{
    SetDebugStream(fPrevious, true);  // hands our count of the previous stream back
    for (int32_t channel = 0; channel < static_cast<int32_t>(fChannels.size()); ++channel) {
        EnableChannel(channel, fChannels[static_cast<size_t>(channel)]);
    }
}
