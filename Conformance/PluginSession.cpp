#include "PluginSession.h"

namespace {
// The callback carries no context, so registrations land in the list of the call in progress.
std::vector<ModuleRegistration>* gRecording = nullptr;
}  // namespace

extern "C" {
static void RecordRegistration(CreateDeviceProc create, DestroyDeviceProc destroy,
                               const char* moduleName, const char* interfaceName)
{
    if (!gRecording) return;
    gRecording->push_back({create, destroy, moduleName ? moduleName : "(null)",
                           interfaceName ? interfaceName : "(null)"});
}
}

PluginSession::PluginSession(InitPluginProc initPlugin, RegisterModulesProc registerModules)
    : fInitPlugin(initPlugin), fRegisterModules(registerModules)
{
}

void PluginSession::InitPlugin(OvStream* stream)
{
    fHostInfo.debugStream = stream;
    fInitPlugin(&fHostInfo);
}

void PluginSession::InitPluginWithoutRecord()
{
    fInitPlugin(nullptr);
}

std::vector<ModuleRegistration> PluginSession::RegisterModules()
{
    std::vector<ModuleRegistration> registrations;
    gRecording = &registrations;
    fRegisterModules(&RecordRegistration);
    gRecording = nullptr;
    return registrations;
}

void PluginSession::RegisterModulesWithoutCallback()
{
    fRegisterModules(nullptr);
}

const ModuleRegistration* PluginSession::FindModule(const std::string& moduleName)
{
    if (!fModulesRegistered) {
        fModules = RegisterModules();
        fModulesRegistered = true;
    }
    for (const ModuleRegistration& module : fModules) {
        if (module.moduleName == moduleName) return &module;
    }
    return nullptr;
}

DeviceHandle PluginSession::CreateDevice(const std::string& moduleName)
{
    const ModuleRegistration* module = FindModule(moduleName);
    if (!module || !module->create) return nullptr;
    return DeviceHandle(module->create());
}
