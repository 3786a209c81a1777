// The DDC/CI transport against an emulated display: exact bytes on the wire, result codes,
// attempts and waits.
#include <string>

#include "OvDevices/OvDDCResult.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvEmulatedBusFixture.h"

namespace {

class DDCTransportTest : public EmulatedBusTest {
protected:
    DDCTransportTest() { AttachForTransport("V193A"); }

    NMV_factory_ddc_control control{0, 10000, 4};
    OvVCPReply reply;
};

// One exchange whose five reads all fail: a wait before each read, one between attempts.
const Waits kFailedExchange = {50, 50, 100, 100, 150, 150, 200, 200, 250, 50};
// Five paged reads whose replies arrive but do not answer the request.
const Waits kUnansweredPagedRead = {50, 50, 300, 50, 50, 400, 50, 50, 500, 50, 50, 600, 50, 50};

TEST_F(DDCTransportTest, FramesHostPacketsAndRefusesPayloadsOver120Bytes)
{
    ASSERT_EQ(control.GetVCP(0x10, &reply), 0);
    EXPECT_EQ(RawWrites(*display, 0x6E), (Packets{{0x51, 0x82, 0x01, 0x10, 0xAC}}));
    EXPECT_EQ(std::pair(reply.current, reply.maximum), std::pair(70u, 100u));
    EXPECT_EQ(Sleeps(), (Waits{50, 50}));

    ForgetTraffic();
    const Bytes payload(121, 0x01);
    uint8_t answer[9];
    int32_t length = 9;
    EXPECT_EQ(control.SendMessage(payload.data(), 121, 0), kOvDDCPayloadTooLong);
    EXPECT_EQ(control.SendReadMessage(payload.data(), 121, answer, &length, true, 50), kOvDDCPayloadTooLong);
    EXPECT_TRUE(display->Traffic().Records().empty());
    EXPECT_TRUE(Sleeps().empty());

    EXPECT_EQ(control.SendMessage(payload.data(), 120, 0), 0);
    const Packets writes = RawWrites(*display, 0x6E);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].size(), 123u);
    EXPECT_EQ(writes[0][1], 0xF8);
}

TEST_F(DDCTransportTest, ReplyFaultsGiveTheirCodesAfterTheirAttemptsAndWaits)
{
    struct Case {
        bool paged;  // a paged read of 0x0010, else Get VCP 0x10
        FaultKind kind;
        RequestKind request;
        int32_t times;
        int32_t code;
        size_t requests;
        Waits waits;
    };
    using F = FaultKind;
    using R = RequestKind;
    const Case cases[] = {
        {true, F::kBadChecksum, R::kAny, kAlways, kOvDDCChecksumError, 5, kFailedExchange},
        {true, F::kWrongSource, R::kAny, kAlways, kOvDDCWrongSource, 5, kFailedExchange},
        {true, F::kLongerThanAsked, R::kAny, kAlways, kOvDDCWrongLength, 5, kFailedExchange},
        {true, F::kEmptyReply, R::kAny, kAlways, kOvDDCNoReply, 5, kFailedExchange},
        // Get VCP hands on the exchange's code the same way the paged read does.
        {false, F::kBadChecksum, R::kAny, kAlways, kOvDDCChecksumError, 5, kFailedExchange},
        // A paged reply that answers another request is read again; a wrong opcode ends it.
        {true, F::kWrongEcho, R::kPagedRead, kAlways, kOvDDCWrongEcho, 5, kUnansweredPagedRead},
        {true, F::kWrongLength, R::kPagedRead, kAlways, kOvDDCWrongLength, 5, kUnansweredPagedRead},
        {true, F::kWrongEcho, R::kPagedRead, 4, kOvDDCOk, 5, kUnansweredPagedRead},
        {true, F::kWrongOpcode, R::kPagedRead, 1, kOvDDCWrongOpcode, 1, {50, 50}},
        {false, F::kWrongEcho, R::kGetVcp, 1, kOvDDCWrongEcho, 1, {50, 50}},
        // A short Get VCP reply is asked for again, five times at most.
        {false, F::kWrongLength, R::kGetVcp, 4, kOvDDCOk, 5, Waits(10, 50)},
        {false, F::kWrongLength, R::kGetVcp, kAlways, kOvDDCWrongLength, 5, Waits(10, 50)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        Spoil(c.kind, c.request, c.times);
        reply = {};
        EXPECT_EQ(c.paged ? control.ReadPagedVCP(0x0010, &reply) : control.GetVCP(0x10, &reply), c.code);
        EXPECT_EQ(Requests(*display), Packets(c.requests, c.paged ? PagedRead(0x10) : Bytes{0x01, 0x10}));
        EXPECT_EQ(Sleeps(), c.waits);
        EXPECT_EQ(reply.current, c.code == kOvDDCOk ? 70u : 0u);
    }
    EXPECT_EQ(control.ReadPagedVCP(0x100, 0x10, &reply), kOvDDCCodeOutOfRange);
    EXPECT_EQ(control.GetVCP(0x100, &reply), kOvDDCCodeOutOfRange);
}

TEST_F(DDCTransportTest, PagedWritePollsForALateReplyOnDDCLinksOnly)
{
    Spoil(FaultKind::kEmptyReply, RequestKind::kPagedWrite, 1);
    ASSERT_EQ(control.WritePagedVCP(0x0010, 30, &reply), 0);
    EXPECT_EQ(reply.current, 30u);
    EXPECT_EQ(Requests(*display), (Packets{PagedWrite(0x0010, 30)}));
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 100, 50}));

    Spoil(FaultKind::kEmptyReply, RequestKind::kPagedWrite);
    EXPECT_EQ(control.WritePagedVCP(0x0010, 31, &reply), kOvDDCWrongLength);
    EXPECT_EQ(Requests(*display).size(), 5u);
    const auto& records = display->Traffic().Records();
    EXPECT_EQ(std::ranges::count_if(records, [](const auto& record) { return record.address == 0x6F; }), 5 * (1 + 17));

    control.SetUSBMode(true);
    Spoil(FaultKind::kEmptyReply, RequestKind::kPagedWrite, 1);
    ASSERT_EQ(control.WritePagedVCP(0x0010, 40, &reply), 0);
    EXPECT_EQ(Requests(*display), Packets(2, PagedWrite(0x0010, 40)));
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 700, 50, 50}));

    Spoil(FaultKind::kWrongOpcode, RequestKind::kPagedWrite, 1);
    EXPECT_EQ(control.WritePagedVCP(0x0010, 41, &reply), kOvDDCWrongOpcode);
    EXPECT_EQ(Requests(*display).size(), 1u);
}

