// Feeds arbitrary bytes to the host's command line parser and value parsers. The input is
// split at zero bytes into the arguments after the program name. The parser raises
// UsageError for a bad line and never exits or prints; anything else escaping is a fault.
// Every argument then goes through each value parser, and the values read are formatted
// as the commands print them.
//   - A parsed line keeps the port and display id in their ranges and only flags the
//     command takes.
//   - A VCP id given as page:code or number reads back from its own hexadecimal form.
//   - A VCP setting stays within 32 bits, negative only as a change.
//   - A level lies from 0 to 1.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Cli/CommandLine.h"
#include "Cli/Formatting.h"
#include "Cli/ValueParsing.h"
#include "HostError.h"

namespace {

constexpr size_t kMaxInput = 4096;

void Check(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "FuzzHostArguments: %s\n", what);
    std::abort();
}

// The flags of zezctl's commands. The command table itself comes with every command's
// handler, and with them the whole plug-in host, so its flags are repeated here.
std::optional<std::vector<FlagSpec>> FlagsOf(std::string_view command)
{
    static const std::vector<std::string_view> kPlain = {"detect",   "info", "edid",       "setvcp",  "brightness",
                                                         "contrast", "gain", "blacklevel", "command", "demo",
                                                         "help"};
    if (command == "capabilities") return std::vector<FlagSpec>{{"--raw", false}};
    if (command == "getvcp") return std::vector<FlagSpec>{{"--terse", false}};
    if (command == "scan") return std::vector<FlagSpec>{{"--all", false}};
    if (command == "sim") return std::vector<FlagSpec>{{"--displays", true}, {"--force", false}};
    for (const std::string_view name : kPlain) {
        if (command == name) return std::vector<FlagSpec>{};
    }
    return std::nullopt;
}

std::vector<std::string> SplitAtZeros(const uint8_t* data, size_t size)
{
    std::vector<std::string> tokens(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            tokens.emplace_back();
        } else {
            tokens.back() += static_cast<char>(data[i]);
        }
    }
    return tokens;
}

void CheckLine(const CommandLine& line)
{
    Check(line.options.port >= 0 && line.options.port <= 255, "port out of range");
    if (line.options.displayId) Check(*line.options.displayId >= -1 && *line.options.displayId <= 255, "display id out of range");
    if (line.command.empty()) {
        Check(line.arguments.empty() && line.flags.empty(), "arguments or flags without a command");
        return;
    }
    const auto flags = FlagsOf(line.command);
    Check(flags.has_value(), "unknown command accepted");
    for (const auto& [name, value] : line.flags) {
        bool known = false;
        for (const FlagSpec& flag : *flags) known = known || flag.name == name;
        Check(known, "flag the command does not take");
    }
}

void ParseLine(const std::vector<std::string>& tokens)
{
    try {
        CheckLine(ParseCommandLine(tokens, &FlagsOf));
    } catch (const UsageError&) {
    }
}

// Ids written as numbers must come out of VcpLabel's "0x" form unchanged; catalogue names
// are only formatted.
void ParseVcpIdOf(const std::string& text)
{
    try {
        const uint16_t id = ParseVcpId(text);
        const std::string label = VcpLabel(id);
        Check(!label.empty(), "empty VCP label");
        const std::string hex = Hex(id, 4);
        Check(hex.size() == 6, "VCP id not four hexadecimal digits");
        Check(ParseVcpId(hex) == id, "VCP id does not read back from hexadecimal");
        Check(ParseVcpId(hex.substr(2, 2) + ":" + hex.substr(4, 2)) == id, "VCP id does not read back as page:code");
    } catch (const UsageError&) {
    }
}

void ParseValues(const std::string& text)
{
    ParseVcpIdOf(text);
    try {
        const uint32_t value = ParseVcpValue(text);
        Check(ParseVcpValue(Hex(value, 1)) == value, "VCP value does not read back from hexadecimal");
    } catch (const UsageError&) {
    }
    try {
        const VcpSetting setting = ParseVcpSetting(text);
        const int64_t largest = std::numeric_limits<uint32_t>::max();
        Check(setting.amount <= largest && setting.amount >= (setting.relative ? -largest : 0), "VCP setting out of range");
    } catch (const UsageError&) {
    }
    try {
        const double level = ParseLevel(text);
        Check(std::isfinite(level) && level >= 0.0 && level <= 1.0, "level out of range");
        Check(Percent(level).back() == '%', "percentage without its sign");
    } catch (const UsageError&) {
    }
    try {
        const int32_t number = ParseInteger(text, -1, 255, "port");
        Check(number >= -1 && number <= 255, "integer out of range");
    } catch (const UsageError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInput) return 0;
    const std::vector<std::string> tokens = SplitAtZeros(data, size);
    ParseLine(tokens);
    for (const std::string& token : tokens) ParseValues(token);
    return 0;
}
