#pragma once
// The host's own progress object, implemented against the hand-declared slot layout. It
// records what the plug-in does with it: every fraction reported and any call of its
// destructor slot.
#include <cstdint>
#include <vector>

#include "HostInterfaces.h"

class RecordingProgress final : public OvProgress {
public:
    RecordingProgress() = default;
    RecordingProgress(const RecordingProgress&) = delete;
    RecordingProgress& operator=(const RecordingProgress&) = delete;
    ~RecordingProgress() = default;

    // The host owns its progress objects; the plug-in must never end them.
    OvProgress* DestroySlot(uint8_t) override
    {
        ++fDestroyCalls;
        return this;
    }
    void SetProgress(double fraction) override { fFractions.push_back(fraction); }
    void Notify(int32_t) override {}

    const std::vector<double>& Fractions() const { return fFractions; }
    int DestroyCalls() const { return fDestroyCalls; }

private:
    std::vector<double> fFractions;
    int fDestroyCalls = 0;
};
