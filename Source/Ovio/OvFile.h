#pragma once
// A file on disk as a stream. Its slots follow OvStream's (index from 0):
//   12 SetFileSpec, 13 GetFileSpec, 14 Open, 15 Close, 16 GetLength, 17 IsOpen,
//   18 ReadAll, 19 WriteText.
// Overrides of OvStream's operations take no new slots; new operations go after slot 19.
#include <cstdint>
#include <cstdio>

#include "OvCore/OvString.h"
#include "Ovio/OvFileSpec.h"
#include "Ovio/OvStream.h"

// Open modes.
enum OvFileMode : int32_t { kOvFileClosed = 0, kOvFileRead = 1, kOvFileWrite = 2, kOvFileReadWrite = 3 };

class OvFile : public OvStream {
public:
    OvFile() = default;
    explicit OvFile(const OvFileSpec& spec);
    ~OvFile();
    OvFile(const OvFile&) = delete;
    OvFile& operator=(const OvFile&) = delete;

    OV_DESTROY_SLOT(OvFile)
    OV_DECLARE_CAST()

    // Each data operation first reopens a file whose mode is recorded but whose open
    // failed quietly, so it raises that failure; with no mode at all it raises
    // "OvFileNotOpen".
    int32_t Read(void* buffer, int32_t count, int32_t* read) override;
    int32_t Write(const void* buffer, int32_t count, int32_t* written) override;
    void Seek(int64_t offset, int32_t origin) override;
    int64_t GetPosition() override;
    OvString Describe() override;  // "OvFile\t" + path
    bool IsSeekable() override;    // always true

    virtual void SetFileSpec(const OvFileSpec& spec);  // closes the file first
    virtual OvFileSpec GetFileSpec();
    // Does nothing when already open. mode is an OvFileMode; text opens in the runtime's
    // text mode. A failed open raises only with mustSucceed, but the mode is recorded.
    virtual void Open(int32_t mode, bool text, bool mustSucceed);
    virtual void Close();
    virtual int64_t GetLength();
    virtual bool IsOpen();
    // The rest of the file (at most maxBytes unless 0); a wide string when it holds a 0 byte.
    virtual OvString ReadAll(int32_t maxBytes);
    virtual void WriteText(const OvString& text);

private:
    // The C runtime needs a seek or flush between reading and writing an update stream.
    enum class Direction { kNone, kRead, kWrite };

    void Prepare(bool reopen);
    void Turn(Direction direction);
    std::FILE* OpenHandle(int32_t mode, bool text) const;
    [[noreturn]] void RaiseNotOpen(int32_t mode, int runtimeError) const;

    std::FILE* fHandle = nullptr;
    OvFileSpec fSpec;
    int32_t fMode = kOvFileClosed;
    Direction fDirection = Direction::kNone;
};
