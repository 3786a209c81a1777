#pragma once
// The boundary with the host: the exported entry points, the factories and the destroy
// function, with the types and the host record of the public contract.
#include "OvCore/OvExport.h"
#include "OvDevices/OvPluginContract.h"
#include "Ovio/OvStream.h"

extern "C" {
OV_EXPORT void InitPlugin(OvPluginHostInfo* hostInfo);
OV_EXPORT void RegisterModules(RegisterModuleProc registerModule);
}

OvROVUvided* CreateROVUvided();
OvROVUvided* CreateZEZSimulatorDevice();
void DestroyDevice(OvROVUvided* device);
// The host record as last given to InitPlugin (null until then).
OvPluginHostInfo* PluginHostInfo();
