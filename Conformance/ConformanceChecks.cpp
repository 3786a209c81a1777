#include "ConformanceChecks.h"

namespace {
const ConformanceCheck kChecks[] = {
    {"module registration", &CheckModuleRegistration},
    {"debug stream installation by InitPlugin", &CheckDebugStreamInstallation},
    {"flushing debug stream", &CheckFlushingStream},
    {"log lines of a new device", &CheckConstructionLog},
    {"unconnected device, by slot", &CheckUnconnectedDevice},
    {"OvError raised in a device operation", &CheckErrorReachesHost},
    {"ending device objects", &CheckDeviceEnding},
    {"simulated display against its simulation files, by slot", &CheckSimulatedDisplay},
    {"real display on the emulated display bus, by slot", &CheckEmulatedDisplay},
    {"VCP list records on the emulated display, slot 54", &CheckEmulatedVCPList},
    {"gamma table upload and read-back on the emulated display, slots 38 and 33", &CheckEmulatedGammaTable},
    {"uniformity correction on the emulated display, slots 51 and 50", &CheckEmulatedUniformity},
    // Before the calibration mode, which changes the brightness that "GetVCP" reads.
    {"text commands on the emulated display, slot 49", &CheckEmulatedCommands},
    {"3D LUT command outside the 3D LUT group, slot 49", &CheckInit3DLUTOutsideGroup},
    {"calibration mode with a host progress object on the emulated display, slot 32", &CheckEmulatedCalibrationMode},
    {"gamma curve loaded and read back on the emulated display, slots 34, 33 and 49", &CheckEmulatedSetGamma},
};
}  // namespace

std::span<const ConformanceCheck> ConformanceChecks()
{
    return kChecks;
}
