#include "Soak/SoakMachine.h"

#include "OvDevices/OvDisplayInterfaces.h"
#include "OvDevices/OvMonApi.h"
#include "Tests/Support/OvEmulatedBusTable.h"

namespace {

SoakGuard* gGuard = nullptr;

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
    OvEmulator::CurrentBusGetNumDisplayInterfaces,
    OvEmulatedBusTable::CopiedInterfaceInfo<OvEmulator::CurrentBusGetDisplayInterfaceInfo>, CountedWrite, CountedRead,
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
