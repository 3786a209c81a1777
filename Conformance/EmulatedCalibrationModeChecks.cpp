// InitCalibrationMode on the emulated PA271W with a progress object of the host's own.
// Its waits are real here (several seconds per control), so it is called once.
#include <cstdio>
#include <string>
#include <vector>

#include "ConformanceChecks.h"
#include "HostProgress.h"

namespace {
std::string Listed(const std::vector<double>& fractions)
{
    std::string text;
    char number[32];
    for (const double fraction : fractions) {
        std::snprintf(number, sizeof number, "%.17g", fraction);
        if (!text.empty()) text += ' ';
        text += number;
    }
    return text;
}
}  // namespace

void CheckEmulatedCalibrationMode(PluginSession& session, CheckReport& report)
{
    DeviceHandle device = ConnectEmulatedDisplay(session, report);
    if (!device) return;
    RecordingProgress progress;
    device->InitCalibrationMode(1.0, &progress);
    // Compared exactly: the plug-in reports these fractions as they are, not computed.
    report.ExpectEqual(Listed(progress.Fractions()), Listed({0.2, 0.5, 0.6, 0.7, 0.8, 1.0}),
                       EmulatedSlot(32, "InitCalibrationMode(1.0) reports its steps to the host's progress object"));
    report.ExpectEqual(progress.DestroyCalls(), 0,
                       EmulatedSlot(32, "InitCalibrationMode leaves the host's progress object alive"));
    report.ExpectEqual(device->GetBrightness(), 1.0, EmulatedSlot(18, "GetBrightness after InitCalibrationMode(1.0)"));
}
