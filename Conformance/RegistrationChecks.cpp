#include "ConformanceChecks.h"

namespace {
void CheckRegistration(CheckReport& report, const ModuleRegistration& module,
                       const std::string& expectedName, const std::string& position)
{
    report.ExpectEqual(module.moduleName, expectedName, position + " registration: module name");
    report.ExpectEqual(module.interfaceName, std::string(kInterfaceType),
                       position + " registration: interface type");
    report.Expect(module.create != nullptr, position + " registration: has a factory");
    report.Expect(module.destroy != nullptr, position + " registration: has a destroy function");
}
}  // namespace

void CheckModuleRegistration(PluginSession& session, CheckReport& report)
{
    session.RegisterModulesWithoutCallback();
    report.Expect(true, "RegisterModules(NULL) returns without calling anything");

    const std::vector<ModuleRegistration> modules = session.RegisterModules();
    report.ExpectEqual(modules.size(), size_t{2}, "RegisterModules registers exactly two modules");
    if (modules.size() != 2) return;
    CheckRegistration(report, modules[0], kRealModule, "first");
    CheckRegistration(report, modules[1], kSimulatorModule, "second");
    report.Expect(modules[0].destroy == modules[1].destroy,
                  "both modules share one destroy function");
}
