#pragma once
// The host's progress during a table upload: a fraction at most every 200 ms of the
// system clock, counted from when the download began, so a slow host display is not
// asked to redraw after every chunk.
#include <cstdint>

#include "OvSystem/OvPlatform.h"
#include "Progress/OvProgress.h"

class OvThrottledProgress {
public:
    OvThrottledProgress(OvProgress* progress, uint32_t start) : fProgress(progress), fLastReport(start) {}

    void Report(double fraction)
    {
        if (!fProgress || OvPlatform::TickCount() - fLastReport <= kIntervalMs) return;
        fProgress->SetProgress(fraction);
        fLastReport = OvPlatform::TickCount();
    }

private:
    static constexpr uint32_t kIntervalMs = 200;
    OvProgress* fProgress;
    uint32_t fLastReport;
};
