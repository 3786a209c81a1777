#pragma once
// The host's own debug streams, implemented against the hand-declared slot layout. They
// record what the plug-in does with them: the bytes it writes, its AddRef and Release
// calls and, for the flushing flavour, where in the byte sequence each Close came.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "HostInterfaces.h"

// Slots 0 to 11 for both flavours; Interface is OvStream or OvFile.
template <class Interface>
class RecordingStreamBase : public Interface {
public:
    OvCastBase* Cast(const char* className) override
    {
        for (const char* own : {"OvStream", "OvObject", "OvCastBase"}) {
            if (className && std::strcmp(className, own) == 0) return this;
        }
        return nullptr;
    }
    const char* ClassName() const override { return "OvStream"; }
    // The host owns its streams; the plug-in must never end them.
    OvCastBase* DestroySlot(uint8_t) override
    {
        ++fDestroyCalls;
        return this;
    }

    int32_t RefCount() const override { return this->fRefCount; }
    void AddRef() override
    {
        ++this->fRefCount;
        ++fAddRefCalls;
    }
    // Counts only: the object lives on the host's stack whatever the count says.
    void Release() override
    {
        --this->fRefCount;
        ++fReleaseCalls;
    }

    int32_t Read(void*, int32_t, int32_t* read) override
    {
        if (read) *read = 0;
        return 0;
    }
    int32_t Write(const void* buffer, int32_t count, int32_t* written) override
    {
        if (count > 0) fWritten.append(static_cast<const char*>(buffer), static_cast<size_t>(count));
        ++fWriteCalls;
        if (written) *written = count;
        return count;
    }
    void Seek(int64_t, int32_t) override {}
    int64_t GetPosition() override { return static_cast<int64_t>(fWritten.size()); }
    OvStringHandle Describe() override { return {}; }
    bool IsSeekable() override { return false; }

    const std::string& Written() const { return fWritten; }
    int WriteCalls() const { return fWriteCalls; }
    int AddRefCalls() const { return fAddRefCalls; }
    int ReleaseCalls() const { return fReleaseCalls; }
    int DestroyCalls() const { return fDestroyCalls; }

protected:
    RecordingStreamBase() = default;
    ~RecordingStreamBase() = default;

private:
    std::string fWritten;
    int fWriteCalls = 0;
    int fAddRefCalls = 0;
    int fReleaseCalls = 0;
    int fDestroyCalls = 0;
};

// A plain stream: records the bytes of every Write.
class RecordingStream final : public RecordingStreamBase<OvStream> {
public:
    RecordingStream() = default;
    RecordingStream(const RecordingStream&) = delete;
    RecordingStream& operator=(const RecordingStream&) = delete;
    ~RecordingStream() = default;
};

// A stream that asks to be flushed: it answers "OvFlushFileStream" to Cast, so the
// plug-in closes it after each line. Close records how many bytes had arrived by then.
class FlushingStream final : public RecordingStreamBase<OvFile> {
public:
    FlushingStream() = default;
    FlushingStream(const FlushingStream&) = delete;
    FlushingStream& operator=(const FlushingStream&) = delete;
    ~FlushingStream() = default;

    OvCastBase* Cast(const char* className) override
    {
        for (const char* own : {"OvFlushFileStream", "OvFile"}) {
            if (className && std::strcmp(className, own) == 0) return this;
        }
        return RecordingStreamBase<OvFile>::Cast(className);
    }
    const char* ClassName() const override { return "OvFlushFileStream"; }

    void SetFileSpec(const void*) override {}
    void GetFileSpec(void*) override {}
    void Open(int32_t) override {}
    void Close() override { fCloseOffsets.push_back(Written().size()); }
    int64_t GetLength() override { return GetPosition(); }
    bool IsOpen() override { return true; }
    void ReadAll(void*) override {}
    void WriteText(const void*) override {}

    // The byte count written before each Close, in call order.
    const std::vector<size_t>& CloseOffsets() const { return fCloseOffsets; }

private:
    std::vector<size_t> fCloseOffsets;
};
