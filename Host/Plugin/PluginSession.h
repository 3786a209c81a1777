#pragma once
// The plug-in as the host holds it: loaded by path, its debug stream installed through
// InitPlugin, its modules registered through RegisterModules, device objects created with
// a module's factory and ended with the module's destroy function.
#include <memory>
#include <string>
#include <vector>

#include "Contract/OvDeviceContract.h"
#include "Platform/SharedLibrary.h"

struct ModuleRegistration {
    CreateDeviceProc create;
    DestroyDeviceProc destroy;
    std::string moduleName;
    std::string interfaceName;
};

// Ends a device object with the destroy function of the module that created it.
struct DeviceDestroyer {
    DestroyDeviceProc destroy = nullptr;
    void operator()(OvROVUvided* device) const
    {
        if (destroy) destroy(device);
    }
};
using DeviceHandle = std::unique_ptr<OvROVUvided, DeviceDestroyer>;

class PluginSession {
public:
    // Loads the plug-in at path, installs debugStream as its debug stream and registers its
    // modules. Raises HostError when the file does not load or is not a plug-in.
    PluginSession(const std::string& path, OvStream& debugStream);
    // Hands the plug-in a record without stream, so it lets go of the host's stream (one
    // Release) before that stream ends.
    ~PluginSession();
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    const std::vector<ModuleRegistration>& Modules() const { return fModules; }
    // A new, unconnected device object of that module. Raises HostError when the plug-in
    // offers no such module or its factory gives no object.
    DeviceHandle CreateDevice(const std::string& moduleName) const;

private:
    SharedLibrary fLibrary;
    InitPluginProc fInitPlugin = nullptr;
    std::vector<ModuleRegistration> fModules;
};
