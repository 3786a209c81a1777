#include "MonApi2/BackendSelection.h"

#include "MonApi2/EmulatedBackend.h"
#include "MonApi2/EmulationSelection.h"

#if defined(__linux__)
#include "MonApi2/LinuxI2cBackend.h"
#include "MonApi2/PosixI2cDevSystem.h"
#endif

namespace MonApi2 {

std::vector<std::unique_ptr<Backend>> SelectBackends(const EnvironmentLookup& environment, const ProblemReport& report)
{
    std::vector<std::unique_ptr<Backend>> backends;
    if (const std::optional<std::string> models = environment("OV_MONAPI2_EMULATE")) {
        // The displays keep pace with a plug-in whose waits are scaled (OV_TEST_TIME_SCALE),
        // unless their own reply delay is scaled apart.
        const std::optional<std::string> waitScale = environment("OV_MONAPI2_EMULATE_WAIT_SCALE");
        EmulationSelection selection = ParseEmulationSelection(
            *models, waitScale ? *waitScale : environment("OV_TEST_TIME_SCALE").value_or(""));
        selection.stateFolder = environment("OV_MONAPI2_EMULATE_STATE").value_or("");
        for (const std::string& problem : selection.problems) report(problem);
        if (!selection.displays.empty()) backends.push_back(std::make_unique<EmulatedBackend>(selection));
        return backends;
    }
#if defined(__linux__)
    std::string sysfsRoot = environment("OV_MONAPI2_SYSFS_ROOT").value_or("");
    if (sysfsRoot.empty()) sysfsRoot = "/sys";
    backends.push_back(std::make_unique<LinuxI2cBackend>(std::make_unique<PosixI2cDevSystem>(), sysfsRoot, report));
#endif
    return backends;
}

}  // namespace MonApi2
