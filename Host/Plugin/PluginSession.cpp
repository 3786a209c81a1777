#include "Plugin/PluginSession.h"

#include "HostError.h"

namespace {

// The plug-in keeps the record's address, so the record lives as long as the process.
OvPluginHostInfo& HostRecord()
{
    static OvPluginHostInfo record{};
    return record;
}

// The registration callback carries no context: registrations land in the list of the
// call in progress.
std::vector<ModuleRegistration>* gRegistrations = nullptr;

extern "C" void RecordRegistration(CreateDeviceProc create, DestroyDeviceProc destroy,
                                   const char* moduleName, const char* interfaceName)
{
    if (gRegistrations == nullptr) return;
    gRegistrations->push_back({create, destroy, moduleName ? moduleName : "", interfaceName ? interfaceName : ""});
}

}  // namespace

PluginSession::PluginSession(const std::string& path, OvStream& debugStream) : fLibrary(path)
{
    if (!fLibrary.IsLoaded()) throw HostError("cannot load the plug-in '" + path + "': " + fLibrary.LoadError());
    fInitPlugin = fLibrary.Lookup<InitPluginProc>("InitPlugin");
    const auto registerModules = fLibrary.Lookup<RegisterModulesProc>("RegisterModules");
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
        if (module.interfaceName != kDeviceInterfaceName)
            throw HostError("the plug-in's module '" + moduleName + "' has the interface type '" +
                            module.interfaceName + "', not '" + kDeviceInterfaceName + "'");
        OvROVUvided* device = module.create ? module.create() : nullptr;
        if (device == nullptr) throw HostError("the plug-in's module '" + moduleName + "' created no device object");
        return DeviceHandle(device, DeviceDestroyer{module.destroy});
    }
    throw HostError("the plug-in offers no module '" + moduleName + "'");
}
