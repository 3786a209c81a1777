// The real display's buffered send and paged VCP access against emulated displays:
// verification styles, settle times, the colour-conversion wait, logs and errors.

#include "OvDevices/OvDDCResult.h"
#include "OvEmulatedBusFixture.h"

namespace {

using DeviceVCPTest = EmulatedBusTest;

TEST_F(DeviceVCPTest, SendBufMakesFiveAttemptsAndRaisesTheLastCode)
{
    auto device = ConnectTo("V193A");
    display->AddFault({FaultKind::kWriteError, RequestKind::kAny, kAlways});
    const uint8_t payload[] = {0xC2, 0x06};
    EXPECT_OV_ERROR(device->VendorChannel().SendBuf(payload, 100), kMonApi2IoError, "err");
    const Lines lines = LogLines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3),
              (Lines{"DDC2Device::SendBuf", "- using port 0", "DDC2Device: <6e5180c20600>"}));
    EXPECT_EQ(LogLines("- delayAfterSend"), Lines(5, "- delayAfterSend = 100"));
    EXPECT_EQ(LogLines("- retries"), Lines{"- retries = 5"});
    EXPECT_EQ(LogLines("- ::SendBuf"), Lines{"- ::SendBuf failed with error -5"});
    Waits expected;
    for (int i = 0; i < 5; ++i) expected.insert(expected.end(), {50, 250, 450, 650, 850, 100, 100});
    EXPECT_EQ(Sleeps(), expected);
    EXPECT_EQ(RawWrites(*display, 0x6E).size(), 25u);

    // A single exchange returns the transport's code instead.
    ForgetTraffic();
    EXPECT_EQ(device->VendorChannel().SendMessage(payload, 100), kMonApi2IoError);
    EXPECT_EQ(RawWrites(*display, 0x6E).size(), 5u);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(DeviceVCPTest, SendReadBufKeepsTheReplyInTheReceiveBuffer)
{
    auto device = ConnectTo("PA271W");
    const uint8_t payload[] = {0xC2, 0x0A, 0x00, 0x00, 0x02};
    const auto reply = device->VendorChannel().SendReadBuf(payload, 35, 100);
    ASSERT_EQ(reply.size(), 6u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 2), (Bytes{0xC3, 0x0A}));
    EXPECT_EQ(Requests(*display), (Packets{{0xC2, 0x0A, 0x00, 0x00, 0x02}}));
    EXPECT_EQ(LogLines().front(), "DDC2Device::SendReadBuf 0");
    EXPECT_EQ(LogLines("- ::SendReadBuf"), Lines{"- ::SendReadBuf succeeded"});
    EXPECT_TRUE(LogLines().back().starts_with("DDC2Device: <6e86c"));

    // A single exchange keeps its reply too, and logs nothing.
    ForgetTraffic();
    const uint8_t one[] = {0xC2, 0x0A, 0x00, 0x00, 0x01};
    EXPECT_EQ(device->VendorChannel().SendReadMessage(one, 35, 100), 0);
    EXPECT_EQ(device->VendorChannel().ReceivedPayload().size(), 4u);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(DeviceVCPTest, OutsideCalibrationModeAWriteIsVerifiedByReadingFirst)
{
    auto device = ConnectTo("V193A");
    EXPECT_TRUE(device->SetPagedVCP(0x0010, 30, 500, true));
    EXPECT_EQ(Requests(*display), (Packets{PagedRead(0x10), PagedWrite(0x10, 30), PagedRead(0x10)}));
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 50, 50, 500, 50, 50}));
    EXPECT_EQ(LogLines("- "), (Lines{"- delaying for 500ms", "- EQUAL, before SetPagedVCP."}));

    // The same VCP again: another one is read first.
    ForgetTraffic();
    EXPECT_TRUE(device->SetPagedVCP(0x0010, 30, 500, true));
    EXPECT_EQ(Requests(*display), (Packets{PagedRead(0x12), PagedRead(0x10)}));
    ForgetTraffic();
    EXPECT_TRUE(device->SetPagedVCP(0x0012, 50, 0, true));
    EXPECT_TRUE(device->SetPagedVCP(0x0012, 50, 0, true));
    EXPECT_EQ(Requests(*display), (Packets{PagedRead(0x12), PagedRead(0x10), PagedRead(0x12)}));

    // A value that never sticks: three writes, then reported as set.
    display->Vcps().Find(0x0010)->behaviour = OvEmulator::WriteBehaviour::kNeverSticks;
    ForgetTraffic();
    EXPECT_TRUE(device->SetPagedVCP(0x0010, 20, 500, true));
    const Bytes read = PagedRead(0x10);
    const Bytes write = PagedWrite(0x10, 20);
    EXPECT_EQ(Requests(*display), (Packets{read, write, read, write, read, write, read}));
    EXPECT_EQ(std::ranges::count(Sleeps(), 500u), 3);
    EXPECT_EQ(LogLines().back(), "- Could not set/verify VCP_0010_BRIGHTNESS: set value '20' != get value '30'");
}

