#pragma once
// A clock for tests: every Sleep is recorded and advances the time at once.
#include <cstdint>
#include <vector>

#include "OvPlatform.h"

class OvVirtualClock : public OvPlatform::Clock {
public:
    explicit OvVirtualClock(uint32_t start = 1000) : fNow(start) {}
    uint32_t TickCount() override { return fNow; }
    void Sleep(uint32_t ms) override
    {
        fSleeps.push_back(ms);
        fNow += ms;
    }
    void Advance(uint32_t ms) { fNow += ms; }
    const std::vector<uint32_t>& Sleeps() const { return fSleeps; }
    uint64_t TotalSlept() const
    {
        uint64_t total = 0;
        for (uint32_t s : fSleeps) total += s;
        return total;
    }
    void ClearSleeps() { fSleeps.clear(); }

private:
    uint32_t fNow;
    std::vector<uint32_t> fSleeps;
};

// Installs a virtual clock for the lifetime of a scope.
class OvScopedVirtualClock {
public:
    explicit OvScopedVirtualClock(uint32_t start = 1000) : fClock(start), fPrevious(OvPlatform::InstallClock(&fClock)) {}
    ~OvScopedVirtualClock() { OvPlatform::InstallClock(fPrevious); }
    OvScopedVirtualClock(const OvScopedVirtualClock&) = delete;
    OvScopedVirtualClock& operator=(const OvScopedVirtualClock&) = delete;
    OvVirtualClock& operator*() { return fClock; }
    OvVirtualClock* operator->() { return &fClock; }

private:
    OvVirtualClock fClock;
    OvPlatform::Clock* fPrevious;
};