TEST_F(DDCTransportTest, FeaturesBelow256UseMCCSRequestsAndOthersPagedOnes)
{
    EXPECT_EQ(control.GetFeature(0x0012, &reply), 0);
    EXPECT_EQ(control.GetFeature(0x0257, &reply), 0);
    EXPECT_EQ(control.SetFeature(0x0012, 0x0102), 0);
    EXPECT_EQ(control.SetFeature(0x0257, 7), 0);
    EXPECT_EQ(control.SaveCurrentSettings(), 0);
    EXPECT_EQ(Requests(*display), (Packets{{0x01, 0x12}, PagedRead(0x0257), {0x03, 0x12, 0x01, 0x02},
                                                      PagedWrite(0x0257, 7), {0x0C}}));
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 50, 50, 50, 50, 50, 200}));
}

TEST_F(DDCTransportTest, CapabilitiesEndAtAZeroByteOrAnEmptyChunkAndRetryTheSameOffset)
{
    std::string& text = display->Controller().Capabilities();
    char buffer[64];
    text = std::string(40, 'a');
    Spoil(FaultKind::kWrongEcho, RequestKind::kCapabilities, 1, 1);
    EXPECT_EQ(control.CapabilitiesRequest(buffer, sizeof buffer), 40);
    EXPECT_EQ(std::string(buffer), text);
    EXPECT_EQ(Requests(*display),
              (Packets{{0xF3, 0, 0}, {0xF3, 0, 0x20}, {0xF3, 0, 0x20}, {0xF3, 0, 0x28}}));

    ForgetTraffic();
    text = std::string("abc\0def", 7) + std::string(40, 'x');
    EXPECT_EQ(control.CapabilitiesRequest(buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(Requests(*display).size(), 1u);

    text = std::string(40, 'b');
    EXPECT_EQ(control.CapabilitiesRequest(buffer, 16), kOvDDCCapabilityTooLong);
    EXPECT_EQ(std::string(buffer), std::string(15, 'b'));

    // Six failed cycles from the start, five after a good chunk.
    Spoil(FaultKind::kWrongEcho, RequestKind::kCapabilities);
    EXPECT_EQ(control.CapabilitiesRequest(buffer, sizeof buffer), kOvDDCWrongOpcode);
    EXPECT_EQ(Requests(*display).size(), 6u);
    Spoil(FaultKind::kWrongEcho, RequestKind::kCapabilities, kAlways, 1);
    EXPECT_EQ(control.CapabilitiesRequest(buffer, sizeof buffer), kOvDDCWrongOpcode);
    EXPECT_EQ(Requests(*display).size(), 6u);
    EXPECT_EQ(std::string(buffer), std::string(32, 'b'));
}

TEST_F(DDCTransportTest, EdidReadChecksTheLastBlockReadAndZeroesAMissingExtension)
{
    Bytes edid(256, 0xEE);
    ASSERT_EQ(control.ReadEDIDBlocks(edid.data(), true), 0);
    Bytes expected = EdidOf(*display);
    expected.resize(256, 0);
    EXPECT_EQ(edid, expected);
    EXPECT_EQ(RawWrites(*display, 0xA0), (Packets{{0x00}}));

    display->Edid()[127] ^= 1;
    EXPECT_EQ(control.ReadEDIDBlocks(edid.data(), true), kOvEdidChecksumError);
    display->Edid()[1] = 0xFE;  // both wrong: the checksum wins
    EXPECT_EQ(control.ReadEDIDBlocks(edid.data(), true), kOvEdidChecksumError);
    display->Edid()[127] ^= 1;
    ++display->Edid()[127];
    EXPECT_EQ(control.ReadEDIDBlocks(edid.data(), true), kOvEdidHeaderError);

    Spoil(FaultKind::kReadError, RequestKind::kEdid);
    EXPECT_EQ(control.ReadEDIDBlocks(edid.data(), true), kMonApi2IoError);
    EXPECT_EQ(Sleeps(), (Waits{50, 250, 450, 650, 850}));

    // With an extension the extension block is judged, and the base block's own faults
    // no longer count.
    auto uhd = Attach("PA322UHD");
    OvMonApi::Table().EnumerateInterfaces(1, 0);
    NMV_factory_ddc_control uhdControl(1, 10000, 4);
    ASSERT_EQ(uhdControl.ReadEDIDBlocks(edid.data(), true), 0);
    EXPECT_EQ(edid, EdidOf(*uhd, 256));
    EXPECT_EQ(RawWrites(*uhd, 0xA0), (Packets{{0x00}, {0x80}}));
    uhd->Edid()[1] = 0xFE;
    EXPECT_EQ(uhdControl.ReadEDIDBlocks(edid.data(), true), 0);
    uhd->Edid()[255] ^= 1;
    EXPECT_EQ(uhdControl.ReadEDIDBlocks(edid.data(), true), kOvEdidChecksumError);
}

#ifdef OV_TEST_DDC_OVER_I2CDEV
// Over i2c-dev each transaction is the slave address, selected when it changes, and one
// plain write or read of the whole packet.
TEST_F(DDCTransportTest, ReachesTheDisplayThroughTheI2cDevDevice)
{
    const std::vector<std::string> scan = route.Calls();
    ASSERT_EQ(control.GetVCP(0x10, &reply), 0);
    ASSERT_EQ(control.GetVCP(0x12, &reply), 0);
    EXPECT_EQ(std::vector<std::string>(route.Calls().begin() + static_cast<std::ptrdiff_t>(scan.size()), route.Calls().end()),
              (std::vector<std::string>{"ioctl 100 0x703 0x37", "write 100 5", "read 100 11", "write 100 5", "read 100 11"}));
    EXPECT_EQ(scan, std::vector<std::string>{"open /dev/i2c-0"});
    EXPECT_TRUE(route.problems.empty());
}
#endif

// Without an installed table the library is loaded, or stood in for when it is missing:
// either way no interface is found and I2C to a missing interface fails.
TEST(MonApiTest, LibraryTableAnswersWhenNothingIsInstalled)
{
    OvMonApi::Install(nullptr);
    const OvMonApiTable& library = OvMonApi::Table();
    library.EnumerateInterfaces(1, 0);
    EXPECT_EQ(library.GetNumDisplayInterfaces(), 0);
    uint8_t byte = 0;
    EXPECT_LT(library.I2C_WRITE(0, 0x6E, &byte, 1, 10000), 0);
    EXPECT_LT(library.I2C_READ(0, 0x6F, &byte, 1, 10000), 0);
}

}  // namespace
