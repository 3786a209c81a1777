// The raw VCP commands: getvcp, setvcp and scan, through the page/code slots 43 and 44.
#include <algorithm>
#include <cstdint>

#include "Catalogue/VcpCatalogue.h"
#include "Cli/Formatting.h"
#include "Cli/TextTable.h"
#include "Cli/ValueParsing.h"
#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"
#include "Commands/JsonViews.h"

namespace {

std::string Reading(const VcpReading& reading)
{
    return "current " + std::to_string(reading.current) + ", max " + std::to_string(reading.maximum);
}

}  // namespace

int RunGetVcp(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 1, SIZE_MAX);
    std::vector<uint16_t> ids;
    for (const std::string& argument : line.arguments) ids.push_back(ParseVcpId(argument));
    const bool terse = line.HasFlag("--terse");
    const bool json = line.HasFlag("--json");
    if (json) RequireJson();
    DisplayDevice& device = context.ConnectedDevice();
    int status = kExitSuccess;
    std::vector<VcpResult> results;
    for (const uint16_t id : ids) {
        const auto reading = device.ReadVcp(id);
        if (!reading) status = kExitFailure;
        if (json) {
            results.emplace_back(id, reading);
        } else if (terse) {
            // One line a control for scripts: "VCP <id> C <current> <maximum>" or "VCP <id> ERR".
            context.Out() << "VCP " << Hex(id, 4);
            if (reading) context.Out() << " C " << reading->current << ' ' << reading->maximum << '\n';
            else context.Out() << " ERR\n";
        } else if (reading) {
            context.Out() << VcpLabel(id) << ": " << Reading(*reading) << '\n';
        } else {
            context.Notes() << "error: " << VcpLabel(id) << " is not supported by the display\n";
        }
    }
    if (json) context.Out() << GetVcpJson(results) << '\n';
    return status;
}

int RunSetVcp(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 2, 3);
    const uint16_t id = ParseVcpId(line.arguments[0]);
    // "setvcp ID + 5" is "setvcp ID +5".
    if (line.arguments.size() == 3 && line.arguments[1] != "+" && line.arguments[1] != "-")
        throw UsageError("unexpected argument '" + line.arguments[2] + "': usage: zezctl setvcp ID [+|-]VALUE");
    const VcpSetting setting =
        ParseVcpSetting(line.arguments.size() == 3 ? line.arguments[1] + line.arguments[2] : line.arguments[1]);
    DisplayDevice& device = context.ConnectedDevice();
    const auto before = device.ReadVcp(id);
    if (!before) throw HostError(VcpLabel(id) + " is not supported by the display");
    // A change stops at the ends of the range; a value outside it is refused.
    const int64_t target = setting.relative
                               ? std::clamp<int64_t>(int64_t{before->current} + setting.amount, 0, before->maximum)
                               : setting.amount;
    if (target > before->maximum)
        throw HostError("value " + std::to_string(target) + " out of range for " + VcpLabel(id) +
                        ": the display takes 0 to " + std::to_string(before->maximum));
    const auto value = static_cast<uint32_t>(target);
    if (!device.WriteVcp(id, value))
        throw HostError("the display did not take " + std::to_string(value) + " for " + VcpLabel(id));
    context.Out() << VcpLabel(id) << ": set to " << value << " (was " << before->current << ", max " << before->maximum
                  << ")\n";
    return kExitSuccess;
}

int RunScan(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 2, 2);
    const uint16_t first = ParseVcpId(line.arguments[0]);
    const uint16_t last = ParseVcpId(line.arguments[1]);
    if (first > last) throw UsageError("the scan range " + Hex(first, 4) + " to " + Hex(last, 4) + " is empty");
    const bool all = line.HasFlag("--all");
    const bool json = line.HasFlag("--json");
    if (json) RequireJson();
    DisplayDevice& device = context.ConnectedDevice();
    TextTable table({"Id", "Name", "Value"});
    std::vector<VcpResult> results;
    int supported = 0;
    for (uint32_t id = first; id <= last; ++id) {
        const auto reading = device.ReadVcp(static_cast<uint16_t>(id));
        if (reading) ++supported;
        if (!reading && !all) continue;
        results.emplace_back(static_cast<uint16_t>(id), reading);
        table.AddRow({Hex(id, 4), VcpName(static_cast<uint16_t>(id)), reading ? Reading(*reading) : "unsupported"});
    }
    if (json) {
        context.Out() << ScanJson(first, last, results) << '\n';
        return kExitSuccess;
    }
    table.Print(context.Out());
    context.Out() << supported << " of " << (last - first + 1) << " ids supported\n";
    return kExitSuccess;
}
