// The plug-in's two exported entry points, the module factories and the destroy function.
#define OV_SOURCE_FILE "Source/OvDevices/OvROVUvided"
#include "OvDevices/OvPluginEntry.h"

#include <new>
#include <type_traits>

#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvZEZSimulatorDevice.h"
#include "OvTools/OvDebug.h"

namespace {
OvPluginHostInfo* gHostInfo = nullptr;
}  // namespace

// The entry points have the types a host looks them up with.
static_assert(std::is_same_v<decltype(&InitPlugin), InitPluginProc>);
static_assert(std::is_same_v<decltype(&RegisterModules), RegisterModulesProc>);

OvPluginHostInfo* PluginHostInfo()
{
    return gHostInfo;
}

OvROVUvided* CreateROVUvided()
{
    return new (std::nothrow) OvROVUvidedImpl();
}

OvROVUvided* CreateZEZSimulatorDevice()
{
    return new (std::nothrow) OvZEZSimulatorDevice();
}

void DestroyDevice(OvROVUvided* device)
{
    if (device) device->Destroy();
}

extern "C" OV_EXPORT void InitPlugin(OvPluginHostInfo* hostInfo)
{
    gHostInfo = hostInfo;
    if (hostInfo) SetDebugStream(hostInfo->debugStream, true);
}

extern "C" OV_EXPORT void RegisterModules(RegisterModuleProc registerModule)
{
    if (!registerModule) return;
    registerModule(&CreateROVUvided, &DestroyDevice, kRealModuleName, kDeviceInterfaceName);
    registerModule(&CreateZEZSimulatorDevice, &DestroyDevice, kSimulatorModuleName, kDeviceInterfaceName);
}
