#pragma once
// The real time of the machine for the emulated displays inside the MONAPI2 library,
// which runs in the plug-in's process but keeps no tie to the plug-in's own clock.
#include <chrono>
#include <thread>

#include "OvSystem/OvPlatform.h"

namespace MonApi2 {

class SteadyClock final : public OvPlatform::Clock {
public:
    uint32_t TickCount() override
    {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace MonApi2
