#include "ZezctlRunner.h"

#include <sstream>

#include "ChildProcess.h"
#include "Support/OvTestFolder.h"

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A captured output as text: Windows programs end lines with CR LF.
std::string CapturedText(const std::filesystem::path& file)
{
    std::string text = OvReadBytes(file);
    std::erase(text, '\r');
    return text;
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

ZezctlResult RunZezctl(const ZezctlArguments& arguments, const std::filesystem::path& program)
{
    const OvScopedEnvironment instantReplies("OV_MONAPI2_EMULATE_WAIT_SCALE", "0");
    const OvTestFolder capture;
    const std::filesystem::path out = capture.Folder() / "out.txt";
    const std::filesystem::path err = capture.Folder() / "err.txt";
    ZezctlResult result;
    result.status = RunChildProcess(program, arguments, out, err);
    result.out = CapturedText(out);
    result.err = CapturedText(err);
    return result;
}

ZezctlResult RunZezctl(const std::string& words, const std::filesystem::path& program)
{
    return RunZezctl(Words(words), program);
}

ZezctlArguments Words(const std::string& line)
{
    ZezctlArguments words;
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}
