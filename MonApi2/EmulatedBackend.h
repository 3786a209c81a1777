#pragma once
// The backend of emulated displays: a bus on the machine's real clock carrying the
// chosen models, each with its minimum reply delay scaled as selected. With a state
// folder, display N (counted from 1 in the order chosen) starts from the state in
// "displayN-<MODEL>.state" there and, when it changed, leaves its state there at the end.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "MonApi2/Backend.h"
#include "MonApi2/EmulationSelection.h"
#include "MonApi2/SteadyClock.h"
#include "MonApi2/Emulator/EmulatedBus.h"

namespace MonApi2 {

class EmulatedBackend final : public Backend {
public:
    explicit EmulatedBackend(const EmulationSelection& selection);
    ~EmulatedBackend() override;
    EmulatedBackend(const EmulatedBackend&) = delete;
    EmulatedBackend& operator=(const EmulatedBackend&) = delete;

    int32_t Enumerate(const std::vector<uint32_t>& usbIds) override;
    bool Info(int32_t index, DisplayInterfaceInfo& info) const override;
    int32_t Write(int32_t index, int32_t address, const uint8_t* data, int32_t count) override;
    int32_t Read(int32_t index, int32_t address, uint8_t* buffer, int32_t count) override;

private:
    struct Remembered {
        std::shared_ptr<OvEmulator::EmulatedDisplay> display;
        std::filesystem::path file;
        std::string loaded;  // the state at the start, to tell whether it changed
    };

    SteadyClock fClock;
    std::vector<Remembered> fRemembered;
    OvEmulator::EmulatedBus fBus{fClock};
};

}  // namespace MonApi2
