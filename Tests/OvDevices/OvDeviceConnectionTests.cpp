// Enumerating interfaces, logical ports, connecting with fallbacks, the sticky final
// error, and where a connection takes the display's EDID from.
#include <algorithm>

#include "OvCore/OvString.h"
#include "OvDevices/OvDisplayInterfaces.h"
#include "OvEmulatedBusFixture.h"
#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"

using OvEmulator::FaultKind;
using OvEmulator::kAlways;
using OvEmulator::Link;
using OvEmulator::RequestKind;
using Lines = std::vector<std::string>;

namespace {

class ConnectionTest : public EmulatedBusTest {
protected:
    void Break(size_t display) { displays[display]->AddFault({FaultKind::kWriteError, RequestKind::kAny, kAlways}); }
    Lines PortsTried() { return LinesStartingWith(capture.Lines(), "DDC2Device::ConnectPort"); }

    OvScopedDebugCapture capture;
};

TEST_F(ConnectionTest, LogicalPortsNumberUSBInterfacesFirst)
{
    Attach("V193A");
    Attach("SV241C");
    Attach("PA311D", Link::kUsb);
    OvROVUvidedImpl device;  // enables the device's trace
    capture.Clear();
    InitInterfaces();
    EXPECT_EQ(InterfaceCount(), 3);
    EXPECT_EQ(MapPort(0), 2);
    EXPECT_EQ(MapPort(1), 0);
    EXPECT_EQ(MapPort(2), 1);
    EXPECT_EQ(MapPort(3), -1);
    EXPECT_EQ(MapPort(-1), -1);
    const Lines lines = capture.Lines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 5),
              (Lines{"DDC2Device::InitInterfaces", "- SetUSBDeviceList returned 0", "- Found 3 interfaces", "",
                     "- Interface information for port 0: "}));
    EXPECT_EQ(LinesStartingWith(lines, "  Interface name"),
              (Lines{"  Interface name     = DISPLAY1", "  Interface name     = DISPLAY2",
                     "  Interface name     = USB"}));
    EXPECT_EQ(LinesStartingWith(lines, "  EDID  ")[0],
              "  EDID               = " + std::string(OvString::BytesToHex(displays[0]->Edid().data(), 128).Chars()));
}

TEST_F(ConnectionTest, AtMostTwelveInterfacesAreUsed)
{
    for (int i = 0; i < 15; ++i) Attach("V193A");
    InitInterfaces();
    EXPECT_EQ(InterfaceCount(), 12);
    EXPECT_EQ(MapPort(11), 11);
    EXPECT_EQ(MapPort(12), -1);
}

TEST_F(ConnectionTest, ConnectMonitorIDTriesThePortTheDisplayIDThenTheOthers)
{
    for (int i = 0; i < 4; ++i) Attach("V193A");
    OvROVUvidedImpl device;
    ASSERT_EQ(device.ConnectMonitorID(0, 0), 0);
    EXPECT_EQ(LegalPortList(), (std::vector<int32_t>{0, 1, 2, 3}));
    Break(0);
    Break(2);

    capture.Clear();
    EXPECT_EQ(device.ConnectMonitorID(0, 2), 0);
    EXPECT_EQ(PortsTried(), (Lines{"DDC2Device::ConnectPort 2 is ok", "DDC2Device::ConnectPort 0 is ok",
                                   "DDC2Device::ConnectPort 1 is ok"}));
    EXPECT_EQ(LinesStartingWith(capture.Lines(), "- ConnectPort failed"),
              Lines(2, "- ConnectPort failed with error -5"));
    EXPECT_EQ(device.GetPort(), 1);
    EXPECT_TRUE(device.IsConnected());

    capture.Clear();
    EXPECT_EQ(device.ConnectMonitor(3, 2), 0);
    EXPECT_EQ(device.GetPort(), 3);
    capture.Clear();
    EXPECT_EQ(device.ConnectMonitorID(-1, 2), -1);
    EXPECT_EQ(PortsTried(), Lines{"DDC2Device::ConnectPort 2 is ok"});
    EXPECT_FALSE(device.IsConnected());
    EXPECT_EQ(device.ConnectMonitorID(0, 7), -1);
    EXPECT_EQ(capture.Lines().back(), "- PortNr 7 is not a valid port, do not connect");
    EXPECT_EQ(device.ConnectPort(4), -1);
    EXPECT_EQ(capture.Lines().back(), "DDC2Device::ConnectPort 4 has failed");
}

