#define OV_SOURCE_FILE "Source/OvDevices/OvZEZSimulatorDevice"
#include "OvDevices/OvZEZSimulatorDevice.h"

#include <new>

OvZEZSimulatorDevice::OvZEZSimulatorDevice()
{
    fConnected = false;
    fSelector.key = OvString();
    fSelector.value = -1;
}

OvROVUvided* OvZEZSimulatorDevice::OvDestroy(uint8_t flags)
{
    this->~OvZEZSimulatorDevice();
    if (flags & 1) ::operator delete(this);
    return this;
}
