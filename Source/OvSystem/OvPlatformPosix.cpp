// The system layer on POSIX systems (Linux first).
//
// The framework's well-known folders are Windows notions; here they map to:
//
//   Windows folder                 POSIX location
//   -----------------------------  --------------------------------------------------------
//   application data (shell 0x1A)  $XDG_CONFIG_HOME, else $HOME/.config
//   documents (shell 0x05)         $XDG_DOCUMENTS_DIR, else $HOME/Documents
//   common documents (shell 0x2E)  /usr/local/share (data shared by all users of the machine)
//   program files (shell 0x26)     /opt (one folder per add-on application)
//   colour directory               $XDG_DATA_HOME/color/icc, else $HOME/.local/share/color/icc
//   temporary directory            $TMPDIR, else /tmp
//   Windows directory              /etc (where the system keeps its configuration)
//   system directory               /usr/lib (the system's libraries)
//   host executable                /proc/self/exe (empty where there is no /proc)
//
// Environment variables that are unset, empty or not absolute paths count as unset, as the
// XDG base-directory rules require; without $HOME the folders below it are empty. Tests
// replace the first five with subfolders of OV_TEST_FOLDERS (OvPlatform.h).
//
// Debugger output: there is no system debugger log, so it is silent unless the environment
// variable OV_DEBUG_OUTPUT is set: "stderr" writes the text as UTF-8 to the standard error;
// any other value names a file to which the text is appended.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "OvPlatform.h"

namespace OvPlatform {

// ---- Time -------------------------------------------------------------------------

namespace {

class SteadyClock : public Clock {
public:
    uint32_t TickCount() override
    {
        const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }
    void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace

Clock& RealClock()
{
    static SteadyClock clock;
    return clock;
}

// ---- Debugger output and the debug lock ----------------------------------------------

void DebuggerOutput(const char16_t* text)
{
    const std::string target = GetEnvironment("OV_DEBUG_OUTPUT");
    if (target.empty()) return;
    const std::string utf8 = Utf16ToUtf8(text);
    if (target == "stderr") {
        std::fwrite(utf8.data(), 1, utf8.size(), stderr);
        return;
    }
    if (std::FILE* file = std::fopen(target.c_str(), "ab")) {
        std::fwrite(utf8.data(), 1, utf8.size(), file);
        std::fclose(file);
    }
}

namespace {

// Deliberately never destroyed: lines may be logged while static objects are torn down.
std::mutex& DebugMutex()
{
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

}  // namespace

void LockDebugMutex() { DebugMutex().lock(); }
void UnlockDebugMutex() { DebugMutex().unlock(); }

// ---- Atomics ------------------------------------------------------------------------

int32_t AtomicIncrement(int32_t* value) { return std::atomic_ref<int32_t>(*value).fetch_add(1) + 1; }
int32_t AtomicDecrement(int32_t* value) { return std::atomic_ref<int32_t>(*value).fetch_sub(1) - 1; }

// ---- Errors -------------------------------------------------------------------------

int32_t LastSystemError() { return errno; }

// ---- Files and directories ------------------------------------------------------------

namespace {

void Report(int32_t* systemError, int32_t code)
{
    if (systemError) *systemError = code;
}

}  // namespace

PathKind ExaminePath(const std::string& path, int32_t* systemError)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        const int error = errno;
        Report(systemError, error);
        return error == ENOENT || error == ENOTDIR ? PathKind::kMissing : PathKind::kError;
    }
    Report(systemError, 0);
    return S_ISDIR(info.st_mode) ? PathKind::kDirectory : PathKind::kOther;
}

bool MakeDirectory(const std::string& path, int32_t* systemError)
{
    if (mkdir(path.c_str(), 0777) == 0) {
        Report(systemError, 0);
        return true;
    }
    Report(systemError, errno == EEXIST ? kErrorAlreadyExists : errno);
    return false;
}

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

int64_t FileTell(std::FILE* file) { return ftello(file); }

int FileSeek(std::FILE* file, int64_t offset, int origin) { return fseeko(file, static_cast<off_t>(offset), origin); }

bool ReplaceFile(const std::string& source, const std::string& target)
{
    return std::rename(source.c_str(), target.c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

std::string NativePath(const std::string& path) { return path; }

// ---- Well-known folders ---------------------------------------------------------------

namespace {

// An absolute path from the environment, without trailing '/' (but "/" stays "/").
std::string EnvironmentFolder(const char* name)
{
    std::string value = GetEnvironment(name);
    if (value.empty() || value.front() != '/') return {};
    while (value.size() > 1 && value.back() == '/') value.pop_back();
    return value;
}

// $variable, else fallback below $HOME; empty when neither is known.
std::string UserFolder(const char* variable, const char* belowHome)
{
    std::string folder = EnvironmentFolder(variable);
    if (!folder.empty()) return folder;
    const std::string home = EnvironmentFolder("HOME");
    if (home.empty()) return {};
    return (home == "/" ? std::string() : home) + "/" + belowHome;
}

}  // namespace

std::string SystemSpecialFolder(int32_t shellFolder)
{
    switch (shellFolder) {
    case kShellFolderAppData: return UserFolder("XDG_CONFIG_HOME", ".config");
    case kShellFolderDocuments: return UserFolder("XDG_DOCUMENTS_DIR", "Documents");
    case kShellFolderCommonDocuments: return "/usr/local/share";
    case kShellFolderProgramFiles: return "/opt";
    default: return {};
    }
}

std::string SystemColorDirectory()
{
    const std::string data = UserFolder("XDG_DATA_HOME", ".local/share");
    return data.empty() ? std::string() : data + "/color/icc";
}

std::string TempFolder()
{
    const std::string folder = EnvironmentFolder("TMPDIR");
    return folder.empty() ? "/tmp" : folder;
}

std::string WindowsDirectory() { return "/etc"; }

std::string SystemDirectory() { return "/usr/lib"; }

std::string ExecutablePath()
{
    std::vector<char> buffer(512);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ModulePath(const void* address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
    std::string path = info.dli_fname;
    // The main program may be reported by its bare name; /proc knows its full path.
    if (path.find('/') == std::string::npos) return ExecutablePath();
    return path;
}

// ---- Dynamic libraries -------------------------------------------------------------

void* LoadLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

void* FindSymbol(void* library, const char* name) { return library ? dlsym(library, name) : nullptr; }

void FreeLibrary(void* library)
{
    if (library) dlclose(library);
}

// ---- Environment --------------------------------------------------------------------

std::string GetEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace OvPlatform
