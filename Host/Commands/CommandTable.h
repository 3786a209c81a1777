#pragma once
// The commands of zezctl: name, synopsis, help text with an example, the flags each takes
// and the function that runs it. One table drives dispatch, --help and the README.
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "Cli/CommandLine.h"
#include "Cli/HostContext.h"

struct CommandSpec {
    std::string_view name;
    std::string_view synopsis;  // "getvcp ID..."
    std::string_view summary;   // one line for the command list
    std::string_view details;   // the rest of the help text, example included
    std::vector<FlagSpec> flags;
    bool usesPlugin;  // false for commands that never load the plug-in
    int (*run)(HostContext& context, const CommandLine& line);
};

const std::vector<CommandSpec>& CommandTable();
const CommandSpec* FindCommand(std::string_view name);
// The flags of a command, for the command line parser; nothing for an unknown name.
std::optional<std::vector<FlagSpec>> CommandFlags(std::string_view name);

void PrintUsage(std::ostream& out);
void PrintCommandHelp(std::ostream& out, const CommandSpec& command);

// Raises UsageError when the command got fewer or more arguments than it takes.
void ExpectArguments(const CommandLine& line, size_t minimum, size_t maximum);
