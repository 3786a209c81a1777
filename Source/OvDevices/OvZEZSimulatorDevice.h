#pragma once
// The simulated ZEZ display: behaves towards the host like a real one but keeps every
// control value in the simulation files of the user's application-data folder.
#include "OvDevices/OvMonitorSelector.h"
#include "OvDevices/OvROVUvidedImpl.h"

class OvZEZSimulatorDevice : public OvROVUvidedImpl {
public:
    OvZEZSimulatorDevice();
    ~OvZEZSimulatorDevice() = default;

    OvROVUvided* OvDestroy(uint8_t flags) override;  // slot 55

    bool SimulatorConnected() const { return fConnected; }
    const OvMonitorSelector& Selector() const { return fSelector; }

protected:
    bool fConnected = false;
    OvMonitorSelector fSelector;
};
