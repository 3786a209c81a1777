#pragma once
// A debug stream for tests: records the bytes of every Write, counts AddRef, Release and
// Close, can raise from Write, and can pose as a flushing file stream.
//
//   OvScopedDebugCapture capture;           // installed as the debug stream for the scope
//   EnableChannel(kOvChannelMonitor, true); // channel flags are restored at scope end
//   ... code under test logs ...
//   EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"DDC2Device::ReadEDID 1"}));
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "Ovio/OvFile.h"

// Derives from OvFile only so that it can answer "OvFlushFileStream" and be closed through
// the file's Close slot; otherwise it behaves as a plain stream (Cast does not answer
// "OvFile", Read and Seek raise "OvUndefProc"). Its lifetime belongs to the test: Release
// lowers the count but never frees it.
class OvCaptureStream : public OvFile {
public:
    OvCaptureStream() = default;
    ~OvCaptureStream() = default;
    OV_DESTROY_SLOT(OvCaptureStream)

    OvCastBase* Cast(const char* className) override;
    const char* ClassName() const override;
    int32_t RefCount() const override;
    void AddRef() override;
    void Release() override;
    int32_t Read(void* buffer, int32_t count, int32_t* read) override;
    int32_t Write(const void* buffer, int32_t count, int32_t* written) override;
    void Seek(int64_t offset, int32_t origin) override;
    int64_t GetPosition() override;
    OvString Describe() override;
    bool IsSeekable() override;
    void Close() override;

    std::string Text() const;                 // every byte written, in order
    std::vector<std::string> Writes() const;  // the bytes of each Write call
    std::vector<std::string> Lines() const;   // Text() split at '\n', without the '\n'
    void Clear();                             // forgets the writes (not the counters)

    void RaiseOnWrite(const OvError& error);  // every Write throws a copy of error
    // Runs action once, inside the next Write, after its bytes are recorded (to log from
    // within a write, for one).
    void DuringNextWrite(std::function<void()> action);
    void StopRaising();
    void AnswerFlushFileStream(bool answer);  // Cast("OvFlushFileStream") returns this

    int32_t AddRefCount() const { return fAddRefs; }
    int32_t ReleaseCount() const { return fReleases; }
    int32_t CloseCount() const { return fCloses; }

private:
    std::vector<std::string> fWrites;
    std::optional<OvError> fRaise;
    std::function<void()> fDuringNextWrite;
    bool fAnswersFlush = false;
    int32_t fCount = 1;
    int32_t fAddRefs = 0;
    int32_t fReleases = 0;
    int32_t fCloses = 0;
};

// Installs a fresh capture stream as the debug stream and saves the channel flags; the
// destructor restores both.
class OvScopedDebugCapture {
public:
    OvScopedDebugCapture();
    ~OvScopedDebugCapture();
    OvScopedDebugCapture(const OvScopedDebugCapture&) = delete;
    OvScopedDebugCapture& operator=(const OvScopedDebugCapture&) = delete;

    OvCaptureStream& Stream() { return fStream; }
    OvCaptureStream* operator->() { return &fStream; }
    std::string Text() const { return fStream.Text(); }
    std::vector<std::string> Writes() const { return fStream.Writes(); }
    std::vector<std::string> Lines() const { return fStream.Lines(); }
    void Clear() { fStream.Clear(); }

private:
    OvCaptureStream fStream;
    OvStream* fPrevious;
    std::array<bool, 16> fChannels{};
};
