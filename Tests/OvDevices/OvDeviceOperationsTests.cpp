// The small operations of the real display and its capability string, end to end
// against emulated displays.
#include <tuple>

#include "OvDevices/OvCapabilities.h"
#include "OvEmulatedBusFixture.h"

namespace {

using DeviceOperationsTest = EmulatedBusTest;

TEST_F(DeviceOperationsTest, LevelSettersWriteOnlyAChangedValueAndSettle)
{
    auto device = ConnectTo("V193A");
    display->Vcps().Find(0x0010)->current = 50;
    device->SetBrightness(0.5);
    EXPECT_EQ(Requests(*display), (Packets{PagedRead(0x10)}));
    EXPECT_EQ(Sleeps(), (Waits{50, 50}));

    ForgetTraffic();
    device->SetBrightness(0.25);
    EXPECT_EQ(Requests(*display), (Packets{PagedRead(0x10), PagedRead(0x12), PagedRead(0x10),
                                                      PagedWrite(0x10, 25), PagedRead(0x10)}));
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 50, 50, 50, 50, 50, 50, 500, 50, 50}));

    ForgetTraffic();
    device->SetRedGain(0.5);
    EXPECT_EQ(Current(0x0016), 127);
    EXPECT_EQ(Sleeps().back(), 1000u);

    // Displays that calibrate internally settle three seconds after a brightness change.
    ResetDisplayInterfacesForTesting();
    device = ConnectTo("SV241C");
    ASSERT_EQ(device->ConnectPort(1), 0);
    device->SetBrightness(0.5);
    EXPECT_EQ(Current(0x0010), 127);
    EXPECT_EQ(Requests(*display).back(), PagedRead(0x10));
    EXPECT_EQ(Sleeps().back(), 3000u);
    EXPECT_TRUE(device->SupportsVCPPageFeature(0x02, 0xA3));
    EXPECT_FALSE(device->SupportsVCPPageFeature(0x00, 0x10));
}

TEST_F(DeviceOperationsTest, GettersReadTheirOwnCodes)
{
    auto device = ConnectTo("V193A");
    display->Vcps().Find(0x0016)->current = 51;
    display->Vcps().Find(0x001A)->maximum = 0;
    EXPECT_DOUBLE_EQ(device->GetBrightness(), 0.7);
    EXPECT_DOUBLE_EQ(device->GetRedGain(), 0.2);
    EXPECT_DOUBLE_EQ(device->GetGreenGain(), 1.0);
    EXPECT_DOUBLE_EQ(device->GetBlueGain(), 1.0);
    EXPECT_EQ(Requests(*display),
              (Packets{PagedRead(0x10), PagedRead(0x16), PagedRead(0x18), PagedRead(0x1A)}));

    uint32_t hours[2] = {};
    uint32_t size[2] = {};
    EXPECT_TRUE(device->GetRunningHours(&hours[0]));  // the display counts half hours
    EXPECT_TRUE(device->GetOnTimeHours(&hours[1]));
    EXPECT_TRUE(device->GetSize(&size[0], &size[1]));
    EXPECT_EQ(std::tuple(hours[0], hours[1], size[0], size[1]), std::tuple(500u, 2121u, 301u, 376u));
    EXPECT_FALSE(device->IsDigitalInput());  // an analogue input
}

TEST_F(DeviceOperationsTest, SaveSettingsSendsTheRequestThenWaits)
{
    auto device = ConnectTo("V193A");
    device->SaveSettings();  // its request bytes are checked with the transport's
    EXPECT_EQ(Sleeps(), (Waits{200, 2000}));
    EXPECT_EQ(display->Controller().SaveCount(), 1);

    Spoil(FaultKind::kWriteError, RequestKind::kSaveSettings);
    EXPECT_OV_ERROR(device->SaveSettings(), kOvIOErr, "OvIOErr");
    EXPECT_EQ(Sleeps().back(), 200u);
}

TEST_F(DeviceOperationsTest, CapabilityStringIsFetchedOncePerConnectionKeptPartialAndRefusedEmpty)
{
    auto device = ConnectTo("PA271W");
    const std::string text = display->Controller().Capabilities();
    EXPECT_EQ(std::string(device->GetCapabilityStr()), text);
    const size_t chunks = Requests(*display).size();
    EXPECT_EQ(chunks, (text.size() + 31) / 32 + 1);
    const OvCapabilityRecord& record = device->GetCapabilityRecord();
    EXPECT_EQ(std::pair(record.parsed, record.gammaTableSize), std::pair(1, 0xC00));
    EXPECT_EQ(std::string(device->GetCapabilityStr()), text);
    EXPECT_EQ(Requests(*display).size(), chunks);

    ASSERT_EQ(device->ConnectPort(0), 0);
    EXPECT_EQ(record.parsed, 0);
    ForgetTraffic();
    EXPECT_EQ(device->GetCapabilityRecord().parsed, 1);
    EXPECT_EQ(Requests(*display).size(), chunks);

    // A partial text is kept, an empty one refused.
    Spoil(FaultKind::kWrongEcho, RequestKind::kCapabilities, kAlways, 1);
    ASSERT_EQ(device->ConnectPort(0), 0);
    EXPECT_EQ(std::string(device->GetCapabilityStr()), text.substr(0, 32));
    display->Faults().Clear();
    EXPECT_EQ(std::string(device->GetCapabilityStr()), text.substr(0, 32));

    display->Controller().Capabilities().clear();
    ASSERT_EQ(device->ConnectPort(0), 0);
    EXPECT_OV_ERROR(device->GetCapabilityStr(), kOvIOErr, "OvIOErr");
}

}  // namespace
