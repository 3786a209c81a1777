#pragma once
// The plug-in's binary contract: the one header that the plug-in and a host built apart
// from it both include. It holds the device interface by slot (OvROVUvided.h), the error
// the device operations throw with its codes (OvError.h), the host record, the types of the
// two exported functions and of the registration callback, and the names the plug-in
// registers: declarations and standard types only, so a host links no code of ours (it
// catches OvError and reads its fields, but never makes or copies one).
//
// The host's debug stream is only named here. It is an object with the framework's stream
// slots (Ovio/OvStream.h), whose classes carry default implementations and the framework's
// string, which a host does not link; a host declares those slots itself.
//
// All boundary functions use the C calling convention (cdecl on 32-bit Windows). The
// includes are relative, so a host needs no include path into the framework.
#include "../OvCore/OvError.h"
#include "OvROVUvided.h"

class OvStream;

// The host's record: pointer-sized fields; only field 2, the debug stream, is read.
struct OvPluginHostInfo {
    void* hostField0;
    void* hostField1;
    OvStream* debugStream;
};

extern "C" {
typedef OvROVUvided* (*CreateDeviceProc)();
typedef void (*DestroyDeviceProc)(OvROVUvided* device);
typedef void (*RegisterModuleProc)(CreateDeviceProc create, DestroyDeviceProc destroy, const char* moduleName,
                                   const char* interfaceName);
typedef void (*InitPluginProc)(OvPluginHostInfo* hostInfo);
typedef void (*RegisterModulesProc)(RegisterModuleProc registerModule);
}

// The module names and the interface type the plug-in registers.
constexpr const char* kRealModuleName = "OvROVUvided";
constexpr const char* kSimulatorModuleName = "OvZEZSimulatorDevice";
constexpr const char* kDeviceInterfaceName = "OvMonitorDevice";
