// "sim init" writes a starter description of simulated displays; "sim show" prints both
// simulation files, so what the simulator stored can be checked.
#include <fstream>
#include <sstream>

#include "Cli/ValueParsing.h"
#include "Commands/CommandHandlers.h"
#include "Commands/CommandTable.h"
#include "Simulation/SimulationFiles.h"

namespace {

int InitDescription(HostContext& context, const CommandLine& line)
{
    const auto displays = line.flags.find("--displays");
    const int count =
        displays == line.flags.end() ? 1 : ParseInteger(displays->second, 1, kMaxSimulatedDisplays, "display count");
    const std::filesystem::path folder = SimulationFolder();
    const std::filesystem::path file = folder / kDescriptionFileName;
    std::error_code error;
    if (std::filesystem::exists(file, error) && !line.HasFlag("--force"))
        throw HostError("'" + file.string() + "' exists; add --force to overwrite it");
    std::filesystem::create_directories(folder, error);
    if (error) throw HostError("cannot create the folder '" + folder.string() + "': " + error.message());
    std::ofstream out(file, std::ios::trunc);
    out << StarterDescription(count);
    out.close();
    if (!out) throw HostError("cannot write '" + file.string() + "'");
    context.Out() << file.string() << '\n';
    context.Notes() << "wrote " << count << " simulated display" << (count == 1 ? "" : "s") << " on port"
                    << (count == 1 ? " 0" : "s 0 to " + std::to_string(count - 1)) << "; try 'zezctl --sim detect'\n";
    return kExitSuccess;
}

void ShowFile(std::ostream& out, const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        out << "# " << file.string() << ": missing\n";
        return;
    }
    std::ostringstream content;
    content << in.rdbuf();
    std::string text = content.str();
    std::erase(text, '\r');
    out << "# " << file.string() << '\n' << text;
    if (!text.empty() && text.back() != '\n') out << '\n';
}

}  // namespace

int RunSimulation(HostContext& context, const CommandLine& line)
{
    ExpectArguments(line, 1, 1);
    const std::string& action = line.arguments.front();
    if (action == "init") return InitDescription(context, line);
    if (action != "show") throw UsageError("unknown action 'sim " + action + "': give 'sim init' or 'sim show'");
    if (!line.flags.empty()) throw UsageError("'sim show' takes no options");
    const std::filesystem::path folder = SimulationFolder();
    ShowFile(context.Out(), folder / kDescriptionFileName);
    ShowFile(context.Out(), folder / kControlsFileName);
    return kExitSuccess;
}
