#pragma once
// Finding the displays: each logical port from 0 to 11 that connects, with the display's
// identity, the kind of link it is reached over and the interface behind it.
#include <string>
#include <vector>

#include "Cli/HostContext.h"

struct DetectedDisplay {
    DisplayIdentity identity;
    std::string link;           // "DDC", "USB" or "simulated"
    std::string interfaceName;  // the library's name of the interface (a DRM connector on Linux)
};

// The logical ports tried; the plug-in handles at most 12 display interfaces.
constexpr int32_t kPortsTried = 12;

std::vector<DetectedDisplay> DetectDisplays(HostContext& context);

// The reason for an empty result, for the message that says no display was found.
std::string NoDisplayReason(HostContext& context);

// The detected displays as an aligned table.
void PrintDisplayTable(std::ostream& out, const std::vector<DetectedDisplay>& displays, const std::string& indent);
