#pragma once
// The framework's system operations: directories, well-known folders and sleeping.
//
// windows.h defines CreateDirectory as a macro; a file that includes both must #undef it.
#include <cstdint>

#include "OvCore/OvString.h"

class OvFileSpec;
class OvStream;

// True if the path names a directory. Otherwise false, and when messages is given, the
// reason is written to it ("DirExists: No directory: ..." or "DirExists: Can't get file
// attributes for ..."). Never raises.
bool DirExists(const OvFileSpec& spec, OvStream* messages = nullptr);

// Creates one directory; an existing one is fine. Other failures raise code 68 with
// "CreateDirectory \"<native path>\"".
void CreateDirectory(const OvFileSpec& spec);

// Creates a directory and its missing parents; raises "OvDirCreationError" when it reaches
// an empty path, a drive ("C:") or a bare server ("//server") that it cannot create.
void CreateDirectories(const OvFileSpec& spec);

// A shell folder (OvPlatform::ShellFolder) as '/'-separated UTF-8; empty when unknown.
OvString GetSpecialFolder(int32_t shellFolder);

// The full path of the host executable; empty when unknown.
OvString GetExecutablePath();

// Sleeps ms milliseconds through the system clock and returns ms; returns 0 at once for
// ms below 1. The environment variable OV_TEST_TIME_SCALE, read once per process, is a
// factor on every such wait for tests and demos (0: no waiting); unset or not a
// non-negative number, the waits are as asked. The return value is ms either way.
int32_t SleepMs(int32_t ms);
constexpr const char* kTestTimeScaleVariable = "OV_TEST_TIME_SCALE";
// The factor OV_TEST_TIME_SCALE gives; 1 when unset or unusable.
double TestTimeScale();
