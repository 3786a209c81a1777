// A device object before it is connected: what construction logs, what it answers from
// its cached state, and that operations needing a display fail the way the host expects.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvZEZSimulatorDevice.h"
#include "OvSystem/OvVirtualClock.h"
#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"

namespace {

struct DeviceEnder {
    void operator()(OvROVUvided* device) const { device->Destroy(); }
};
using DevicePtr = std::unique_ptr<OvROVUvided, DeviceEnder>;

DevicePtr MakeReal() { return DevicePtr(new OvROVUvidedImpl()); }
DevicePtr MakeSimulator() { return DevicePtr(new OvZEZSimulatorDevice()); }

// An EDID with the header, a vendor-product id and a monitor-name descriptor.
void FillEdid(uint8_t* edid, uint32_t vendorProduct, const char* name)
{
    std::memset(edid, 0, 256);
    const uint8_t header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::memcpy(edid, header, 8);
    edid[9] = static_cast<uint8_t>(vendorProduct >> 24);
    edid[8] = static_cast<uint8_t>(vendorProduct >> 16);
    edid[11] = static_cast<uint8_t>(vendorProduct >> 8);
    edid[10] = static_cast<uint8_t>(vendorProduct);
    std::memset(edid + 12, 0x11, 78);  // timing bytes; a zero run would hide the descriptor
    const uint8_t descriptor[5] = {0x00, 0x00, 0x00, 0xFC, 0x00};
    std::memcpy(edid + 90, descriptor, 5);
    std::memset(edid + 95, ' ', 13);
    std::memcpy(edid + 95, name, std::strlen(name));
    edid[95 + std::strlen(name)] = 0x0A;
}

TEST(DeviceConstruction, LogsVersionInitValuesAndResetOnEachKind)
{
    for (bool simulator : {false, true}) {
        OvScopedDebugCapture capture;
        EnableChannel(kOvChannelMonitor, false);
        EnableChannel(kOvChannelVCP, true);
        DevicePtr device = simulator ? MakeSimulator() : MakeReal();
        EXPECT_EQ(capture.Text(),
                  "DDC2Device, version 9 build 18403\nDDC2Device::InitValues()\nDDC2Device::ResetData\n");
        EXPECT_TRUE(IsChannelEnabled(kOvChannelMonitor));
        EXPECT_FALSE(IsChannelEnabled(kOvChannelVCP));
        EXPECT_EQ(device->GetInterfaceVersion(), 9);
        EXPECT_EQ(device->GetPort(), 0);
        EXPECT_FALSE(device->IsConnected());
    }
}

TEST(UnconnectedDevice, SaveSettingsOnlyWaitsTwoSeconds)
{
    OvScopedVirtualClock clock;
    DevicePtr device = MakeReal();
    device->SaveSettings();
    EXPECT_EQ(clock->Sleeps(), std::vector<uint32_t>{2000});
}

TEST(UnconnectedDevice, AnswersFromCachedStateWithoutRaising)
{
    DevicePtr device = MakeReal();
    auto& impl = static_cast<OvROVUvidedImpl&>(*device);
    FillEdid(impl.StoredEdid(), 0xA3386810, "PA271Q");
    impl.StoredEdid()[20] = 0x80;
    EXPECT_FALSE(device->IsDigitalInput());  // not connected: false whatever the EDID says
    EXPECT_EQ(device->GetVendorProductID(), 0xA3386810u);
    EXPECT_TRUE(device->SupportsWhitePoint());
    EXPECT_STREQ(device->GetModelName(), "PA271Q");
    EXPECT_STREQ(device->GetSerialNumber(), "");

    FillEdid(impl.StoredEdid(), 0xA3386812, "X");
    EXPECT_FALSE(device->SupportsWhitePoint());
}

TEST(UnconnectedDevice, ControlReadsRaiseIOErrNamingTheDeviceSource)
{
    DevicePtr device = MakeReal();
    try {
        device->GetBrightness();
        FAIL() << "GetBrightness must raise while unconnected";
    } catch (const OvError& error) {
        EXPECT_EQ(error.code, 43);
        EXPECT_STREQ(error.name, "OvIOErr");
        EXPECT_STREQ(error.file, "ROVUvided");
        EXPECT_GT(error.line, 0);
    }
    EXPECT_THROW(device->SetContrast(0.5), OvError);
    EXPECT_THROW(device->FactoryReset(), OvError);
}

}  // namespace
