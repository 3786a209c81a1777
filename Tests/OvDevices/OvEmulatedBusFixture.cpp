#include "OvEmulatedBusFixture.h"

#include <algorithm>
#include <cstring>

#include "MonApi2/Emulator/EmulatedModel.h"
#include "OvDevices/OvDisplayInterfaces.h"
#include "OvDevices/OvMonApi.h"

namespace {

// The emulator's record type is the library's; copy through it into the plug-in's own.
int32_t OV_STDCALL GetInterfaceInfo(int32_t index, OvMonApi::DisplayInterfaceInfo* info)
{
    DisplayInterfaceInfo record{};
    record.size = info->size;
    const int32_t result = OvEmulator::CurrentBusGetDisplayInterfaceInfo(index, &record);
    std::memcpy(info, &record, sizeof record);
    return result;
}

const OvMonApiTable kCurrentBus = {
    OvEmulator::CurrentBusSetUSBDeviceList, OvEmulator::CurrentBusEnumerateInterfaces,
    OvEmulator::CurrentBusGetNumDisplayInterfaces, GetInterfaceInfo,
    OvEmulator::CurrentBusI2CWrite, OvEmulator::CurrentBusI2CRead,
};

}  // namespace

EmulatedBusTest::EmulatedBusTest()
{
    ResetDisplayInterfacesForTesting();
    OvMonApi::Install(&kCurrentBus);
}

EmulatedBusTest::~EmulatedBusTest()
{
    OvMonApi::Install(nullptr);
    ResetDisplayInterfacesForTesting();
}

std::shared_ptr<OvEmulator::EmulatedDisplay> EmulatedBusTest::Attach(const char* model, OvEmulator::Link link,
                                                                     OvEmulator::AttachOptions options)
{
    displays.push_back(bus.Attach(*OvEmulator::FindModel(model), link, options));
    return displays.back();
}

std::unique_ptr<OvROVUvidedImpl> EmulatedBusTest::Connect(int32_t port)
{
    InitInterfaces();
    auto device = std::make_unique<OvROVUvidedImpl>();
    EXPECT_EQ(device->ConnectPort(port), 0);
    ForgetTraffic();
    return device;
}

void EmulatedBusTest::ForgetTraffic()
{
    for (const auto& display : displays) display->Traffic().Clear();
    clock->ClearSleeps();
}

std::vector<Bytes> Requests(const OvEmulator::EmulatedDisplay& display)
{
    std::vector<Bytes> requests;
    for (const Bytes& packet : RawWrites(display, 0x6E)) {
        if (packet.size() < 3) continue;
        const size_t length = std::min<size_t>(packet[1] & 0x7F, packet.size() - 2);
        requests.emplace_back(packet.begin() + 2, packet.begin() + 2 + static_cast<std::ptrdiff_t>(length));
    }
    return requests;
}

std::vector<Bytes> RawWrites(const OvEmulator::EmulatedDisplay& display, uint8_t address)
{
    std::vector<Bytes> writes;
    for (const auto& record : display.Traffic().Records()) {
        if (record.direction == OvEmulator::I2CDirection::kWrite && record.address == address)
            writes.push_back(record.bytes);
    }
    return writes;
}

Bytes PagedRead(uint16_t id)
{
    return {0xC6, static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id)};
}

Bytes PagedWrite(uint16_t id, uint16_t value)
{
    return {0xC8, static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value)};
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.starts_with(prefix)) found.push_back(line);
    }
    return found;
}
