#pragma once
// The current emulated bus as the plug-in's MONAPI2 table, for the tests, the soak and the
// benchmarks. The emulator fills the library's own interface record; the plug-in declares
// its own copy of that record, so the record is copied across rather than cast.
#include <cstdint>
#include <cstring>

#include "MonApi2/Emulator/EmulatedBusApi.h"
#include "OvDevices/OvMonApi.h"

namespace OvEmulatedBusTable {

template <auto getInfo>
int32_t OV_STDCALL CopiedInterfaceInfo(int32_t index, OvMonApi::DisplayInterfaceInfo* info)
{
    DisplayInterfaceInfo record{};
    record.size = info->size;
    const int32_t result = getInfo(index, &record);
    std::memcpy(info, &record, sizeof record);
    return result;
}

inline const OvMonApiTable kCurrentBus = {
    OvEmulator::CurrentBusSetUSBDeviceList, OvEmulator::CurrentBusEnumerateInterfaces,
    OvEmulator::CurrentBusGetNumDisplayInterfaces, CopiedInterfaceInfo<OvEmulator::CurrentBusGetDisplayInterfaceInfo>,
    OvEmulator::CurrentBusI2CWrite, OvEmulator::CurrentBusI2CRead,
};

}  // namespace OvEmulatedBusTable
