#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"

// Some commands need no display ("Version", "TargetCurve"): when none connects, the
// command still runs and the plug-in raises where it needs one.
int RunTextCommand(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 1, 2);
    DisplayDevice& device = context.Device();
    try {
        context.ConnectedDevice();
    } catch (const HostError& error) {
        context.Notes() << "note: running without a display: " << error.what() << '\n';
    }
    const std::string argument = line.arguments.size() > 1 ? line.arguments[1] : "";
    const std::string answer = device.ExecuteCommand(line.arguments.front(), argument);
    if (answer.empty()) {
        context.Notes() << "(no answer)\n";
    } else {
        context.Out() << answer << (answer.back() == '\n' ? "" : "\n");
    }
    return kExitSuccess;
}
