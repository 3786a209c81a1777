#pragma once
// The soak's clock and watchdog: virtual time that advances only by the plug-in's sleeps,
// and caps on that time and on the number of I2C operations, so that a download that
// never ends is reported instead of spinning forever.
#include <cstdint>
#include <string>

#include "OvSystem/OvPlatform.h"

// Thrown through the plug-in when a round passes a cap.
struct SoakHang {
    std::string what;
};

class SoakGuard : public OvPlatform::Clock {
public:
    SoakGuard(uint64_t maxSleptMs, uint64_t maxI2COperations)
        : fMaxSleptMs(maxSleptMs), fMaxI2COperations(maxI2COperations)
    {
    }
    uint32_t TickCount() override { return fNow; }
    void Sleep(uint32_t ms) override
    {
        fNow += ms;
        fSleptMs += ms;
        if (fSleptMs > fMaxSleptMs) throw SoakHang{"virtual time passed " + std::to_string(fMaxSleptMs) + " ms"};
    }
    void CountI2COperation()
    {
        if (++fI2COperations > fMaxI2COperations)
            throw SoakHang{"more than " + std::to_string(fMaxI2COperations) + " I2C operations"};
    }
    uint64_t SleptMs() const { return fSleptMs; }
    uint64_t I2COperations() const { return fI2COperations; }

private:
    uint32_t fNow = 1000;
    uint64_t fSleptMs = 0;
    uint64_t fI2COperations = 0;
    uint64_t fMaxSleptMs;
    uint64_t fMaxI2COperations;
};
