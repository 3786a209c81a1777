// prepare and whitepoint: the measurement set-up (InitCalibrationMode) and the white
// point (SetWhitePoint) of the device interface.
#include "Cli/Formatting.h"
#include "Cli/ProgressDisplay.h"
#include "Cli/ValueParsing.h"
#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"
#include "Plugin/DeviceCall.h"

namespace {
// Measurement usually starts at full brightness.
constexpr double kDefaultPrepareLevel = 1.0;
}  // namespace

int RunPrepare(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 1);
    const double level = line.arguments.empty() ? kDefaultPrepareLevel : ParseLevel(line.arguments.front());
    OvROVUvided& slots = context.ConnectedDevice().Slots();
    {
        ProgressDisplay progress(context.Notes(), "prepare", StandardErrorIsTerminal());
        CallDevice("InitCalibrationMode", [&] { slots.InitCalibrationMode(level, &progress); });
        progress.Finish();
    }
    context.Out() << "prepared for measurement at brightness " << Percent(level) << '\n';
    return kExitSuccess;
}

int RunWhitePoint(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 3, 3);
    const double r = ParseLevel(line.arguments[0]);
    const double g = ParseLevel(line.arguments[1]);
    const double b = ParseLevel(line.arguments[2]);
    OvROVUvided& slots = context.ConnectedDevice().Slots();
    CallDevice("SetWhitePoint", [&] { slots.SetWhitePoint(r, g, b); });
    context.Out() << "white point set to red " << Percent(r) << ", green " << Percent(g) << ", blue " << Percent(b)
                  << '\n';
    return kExitSuccess;
}
