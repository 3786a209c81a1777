#pragma once
// The boundary with the host: its record, the registration callback and the factories.
// All function types use the C calling convention (cdecl on 32-bit Windows).
#include "OvCore/OvExport.h"
#include "OvDevices/OvROVUvided.h"
#include "Ovio/OvStream.h"

// The host's record: pointer-sized fields; only field 2, the debug stream, is read.
struct OvPluginHostInfo {
    void* hostField0;
    void* hostField1;
    OvStream* debugStream;
};

extern "C" {
typedef OvROVUvided* (*CreateDeviceProc)();
typedef void (*DestroyDeviceProc)(OvROVUvided* device);
typedef void (*RegisterModuleProc)(CreateDeviceProc create, DestroyDeviceProc destroy,
                                   const char* moduleName, const char* interfaceName);

OV_EXPORT void InitPlugin(OvPluginHostInfo* hostInfo);
OV_EXPORT void RegisterModules(RegisterModuleProc registerModule);
}

OvROVUvided* CreateROVUvided();
OvROVUvided* CreateZEZSimulatorDevice();
void DestroyDevice(OvROVUvided* device);
// The host record as last given to InitPlugin (null until then).
OvPluginHostInfo* PluginHostInfo();
