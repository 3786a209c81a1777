// The real display's buffered send and paged VCP access against emulated displays:
// verification styles, settle times, the colour-conversion wait, logs and errors.
#include <algorithm>

#include "OvDevices/OvDDCResult.h"
#include "OvEmulatedBusFixture.h"
#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"

using OvEmulator::FaultKind;
using OvEmulator::kAlways;
using OvEmulator::RequestKind;
using Waits = std::vector<uint32_t>;
using Lines = std::vector<std::string>;

namespace {

class DeviceVCPTest : public EmulatedBusTest {
protected:
    // Connects to a display of the model and traces the VCP channel too.
    std::unique_ptr<OvROVUvidedImpl> ConnectTo(const char* model)
    {
        display = Attach(model);
        auto device = Connect();
        EnableChannel(kOvChannelVCP, true);
        capture.Clear();
        return device;
    }

    OvScopedDebugCapture capture;
    std::shared_ptr<OvEmulator::EmulatedDisplay> display;
};

void SetVendorProductID(OvROVUvidedImpl& device, uint32_t id)
{
    uint8_t* edid = device.StoredEdid();
    edid[9] = static_cast<uint8_t>(id >> 24);
    edid[8] = static_cast<uint8_t>(id >> 16);
    edid[11] = static_cast<uint8_t>(id >> 8);
    edid[10] = static_cast<uint8_t>(id);
}

TEST_F(DeviceVCPTest, SendBufMakesFiveAttemptsAndRaisesTheLastCode)
{
    auto device = ConnectTo("V193A");
    display->AddFault({FaultKind::kWriteError, RequestKind::kAny, kAlways});
    const uint8_t payload[] = {0xC2, 0x06};
    device->AssembleMessage(payload);
    ExpectError([&] { device->SendBuf(100); }, kMonApi2IoError, "err");
    const Lines lines = capture.Lines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3),
              (Lines{"DDC2Device::SendBuf", "- using port 0", "DDC2Device: <6e5180c20600>"}));
    EXPECT_EQ(LinesStartingWith(lines, "- delayAfterSend"), Lines(5, "- delayAfterSend = 100"));
    EXPECT_EQ(LinesStartingWith(lines, "- retries"), Lines{"- retries = 5"});
    EXPECT_EQ(LinesStartingWith(lines, "- ::SendBuf"), Lines{"- ::SendBuf failed with error -5"});
    Waits attempt = {50, 250, 450, 650, 850, 100, 100};
    Waits expected;
    for (int i = 0; i < 5; ++i) expected.insert(expected.end(), attempt.begin(), attempt.end());
    EXPECT_EQ(Sleeps(), expected);
    EXPECT_EQ(RawWrites(*display, 0x6E).size(), 25u);

    OvROVUvidedImpl unconnected;
    ExpectError([&] { unconnected.SendBuf(100); }, kOvIOErr, "OvIOErr");
    ExpectError([&] { unconnected.SendReadBuf(35, 100); }, kOvIOErr, "OvIOErr");
}

TEST_F(DeviceVCPTest, SendReadBufKeepsTheReplyInTheReceiveBuffer)
{
    auto device = ConnectTo("PA271W");
    const uint8_t payload[] = {0xC2, 0x0A, 0x00, 0x00, 0x02};
    device->AssembleMessage(payload);
    device->SendReadBuf(35, 100);
    const auto reply = device->ReceivedPayload();
    ASSERT_EQ(reply.size(), 6u);
    EXPECT_EQ(reply[0], 0xC3);
    EXPECT_EQ(reply[1], 0x0A);
    EXPECT_EQ(Requests(*display), (std::vector<Bytes>{{0xC2, 0x0A, 0x00, 0x00, 0x02}}));
    const Lines lines = capture.Lines();
    EXPECT_EQ(lines.front(), "DDC2Device::SendReadBuf 0");
    EXPECT_EQ(LinesStartingWith(lines, "- ::SendReadBuf"), Lines{"- ::SendReadBuf succeeded"});
    EXPECT_EQ(lines.back().substr(0, 18), "DDC2Device: <6e86c");
}

