#include "ZezctlRunner.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Platform/HostEnvironment.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace {

std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string content = text.str();
    std::erase(content, '\r');  // Windows programs end lines with CR LF
    return content;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Quoted(const std::filesystem::path& path)
{
    std::string quoted = "\"";
    quoted += path.string();
    quoted += '"';
    return quoted;
}

int ExitStatus(int raw)
{
#if defined(_WIN32)
    return raw;
#else
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
}

}  // namespace

std::vector<std::string> ZezctlResult::OutLines() const
{
    return Lines(out);
}

std::vector<std::string> ZezctlResult::ErrorLines() const
{
    std::vector<std::string> errors;
    for (const std::string& line : Lines(err)) {
        if (line.rfind("error: ", 0) == 0) errors.push_back(line);
    }
    return errors;
}

ZezctlResult RunZezctl(const std::string& arguments, const std::filesystem::path& program)
{
    const ScopedEnvironment instantReplies("OV_MONAPI2_EMULATE_WAIT_SCALE", "0");
    const TemporaryFolder capture;
    const std::filesystem::path out = capture.Path() / "out.txt";
    const std::filesystem::path err = capture.Path() / "err.txt";
    std::string command = Quoted(program) + " " + arguments + " >" + Quoted(out) + " 2>" + Quoted(err);
#if defined(_WIN32)
    // cmd.exe drops the first and the last quote of a line that starts with one.
    command = "\"" + command + "\"";
#endif
    ZezctlResult result;
    result.status = ExitStatus(std::system(command.c_str()));
    result.out = ReadText(out);
    result.err = ReadText(err);
    return result;
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value)
    : fName(name), fPrevious(GetEnvironment(name))
{
    SetEnvironment(name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    if (fPrevious) {
        SetEnvironment(fName.c_str(), *fPrevious);
        return;
    }
#if defined(_WIN32)
    _putenv_s(fName.c_str(), "");  // an empty value removes the variable
#else
    unsetenv(fName.c_str());
#endif
}

TemporaryFolder::TemporaryFolder()
{
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fPath = std::filesystem::temp_directory_path() /
            ("zezctl-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(fPath);
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(fPath, ignored);
}
