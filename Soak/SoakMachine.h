#pragma once
// The machine of one soak round: the guard as the system clock, one emulated display on
// a bus installed as MONAPI2 behind I2C calls that the guard counts, and a device
// connected to it. Process-wide interface state starts empty and is left empty.
#include <memory>

#include "MonApi2/Emulator/EmulatedBus.h"
#include "MonApi2/Emulator/EmulatedBusApi.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "Soak/SoakGuard.h"
#include "Soak/SoakScenario.h"

class SoakMachine {
public:
    SoakMachine(const SoakDownload& download, SoakGuard& guard);
    ~SoakMachine();
    SoakMachine(const SoakMachine&) = delete;
    SoakMachine& operator=(const SoakMachine&) = delete;

    // Connects the device; false when the display could not be reached.
    bool Connect();
    OvEmulator::EmulatedDisplay& Display() { return *fDisplay; }
    OvROVUvidedImpl& Device() { return *fDevice; }

private:
    SoakGuard& fGuard;
    OvPlatform::Clock* fPreviousClock;
    OvEmulator::EmulatedBus fBus;
    std::shared_ptr<OvEmulator::EmulatedDisplay> fDisplay;
    OvEmulator::ScopedCurrentBus fBusScope;
    std::unique_ptr<OvROVUvidedImpl> fDevice;
};
