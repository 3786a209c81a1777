// The named controls: brightness, contrast, the gains and the black level, as fractions of
// each control's range through the interface's level slots.
#include "Cli/Formatting.h"
#include "Cli/ValueParsing.h"
#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"

namespace {

// Shows the level, or sets it and shows it before and after.
int ReadOrSetLevel(HostContext& context, LevelControl control, const std::vector<std::string>& value)
{
    const std::optional<double> target =
        value.empty() ? std::nullopt : std::optional<double>(ParseLevel(value.front()));
    DisplayDevice& device = context.ConnectedDevice();
    const double before = device.GetLevel(control);
    if (!target) {
        context.Out() << LevelName(control) << ": " << Percent(before) << '\n';
        return kExitSuccess;
    }
    device.SetLevel(control, *target);
    context.Out() << LevelName(control) << ": " << Percent(before) << " -> " << Percent(device.GetLevel(control))
                  << '\n';
    return kExitSuccess;
}

// Sets a level the interface cannot read back.
int SetLevelWithoutGetter(HostContext& context, const CommandLine& line, LevelControl control, const char* readHint)
{
    if (line.arguments.empty())
        throw UsageError(std::string("the device interface has no getter for the ") + LevelName(control) + "; " +
                         readHint);
    ExpectArguments(line, 1, 1);
    const double target = ParseLevel(line.arguments.front());
    context.ConnectedDevice().SetLevel(control, target);
    context.Out() << LevelName(control) << ": set to " << Percent(target) << " (the interface cannot read it back)\n";
    return kExitSuccess;
}

LevelControl GainControl(const std::string& colour)
{
    if (colour == "red") return LevelControl::kRedGain;
    if (colour == "green") return LevelControl::kGreenGain;
    if (colour == "blue") return LevelControl::kBlueGain;
    throw UsageError("unknown gain '" + colour + "': give red, green or blue");
}

}  // namespace

int RunBrightness(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 0, 1);
    return ReadOrSetLevel(context, LevelControl::kBrightness, line.arguments);
}

int RunContrast(HostContext& context, const CommandLine& line)
{
    return SetLevelWithoutGetter(context, line, LevelControl::kContrast, "read VCP 0x12 with 'zezctl getvcp contrast'");
}

int RunBlackLevel(HostContext& context, const CommandLine& line)
{
    return SetLevelWithoutGetter(context, line, LevelControl::kBlackLevel,
                                 "read VCP 0x1054 (PA model group) or 0x0257 with 'zezctl getvcp'");
}

int RunGain(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 1, 2);
    const LevelControl control = GainControl(line.arguments.front());
    return ReadOrSetLevel(context, control, {line.arguments.begin() + 1, line.arguments.end()});
}
