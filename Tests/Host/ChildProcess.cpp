#include "ChildProcess.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <errno.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace {

#if defined(_WIN32)

// One argument as the C runtime's command-line parser reads it back: quoted when it is
// empty or holds blanks or quotes; a quote is escaped with a backslash, and so are the
// backslashes right before a quote, including the closing one.
std::wstring QuotedArgument(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring Wide(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end())).wstring();
}

// A file handle the child inherits, closed at the end of the scope.
class InheritedFile {
public:
    explicit InheritedFile(const std::filesystem::path& path)
    {
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        fHandle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~InheritedFile()
    {
        if (fHandle != INVALID_HANDLE_VALUE) CloseHandle(fHandle);
    }
    InheritedFile(const InheritedFile&) = delete;
    InheritedFile& operator=(const InheritedFile&) = delete;
    HANDLE Handle() const { return fHandle; }

private:
    HANDLE fHandle = INVALID_HANDLE_VALUE;
};

#else

// The file actions that send the child's standard output and error to files.
class Redirections {
public:
    Redirections(const std::filesystem::path& out, const std::filesystem::path& err)
    {
        posix_spawn_file_actions_init(&fActions);
        constexpr int kFlags = O_WRONLY | O_CREAT | O_TRUNC;
        posix_spawn_file_actions_addopen(&fActions, STDOUT_FILENO, out.c_str(), kFlags, 0644);
        posix_spawn_file_actions_addopen(&fActions, STDERR_FILENO, err.c_str(), kFlags, 0644);
    }
    ~Redirections() { posix_spawn_file_actions_destroy(&fActions); }
    Redirections(const Redirections&) = delete;
    Redirections& operator=(const Redirections&) = delete;
    const posix_spawn_file_actions_t* Actions() const { return &fActions; }

private:
    posix_spawn_file_actions_t fActions;
};

#endif

}  // namespace

#if defined(_WIN32)

int RunChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::filesystem::path& out, const std::filesystem::path& err)
{
    std::wstring commandLine = QuotedArgument(program.wstring());
    for (const std::string& argument : arguments) commandLine += L" " + QuotedArgument(Wide(argument));
    const InheritedFile outFile(out);
    const InheritedFile errFile(err);
    if (outFile.Handle() == INVALID_HANDLE_VALUE || errFile.Handle() == INVALID_HANDLE_VALUE) return -1;

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outFile.Handle();
    startup.hStdError = errFile.Handle();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    const bool exited = GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exited ? static_cast<int>(status) : -1;
}

#else

int RunChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::filesystem::path& out, const std::filesystem::path& err)
{
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    const Redirections redirections(out, err);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), redirections.Actions(), nullptr, pointers.data(), environ) != 0) return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

#if defined(__linux__)
std::string RunUnderTerminal(const std::filesystem::path& program, const std::vector<std::string>& arguments)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return {};
    const std::string slaveName = ptsname(master);
    const pid_t child = fork();
    if (child < 0) return {};
    if (child == 0) {
        setsid();
        const int slave = open(slaveName.c_str(), O_RDWR);
        if (slave < 0) _exit(127);
        dup2(slave, STDOUT_FILENO);
        dup2(slave, STDERR_FILENO);
        // The emulated displays' reply delay follows the plug-in's scaled waits.
        unsetenv("OV_MONAPI2_EMULATE_WAIT_SCALE");
        setenv("OV_TEST_TIME_SCALE", "0", 1);
        std::vector<char*> argv = {const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    std::string screen;
    char buffer[4096];
    // Reading ends with an error (EIO) once the child has closed the terminal.
    for (ssize_t count; (count = read(master, buffer, sizeof buffer)) > 0;) screen.append(buffer, static_cast<size_t>(count));
    int status = 0;
    waitpid(child, &status, 0);
    close(master);
    return screen;
}
#endif
