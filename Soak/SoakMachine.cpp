#include "Soak/SoakMachine.h"

#include <cstring>

#include "OvDevices/OvDisplayInterfaces.h"
#include "OvDevices/OvMonApi.h"

namespace {

SoakGuard* gGuard = nullptr;

// The emulator's interface record is the library's; the plug-in reads its own copy.
int32_t OV_STDCALL InterfaceInfo(int32_t index, OvMonApi::DisplayInterfaceInfo* info)
{
    DisplayInterfaceInfo record{};
    record.size = info->size;
    const int32_t result = OvEmulator::CurrentBusGetDisplayInterfaceInfo(index, &record);
    std::memcpy(info, &record, sizeof record);
    return result;
}

int32_t OV_STDCALL CountedWrite(int32_t iface, int32_t address, const uint8_t* data, int32_t count, int32_t param)
{
    gGuard->CountI2COperation();
    return OvEmulator::CurrentBusI2CWrite(iface, address, data, count, param);
}

int32_t OV_STDCALL CountedRead(int32_t iface, int32_t address, uint8_t* buffer, int32_t count, int32_t param)
{
    gGuard->CountI2COperation();
    return OvEmulator::CurrentBusI2CRead(iface, address, buffer, count, param);
}

const OvMonApiTable kSoakTable = {
    OvEmulator::CurrentBusSetUSBDeviceList, OvEmulator::CurrentBusEnumerateInterfaces,
    OvEmulator::CurrentBusGetNumDisplayInterfaces, InterfaceInfo, CountedWrite, CountedRead,
};

}  // namespace

SoakMachine::SoakMachine(const SoakDownload& download, SoakGuard& guard)
    : fGuard(guard),
      fPreviousClock(OvPlatform::InstallClock(&guard)),
      fBus(guard),
      fDisplay(fBus.Attach(*OvEmulator::FindModel(download.model), download.link)),
      fBusScope(fBus)
{
    gGuard = &fGuard;
    ResetDisplayInterfacesForTesting();
    OvMonApi::Install(&kSoakTable);
}

SoakMachine::~SoakMachine()
{
    fDevice.reset();
    OvMonApi::Install(nullptr);
    ResetDisplayInterfacesForTesting();
    gGuard = nullptr;
    OvPlatform::InstallClock(fPreviousClock);
}

bool SoakMachine::Connect()
{
    InitInterfaces();
    fDevice = std::make_unique<OvROVUvidedImpl>();
    return fDevice->ConnectPort(0) == 0;
}
