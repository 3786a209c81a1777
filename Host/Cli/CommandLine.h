#pragma once
// The command line: global options (anywhere before or after the command name), the
// command name, the command's own flags and its positional arguments. A token that looks
// like a negative number is an argument, not an option; "--" ends all options.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct GlobalOptions {
    bool simulator = false;              // --sim
    int32_t port = 0;                    // --port N
    std::optional<int32_t> displayId;    // --display ID
    std::string pluginPath;              // --plugin PATH; empty: beside the program
    std::string logTarget;               // --log FILE, "-" for the standard error; empty: silent
    std::optional<std::string> emulate;  // --emulate MODEL[,MODEL...]
    bool statistics = false;             // --stats
};

// A flag a command accepts, such as "--all" or "--displays N".
struct FlagSpec {
    std::string_view name;  // with the dashes
    bool takesValue;
};

struct CommandLine {
    GlobalOptions options;
    std::string command;  // empty when none was given
    bool help = false;    // --help or -h
    std::vector<std::string> arguments;
    std::map<std::string, std::string, std::less<>> flags;  // name -> value ("" for plain flags)

    bool HasFlag(std::string_view name) const { return flags.find(name) != flags.end(); }
};

// Tells which flags a command takes; nothing for an unknown command.
using CommandFlagLookup = std::optional<std::vector<FlagSpec>> (*)(std::string_view command);

// Raises UsageError for unknown options and commands and for missing or malformed values.
CommandLine ParseCommandLine(const std::vector<std::string>& tokens, CommandFlagLookup flagsOf);
