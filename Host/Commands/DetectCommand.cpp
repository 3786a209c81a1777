#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"
#include "Commands/DisplayDiscovery.h"

int RunDetect(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 0);
    const std::vector<DetectedDisplay> displays = DetectDisplays(context);
    if (displays.empty()) throw HostError("no display found: " + NoDisplayReason(context));
    PrintDisplayTable(context.Out(), displays, "");
    return kExitSuccess;
}
