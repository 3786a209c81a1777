#pragma once
// The conformance checks, in groups of related checks that run one after the other
// against one loaded plug-in. A new group is a function of this shape plus one line in
// the table of ConformanceChecks.cpp.
#include <span>
#include <string>

#include "CheckReport.h"
#include "PluginSession.h"

using CheckGroup = void (*)(PluginSession& session, CheckReport& report);

struct ConformanceCheck {
    const char* title;
    CheckGroup run;
};

// All groups in the order they run.
std::span<const ConformanceCheck> ConformanceChecks();

// The two modules and the interface type they are registered under.
inline constexpr const char* kRealModule = "OvROVUvided";
inline constexpr const char* kSimulatorModule = "OvZEZSimulatorDevice";
inline constexpr const char* kDeviceModules[] = {kRealModule, kSimulatorModule};
inline constexpr const char* kInterfaceType = "OvMonitorDevice";

// What the constructor of every device object writes to the debug stream.
inline const std::string kConstructionLines =
    "DDC2Device, version 9 build 18403\n"
    "DDC2Device::InitValues()\n"
    "DDC2Device::ResetData\n";

// Registration: RegistrationChecks.cpp
void CheckModuleRegistration(PluginSession& session, CheckReport& report);
// The host's debug stream: DebugStreamChecks.cpp
void CheckDebugStreamInstallation(PluginSession& session, CheckReport& report);
void CheckFlushingStream(PluginSession& session, CheckReport& report);
void CheckConstructionLog(PluginSession& session, CheckReport& report);
// Device objects: DeviceChecks.cpp
void CheckUnconnectedDevice(PluginSession& session, CheckReport& report);
void CheckErrorReachesHost(PluginSession& session, CheckReport& report);
void CheckDeviceEnding(PluginSession& session, CheckReport& report);
// The simulated display: SimulatorChecks.cpp
void CheckSimulatedDisplay(PluginSession& session, CheckReport& report);
// A real display through the display-interface library: EmulatedDisplayChecks.cpp
void CheckEmulatedDisplay(PluginSession& session, CheckReport& report);
// A real-module device connected to the emulated PA271W, or null after a failed check.
DeviceHandle ConnectEmulatedDisplay(PluginSession& session, CheckReport& report);
// "OvROVUvided on an emulated PA271W: slot N operation", the name of such a check.
std::string EmulatedSlot(int slot, const char* operation);
// Its VCP lists, gamma table and uniformity correction: EmulatedCalibrationChecks.cpp
void CheckEmulatedVCPList(PluginSession& session, CheckReport& report);
void CheckEmulatedGammaTable(PluginSession& session, CheckReport& report);
void CheckEmulatedUniformity(PluginSession& session, CheckReport& report);
// Its text commands: EmulatedCommandChecks.cpp
void CheckEmulatedCommands(PluginSession& session, CheckReport& report);
void CheckInit3DLUTOutsideGroup(PluginSession& session, CheckReport& report);
void CheckEmulatedSetGamma(PluginSession& session, CheckReport& report);
// Its preparation for measurement: EmulatedCalibrationModeChecks.cpp
void CheckEmulatedCalibrationMode(PluginSession& session, CheckReport& report);
