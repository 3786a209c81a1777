#define OV_SOURCE_FILE "Source/Ovio/OvFile"
#include "Ovio/OvFile.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "OvSystem/OvPlatform.h"

OV_DEFINE_CAST(OvFile, OvStream)

namespace {

std::string PlatformPath(const OvFileSpec& spec)
{
    return std::string(spec.Path().Chars(), static_cast<size_t>(spec.Path().Length()));
}

}  // namespace

OvFile::OvFile(const OvFileSpec& spec) : fSpec(spec) {}

OvFile::~OvFile() { Close(); }

void OvFile::SetFileSpec(const OvFileSpec& spec)
{
    Close();
    fSpec = spec;
}

OvFileSpec OvFile::GetFileSpec() { return fSpec; }

// ---- Opening and closing ----------------------------------------------------------------

std::FILE* OvFile::OpenHandle(int32_t mode, bool text) const
{
    const std::string path = PlatformPath(fSpec);
    if (mode == kOvFileRead) return OvPlatform::OpenFile(path, text ? "r" : "rb");
    if (mode == kOvFileWrite) return OvPlatform::OpenFile(path, text ? "w" : "wb");
    // Read and write: an update open needs an existing file, so a missing one is created
    // empty first.
    const char* update = text ? "r+" : "rb+";
    if (std::FILE* existing = OvPlatform::OpenFile(path, update)) return existing;
    std::FILE* created = OvPlatform::OpenFile(path, text ? "w" : "wb");
    if (!created) return nullptr;
    std::fclose(created);
    return OvPlatform::OpenFile(path, update);
}

void OvFile::RaiseNotOpen(int32_t mode, int runtimeError) const
{
    const OvString name = OvString::Format("FileNotOpen (for %s, errno=%d): %s", mode == kOvFileRead ? "reading" : "writing",
                                           runtimeError, fSpec.Path().Chars());
    throw OvError(kOvFileNotOpen, name.Chars(), nullptr, 0, 0);
}

void OvFile::Open(int32_t mode, bool text, bool mustSucceed)
{
    if (fHandle) return;
    if (mode < kOvFileRead || mode > kOvFileReadWrite) OV_RAISE(kOvArgErr, "OvArgErr");
    if (fSpec.Path().IsEmpty()) {
        if (!mustSucceed) return;
        OV_RAISE(kOvFileInvalidDesc, "OvFileInvalidDesc");
    }
    errno = 0;
    fHandle = OpenHandle(mode, text);
    const int runtimeError = errno;
    if (!fHandle && mustSucceed) RaiseNotOpen(mode, runtimeError);
    fMode = mode;
    fDirection = Direction::kNone;
}

void OvFile::Close()
{
    if (fHandle) std::fclose(fHandle);
    fHandle = nullptr;
    fMode = kOvFileClosed;
    fDirection = Direction::kNone;
}

bool OvFile::IsOpen() { return fHandle != nullptr; }

void OvFile::Prepare(bool reopen)
{
    if (reopen && fMode != kOvFileClosed) Open(fMode, false, true);
    if (!fHandle) OV_RAISE(kOvFileNotOpen, "OvFileNotOpen");
}

void OvFile::Turn(Direction direction)
{
    if (fDirection != Direction::kNone && fDirection != direction) OvPlatform::FileSeek(fHandle, 0, SEEK_CUR);
    fDirection = direction;
}

// ---- Data -------------------------------------------------------------------------------

int32_t OvFile::Read(void* buffer, int32_t count, int32_t* read)
{
    Prepare(fMode == kOvFileRead || fMode == kOvFileReadWrite);
    if (!buffer || count < 0) OV_RAISE(kOvArgErr, "OvArgErr");
    Turn(Direction::kRead);
    const auto done = static_cast<int32_t>(std::fread(buffer, 1, static_cast<size_t>(count), fHandle));
    if (read) *read = done;
    return done;
}

int32_t OvFile::Write(const void* buffer, int32_t count, int32_t* written)
{
    Prepare(fMode == kOvFileWrite || fMode == kOvFileReadWrite);
    if (!buffer || count < 0) OV_RAISE(kOvArgErr, "OvArgErr");
    Turn(Direction::kWrite);
    errno = 0;
    const auto done = static_cast<int32_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), fHandle));
    if (written) *written = done;
    if (done != count) {
        const OvString name = OvString::Format("FileWriteFailed (%ld/%ld, errno=%d): %s", static_cast<long>(done),
                                               static_cast<long>(count), errno, fSpec.Path().Chars());
        throw OvError(kOvFileWriteFailed, name.Chars(), nullptr, 0, 0);
    }
    return done;
}

void OvFile::WriteText(const OvString& text)
{
    const void* bytes = text.IsWide() ? static_cast<const void*>(text.WideChars()) : text.Chars();
    Write(bytes, text.Length(), nullptr);
}

OvString OvFile::ReadAll(int32_t maxBytes)
{
    if (maxBytes < 0) OV_RAISE(kOvArgErr, "OvArgErr");
    int64_t count = GetLength() - GetPosition();
    if (maxBytes > 0 && count > maxBytes) count = maxBytes;
    if (count <= 0) return OvString();
    if (count > std::numeric_limits<int32_t>::max()) OV_RAISE(kOvBufferError, "OvBufferError");
    std::vector<char> bytes(static_cast<size_t>(count));
    const int32_t done = Read(bytes.data(), static_cast<int32_t>(count), nullptr);
    const bool holdsZero = std::memchr(bytes.data(), 0, static_cast<size_t>(done)) != nullptr;
    return holdsZero ? OvString(bytes.data(), done, true) : OvString(bytes.data(), done);
}

// ---- Positioning ------------------------------------------------------------------------

void OvFile::Seek(int64_t offset, int32_t origin)
{
    Prepare(true);
    int whence = SEEK_SET;
    switch (origin) {
    case kOvSeekStart: break;
    case kOvSeekEnd:
        // The offset counts backwards from the end.
        if (offset == std::numeric_limits<int64_t>::min()) OV_RAISE(kOvArgErr, "OvArgErr");
        offset = -offset;
        whence = SEEK_END;
        break;
    case kOvSeekCurrent: whence = SEEK_CUR; break;
    default: OV_RAISE(kOvArgErr, "OvArgErr");
    }
    if (OvPlatform::FileSeek(fHandle, offset, whence) != 0) OV_RAISE(kOvFileSeekFailed, "OvFileSeekFailed");
    fDirection = Direction::kNone;
}

int64_t OvFile::GetPosition()
{
    Prepare(true);
    const int64_t position = OvPlatform::FileTell(fHandle);
    if (position < 0) OV_RAISE(kOvFilePosFailed, "OvFilePosFailed");
    return position;
}

int64_t OvFile::GetLength()
{
    Prepare(true);
    const int64_t position = OvPlatform::FileTell(fHandle);
    if (position < 0 || OvPlatform::FileSeek(fHandle, 0, SEEK_END) != 0) OV_RAISE(kOvFileLengthFailed, "OvFileLengthFailed");
    const int64_t length = OvPlatform::FileTell(fHandle);
    if (OvPlatform::FileSeek(fHandle, position, SEEK_SET) != 0 || length < 0) OV_RAISE(kOvFileLengthFailed, "OvFileLengthFailed");
    fDirection = Direction::kNone;
    return length;
}

// ---- Description ------------------------------------------------------------------------

OvString OvFile::Describe() { return OvString("OvFile\t") + fSpec.Path(); }

bool OvFile::IsSeekable() { return true; }
