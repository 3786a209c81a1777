#define OV_SOURCE_FILE "Source/OvSystem/OvSystem"
#include "OvSystem/OvSystem.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "OvCore/OvError.h"
#include "OvSystem/OvPlatform.h"
#include "Ovio/OvFileSpec.h"
#include "Ovio/OvStream.h"

namespace {

std::string PlatformPath(const OvFileSpec& spec)
{
    const OvString& path = spec.Path();
    return std::string(path.Chars(), static_cast<size_t>(path.Length()));
}

OvString FromPlatform(const std::string& text) { return OvString(text.c_str(), static_cast<int32_t>(text.size())); }

void WriteMessage(OvStream* messages, const OvString& text)
{
    if (messages) messages->Write(text.Chars(), text.Length(), nullptr);
}

// "", a drive ("C:") or a server without a share ("//server"): nothing that can be created.
bool IsCreationRoot(const OvString& path)
{
    if (path.IsEmpty()) return true;
    if (path.Length() == 2 && path.CharAt(1) == ':') return true;
    return path.Length() >= 2 && path.CharAt(0) == '/' && path.CharAt(1) == '/' && path.FindChar('/', 2) < 0;
}

}  // namespace

bool DirExists(const OvFileSpec& spec, OvStream* messages)
{
    int32_t systemError = 0;
    switch (OvPlatform::ExaminePath(PlatformPath(spec), &systemError)) {
    case OvPlatform::PathKind::kDirectory:
        return true;
    case OvPlatform::PathKind::kOther:
        WriteMessage(messages, OvString("DirExists: No directory: \"") + spec.NativePath() + "\"");
        return false;
    case OvPlatform::PathKind::kMissing:
    case OvPlatform::PathKind::kError:
        break;
    }
    WriteMessage(messages, OvString("DirExists: Can't get file attributes for \"") + spec.NativePath() +
                               "\", System error: " + OvString::FromLong(systemError));
    return false;
}

void CreateDirectory(const OvFileSpec& spec)
{
    int32_t systemError = 0;
    if (OvPlatform::MakeDirectory(PlatformPath(spec), &systemError)) return;
    if (systemError == OvPlatform::kErrorAlreadyExists) return;
    const OvString text = OvString("CreateDirectory \"") + spec.NativePath() + "\"";
    RaiseSystemError(systemError, text.Chars(), 0);
}

void CreateDirectories(const OvFileSpec& spec)
{
    if (DirExists(spec)) return;
    try {
        CreateDirectory(spec);
        return;
    } catch (const OvError&) {
        // Most likely a parent is missing: create the parents first, below.
    }
    OvString path = spec.Path();
    if (!path.IsEmpty() && path.CharAt(path.Length() - 1) == '/') path = path.Left(path.Length() - 1);
    if (IsCreationRoot(path)) OV_RAISE(kOvDirCreationError, "OvDirCreationError");
    OvFileSpec parent;
    parent.SetPath(path.Left(path.FindLastChar('/') + 1));
    CreateDirectories(parent);
    CreateDirectory(spec);
}

OvString GetSpecialFolder(int32_t shellFolder) { return FromPlatform(OvPlatform::SpecialFolder(shellFolder)); }

OvString GetExecutablePath() { return FromPlatform(OvPlatform::ExecutablePath()); }

double TestTimeScale()
{
    static const double scale = [] {
        const std::string text = OvPlatform::GetEnvironment(kTestTimeScaleVariable);
        if (text.empty()) return 1.0;
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        return *end == '\0' && value >= 0.0 && std::isfinite(value) ? value : 1.0;
    }();
    return scale;
}

int32_t SleepMs(int32_t ms)
{
    if (ms < 1) return 0;
    const double scaled = std::min(std::round(ms * TestTimeScale()), 4.0e9);
    if (scaled >= 1.0) OvPlatform::Sleep(static_cast<uint32_t>(scaled));
    return ms;
}
