// The system layer on Windows. Paths and texts arrive as '/'-separated UTF-8 and are turned
// into '\'-separated UTF-16 right at the call; results come back the other way.
//
// The shell folders (SHGetFolderPathW) and the colour directory (GetColorDirectoryW) are
// looked up at run time, so the library loads on systems without shfolder or mscms.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// windows.h maps these names to their W forms; the system layer has functions of its own
// with the same names.
#undef LoadLibrary
#undef ReplaceFile

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

#include "OvPlatform.h"

namespace OvPlatform {

namespace {

std::wstring Wide(const std::string& utf8)
{
    const std::u16string units = Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string Narrow(const wchar_t* text, size_t length)
{
    const std::u16string units(text, text + length);
    return Utf16ToUtf8(units.c_str());
}

std::wstring WidePath(const std::string& path) { return Wide(NativePath(path)); }

// A folder as the system layer hands it out: '/' separators, no trailing '/'.
std::string FolderFromSystem(const wchar_t* text, size_t length)
{
    std::string folder = Narrow(text, length);
    for (char& c : folder) {
        if (c == '\\') c = '/';
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

// A system library loaded for the length of one call.
class ScopedLibrary {
public:
    explicit ScopedLibrary(const wchar_t* name) : fModule(LoadLibraryW(name)) {}
    ~ScopedLibrary()
    {
        if (fModule) ::FreeLibrary(fModule);
    }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;

    // The function of that name, or null. The detour through void (*)() is the one
    // function-pointer conversion compilers accept without a warning.
    template <typename Function>
    Function Find(const char* name) const
    {
        if (!fModule) return nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(fModule, name)));
    }

private:
    HMODULE fModule;
};

}  // namespace

// ---- Time -------------------------------------------------------------------------

namespace {

class SystemClock : public Clock {
public:
    uint32_t TickCount() override
    {
        const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }
    void Sleep(uint32_t ms) override { ::Sleep(ms); }
};

}  // namespace

Clock& RealClock()
{
    static SystemClock clock;
    return clock;
}

// ---- Debugger output and the debug lock ----------------------------------------------

void DebuggerOutput(const char16_t* text)
{
    if (!text) return;
    std::wstring wide;
    for (const char16_t* unit = text; *unit; ++unit) wide += static_cast<wchar_t>(*unit);
    OutputDebugStringW(wide.c_str());
}

namespace {

// Unnamed, not initially owned, created on first use and never closed.
HANDLE DebugMutex()
{
    static const HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
    return mutex;
}

}  // namespace

void LockDebugMutex() { WaitForSingleObject(DebugMutex(), INFINITE); }
void UnlockDebugMutex() { ReleaseMutex(DebugMutex()); }

// ---- Atomics ------------------------------------------------------------------------

static_assert(sizeof(LONG) == sizeof(int32_t), "the Interlocked functions work on 32-bit LONGs");

int32_t AtomicIncrement(int32_t* value) { return InterlockedIncrement(reinterpret_cast<volatile LONG*>(value)); }
int32_t AtomicDecrement(int32_t* value) { return InterlockedDecrement(reinterpret_cast<volatile LONG*>(value)); }

// ---- Errors -------------------------------------------------------------------------

int32_t LastSystemError() { return static_cast<int32_t>(GetLastError()); }

// ---- Files and directories ------------------------------------------------------------

namespace {

void Report(int32_t* systemError, DWORD code)
{
    if (systemError) *systemError = static_cast<int32_t>(code);
}

}  // namespace

PathKind ExaminePath(const std::string& path, int32_t* systemError)
{
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        Report(systemError, error);
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathKind::kMissing : PathKind::kError;
    }
    Report(systemError, 0);
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kDirectory : PathKind::kOther;
}

static_assert(kErrorAlreadyExists == ERROR_ALREADY_EXISTS, "the framework's code is the Windows one");

bool MakeDirectory(const std::string& path, int32_t* systemError)
{
    if (CreateDirectoryW(WidePath(path).c_str(), nullptr)) {
        Report(systemError, 0);
        return true;
    }
    Report(systemError, GetLastError());
    return false;
}

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    return _wfopen(WidePath(path).c_str(), Wide(mode).c_str());
}

