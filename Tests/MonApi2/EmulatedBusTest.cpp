#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "HostSide.h"
#include "MonApi2/Emulator/EmulatedBusApi.h"

using namespace OvEmulatorTest;
using OvEmulator::Link;

namespace {

// Another display's USB id and the PA311D's.
const uint32_t kUsbIds[] = {0x0409040D, 0x0409046B};

// The record as raw little-endian bytes, read at the offsets the plug-in relies on.
struct RawRecord {
    explicit RawRecord(const DisplayInterfaceInfo& info) { std::memcpy(bytes, &info, sizeof bytes); }
    uint32_t U32(size_t at) const
    {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
    }
    std::string Text(size_t at) const { return reinterpret_cast<const char*>(bytes + at); }
    uint8_t bytes[260];
};

DisplayInterfaceInfo Record(const OvEmulator::MonApi2Functions& api, int32_t index, int32_t* result = nullptr)
{
    DisplayInterfaceInfo info{};
    info.size = 260;
    const int32_t r = api.GetDisplayInterfaceInfo(index, &info);
    if (result) *result = r;
    return info;
}

}  // namespace

TEST(EmulatedBus, EnumeratesDdcDisplaysAndListedUsbDisplaysIntoTheRecordLayout)
{
    OvVirtualClock clock;
    OvEmulator::EmulatedBus bus(clock);
    const auto pa = bus.Attach(*OvEmulator::FindModel("PA271W"));
    bus.Attach(*OvEmulator::FindModel("PA311D"), Link::kUsb);
    bus.Attach(*OvEmulator::FindModel("V193A"));
    OvEmulator::ScopedCurrentBus scope(bus);
    const OvEmulator::MonApi2Functions& api = OvEmulator::CurrentBusFunctions();

    EXPECT_EQ(api.GetNumDisplayInterfaces(), 0);
    EXPECT_EQ(api.EnumerateInterfaces(1, 0), 2);  // no USB ids yet
    EXPECT_EQ(api.SetUSBDeviceList(kUsbIds, 2), 0);
    EXPECT_EQ(api.EnumerateInterfaces(1, 0), 3);

    // size, type, EDID flag, names, right edge, I2C clock flag, EDID, serial, PnP id.
    const RawRecord ddc(Record(api, 0));
    EXPECT_EQ(std::tuple(ddc.U32(0), ddc.U32(4), ddc.bytes[8], ddc.Text(9), ddc.Text(41), ddc.U32(84), ddc.bytes[92]),
              std::tuple(260u, 1u, uint8_t{1}, "PA271W", "DISPLAY1", 2560u, uint8_t{1}));
    EXPECT_EQ(std::memcmp(ddc.bytes + 96, pa->Edid().data(), 128), 0);
    EXPECT_EQ(std::tuple(ddc.Text(224), ddc.U32(256)), std::tuple("91000123", 0xA3386810u));

    const RawRecord usb(Record(api, 1));
    EXPECT_EQ(std::tuple(usb.U32(4), usb.Text(41), usb.bytes[8], usb.bytes[96 + 10], usb.Text(224), usb.U32(256)),
              std::tuple(2u, "USB", uint8_t{1}, uint8_t{0x0C}, "86000142", 0x0409046Bu));
    const RawRecord second(Record(api, 2));  // right of the first display
    EXPECT_EQ(std::tuple(second.Text(41), second.U32(76), second.U32(84)), std::tuple("DISPLAY2", 2560u, 3840u));

    int32_t result = 0;
    Record(api, 3, &result);
    EXPECT_EQ(result, kMonApi2NoInterface);
    DisplayInterfaceInfo wrongSize{};
    wrongSize.size = 259;
    EXPECT_EQ(api.GetDisplayInterfaceInfo(0, &wrongSize), kMonApi2BadArgument);
    EXPECT_EQ(api.GetDisplayInterfaceInfo(0, nullptr), kMonApi2BadArgument);
}

