#include "Plugin/PluginSession.h"

#include "HostError.h"

namespace {

// The plug-in keeps the record's address, so the record lives as long as the process.
OvContract::OvPluginHostInfo& HostRecord()
{
    static OvContract::OvPluginHostInfo record{};
    return record;
}

// The registration callback carries no context: registrations land in the list of the
// call in progress.
std::vector<ModuleRegistration>* gRegistrations = nullptr;

extern "C" void RecordRegistration(OvContract::CreateDeviceProc create, OvContract::DestroyDeviceProc destroy,
                                   const char* moduleName, const char* interfaceName)
{
    if (gRegistrations == nullptr) return;
    gRegistrations->push_back({create, destroy, moduleName ? moduleName : "", interfaceName ? interfaceName : ""});
}

}  // namespace

PluginSession::PluginSession(const std::string& path, OvContract::OvStream& debugStream) : fLibrary(path)
{
    if (!fLibrary.IsLoaded()) throw HostError("cannot load the plug-in '" + path + "': " + fLibrary.LoadError());
    fInitPlugin = fLibrary.Lookup<OvContract::InitPluginProc>("InitPlugin");
    const auto registerModules = fLibrary.Lookup<OvContract::RegisterModulesProc>("RegisterModules");
    if (fInitPlugin == nullptr || registerModules == nullptr)
        throw HostError("'" + path + "' is not a plug-in: it does not export InitPlugin and RegisterModules");

    HostRecord().debugStream = &debugStream;
    fInitPlugin(&HostRecord());
    gRegistrations = &fModules;
    registerModules(&RecordRegistration);
    gRegistrations = nullptr;
}

PluginSession::~PluginSession()
{
    HostRecord().debugStream = nullptr;
    fInitPlugin(&HostRecord());
}

DeviceHandle PluginSession::CreateDevice(const std::string& moduleName) const
{
    for (const ModuleRegistration& module : fModules) {
        if (module.moduleName != moduleName) continue;
        if (module.interfaceName != OvContract::kDeviceInterfaceName)
            throw HostError("the plug-in's module '" + moduleName + "' has the interface type '" + module.interfaceName +
                            "', not '" + OvContract::kDeviceInterfaceName + "'");
        OvContract::OvROVUvided* device = module.create ? module.create() : nullptr;
        if (device == nullptr) throw HostError("the plug-in's module '" + moduleName + "' created no device object");
        return DeviceHandle(device, DeviceDestroyer{module.destroy});
    }
    throw HostError("the plug-in offers no module '" + moduleName + "'");
}