int64_t FileTell(std::FILE* file) { return _ftelli64(file); }

int FileSeek(std::FILE* file, int64_t offset, int origin) { return _fseeki64(file, offset, origin); }

bool ReplaceFile(const std::string& source, const std::string& target)
{
    return MoveFileExW(WidePath(source).c_str(), WidePath(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::string& path) { return DeleteFileW(WidePath(path).c_str()) != 0; }

std::string NativePath(const std::string& path)
{
    std::string native = path;
    for (char& c : native) {
        if (c == '/') c = '\\';
    }
    return native;
}

// ---- Well-known folders ---------------------------------------------------------------

namespace {

using GetFolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
using GetColorDirectoryFunction = BOOL(WINAPI*)(PCWSTR, PWSTR, PDWORD);

constexpr DWORD kCurrentFolderPath = 0;  // SHGFP_TYPE_CURRENT

std::string FolderFromShell(const wchar_t* libraryName, int32_t shellFolder)
{
    const ScopedLibrary library(libraryName);
    const auto getFolderPath = library.Find<GetFolderPathFunction>("SHGetFolderPathW");
    if (!getFolderPath) return {};
    wchar_t buffer[MAX_PATH + 1] = {};
    if (FAILED(getFolderPath(nullptr, shellFolder, nullptr, kCurrentFolderPath, buffer))) return {};
    return FolderFromSystem(buffer, std::wcslen(buffer));
}

}  // namespace

std::string SystemSpecialFolder(int32_t shellFolder)
{
    const std::string folder = FolderFromShell(L"shell32.dll", shellFolder);
    return folder.empty() ? FolderFromShell(L"shfolder.dll", shellFolder) : folder;
}

std::string SystemColorDirectory()
{
    const ScopedLibrary library(L"mscms.dll");
    const auto getColorDirectory = library.Find<GetColorDirectoryFunction>("GetColorDirectoryW");
    if (!getColorDirectory) return {};
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD size = sizeof(buffer);
    if (!getColorDirectory(nullptr, buffer, &size)) return {};
    return FolderFromSystem(buffer, std::wcslen(buffer));
}

std::string TempFolder()
{
    wchar_t buffer[MAX_PATH + 2] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 2, buffer);
    if (length == 0 || length > MAX_PATH + 1) return {};
    return FolderFromSystem(buffer, length);
}

std::string WindowsDirectory()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {};
    return FolderFromSystem(buffer, length);
}

std::string SystemDirectory()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {};
    return FolderFromSystem(buffer, length);
}

namespace {
// The file of a loaded module (null: the executable), with '/' separators.
std::string ModuleFileName(HMODULE module)
{
    constexpr DWORD kMaxLength = 512;
    wchar_t buffer[kMaxLength] = {};
    const DWORD length = GetModuleFileNameW(module, buffer, kMaxLength);
    if (length == 0 || length >= kMaxLength) return {};
    std::string path = Narrow(buffer, length);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}
}  // namespace

std::string ExecutablePath() { return ModuleFileName(nullptr); }

std::string ModulePath(const void* address)
{
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!GetModuleHandleExW(flags, static_cast<LPCWSTR>(address), &module)) return {};
    return ModuleFileName(module);
}

// ---- Dynamic libraries -------------------------------------------------------------

void* LoadLibrary(const std::string& path) { return LoadLibraryW(WidePath(path).c_str()); }

void* FindSymbol(void* library, const char* name)
{
    if (!library) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void FreeLibrary(void* library)
{
    if (library) ::FreeLibrary(static_cast<HMODULE>(library));
}

// ---- Environment --------------------------------------------------------------------

std::string GetEnvironment(const char* name)
{
    const std::wstring wideName = Wide(name);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    if (length == 0 || length >= size) return {};
    return Narrow(value.c_str(), length);
}

}  // namespace OvPlatform