TEST(EmulatedBus, UsbLinksCarryDdcCiButNotTheEdidAddresses)
{
    OvVirtualClock clock;
    OvEmulator::EmulatedBus bus(clock);
    const auto display = std::make_shared<OvEmulator::EmulatedDisplay>(*OvEmulator::FindModel("PA311D"), clock);
    bus.Attach(display, Link::kDdc);
    bus.Attach(display, Link::kUsb, {false});
    bus.SetUSBDeviceList(kUsbIds, 2);
    ASSERT_EQ(bus.EnumerateInterfaces(1, 0), 2);
    DisplayInterfaceInfo info{};
    info.size = 260;
    ASSERT_EQ(bus.GetDisplayInterfaceInfo(1, &info), 0);
    EXPECT_EQ(info.edidDetected + info.edid[0], 0);
    EXPECT_STREQ(info.serialNumber, "86000142");

    const Bytes request = HostPacket({0x01, 0x10});
    const uint8_t offset = 0;
    uint8_t reply[11] = {};
    EXPECT_EQ(bus.I2CWrite(1, 0xA0, &offset, 1, 10000), kMonApi2NoDevice);
    EXPECT_EQ(bus.I2CRead(1, 0xA1, reply, 11, 10000), kMonApi2NoDevice);
    EXPECT_EQ(bus.I2CWrite(1, 0x6E, request.data(), 5, 10000), 0);
    clock.Advance(40);
    EXPECT_EQ(bus.I2CRead(0, 0x6F, reply, 11, 10000), 0);  // one display behind both links
    EXPECT_EQ(reply[2], 0x02);

    EXPECT_EQ(bus.I2CWrite(2, 0x6E, request.data(), 5, 10000), kMonApi2NoInterface);
    EXPECT_EQ(bus.I2CWrite(0, 0x6E, request.data(), -1, 10000), kMonApi2BadArgument);
    EXPECT_EQ(bus.I2CRead(0, 0x6F, nullptr, 11, 10000), kMonApi2BadArgument);
    EXPECT_EQ(bus.I2CWrite(0, 0x50, request.data(), 5, 10000), kMonApi2NoDevice);
    EXPECT_EQ(bus.I2CRead(0, 0x6E, reply, 11, 10000), kMonApi2NoDevice);
}

TEST(EmulatedBus, RecordsEveryTransactionWithTimeAndResult)
{
    HostSide host;
    host.display->AddFault({OvEmulator::FaultKind::kReadError});
    host.Send({0x01, 0x10});
    host.clock.Advance(50);
    host.Read(0x6F, 11);
    host.clock.Advance(20);
    host.Read(0x6F, 11);

    const auto& records = host.display->Traffic().Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(std::tuple(records[0].tick, records[0].direction, records[0].address, records[0].bytes),
              std::tuple(1000u, OvEmulator::I2CDirection::kWrite, 0x6E, Bytes{0x51, 0x82, 0x01, 0x10, 0xAC}));
    EXPECT_EQ(std::tuple(records[1].tick, records[1].result, records[1].bytes), std::tuple(1050u, -5, Bytes{}));
    EXPECT_EQ(std::tuple(records[2].address, records[2].bytes), std::tuple(0x6F, kBrightnessReply));

    const OvEmulator::TrafficStats stats = host.bus.Stats();
    EXPECT_EQ(std::tuple(stats.writes, stats.reads, stats.bytesWritten, stats.bytesRead, stats.i2cErrors),
              std::tuple(1u, 2u, 5u, 11u, 1u));
    EXPECT_EQ(stats.elapsedMs, 70u);
    host.display->Traffic().Clear();
    EXPECT_EQ(host.bus.Stats().writes, 0u);
}

TEST(EmulatedBus, FunctionTableFollowsTheInstalledBus)
{
    const OvEmulator::MonApi2Functions& api = OvEmulator::CurrentBusFunctions();
    EXPECT_EQ(OvEmulator::CurrentBus(), nullptr);
    EXPECT_EQ(api.EnumerateInterfaces(1, 0), 0);
    int32_t result = 0;
    EXPECT_EQ(Record(api, 0, &result).size, 260u);
    EXPECT_EQ(result, kMonApi2NoInterface);
    uint8_t byte = 0;
    EXPECT_EQ(api.I2C_READ(0, 0x6F, &byte, 1, 10000), kMonApi2NoInterface);

    HostSide outer("V193A");
    HostSide inner("SV241C");
    {
        OvEmulator::ScopedCurrentBus outerScope(outer.bus);
        {
            OvEmulator::ScopedCurrentBus innerScope(inner.bus);
            EXPECT_STREQ(Record(api, 0).displayName, "SV241C");
        }
        EXPECT_STREQ(Record(api, 0).displayName, "V193A");
        const Bytes packet = HostPacket({0x0C});
        EXPECT_EQ(api.I2C_WRITE(0, 0x6E, packet.data(), 4, 10000), 0);
        EXPECT_EQ(outer.display->Controller().SaveCount(), 1);
    }
    EXPECT_EQ(OvEmulator::CurrentBus(), nullptr);
}
