// Enumerating interfaces, logical ports, connecting with fallbacks, the sticky final
// error, and where a connection takes the display's EDID from.

#include "OvCore/OvString.h"
#include "OvEmulatedBusFixture.h"

namespace {

class ConnectionTest : public EmulatedBusTest {
protected:
    void Break(size_t index) { displays[index]->AddFault({FaultKind::kWriteError, RequestKind::kAny, kAlways}); }
    Lines PortsTried() const { return LogLines("DDC2Device::ConnectPort"); }
};

std::string Hex(const Bytes& bytes) { return OvString::BytesToHex(bytes.data(), 128).Chars(); }

TEST_F(ConnectionTest, LogicalPortsNumberUSBInterfacesFirstAndStopAtTwelve)
{
    Attach("V193A");
    Attach("SV241C");
    Attach("PA311D", Link::kUsb);
    OvROVUvidedImpl device;  // enables the device's trace
    ForgetTraffic();
    InitInterfaces();
    EXPECT_EQ(InterfaceCount(), 3);
    const std::pair<int32_t, int32_t> ports[] = {{0, 2}, {1, 0}, {2, 1}, {3, -1}, {-1, -1}};
    for (const auto& [port, index] : ports) EXPECT_EQ(MapPort(port), index) << port;
    const Lines lines = LogLines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 5),
              (Lines{"DDC2Device::InitInterfaces", "- SetUSBDeviceList returned 0", "- Found 3 interfaces", "",
                     "- Interface information for port 0: "}));
    const std::string name = "  Interface name     = ";
    EXPECT_EQ(LogLines(name), (Lines{name + GraphicsInterfaceName(1), name + GraphicsInterfaceName(2), name + "USB"}));
    EXPECT_EQ(LogLines("  EDID  ")[0], "  EDID               = " + Hex(EdidOf(*displays[0])));

    // Fifteen interfaces now, of which the first twelve count.
    ResetDisplayInterfacesForTesting();
    for (int i = 0; i < 12; ++i) Attach("V193A");
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

    ForgetTraffic();
    EXPECT_EQ(device.ConnectMonitorID(0, 2), 0);
    EXPECT_EQ(PortsTried(), (Lines{"DDC2Device::ConnectPort 2 is ok", "DDC2Device::ConnectPort 0 is ok",
                                   "DDC2Device::ConnectPort 1 is ok"}));
    EXPECT_EQ(LogLines("- ConnectPort failed"), Lines(2, "- ConnectPort failed with error -5"));
    EXPECT_EQ(device.GetPort(), 1);
    EXPECT_TRUE(device.IsConnected());

    EXPECT_EQ(device.ConnectMonitor(3, 2), 0);
    EXPECT_EQ(device.GetPort(), 3);
    ForgetTraffic();
    EXPECT_EQ(device.ConnectMonitorID(-1, 2), -1);
    EXPECT_EQ(PortsTried(), Lines{"DDC2Device::ConnectPort 2 is ok"});
    EXPECT_FALSE(device.IsConnected());
    EXPECT_EQ(device.ConnectMonitorID(0, 7), -1);
    EXPECT_EQ(LogLines().back(), "- PortNr 7 is not a valid port, do not connect");
    EXPECT_EQ(device.ConnectPort(4), -1);
    EXPECT_EQ(LogLines().back(), "DDC2Device::ConnectPort 4 has failed");
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
    EXPECT_EQ(LogLines().back(), "- ConnectMonitorID failed with gFinalCommError -5");
    EXPECT_EQ(FinalCommError(), kMonApi2IoError);

    displays[0]->Faults().Clear();
    ForgetTraffic();
    OvROVUvidedImpl second;
    EXPECT_EQ(second.ConnectMonitorID(1, 1), kMonApi2IoError);
    EXPECT_EQ(LogLines().back(), "- gFinalCommError is set, ConnectMonitorID returns -5");
    EXPECT_TRUE(displays[0]->Traffic().Records().empty());
    EXPECT_TRUE(displays[1]->Traffic().Records().empty());
}

TEST_F(ConnectionTest, WithoutInterfacesNoPortIsValid)
{
    OvROVUvidedImpl device;
    ForgetTraffic();
    EXPECT_EQ(device.ConnectMonitorID(0, 0), -1);
    EXPECT_EQ(LogLines("- M"), Lines{"- Mismatch between legal ports count (-1) and gNumInterfaces (0)"});
    EXPECT_EQ(LogLines().back(), "- No valid ports found!");
}

TEST_F(ConnectionTest, USBLinkTakesTheEdidFromItsRecordOrTheDDCInterfaceOfTheSameDisplay)
{
    for (bool edidInRecord : {true, false}) {
        SCOPED_TRACE(edidInRecord);
        ResetDisplayInterfacesForTesting();
        OvEmulator::EmulatedBus usbBus(*clock);
        OvEmulator::ScopedCurrentBus scope(usbBus);
        auto pa = usbBus.Attach(*OvEmulator::FindModel("PA311D"), edidInRecord ? Link::kUsb : Link::kDdc);
        if (!edidInRecord) usbBus.Attach(pa, Link::kUsb, {.edidInRecord = false});
        InitInterfaces();
        OvROVUvidedImpl device;
        ASSERT_EQ(device.ConnectPort(0), 0);
        EXPECT_EQ(Bytes(device.StoredEdid(), device.StoredEdid() + 128), EdidOf(*pa));
        EXPECT_EQ(RawWrites(*pa, 0xA0), edidInRecord ? Packets{} : Packets{{0x00}});
        EXPECT_EQ(device.GetVendorProductID(), 0xA338690Cu);
        EXPECT_EQ(LogLines().back(), edidInRecord ? "- Connected per USB" : "- USBReadEDID");
    }
}

TEST_F(ConnectionTest, ReadEDIDReadsOnlyWhenNoEdidIsStored)
{
    auto v193 = Attach("V193A");
    auto device = Connect();
    Bytes edid(128);
    EXPECT_EQ(device->ReadEDID(edid.data()), 0);
    EXPECT_TRUE(v193->Traffic().Records().empty());
    EXPECT_EQ(edid, EdidOf(*v193));
    EXPECT_EQ(LogLines(), (Lines{"DDC2Device::ReadEDID 0", "- EDID = " + Hex(edid)}));

    // An EDID read that failed at connection is made again.
    v193->AddFault({FaultKind::kReadError, RequestKind::kEdid, 5});
    ASSERT_EQ(device->ConnectPort(0), 0);
    EXPECT_EQ(device->StoredEdid()[1], 0);
    ForgetTraffic();
    EXPECT_EQ(device->ReadEDID(edid.data()), 0);
    EXPECT_EQ(LogLines()[1], "- ReadEDID via DDC succeeded");
    EXPECT_EQ(device->GetVendorProductID(), 0xA3381234u);

    v193->AddFault({FaultKind::kReadError, RequestKind::kEdid, kAlways});
    ASSERT_EQ(device->ConnectPort(0), 0);
    ForgetTraffic();
    EXPECT_EQ(device->ReadEDID(edid.data()), kMonApi2IoError);
    EXPECT_EQ(LogLines().back(), "- ReadEDID via DDC failed with error -5");
}

}  // namespace
