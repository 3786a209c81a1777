#pragma once
// The seam between the system and the operating system. One implementation for Windows
// (OvPlatformWindows.cpp) and one for POSIX (OvPlatformPosix.cpp); nothing above this
// layer includes an operating-system header. Paths are '/'-separated UTF-8 here; each
// implementation converts them at the system call.
//
// Every wait of the system goes through Sleep and every duration through TickCount, so
// tests install a virtual clock (OvVirtualClock.h) and assert the waits exactly.
//
// windows.h defines LoadLibrary and ReplaceFile as macros; a file that includes it must
// #undef them before it calls the functions of that name here.
#include <cstdint>
#include <cstdio>
#include <string>

namespace OvPlatform {

// ---- Time -------------------------------------------------------------------------
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t TickCount() = 0;  // milliseconds, wrapping
    virtual void Sleep(uint32_t ms) = 0;
};

uint32_t TickCount();
void Sleep(uint32_t ms);
// Installs a clock for the whole process (null restores the real one); returns the previous
// one (null for the real one).
Clock* InstallClock(Clock* clock);
Clock& RealClock();

// ---- Debugger output and the debug lock ----------------------------------------------
// Windows: OutputDebugStringW. POSIX: silent unless OV_DEBUG_OUTPUT names "stderr" or a
// file to append to.
void DebuggerOutput(const char16_t* text);

// A process-wide recursive-free mutex, created on first use and never destroyed.
void LockDebugMutex();
void UnlockDebugMutex();

// ---- Atomics ------------------------------------------------------------------------
int32_t AtomicIncrement(int32_t* value);  // returns the new value
int32_t AtomicDecrement(int32_t* value);

// ---- Errors -------------------------------------------------------------------------
int32_t LastSystemError();  // GetLastError / errno
// The code a failed directory creation reports when the directory is already there.
constexpr int32_t kErrorAlreadyExists = 183;

// ---- Files and directories ------------------------------------------------------------
enum class PathKind { kMissing, kDirectory, kOther, kError };
PathKind ExaminePath(const std::string& path, int32_t* systemError);
// Creates one directory; false with the system error (kErrorAlreadyExists when present).
bool MakeDirectory(const std::string& path, int32_t* systemError);
// Opens a file with a C runtime mode ("rb", "wb", "rb+", ...).
std::FILE* OpenFile(const std::string& path, const char* mode);
int64_t FileTell(std::FILE* file);
int FileSeek(std::FILE* file, int64_t offset, int origin);
// Replaces target by source in one step (used to save files without a half-written state).
bool ReplaceFile(const std::string& source, const std::string& target);
bool RemoveFile(const std::string& path);

// The path handed to the operating system ('\' separators on Windows).
std::string NativePath(const std::string& path);

// ---- Well-known folders (all '/'-separated, without a trailing '/'; empty when unknown)
// The shell folder numbers the framework asks for (the Windows CSIDL values).
enum ShellFolder : int32_t {
    kShellFolderDocuments = 0x05,
    kShellFolderAppData = 0x1A,
    kShellFolderProgramFiles = 0x26,
    kShellFolderCommonDocuments = 0x2E,
};
// Tests move these folders below one folder of their own, for their process and every
// program it starts: while OV_TEST_FOLDERS is set and not empty, the application data, the
// documents, the common documents, the program files and the colour directory are its
// subfolders AppData, Documents, CommonDocuments, ProgramFiles and Color, and other shell
// folder numbers name none. The other folders below stay the system's.
constexpr const char* kTestFoldersVariable = "OV_TEST_FOLDERS";
constexpr const char* kTestAppDataSubfolder = "AppData";  // also zezctl's
std::string SpecialFolder(int32_t shellFolder);
std::string ColorDirectory();
// The same as the system names them, whatever OV_TEST_FOLDERS says; one per platform.
// Windows: SHGetFolderPathW from shell32.dll, else shfolder.dll, loaded for each call, and
// GetColorDirectoryW. POSIX: the equivalents listed in OvPlatformPosix.cpp; empty for other
// numbers.
std::string SystemSpecialFolder(int32_t shellFolder);
std::string SystemColorDirectory();
std::string ApplicationDataFolder();  // POSIX: $XDG_CONFIG_HOME, else $HOME/.config
std::string DocumentsFolder();
std::string CommonDocumentsFolder();
std::string ProgramFilesFolder();
std::string TempFolder();
std::string WindowsDirectory();
std::string SystemDirectory();
std::string ExecutablePath();  // the host executable's full path
// The full path of the executable or library that contains the given code address.
std::string ModulePath(const void* address);

// ---- Dynamic libraries -------------------------------------------------------------
void* LoadLibrary(const std::string& path);
void* FindSymbol(void* library, const char* name);
void FreeLibrary(void* library);

// ---- Environment --------------------------------------------------------------------
std::string GetEnvironment(const char* name);  // empty when unset

// ---- Text at the system calls ---------------------------------------------------------
// This layer sits below OvString, so it converts by itself. Malformed UTF-8 and unpaired
// surrogates become U+FFFD.
std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const char16_t* text);  // up to the zero unit; null gives ""

}  // namespace OvPlatform