TEST_F(DeviceVCPTest, InCalibrationModeEveryAttemptWritesAndComparesTheReply)
{
    auto device = ConnectTo("PA271W");
    device->SetCalibrationModelFlag(true);
    EXPECT_TRUE(device->SetPagedVCP(0x0010, 70, 500, true));
    EXPECT_EQ(Requests(*display), (Packets{PagedRead(0x10), PagedWrite(0x10, 70)}));
    EXPECT_EQ(LogLines().back(), "- EQUAL, after SetPagedVCP. (0)");

    display->Vcps().Find(0x0010)->behaviour = OvEmulator::WriteBehaviour::kReadBackDiffers;
    ForgetTraffic();
    EXPECT_TRUE(device->SetPagedVCP(0x0010, 40, 500, true));
    const Bytes read = PagedRead(0x10);
    const Bytes write = PagedWrite(0x10, 40);
    EXPECT_EQ(Requests(*display), (Packets{PagedRead(0x12), read, write, read, write, read, write, read}));
    EXPECT_EQ(LogLines("- NOT EQUAL"),
              (Lines{"- NOT EQUAL, try again! (0)", "- NOT EQUAL, try again! (1)", "- NOT EQUAL, try again! (2)"}));
    EXPECT_EQ(LogLines().back(), "- Could not set/verify VCP_0010_BRIGHTNESS: set value '40' != get value '41'");
}

TEST_F(DeviceVCPTest, FailuresUnsupportedVCPsAndTheLUTSaveEndEarly)
{
    auto device = ConnectTo("PA322UHD");
    EXPECT_TRUE(device->SetPagedVCP(0x1107, 1, 0, true));
    EXPECT_EQ(Requests(*display), (Packets{PagedRead(0x1107)}));
    EXPECT_EQ(LogLines().back(),
              "- Special treatment for 'VCP_1107_PA_SAVE_3D_LUT_RAM_TO_EEPROM': No value verification");

    uint32_t current = 7;
    uint32_t maximum = 8;
    ForgetTraffic();
    EXPECT_FALSE(device->GetPagedVCP(0x0257, &current, &maximum));
    EXPECT_FALSE(device->SetPagedVCP(0x0257, 1, 0, true));
    EXPECT_EQ(std::pair(current, maximum), std::pair(7u, 8u));
    EXPECT_EQ(LogLines("- "), (Lines{"- Unsupported VCP: 0x0257", "- ::GetVCPPageFeature succeeded",
                                     "- Unsupported VCP 0x0257, abort operation"}));

    Spoil(FaultKind::kWriteError, RequestKind::kPagedWrite);
    EXPECT_FALSE(device->SetPagedVCP(0x0010, 30, 0, true));
    EXPECT_EQ(LogLines("- ::SetPagedVCP"), Lines(4, "- ::SetPagedVCP failed with error -5"));

    Spoil(FaultKind::kWriteError);
    EXPECT_FALSE(device->SetPagedVCP(0x0012, 30, 0, true));
    EXPECT_FALSE(device->GetPagedVCP(0x0012, &current, &maximum));
    EXPECT_EQ(LogLines("- ::"),
              (Lines{"- ::GetPagedVCP failed with error -5", "- ::GetVCPPageFeature failed with error -5"}));
}

