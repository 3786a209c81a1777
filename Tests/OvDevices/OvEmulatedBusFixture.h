#pragma once
// An emulated machine for the transport and device tests: a virtual clock, a bus of
// emulated ZEZ displays installed as MONAPI2, process-wide interface state that starts
// empty for every test, and a capture of the debug log.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "MonApi2/Emulator/EmulatedBusApi.h"
#include "MonApi2/Emulator/EmulatedModel.h"
#include "OvDevices/OvDisplayInterfaces.h"
#include "OvDevices/OvMonApi.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "Support/OvTestSupport.h"
#include "OvSystem/OvVirtualClock.h"
#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"
#include "Support/OvEmulatedBusTable.h"
#ifdef OV_TEST_DDC_OVER_I2CDEV
#include "Support/OvEmulatedI2cDev.h"
#endif

using Bytes = std::vector<uint8_t>;
using Packets = std::vector<Bytes>;
using Waits = std::vector<uint32_t>;
using Lines = std::vector<std::string>;
using OvEmulator::FaultKind;
using OvEmulator::kAlways;
using OvEmulator::Link;
using OvEmulator::RequestKind;

#ifndef OV_TEST_DDC_OVER_I2CDEV
// The displays straight on the emulated bus.
inline const OvMonApiTable& kBusTable = OvEmulatedBusTable::kCurrentBus;
#else
// The same tests with the graphics-card displays behind MONAPI2's Linux i2c-dev backend.
inline OvI2cDevTest::I2cDevRoute* gRoute = nullptr;
inline int32_t OV_STDCALL RouteInterfaceInfo(int32_t index, DisplayInterfaceInfo* info)
{
    return gRoute->GetDisplayInterfaceInfo(index, info);
}
inline const OvMonApiTable kBusTable = {
    [](const uint32_t* ids, int32_t count) OV_STDCALL { return gRoute->SetUSBDeviceList(ids, count); },
    [](int32_t flags, int32_t options) OV_STDCALL { return gRoute->EnumerateInterfaces(flags, options); },
    []() OV_STDCALL { return gRoute->GetNumDisplayInterfaces(); },
    OvEmulatedBusTable::CopiedInterfaceInfo<RouteInterfaceInfo>,
    [](int32_t iface, int32_t address, const uint8_t* data, int32_t count, int32_t param) OV_STDCALL {
        return gRoute->I2CWrite(iface, address, data, count, param);
    },
    [](int32_t iface, int32_t address, uint8_t* buffer, int32_t count, int32_t param) OV_STDCALL {
        return gRoute->I2CRead(iface, address, buffer, count, param);
    },
};
#endif

class EmulatedBusTest : public ::testing::Test {
protected:
    EmulatedBusTest()
    {
        ResetDisplayInterfacesForTesting();
        #ifdef OV_TEST_DDC_OVER_I2CDEV
        gRoute = &route;
#endif
        OvMonApi::Install(&kBusTable);
    }
    ~EmulatedBusTest() override
    {
        OvMonApi::Install(nullptr);
        ResetDisplayInterfacesForTesting();
#ifdef OV_TEST_DDC_OVER_I2CDEV
        gRoute = nullptr;
#endif
    }

