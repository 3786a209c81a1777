// A device object before it is connected: what construction logs, what it answers from
// its cached state, and that operations needing a display fail the way the host expects.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvDevices/OvZEZSimulatorDevice.h"
#include "OvSystem/OvVirtualClock.h"
#include "OvTools/OvDebug.h"
#include "Support/OvFunctionTrafo.h"
#include "Support/OvCaptureStream.h"

namespace {

struct DeviceEnder {
    void operator()(OvROVUvided* device) const { device->Destroy(); }
};
using DevicePtr = std::unique_ptr<OvROVUvided, DeviceEnder>;

// A vendor-product id and a monitor-name descriptor among timing bytes (a zero run
// there would hide the descriptor).
void FillEdid(uint8_t* edid, uint32_t vendorProduct, const std::string& name)
{
    std::memset(edid, 0x11, 256);
    for (int i = 0; i < 4; ++i) edid[8 + i] = static_cast<uint8_t>(vendorProduct >> (8 * ((i + 2) % 4)));
    std::memcpy(edid + 90, "\0\0\0\xFC\0", 5);
    std::memcpy(edid + 95, (name + "\n            ").data(), 13);
}

TEST(DeviceConstruction, LogsVersionInitValuesAndResetOnEachKind)
{
    for (bool simulator : {false, true}) {
        OvScopedDebugCapture capture;
        EnableChannel(kOvChannelMonitor, false);
        EnableChannel(kOvChannelVCP, true);
        DevicePtr device(simulator ? static_cast<OvROVUvided*>(new OvZEZSimulatorDevice()) : new OvROVUvidedImpl());
        EXPECT_EQ(capture.Text(), "DDC2Device, version 9 build 18403\n"
                                  "DDC2Device::InitValues()\nDDC2Device::ResetData\n");
        EXPECT_TRUE(IsChannelEnabled(kOvChannelMonitor));
        EXPECT_FALSE(IsChannelEnabled(kOvChannelVCP));
        EXPECT_EQ(device->GetInterfaceVersion(), 9);
        EXPECT_EQ(device->GetPort(), 0);
        EXPECT_FALSE(device->IsConnected());
    }
}

TEST(UnconnectedDevice, AnswersFromCachedStateWithoutRaising)
{
    OvScopedVirtualClock clock;
    auto* impl = new OvROVUvidedImpl();
    DevicePtr device(impl);
    // Without a display the commands that end in a wait still wait.
    device->SaveSettings();
    device->RefreshGammatable();
    EXPECT_EQ(clock->Sleeps(), (std::vector<uint32_t>{2000, 2000}));
    std::pair<uint32_t, uint32_t> uniformity = {99, 99};
    impl->GetUniformityCorrection(&uniformity.first, &uniformity.second);
    EXPECT_EQ(uniformity, std::pair(99u, 99u)) << "left as they were";

    FillEdid(impl->StoredEdid(), 0xA3386810, "PA271Q");
    impl->StoredEdid()[20] = 0x80;
    EXPECT_FALSE(device->IsDigitalInput());  // not connected: false whatever the EDID says
    EXPECT_EQ(device->GetVendorProductID(), 0xA3386810u);
    EXPECT_TRUE(device->SupportsWhitePoint());
    EXPECT_TRUE(device->Supports3DLUT());
    EXPECT_STREQ(device->GetModelName(), "PA271Q");
    EXPECT_STREQ(device->GetSerialNumber(), "");
    FillEdid(impl->StoredEdid(), 0xA3386812, "X");
    EXPECT_FALSE(device->SupportsWhitePoint());
    EXPECT_FALSE(device->Supports3DLUT());
}

// Each operation below has its own check of the connection; the host shows the error's
// code, name, file and line.
TEST(UnconnectedDevice, OperationsNeedingTheDisplayRaiseIOErrNamingTheDeviceSource)
{
    OvROVUvidedImpl device;
    const uint8_t payload[] = {0xC2, 0x06};
    const int32_t chunk[8] = {};
    OvFunctionTrafo identity(OvIdentityRgb);
    OvArray<OvVCPListRecord> writeList;
    writeList.SetCount(1);
    writeList[0] = {1, 0x0010, 50, 0, 0};
    FillEdid(device.StoredEdid(), 0xA3386810, "PA271Q");  // a model with a 3D LUT
    const std::pair<const char*, std::function<void()>> operations[] = {
        {"GetBrightness", [&] { device.GetBrightness(); }},  // the paged read
        {"FactoryReset", [&] { device.FactoryReset(); }},    // the paged write
        {"SendBuf", [&] { device.VendorChannel().SendBuf(payload, 100); }},
        {"GetCapabilityStr", [&] { device.GetCapabilityStr(); }},
        {"ScanVCPCodes", [&] { device.ScanVCPCodes(1, 2, false); }},
        {"SetGetVCPList write", [&] { device.SetGetVCPList(&writeList, nullptr); }},
        {"verified chunk write", [&] { device.GammaTableWriteChunkVerifyAndRetry(chunk, 0, 8); }},
        {"Set3DLUT", [&] { device.Set3DLUT(&identity, nullptr); }},
    };
    for (const auto& [name, operation] : operations) {
        try {
            operation();
            ADD_FAILURE() << name << " must raise while unconnected";
        } catch (const OvError& error) {
            EXPECT_EQ(error.code, 43) << name;
            EXPECT_STREQ(error.name, "OvIOErr") << name;
            EXPECT_STREQ(error.file, "ROVUvided") << name;
            EXPECT_GT(error.line, 0) << name;
        }
    }
}

}  // namespace
