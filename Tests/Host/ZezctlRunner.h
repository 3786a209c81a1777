#pragma once
// Runs the built zezctl as a subprocess and captures what it prints. Emulated displays
// answer at once (reply delays scaled to 0).
#include <filesystem>
#include <string>
#include <vector>

struct ZezctlResult {
    int status = -1;  // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;

    std::vector<std::string> OutLines() const;
    // The lines of the standard error that report an error ("error: ...").
    std::vector<std::string> ErrorLines() const;
};

using ZezctlArguments = std::vector<std::string>;

// Starts program (the built zezctl, or a copy of it elsewhere) with these arguments, each
// handed over as it is: no shell takes part.
ZezctlResult RunZezctl(const ZezctlArguments& arguments, const std::filesystem::path& program = ZEZCTL_PATH);
// The same with the arguments written as one line of words separated by blanks.
ZezctlResult RunZezctl(const std::string& words, const std::filesystem::path& program = ZEZCTL_PATH);
// The words of a line separated by blanks: Words("getvcp brightness") is {"getvcp", "brightness"}.
ZezctlArguments Words(const std::string& line);
