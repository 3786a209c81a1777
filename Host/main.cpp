// zezctl: drives ZEZ displays from a terminal through the plug-in, as a colour-management
// host does: by the two exported functions and the slots of the device interface.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Cli/CommandLine.h"
#include "Cli/HostContext.h"
#include "Commands/CommandTable.h"
#include "Commands/TrafficReport.h"
#include "HostError.h"
#include "Platform/HostEnvironment.h"

namespace {

constexpr const char* kEmulationVariable = "OV_MONAPI2_EMULATE";

// Chooses the emulated display bus before the display-interface library first reads the
// environment, and says so whenever the displays are emulated.
void PrepareDisplayBus(const GlobalOptions& options, std::ostream& notes)
{
    if (options.emulate) SetEnvironment(kEmulationVariable, *options.emulate);
    if (options.simulator) return;
    const auto models = GetEnvironment(kEmulationVariable);
    if (!models || models->empty()) return;
    notes << "(emulated display: " << *models << "; no hardware involved";
    // The plug-in's own waits may be scaled for tests and demos too.
    if (const auto scale = GetEnvironment("OV_TEST_TIME_SCALE")) notes << "; the plug-in's waits scaled by " << *scale;
    else notes << ", the plug-in's protocol waits run in real time";
    // The emulated displays' own reply delay may be scaled down for demos and tests.
    if (const auto scale = GetEnvironment("OV_MONAPI2_EMULATE_WAIT_SCALE")) notes << "; reply delays scaled by " << *scale;
    notes << ")\n";
}

int Run(const std::vector<std::string>& tokens, std::unique_ptr<HostContext>& context)
{
    const CommandLine line = ParseCommandLine(tokens, &CommandFlags);
    if (line.command.empty()) {
        if (!line.help) throw UsageError("no command given ('zezctl --help' lists the commands)");
        PrintUsage(std::cout);
        return kExitSuccess;
    }
    const CommandSpec& command = *FindCommand(line.command);
    if (line.help) {
        PrintCommandHelp(std::cout, command);
        return kExitSuccess;
    }
    if (command.usesPlugin) PrepareDisplayBus(line.options, std::cerr);
    context = std::make_unique<HostContext>(line.options, std::cout, std::cerr);
    return command.run(*context, line);
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> tokens(argv + 1, argv + argc);
    std::unique_ptr<HostContext> context;
    int status = kExitFailure;
    try {
        status = Run(tokens, context);
    } catch (const UsageError& error) {
        std::cerr << "error: " << error.what() << '\n';
        status = kExitUsage;
    } catch (const std::exception& error) {
        std::cerr << "error: " << error.what() << '\n';
        status = kExitFailure;
    }
    if (context && context->Options().statistics) {
        try {
            PrintTrafficReport(*context);
        } catch (const std::exception& error) {
            std::cerr << "error: statistics: " << error.what() << '\n';
        }
    }
    std::cout.flush();
    return status;
}
