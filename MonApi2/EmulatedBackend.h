#pragma once
// The backend of emulated displays: a bus on the machine's real clock carrying the
// chosen models, each with its minimum reply delay scaled as selected.
#include "MonApi2/Backend.h"
#include "MonApi2/EmulationSelection.h"
#include "MonApi2/SteadyClock.h"
#include "MonApi2/Emulator/EmulatedBus.h"

namespace MonApi2 {

class EmulatedBackend final : public Backend {
public:
    explicit EmulatedBackend(const EmulationSelection& selection);

    int32_t Enumerate(const std::vector<uint32_t>& usbIds) override;
    bool Info(int32_t index, DisplayInterfaceInfo& info) const override;
    int32_t Write(int32_t index, int32_t address, const uint8_t* data, int32_t count) override;
    int32_t Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count) override;

private:
    SteadyClock fClock;
    OvEmulator::EmulatedBus fBus{fClock};
};

}  // namespace MonApi2