TEST_F(ConnectionTest, AConnectionThatFailedEverywhereStaysFailedForEveryDevice)
{
    Attach("V193A");
    Attach("V193A");
    OvROVUvidedImpl first;
    ASSERT_EQ(first.ConnectMonitorID(0, 0), 0);
    Break(0);
    Break(1);
    EXPECT_EQ(first.ConnectMonitorID(0, 0), kMonApi2IoError);
    EXPECT_EQ(capture.Lines().back(), "- ConnectMonitorID failed with gFinalCommError -5");
    EXPECT_EQ(FinalCommError(), kMonApi2IoError);

    displays[0]->Faults().Clear();
    ForgetTraffic();
    capture.Clear();
    OvROVUvidedImpl second;
    EXPECT_EQ(second.ConnectMonitorID(1, 1), kMonApi2IoError);
    EXPECT_EQ(capture.Lines().back(), "- gFinalCommError is set, ConnectMonitorID returns -5");
    EXPECT_TRUE(displays[0]->Traffic().Records().empty());
    EXPECT_TRUE(displays[1]->Traffic().Records().empty());
}

TEST_F(ConnectionTest, WithoutInterfacesNoPortIsValid)
{
    OvROVUvidedImpl device;
    capture.Clear();
    EXPECT_EQ(device.ConnectMonitorID(0, 0), -1);
    EXPECT_EQ(LinesStartingWith(capture.Lines(), "- M"),
              Lines{"- Mismatch between legal ports count (-1) and gNumInterfaces (0)"});
    EXPECT_EQ(capture.Lines().back(), "- No valid ports found!");
}

TEST_F(ConnectionTest, USBLinkTakesTheEdidFromItsRecord)
{
    auto display = Attach("PA311D", Link::kUsb);
    InitInterfaces();
    OvROVUvidedImpl device;
    ASSERT_EQ(device.ConnectPort(0), 0);
    EXPECT_TRUE(std::equal(display->Edid().begin(), display->Edid().begin() + 128, device.StoredEdid()));
    EXPECT_TRUE(RawWrites(*display, 0xA0).empty());
    EXPECT_EQ(device.GetVendorProductID(), 0xA338690Cu);
    EXPECT_EQ(capture.Lines().back(), "- Connected per USB");
}

TEST_F(ConnectionTest, USBLinkWithoutEdidReadsItFromTheDDCInterfaceOfTheSameDisplay)
{
    auto display = Attach("PA311D");
    bus.Attach(display, Link::kUsb, {.edidInRecord = false});
    InitInterfaces();
    OvROVUvidedImpl device;
    ASSERT_EQ(device.ConnectPort(0), 0);
    EXPECT_EQ(RawWrites(*display, 0xA0), (std::vector<Bytes>{{0x00}}));
    EXPECT_TRUE(std::equal(display->Edid().begin(), display->Edid().begin() + 128, device.StoredEdid()));
    EXPECT_EQ(capture.Lines().back(), "- USBReadEDID");
}

TEST_F(ConnectionTest, ReadEDIDReadsOnlyWhenNoEdidIsStored)
{
    auto display = Attach("V193A");
    auto device = Connect();
    capture.Clear();
    uint8_t edid[128] = {};
    EXPECT_EQ(device->ReadEDID(edid), 0);
    EXPECT_TRUE(display->Traffic().Records().empty());
    EXPECT_TRUE(std::equal(edid, edid + 128, display->Edid().begin()));
    EXPECT_EQ(capture.Lines(), (Lines{"DDC2Device::ReadEDID 0",
                                      "- EDID = " + std::string(OvString::BytesToHex(edid, 128).Chars())}));

    // An EDID read that failed at connection is made again.
    display->AddFault({FaultKind::kReadError, RequestKind::kEdid, 5});
    ASSERT_EQ(device->ConnectPort(0), 0);
    EXPECT_EQ(device->StoredEdid()[1], 0);
    capture.Clear();
    EXPECT_EQ(device->ReadEDID(edid), 0);
    EXPECT_EQ(capture.Lines()[1], "- ReadEDID via DDC succeeded");
    EXPECT_EQ(device->GetVendorProductID(), 0xA3381234u);

    display->AddFault({FaultKind::kReadError, RequestKind::kEdid, kAlways});
    ASSERT_EQ(device->ConnectPort(0), 0);
    capture.Clear();
    EXPECT_EQ(device->ReadEDID(edid), kMonApi2IoError);
    EXPECT_EQ(capture.Lines().back(), "- ReadEDID via DDC failed with error -5");
}

}  // namespace
