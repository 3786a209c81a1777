#pragma once
// The host's debug stream, handed to the plug-in in the host record: every log line of the
// plug-in arrives here through the stream slots. It writes to a file, to the standard
// error, or nowhere (the default, so the host is silent unless asked).
#include <cstdint>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>

#include "Contract/OvDeviceContract.h"

class HostDebugStream final : public OvStream {
public:
    // target: empty for no output, "-" for the standard error, else a file to (re)write.
    // Raises HostError when the file cannot be opened.
    explicit HostDebugStream(const std::string& target);
    HostDebugStream(const HostDebugStream&) = delete;
    HostDebugStream& operator=(const HostDebugStream&) = delete;
    ~HostDebugStream() = default;

    OvCastBase* Cast(const char* className) override;
    const char* ClassName() const override { return "OvStream"; }
    // The host owns its stream; the plug-in never ends it.
    OvCastBase* DestroySlot(uint8_t) override { return this; }

    int32_t RefCount() const override { return fRefCount; }
    void AddRef() override { ++fRefCount; }
    // Counts only: the object lives as long as the host keeps it.
    void Release() override { --fRefCount; }

    int32_t Read(void* buffer, int32_t count, int32_t* read) override;
    int32_t Write(const void* buffer, int32_t count, int32_t* written) override;
    void Seek(int64_t, int32_t) override {}
    int64_t GetPosition() override { return fPosition; }
    OvStringHandle Describe() override { return {}; }
    bool IsSeekable() override { return false; }

private:
    std::unique_ptr<std::ofstream> fFile;
    std::ostream* fOutput = nullptr;
    int64_t fPosition = 0;
};
