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
};
}  // namespace

std::span<const ConformanceCheck> ConformanceChecks()
{
    return kChecks;
}
