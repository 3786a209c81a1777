// OvConformanceHost: loads the plug-in given on the command line as the colour-management
// host does and checks its binary contract by slot position. Prints one line per check and
// "N passed, N failed" last; the exit status is 0 only when every check passed.
#include <cstdio>
#include <exception>
#include <string>

#include "CheckReport.h"
#include "ConformanceChecks.h"
#include "PluginLibrary.h"
#include "PluginSession.h"

namespace {
std::string Describe(const OvError& error)
{
    return "code " + std::to_string(error.code) + " name " + (error.name ? error.name : "(null)") +
           " file " + (error.file ? error.file : "(null)") + " line " + std::to_string(error.line);
}

// Runs one group; an exception escaping it counts as one failed check, and the next
// group still runs.
void RunGroup(const ConformanceCheck& check, PluginSession& session, CheckReport& report)
{
    report.BeginGroup(check.title);
    try {
        check.run(session, report);
    } catch (const OvError& error) {
        report.Expect(false, std::string(check.title) + ": unexpected OvError, " + Describe(error));
    } catch (const std::exception& error) {
        report.Expect(false, std::string(check.title) + ": unexpected exception: " + error.what());
    } catch (...) {
        report.Expect(false, std::string(check.title) + ": unexpected exception of unknown type");
    }
}

void RunConformance(const std::string& pluginPath, CheckReport& report)
{
    report.BeginGroup("loading " + pluginPath);
    const PluginLibrary plugin(pluginPath);
    report.Expect(plugin.IsLoaded(), "the plug-in loads" +
                                         (plugin.IsLoaded() ? std::string() : ": " + plugin.LoadError()));
    const auto initPlugin = plugin.Lookup<InitPluginProc>("InitPlugin");
    const auto registerModules = plugin.Lookup<RegisterModulesProc>("RegisterModules");
    report.Expect(initPlugin != nullptr, "exports InitPlugin under its undecorated name");
    report.Expect(registerModules != nullptr, "exports RegisterModules under its undecorated name");
    if (!initPlugin || !registerModules) return;

    PluginSession session(initPlugin, registerModules);
    for (const ConformanceCheck& check : ConformanceChecks()) RunGroup(check, session, report);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: OvConformanceHost <path of the plug-in library>\n");
        return 2;
    }
    CheckReport report(stdout);
    RunConformance(argv[1], report);
    report.PrintSummary();
    return report.AllPassed() ? 0 : 1;
}