    std::shared_ptr<OvEmulator::EmulatedDisplay> Attach(const char* model, Link link = Link::kDdc,
                                                        OvEmulator::AttachOptions options = {})
    {
        return displays.emplace_back(bus.Attach(*OvEmulator::FindModel(model), link, options));
    }
    // A device connected to the logical port, with what the connection did forgotten.
    std::unique_ptr<OvROVUvidedImpl> Connect(int32_t port = 0)
    {
        InitInterfaces();
        auto device = std::make_unique<OvROVUvidedImpl>();
        EXPECT_EQ(device->ConnectPort(port), 0);
        ForgetTraffic();
        return device;
    }
    // Attaches a display of the model as `display` for a transport of the test's own: the
    // interfaces are scanned, no device connects.
    void AttachForTransport(const char* model)
    {
        display = Attach(model);
        InitInterfaces();
        ForgetTraffic();
    }
    // Attaches a display of the model as `display`, connects to it and traces VCP access.
    std::unique_ptr<OvROVUvidedImpl> ConnectTo(const char* model)
    {
        display = Attach(model);
        auto device = Connect();
        EnableChannel(kOvChannelVCP, true);
        return device;
    }
    // From now on `display` suffers only this fault.
    void Spoil(FaultKind kind, RequestKind request = RequestKind::kAny, int32_t times = kAlways, int32_t skip = 0)
    {
        display->Faults().Clear();
        display->AddFault({kind, request, times, skip});
        ForgetTraffic();
    }
    // Forgets the traffic, the waits and the log so far.
    void ForgetTraffic()
    {
        for (const auto& attached : displays) attached->Traffic().Clear();
        clock->ClearSleeps();
        capture.Clear();
    }
    Waits Sleeps() { return clock->Sleeps(); }
    // The sum of the waits: how long the operation takes on a real display.
    uint32_t TotalWait()
    {
        const Waits waits = Sleeps();
        return std::accumulate(waits.begin(), waits.end(), 0u);
    }
    uint16_t Current(uint16_t vcp) const { return display->Vcps().Find(vcp)->current; }
    // Entries of `display`'s gamma-table memory from address on.
    std::vector<int32_t> TableMemory(size_t address, size_t count) const
    {
        const auto from = display->Controller().GammaTable().Entries().begin() + static_cast<std::ptrdiff_t>(address);
        return {from, from + static_cast<std::ptrdiff_t>(count)};
    }
    // The name in the record of the graphics-card interface numbered n from 1.
    static std::string GraphicsInterfaceName(int n)
    {
#ifdef OV_TEST_DDC_OVER_I2CDEV
        return "card0-DP-" + std::to_string(n);  // a DRM connector
#else
        return "DISPLAY" + std::to_string(n);
#endif
    }
    // The log lines, or those that start with prefix.
    Lines LogLines(const std::string& prefix = "") const
    {
        Lines lines = capture.Lines();
        std::erase_if(lines, [&](const std::string& line) { return !line.starts_with(prefix); });
        return lines;
    }

    OvScopedDebugCapture capture;
    OvScopedVirtualClock clock;
    OvEmulator::EmulatedBus bus{*clock};
    std::vector<std::shared_ptr<OvEmulator::EmulatedDisplay>> displays;
    std::shared_ptr<OvEmulator::EmulatedDisplay> display;
#ifdef OV_TEST_DDC_OVER_I2CDEV
    OvI2cDevTest::I2cDevRoute route;
#endif

private:
    OvEmulator::ScopedCurrentBus fBusScope{bus};
};

// Every I2C write that reached the display (address and bytes as written).
inline Packets RawWrites(const OvEmulator::EmulatedDisplay& display, uint8_t address)
{
    Packets writes;
    for (const auto& record : display.Traffic().Records()) {
        if (record.direction == OvEmulator::I2CDirection::kWrite && record.address == address)
            writes.push_back(record.bytes);
    }
    return writes;
}

// The payloads of the DDC/CI packets the display received, in order.
inline Packets Requests(const OvEmulator::EmulatedDisplay& display)
{
    Packets requests;
    for (const Bytes& packet : RawWrites(display, 0x6E)) {
        if (packet.size() < 3) continue;
        const size_t length = std::min<size_t>(packet[1] & 0x7F, packet.size() - 2);
        requests.emplace_back(packet.begin() + 2, packet.begin() + 2 + static_cast<std::ptrdiff_t>(length));
    }
    return requests;
}

// Makes the device take its display for another model: EDID bytes 8 to 11 hold the id's
// bytes 2, 3, 0, 1 (from the top byte down).
inline void SetVendorProductID(OvROVUvidedImpl& device, uint32_t id)
{
    for (int i = 0; i < 4; ++i) device.StoredEdid()[8 + i] = static_cast<uint8_t>(id >> (8 * ((i + 2) % 4)));
}

// The paged writes the display received, as (VCP id, value) in order.
using VcpWrites = std::vector<std::pair<uint16_t, uint16_t>>;
inline VcpWrites PagedWrites(const OvEmulator::EmulatedDisplay& display)
{
    VcpWrites writes;
    for (const Bytes& request : Requests(display)) {
        if (request.size() == 5 && request[0] == 0xC8)
            writes.emplace_back(static_cast<uint16_t>(request[1] << 8 | request[2]),
                                static_cast<uint16_t>(request[3] << 8 | request[4]));
    }
    return writes;
}

inline Bytes PagedRead(uint16_t id)
{
    return {0xC6, static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id)};
}

inline Bytes PagedWrite(uint16_t id, uint16_t value)
{
    return {0xC8, static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value)};
}

// The first count bytes of the display's EDID.
inline Bytes EdidOf(const OvEmulator::EmulatedDisplay& display, size_t count = 128)
{
    return Bytes(display.Edid().begin(), display.Edid().begin() + static_cast<std::ptrdiff_t>(count));
}
