#define OV_SOURCE_FILE "Source/OvData/OvFileReplace"
#include "OvData/OvFileReplace.h"

#include <string>

#include "OvCore/OvError.h"
#include "OvSystem/OvPlatform.h"

namespace {

// Closes and deletes the temporary file unless the write got through.
class TemporaryFileGuard {
public:
    TemporaryFileGuard(OvFile& file, const OvFileSpec& spec) : fFile(file), fPath(spec.Path().Chars()) {}
    ~TemporaryFileGuard()
    {
        if (fCommitted) return;
        fFile.Close();
        OvPlatform::RemoveFile(fPath);
    }
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

    void Commit() { fCommitted = true; }

private:
    OvFile& fFile;
    std::string fPath;
    bool fCommitted = false;
};

}  // namespace

OvFileSpec OvTemporaryFileFor(const OvFileSpec& target)
{
    return OvFileSpec(target.Path() + ".tmp");
}

void OvWriteFileReplacing(const OvFileSpec& target, const OvString& text, OvFile& file)
{
    const OvFileSpec temporary = OvTemporaryFileFor(target);
    TemporaryFileGuard guard(file, temporary);
    file.SetFileSpec(temporary);
    file.Open(kOvFileWrite, false, true);
    file.WriteText(text);
    file.Close();
    if (!OvPlatform::ReplaceFile(temporary.Path().Chars(), target.Path().Chars())) {
        const int32_t systemError = OvPlatform::LastSystemError();
        const OvString what = OvString("ReplaceFile \"") + target.NativePath() + "\"";
        RaiseSystemError(systemError, what.Chars(), 0);
    }
    guard.Commit();
}
