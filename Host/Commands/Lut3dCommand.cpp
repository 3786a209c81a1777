// lut3d: the display's 3D LUT. A LUT file becomes a transform of this host that the
// plug-in samples on the display's grid (Set3DLUT); the identity, the red-green swap and
// switching the table on or off go through the device's text commands.
#include <cstdlib>

#include "Calibration/LutFile.h"
#include "Cli/ProgressDisplay.h"
#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"
#include "Platform/StandardOutputCapture.h"
#include "Plugin/DeviceCall.h"

namespace {

// The flags that choose a text command instead of a file, with the command's name,
// argument and what is reported afterwards.
struct LutAction {
    std::string_view flag;
    const char* command;
    const char* argument;
    const char* done;
    bool download;  // a download with the plug-in's console progress
};
constexpr LutAction kActions[] = {
    {"--identity", "Init3DLUT", "", "loaded the identity 3D LUT", true},
    {"--swap-red-green", "Swap3DLUT", "", "loaded the 3D LUT that swaps red and green", true},
    {"--enable", "Enable3DLUT", "1", "3D LUT switched on", false},
    {"--disable", "Enable3DLUT", "0", "3D LUT switched off", false},
};

// The plug-in's console progress prints "%3.0f %%" lines: their number, or -1.
double ConsolePercent(const std::string& line)
{
    char* end = nullptr;
    const double value = std::strtod(line.c_str(), &end);
    if (end == line.c_str()) return -1.0;
    while (*end == ' ') ++end;
    return *end == '%' && end[1] == '\0' ? value : -1.0;
}

void RequireLutGroup(DisplayDevice& device)
{
    OvROVUvided& slots = device.Slots();
    if (CallDevice("Supports3DLUT", [&] { return slots.Supports3DLUT(); })) return;
    const DisplayIdentity identity = device.Identity();
    throw HostError("the " + identity.modelName + " on port " + std::to_string(identity.port) +
                    " has no 3D LUT (it is not in the 3D LUT model group); nothing was sent");
}

void RunAction(HostContext& context, DisplayDevice& device, const LutAction& action)
{
    if (!action.download) {
        device.ExecuteCommand(action.command, action.argument);
        return;
    }
    ProgressDisplay progress(context.Notes(), "lut3d", StandardErrorIsTerminal());
    std::vector<std::string> otherLines;
    {
        const StandardOutputCapture capture([&](const std::string& line) {
            const double percent = ConsolePercent(line);
            if (percent >= 0.0) progress.SetProgress(percent / 100.0);
            else otherLines.push_back(line);
        });
        device.ExecuteCommand(action.command, action.argument);
    }
    progress.Finish();
    for (const std::string& line : otherLines) context.Out() << line << '\n';
}

}  // namespace

int RunLut3d(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 1);
    const LutAction* chosen = nullptr;
    int given = static_cast<int>(line.arguments.size());
    for (const LutAction& action : kActions) {
        if (!line.HasFlag(action.flag)) continue;
        chosen = &action;
        ++given;
    }
    if (given != 1) throw UsageError("give one of FILE, --identity, --swap-red-green, --enable or --disable");
    // A LUT file is read before the display is touched: a bad file sends nothing.
    const std::optional<LutFile> file =
        chosen ? std::nullopt : std::optional<LutFile>(LutFile(line.arguments.front()));
    DisplayDevice& device = context.ConnectedDevice();
    RequireLutGroup(device);
    if (chosen) {
        RunAction(context, device, *chosen);
        context.Out() << chosen->done << '\n';
        return kExitSuccess;
    }
    OvROVUvided& slots = device.Slots();
    {
        ProgressDisplay progress(context.Notes(), "lut3d", StandardErrorIsTerminal());
        const TransformHandle transform = MakeHostTransform(file->OnByteScale());
        CallDevice("Set3DLUT", [&] { slots.Set3DLUT(transform.get(), &progress); });
        progress.Finish();
    }
    context.Out() << "loaded " << line.arguments.front() << " into the display's 3D LUT\n";
    return kExitSuccess;
}
