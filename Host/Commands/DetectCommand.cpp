#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"
#include "Commands/DisplayDiscovery.h"
#include "Commands/JsonViews.h"

int RunDetect(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 0);
    const bool json = line.HasFlag("--json");
    if (json) RequireJson();
    const std::vector<DetectedDisplay> displays = DetectDisplays(context);
    if (displays.empty()) throw HostError("no display found: " + NoDisplayReason(context));
    if (json) context.Out() << DetectJson(displays) << '\n';
    else PrintDisplayTable(context.Out(), displays, "");
    return kExitSuccess;
}
