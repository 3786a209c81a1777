#pragma once
// The host's side of a loaded plug-in: its record, the registered modules, device objects
// and the installation of host streams as the plug-in's debug stream.
#include <memory>
#include <string>
#include <vector>

#include "HostInterfaces.h"

// One call of the host's registration callback.
struct ModuleRegistration {
    CreateDeviceProc create;
    DestroyDeviceProc destroy;
    std::string moduleName;
    std::string interfaceName;
};

// Device objects are ended through slot 0, as the host does when it drops one.
struct DeviceDestroyer {
    void operator()(OvROVUvided* device) const { device->Destroy(); }
};
using DeviceHandle = std::unique_ptr<OvROVUvided, DeviceDestroyer>;

class PluginSession {
public:
    PluginSession(InitPluginProc initPlugin, RegisterModulesProc registerModules);
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    // InitPlugin with the host's record, its field 2 set to stream (may be null).
    void InitPlugin(OvStream* stream);
    // InitPlugin with no record at all.
    void InitPluginWithoutRecord();

    // RegisterModules with a callback that records every call, in order.
    std::vector<ModuleRegistration> RegisterModules();
    void RegisterModulesWithoutCallback();

    // The registration of that module name, or null when the plug-in does not offer it.
    const ModuleRegistration* FindModule(const std::string& moduleName);
    // A new device object of that module, or null when the module or the object is missing.
    DeviceHandle CreateDevice(const std::string& moduleName);

private:
    InitPluginProc fInitPlugin;
    RegisterModulesProc fRegisterModules;
    // Stays valid as long as the plug-in is loaded, as a host's record does.
    OvPluginHostInfo fHostInfo{};
    std::vector<ModuleRegistration> fModules;
    bool fModulesRegistered = false;
};

// Installs a host stream as the plug-in's debug stream for the scope. On leaving, the
// plug-in gets a record without stream, so it lets go of the host's stream (releasing it
// once) before the stream itself ends.
class ScopedDebugStream {
public:
    ScopedDebugStream(PluginSession& session, OvStream* stream) : fSession(session)
    {
        fSession.InitPlugin(stream);
    }
    ScopedDebugStream(const ScopedDebugStream&) = delete;
    ScopedDebugStream& operator=(const ScopedDebugStream&) = delete;
    ~ScopedDebugStream() { fSession.InitPlugin(nullptr); }

private:
    PluginSession& fSession;
};