TEST_F(DeviceVCPTest, SettleTimesComeFromTheTableTheModelAndTheMinimumDelay)
{
    struct Case {
        uint32_t model;
        uint32_t vcp;
        int32_t value;
        uint32_t waitMs;
    };
    const Case cases[] = {
        {0xA3381234, 0x1067, 1, 5000}, {0xA3381234, 0x1067, 3, 0}, {0xA3381234, 0x1052, 0, 2000},
        {0xA3381234, 0x1050, 0, 3500}, {0xA3381234, 0x0010, 0, 0},
        {0xA3382B21, 0x1067, 3, 1000},  // the PA322UHD group waits a second longer
    };
    OvROVUvidedImpl device;
    EnableChannel(kOvChannelVCP, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetVendorProductID(device, c.model);
        ForgetTraffic();
        EXPECT_EQ(device.GetVCPmsWaitTime(c.vcp, c.value), c.waitMs);
    }
    EXPECT_EQ(LogLines(), (Lines{"GetVCPmsWaitTime", "\tVCP=1067, value=3, waitms=0",
                                 "\tIncreasing wait time by 1000s for display: ZEZ_PA322UHD, A3382B21"}));

    // The longer of table time and minimum delay follows each write.
    auto pa = ConnectTo("PA271W");
    EXPECT_TRUE(pa->SetPagedVCP(0x1050, 2, 100, true));
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 50, 50, 3500, 50, 50}));
}

TEST_F(DeviceVCPTest, ColourConversionIsAwaitedWhenTheDisplayReportsItAndForAFixedTimeElse)
{
    OvEmulator::EmulatedModel endless = *OvEmulator::FindModel("PA271W");
    endless.colorConvertReads = 100;
    displays.push_back(bus.Attach(endless));
    Attach("V193A");
    auto device = ConnectTo("PA271W");  // port 2
    ASSERT_EQ(device->ConnectPort(2), 0);
    ForgetTraffic();
    device->WaitForColorConvert();
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 2000, 50, 50}));

    display->Controller().Handle(PagedWrite(0x1050, 2));
    ForgetTraffic();
    device->WaitForColorConvert();
    EXPECT_EQ(Sleeps(), (Waits{2000, 50, 50, 4000, 50, 50, 4000, 50, 50}));
    EXPECT_EQ(LogLines("- GetVCP"), (Lines{"- GetVCP VCP_1097_COLOR_CONVERT_STATUS current=1, count=0",
                                           "- GetVCP VCP_1097_COLOR_CONVERT_STATUS current=1, count=1",
                                           "- GetVCP VCP_1097_COLOR_CONVERT_STATUS current=0, count=2"}));

    // The wait is bounded.
    ASSERT_EQ(device->ConnectPort(0), 0);
    displays[0]->Controller().Handle(PagedWrite(0x1050, 2));
    ForgetTraffic();
    device->WaitForColorConvert();
    EXPECT_EQ(std::ranges::count(Sleeps(), 4000u), 10);

    // A display without the status VCP is asked once per connection, then waited for.
    ASSERT_EQ(device->ConnectPort(1), 0);
    ForgetTraffic();
    device->WaitForColorConvert();
    device->WaitForColorConvert();
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 4000, 4000}));
    EXPECT_EQ(LogLines("- VCP_1097"), Lines(2, "- VCP_1097_COLOR_CONVERT_STATUS not supported so wait 4000ms"));
}

}  // namespace
