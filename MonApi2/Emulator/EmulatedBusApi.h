#pragma once
// MONAPI2's six functions as plain function pointers bound to an in-process bus, for
// tests of code that calls the library through a function table. A test installs its
// bus with ScopedCurrentBus; while none is installed the functions behave like a library
// that finds no interfaces.
//
//   OvVirtualClock clock;
//   OvEmulator::EmulatedBus bus(clock);
//   auto display = bus.Attach(*OvEmulator::FindModel("PA271W"));
//   OvEmulator::ScopedCurrentBus scope(bus);
//   const OvEmulator::MonApi2Functions& api = OvEmulator::CurrentBusFunctions();
//   api.EnumerateInterfaces(1, 0);
#include "MonApi2/MonApi2.h"
#include "MonApi2/Emulator/EmulatedBus.h"

namespace OvEmulator {

struct MonApi2Functions {
    MonApi2SetUSBDeviceListFn SetUSBDeviceList;
    MonApi2EnumerateInterfacesFn EnumerateInterfaces;
    MonApi2GetNumDisplayInterfacesFn GetNumDisplayInterfaces;
    MonApi2GetDisplayInterfaceInfoFn GetDisplayInterfaceInfo;
    MonApi2I2CWriteFn I2C_WRITE;
    MonApi2I2CReadFn I2C_READ;
};

// The installed bus, or null.
EmulatedBus* CurrentBus();

// Installs a bus for the lifetime of a scope; scopes nest.
class ScopedCurrentBus {
public:
    explicit ScopedCurrentBus(EmulatedBus& bus);
    ~ScopedCurrentBus();
    ScopedCurrentBus(const ScopedCurrentBus&) = delete;
    ScopedCurrentBus& operator=(const ScopedCurrentBus&) = delete;

private:
    EmulatedBus* fPrevious;
};

// The six operations on the current bus, with MONAPI2's exact signatures.
int32_t MONAPI2_CALL CurrentBusSetUSBDeviceList(const uint32_t* ids, int32_t count);
int32_t MONAPI2_CALL CurrentBusEnumerateInterfaces(int32_t flags, int32_t options);
int32_t MONAPI2_CALL CurrentBusGetNumDisplayInterfaces(void);
int32_t MONAPI2_CALL CurrentBusGetDisplayInterfaceInfo(int32_t index, DisplayInterfaceInfo* info);
int32_t MONAPI2_CALL CurrentBusI2CWrite(int32_t iface, int32_t address, const uint8_t* data, int32_t count, int32_t param);
int32_t MONAPI2_CALL CurrentBusI2CRead(int32_t iface, int32_t address, uint8_t* buffer, int32_t count, int32_t param);

// A table of the six functions above.
const MonApi2Functions& CurrentBusFunctions();

}  // namespace OvEmulator