TEST_F(DeviceVCPTest, OutsideCalibrationModeAWriteIsVerifiedByReadingFirst)
{
    auto device = ConnectTo("V193A");
    EXPECT_TRUE(device->SetPagedVCP(0x0010, 30, 500, true));
    EXPECT_EQ(Requests(*display), (std::vector<Bytes>{PagedRead(0x10), PagedWrite(0x10, 30), PagedRead(0x10)}));
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 50, 50, 500, 50, 50}));
    EXPECT_EQ(LinesStartingWith(capture.Lines(), "- "),
              (Lines{"- delaying for 500ms", "- EQUAL, before SetPagedVCP."}));

    // The same VCP again: another one is read first.
    ForgetTraffic();
    EXPECT_TRUE(device->SetPagedVCP(0x0010, 30, 500, true));
    EXPECT_EQ(Requests(*display), (std::vector<Bytes>{PagedRead(0x12), PagedRead(0x10)}));
    ForgetTraffic();
    EXPECT_TRUE(device->SetPagedVCP(0x0012, 50, 0, true));
    EXPECT_TRUE(device->SetPagedVCP(0x0012, 50, 0, true));
    EXPECT_EQ(Requests(*display), (std::vector<Bytes>{PagedRead(0x12), PagedRead(0x10), PagedRead(0x12)}));

    // A value that never sticks: three writes, then reported as set.
    display->Vcps().Find(0x0010)->behaviour = OvEmulator::WriteBehaviour::kNeverSticks;
    ForgetTraffic();
    capture.Clear();
    EXPECT_TRUE(device->SetPagedVCP(0x0010, 20, 500, true));
    const Bytes read = PagedRead(0x10);
    const Bytes write = PagedWrite(0x10, 20);
    EXPECT_EQ(Requests(*display), (std::vector<Bytes>{read, write, read, write, read, write, read}));
    EXPECT_EQ(std::ranges::count(Sleeps(), 500u), 3);
    EXPECT_EQ(capture.Lines().back(),
              "- Could not set/verify VCP_0010_BRIGHTNESS: set value '20' != get value '30'");
}

TEST_F(DeviceVCPTest, InCalibrationModeEveryAttemptWritesAndComparesTheReply)
{
    auto device = ConnectTo("PA271W");
    device->SetCalibrationModelFlag(true);
    EXPECT_TRUE(device->SetPagedVCP(0x0010, 70, 500, true));
    EXPECT_EQ(Requests(*display), (std::vector<Bytes>{PagedRead(0x10), PagedWrite(0x10, 70)}));
    EXPECT_EQ(capture.Lines().back(), "- EQUAL, after SetPagedVCP. (0)");

    display->Vcps().Find(0x0010)->behaviour = OvEmulator::WriteBehaviour::kReadBackDiffers;
    ForgetTraffic();
    capture.Clear();
    EXPECT_TRUE(device->SetPagedVCP(0x0010, 40, 500, true));
    const Bytes read = PagedRead(0x10);
    const Bytes write = PagedWrite(0x10, 40);
    EXPECT_EQ(Requests(*display), (std::vector<Bytes>{PagedRead(0x12), read, write, read, write, read, write, read}));
    EXPECT_EQ(LinesStartingWith(capture.Lines(), "- NOT EQUAL"),
              (Lines{"- NOT EQUAL, try again! (0)", "- NOT EQUAL, try again! (1)", "- NOT EQUAL, try again! (2)"}));
    EXPECT_EQ(capture.Lines().back(), "- Could not set/verify VCP_0010_BRIGHTNESS: set value '40' != get value '41'");
}

TEST_F(DeviceVCPTest, FailuresUnsupportedVCPsAndTheLUTSaveEndEarly)
{
    auto device = ConnectTo("PA322UHD");
    capture.Clear();
    EXPECT_TRUE(device->SetPagedVCP(0x1107, 1, 0, true));
    EXPECT_EQ(Requests(*display), (std::vector<Bytes>{PagedRead(0x1107)}));
    EXPECT_EQ(capture.Lines().back(),
              "- Special treatment for 'VCP_1107_PA_SAVE_3D_LUT_RAM_TO_EEPROM': No value verification");

    uint32_t current = 7;
    uint32_t maximum = 8;
    capture.Clear();
    EXPECT_FALSE(device->GetPagedVCP(0x0257, &current, &maximum));
    EXPECT_FALSE(device->SetPagedVCP(0x0257, 1, 0, true));
    EXPECT_EQ(current, 7u);
    EXPECT_EQ(maximum, 8u);
    EXPECT_EQ(LinesStartingWith(capture.Lines(), "- "),
              (Lines{"- Unsupported VCP: 0x0257", "- ::GetVCPPageFeature succeeded",
                     "- Unsupported VCP 0x0257, abort operation"}));

    display->AddFault({FaultKind::kWriteError, RequestKind::kPagedWrite, kAlways});
    ForgetTraffic();
    capture.Clear();
    EXPECT_FALSE(device->SetPagedVCP(0x0010, 30, 0, true));
    EXPECT_EQ(LinesStartingWith(capture.Lines(), "- ::SetPagedVCP"), Lines(4, "- ::SetPagedVCP failed with error -5"));

    display->AddFault({FaultKind::kWriteError, RequestKind::kAny, kAlways});
    capture.Clear();
    EXPECT_FALSE(device->SetPagedVCP(0x0012, 30, 0, true));
    EXPECT_FALSE(device->GetPagedVCP(0x0012, &current, &maximum));
    EXPECT_EQ(LinesStartingWith(capture.Lines(), "- ::"), (Lines{"- ::GetPagedVCP failed with error -5",
                                                                  "- ::GetVCPPageFeature failed with error -5"}));

    OvROVUvidedImpl unconnected;
    ExpectError([&] { unconnected.GetPagedVCP(0x0010, &current, &maximum); }, kOvIOErr, "OvIOErr");
    ExpectError([&] { unconnected.SetPagedVCP(0x0010, 1, 0, true); }, kOvIOErr, "OvIOErr");
}

