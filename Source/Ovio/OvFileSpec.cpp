#define OV_SOURCE_FILE "Source/Ovio/OvFileSpec"
#include "Ovio/OvFileSpec.h"

#include <string>

#include "OvCore/OvError.h"
#include "OvSystem/OvPlatform.h"
#include "OvSystem/OvSystem.h"
#include "Ovio/OvFileTypes.h"

namespace {

OvString FromPlatform(const std::string& text) { return OvString(text.c_str(), static_cast<int32_t>(text.size())); }

OvString AppDataOrWindowsDirectory()
{
    const OvString appData = GetSpecialFolder(OvPlatform::kShellFolderAppData);
    return appData.IsEmpty() ? FromPlatform(OvPlatform::WindowsDirectory()) : appData;
}

OvString ExecutableFolder()
{
    OvString path = GetExecutablePath();
    path.ReplaceChar('\\', '/');
    const int32_t slash = path.FindLastChar('/');
    return slash < 0 ? OvString() : path.Left(slash);
}

OvString TempOrAppData()
{
    const OvString temp = FromPlatform(OvPlatform::TempFolder());
    return temp.IsEmpty() ? AppDataOrWindowsDirectory() : temp;
}

// The base folder of a folder number as the system reports it; empty when unknown.
OvString BaseFolder(int32_t folder)
{
    switch (folder) {
    case 0: case 7: return {};
    case 1: case 2: case 3: return FromPlatform(OvPlatform::ColorDirectory());
    case 4: case 8: case 10: case 17: case 18: return AppDataOrWindowsDirectory();
    case 5: return GetSpecialFolder(OvPlatform::kShellFolderDocuments);
    case 6: return TempOrAppData();
    case 9: return GetSpecialFolder(OvPlatform::kShellFolderCommonDocuments);
    case 12: {
        const OvString executable = ExecutableFolder();
        return executable.IsEmpty() ? executable : executable + "/Resources";
    }
    case 13: case 14: case 15: return ExecutableFolder();
    case 16: return GetSpecialFolder(OvPlatform::kShellFolderProgramFiles);
    case 19: case 21: return FromPlatform(OvPlatform::WindowsDirectory());
    case 20: return FromPlatform(OvPlatform::SystemDirectory());
    default: OV_RAISE(kOvArgErr, "OvArgErr");
    }
}

void AppendSeparator(OvString& path)
{
    if (path.IsEmpty() || path.CharAt(path.Length() - 1) != '/') path += '/';
}

}  // namespace

OvString OvFileSpec::FolderPath(int32_t folder)
{
    OvString path = BaseFolder(folder);
    path.ReplaceChar('\\', '/');
    if (folder == kOvFolderMaker) {
        AppendSeparator(path);
        path += kOvMakerFolderName;
        AppendSeparator(path);
        OvFileSpec maker;
        maker.SetPath(path);
        if (!DirExists(maker)) CreateDirectories(maker);
    }
    if (!path.IsEmpty()) AppendSeparator(path);
    return path;
}

OvFileSpec::OvFileSpec(const OvString& name, int32_t folder) { SetPath(FolderPath(folder) + name); }

void OvFileSpec::SetPath(const OvString& path)
{
    fPath = path.IsWide() ? path.ToUtf8() : path;
    const OvString name = FileName();
    const int32_t dot = name.FindLastChar('.');
    const OvFileTypeEntry* entry = dot < 0 ? nullptr : OvFindFileType(name.Mid(dot + 1).Chars());
    fFileType = entry ? entry->fileType : 0;
    fCreator = entry ? entry->creator : 0;
}

OvString OvFileSpec::Directory() const { return fPath.Left(fPath.FindLastChar('/') + 1); }

OvString OvFileSpec::FileName() const { return fPath.Mid(fPath.FindLastChar('/') + 1); }

void OvFileSpec::SetFileName(const OvString& name) { SetPath(Directory() + name); }

OvString OvFileSpec::NativePath() const
{
    return FromPlatform(OvPlatform::NativePath(std::string(fPath.Chars(), static_cast<size_t>(fPath.Length()))));
}

bool OvFileSpec::IsAbsolute(const char* path)
{
    if (!path || path[0] == '\0') return false;
    if (path[0] == '/' || path[0] == '\\' || path[0] == ':') return true;
    return path[1] == ':' && (path[2] == '/' || path[2] == '\\');
}
