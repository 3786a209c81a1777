#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"

int RunHelp(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 1);
    if (line.arguments.empty()) {
        PrintUsage(context.Out());
        return kExitSuccess;
    }
    const CommandSpec* command = FindCommand(line.arguments.front());
    if (command == nullptr)
        throw UsageError("unknown command '" + line.arguments.front() + "' ('zezctl --help' lists the commands)");
    PrintCommandHelp(context.Out(), *command);
    return kExitSuccess;
}