TEST_F(DeviceVCPTest, SettleTimesComeFromTheTableTheModelAndTheMinimumDelay)
{
    OvROVUvidedImpl device;
    SetVendorProductID(device, 0xA3381234);
    EXPECT_EQ(device.GetVCPmsWaitTime(0x1067, 1), 5000u);
    EXPECT_EQ(device.GetVCPmsWaitTime(0x1067, 3), 0u);
    EXPECT_EQ(device.GetVCPmsWaitTime(0x1052, 0), 2000u);
    EXPECT_EQ(device.GetVCPmsWaitTime(0x1050, 0), 3500u);
    EXPECT_EQ(device.GetVCPmsWaitTime(0x0010, 0), 0u);
    SetVendorProductID(device, 0xA3386810);
    EXPECT_EQ(device.GetVCPmsWaitTime(0x1053, 0), 4000u);
    EnableChannel(kOvChannelVCP, true);
    capture.Clear();
    SetVendorProductID(device, 0xA3382B21);
    EXPECT_EQ(device.GetVCPmsWaitTime(0x1067, 3), 1000u);
    EXPECT_EQ(capture.Lines(), (Lines{"GetVCPmsWaitTime", "\tVCP=1067, value=3, waitms=0",
                                      "\tIncreasing wait time by 1000s for display: ZEZ_PA322UHD, A3382B21"}));

    // The longer of table time and minimum delay follows each write.
    auto pa = ConnectTo("PA271W");
    EXPECT_TRUE(pa->SetPagedVCP(0x1050, 2, 100, true));
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 50, 50, 3500, 50, 50}));
}

TEST_F(DeviceVCPTest, ColourConversionIsAwaitedWhenTheDisplayReportsIt)
{
    auto device = ConnectTo("PA271W");
    device->WaitForColorConvert();
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 2000, 50, 50}));

    display->Controller().Handle(PagedWrite(0x1050, 2));
    ForgetTraffic();
    capture.Clear();
    device->WaitForColorConvert();
    EXPECT_EQ(Sleeps(), (Waits{2000, 50, 50, 4000, 50, 50, 4000, 50, 50}));
    EXPECT_EQ(LinesStartingWith(capture.Lines(), "- GetVCP"),
              (Lines{"- GetVCP VCP_1097_COLOR_CONVERT_STATUS current=1, count=0",
                     "- GetVCP VCP_1097_COLOR_CONVERT_STATUS current=1, count=1",
                     "- GetVCP VCP_1097_COLOR_CONVERT_STATUS current=0, count=2"}));
}

TEST_F(DeviceVCPTest, ColourConversionWaitIsBoundedAndFixedWithoutTheStatusVCP)
{
    OvEmulator::EmulatedModel endless = *OvEmulator::FindModel("PA271W");
    endless.colorConvertReads = 100;
    displays.push_back(bus.Attach(endless));
    Attach("V193A");
    auto device = Connect(0);
    displays[0]->Controller().Handle(PagedWrite(0x1050, 2));
    device->WaitForColorConvert();
    EXPECT_EQ(std::ranges::count(Sleeps(), 4000u), 10);

    EXPECT_EQ(device->ConnectPort(1), 0);
    ForgetTraffic();
    EnableChannel(kOvChannelVCP, true);
    capture.Clear();
    device->WaitForColorConvert();
    device->WaitForColorConvert();
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 4000, 4000}));
    EXPECT_EQ(LinesStartingWith(capture.Lines(), "- VCP_1097"),
              Lines(2, "- VCP_1097_COLOR_CONVERT_STATUS not supported so wait 4000ms"));
}

}  // namespace
