#include "MonApi2/Emulator/EmulatedBusApi.h"

namespace OvEmulator {
namespace {

EmulatedBus* gCurrentBus = nullptr;

}  // namespace

EmulatedBus* CurrentBus() { return gCurrentBus; }

ScopedCurrentBus::ScopedCurrentBus(EmulatedBus& bus) : fPrevious(gCurrentBus) { gCurrentBus = &bus; }

ScopedCurrentBus::~ScopedCurrentBus() { gCurrentBus = fPrevious; }

int32_t MONAPI2_CALL CurrentBusSetUSBDeviceList(const uint32_t* ids, int32_t count)
{
    return gCurrentBus ? gCurrentBus->SetUSBDeviceList(ids, count) : kMonApi2Ok;
}

int32_t MONAPI2_CALL CurrentBusEnumerateInterfaces(int32_t flags, int32_t options)
{
    return gCurrentBus ? gCurrentBus->EnumerateInterfaces(flags, options) : 0;
}

int32_t MONAPI2_CALL CurrentBusGetNumDisplayInterfaces(void)
{
    return gCurrentBus ? gCurrentBus->GetNumDisplayInterfaces() : 0;
}

int32_t MONAPI2_CALL CurrentBusGetDisplayInterfaceInfo(int32_t index, DisplayInterfaceInfo* info)
{
    return gCurrentBus ? gCurrentBus->GetDisplayInterfaceInfo(index, info) : kMonApi2NoInterface;
}

int32_t MONAPI2_CALL CurrentBusI2CWrite(int32_t iface, int32_t address, const uint8_t* data, int32_t count, int32_t param)
{
    return gCurrentBus ? gCurrentBus->I2CWrite(iface, address, data, count, param) : kMonApi2NoInterface;
}

int32_t MONAPI2_CALL CurrentBusI2CRead(int32_t iface, int32_t address, uint8_t* buffer, int32_t count, int32_t param)
{
    return gCurrentBus ? gCurrentBus->I2CRead(iface, address, buffer, count, param) : kMonApi2NoInterface;
}

const MonApi2Functions& CurrentBusFunctions()
{
    static const MonApi2Functions functions = {CurrentBusSetUSBDeviceList,        CurrentBusEnumerateInterfaces,
                                               CurrentBusGetNumDisplayInterfaces, CurrentBusGetDisplayInterfaceInfo,
                                               CurrentBusI2CWrite,                CurrentBusI2CRead};
    return functions;
}

}  // namespace OvEmulator
