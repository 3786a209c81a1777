// The DDC/CI transport against an emulated display: exact bytes on the wire, result codes,
// attempts and waits.
#include <algorithm>
#include <cstring>
#include <string>

#include "OvDevices/OvDDCResult.h"
#include "OvDevices/OvDisplayInterfaces.h"
#include "OvDevices/OvMonApi.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvEmulatedBusFixture.h"

using OvEmulator::FaultKind;
using OvEmulator::kAlways;
using OvEmulator::RequestKind;
using Waits = std::vector<uint32_t>;

namespace {

class DDCTransportTest : public EmulatedBusTest {
protected:
    DDCTransportTest()
    {
        display = Attach("V193A");
        InitInterfaces();
        ForgetTraffic();
    }

    void Spoil(FaultKind kind, RequestKind request = RequestKind::kAny, int32_t times = kAlways, int32_t skip = 0)
    {
        display->Faults().Clear();
        display->AddFault({kind, request, times, skip});
        ForgetTraffic();
    }

    size_t ReadsOfReplies() const
    {
        return static_cast<size_t>(std::ranges::count_if(display->Traffic().Records(), [](const auto& record) {
            return record.direction == OvEmulator::I2CDirection::kRead && record.address == 0x6F;
        }));
    }

    std::shared_ptr<OvEmulator::EmulatedDisplay> display;
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
    EXPECT_EQ(RawWrites(*display, 0x6E), (std::vector<Bytes>{{0x51, 0x82, 0x01, 0x10, 0xAC}}));
    EXPECT_EQ(reply.current, 70u);
    EXPECT_EQ(reply.maximum, 100u);
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
    const std::vector<Bytes> writes = RawWrites(*display, 0x6E);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].size(), 123u);
    EXPECT_EQ(writes[0][1], 0xF8);
}

TEST_F(DDCTransportTest, SpoiledRepliesGiveTheirCodesAfterFiveReads)
{
    const std::pair<FaultKind, int32_t> cases[] = {
        {FaultKind::kBadChecksum, kOvDDCChecksumError},
        {FaultKind::kWrongSource, kOvDDCWrongSource},
        {FaultKind::kLongerThanAsked, kOvDDCWrongLength},
        {FaultKind::kEmptyReply, kOvDDCNoReply},
    };
    for (const auto& [kind, code] : cases) {
        SCOPED_TRACE(code);
        Spoil(kind);
        EXPECT_EQ(control.ReadPagedVCP(0x0010, &reply), code);
        EXPECT_EQ(Sleeps(), kFailedExchange);
        EXPECT_EQ(Requests(*display).size(), 5u);
        Spoil(kind);
        EXPECT_EQ(control.GetVCP(0x10, &reply), code);
        EXPECT_EQ(Requests(*display).size(), 5u);
    }
}

TEST_F(DDCTransportTest, PagedReadRetriesUnansweredRepliesAndStopsAtAWrongOpcode)
{
    Spoil(FaultKind::kWrongEcho, RequestKind::kPagedRead);
    EXPECT_EQ(control.ReadPagedVCP(0x0010, &reply), kOvDDCWrongEcho);
    EXPECT_EQ(Requests(*display), std::vector<Bytes>(5, PagedRead(0x0010)));
    EXPECT_EQ(Sleeps(), kUnansweredPagedRead);

    Spoil(FaultKind::kWrongLength, RequestKind::kPagedRead);
    EXPECT_EQ(control.ReadPagedVCP(0x0010, &reply), kOvDDCWrongLength);
    EXPECT_EQ(Sleeps(), kUnansweredPagedRead);

    Spoil(FaultKind::kWrongEcho, RequestKind::kPagedRead, 4);
    ASSERT_EQ(control.ReadPagedVCP(0x0010, &reply), 0);
    EXPECT_EQ(reply.current, 70u);

    Spoil(FaultKind::kWrongOpcode, RequestKind::kPagedRead, 1);
    EXPECT_EQ(control.ReadPagedVCP(0x0010, &reply), kOvDDCWrongOpcode);
    EXPECT_EQ(Requests(*display).size(), 1u);

    Spoil(FaultKind::kWrongEcho, RequestKind::kGetVcp, 1);
    EXPECT_EQ(control.GetVCP(0x10, &reply), kOvDDCWrongEcho);
    EXPECT_EQ(Requests(*display).size(), 1u);

    EXPECT_EQ(control.ReadPagedVCP(0x100, 0x10, &reply), kOvDDCCodeOutOfRange);
    EXPECT_EQ(control.GetVCP(0x100, &reply), kOvDDCCodeOutOfRange);
}

TEST_F(DDCTransportTest, PagedWritePollsForALateReplyOnDDCLinksOnly)
{
    Spoil(FaultKind::kEmptyReply, RequestKind::kPagedWrite, 1);
    ASSERT_EQ(control.WritePagedVCP(0x0010, 30, &reply), 0);
    EXPECT_EQ(reply.current, 30u);
    EXPECT_EQ(Requests(*display), (std::vector<Bytes>{PagedWrite(0x0010, 30)}));
    EXPECT_EQ(Sleeps(), (Waits{50, 50, 100, 50}));

    Spoil(FaultKind::kEmptyReply, RequestKind::kPagedWrite);
    EXPECT_EQ(control.WritePagedVCP(0x0010, 31, &reply), kOvDDCWrongLength);
    EXPECT_EQ(Requests(*display).size(), 5u);
    EXPECT_EQ(ReadsOfReplies(), 5u * (1 + 17));

    control.SetUSBMode(true);
    Spoil(FaultKind::kEmptyReply, RequestKind::kPagedWrite, 1);
    ASSERT_EQ(control.WritePagedVCP(0x0010, 40, &reply), 0);
    EXPECT_EQ(Requests(*display), std::vector<Bytes>(2, PagedWrite(0x0010, 40)));
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
    EXPECT_EQ(Requests(*display), (std::vector<Bytes>{{0x01, 0x12}, PagedRead(0x0257), {0x03, 0x12, 0x01, 0x02},
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
              (std::vector<Bytes>{{0xF3, 0, 0}, {0xF3, 0, 0x20}, {0xF3, 0, 0x20}, {0xF3, 0, 0x28}}));

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

TEST_F(DDCTransportTest, EdidReadChecksTheBaseBlockAndZeroesTheMissingExtension)
{
    uint8_t edid[256];
    std::memset(edid, 0xEE, sizeof edid);
    ASSERT_EQ(control.ReadEDIDBlocks(edid, true), 0);
    EXPECT_TRUE(std::equal(edid, edid + 128, display->Edid().begin()));
    EXPECT_TRUE(std::all_of(edid + 128, edid + 256, [](uint8_t byte) { return byte == 0; }));
    EXPECT_EQ(RawWrites(*display, 0xA0), (std::vector<Bytes>{{0x00}}));

    display->Edid()[127] ^= 1;
    EXPECT_EQ(control.ReadEDIDBlocks(edid, true), kOvEdidChecksumError);
    display->Edid()[1] = 0xFE;  // both wrong: the checksum wins
    EXPECT_EQ(control.ReadEDIDBlocks(edid, true), kOvEdidChecksumError);
    display->Edid()[127] ^= 1;
    ++display->Edid()[127];
    EXPECT_EQ(control.ReadEDIDBlocks(edid, true), kOvEdidHeaderError);

    Spoil(FaultKind::kReadError, RequestKind::kEdid);
    EXPECT_EQ(control.ReadEDIDBlocks(edid, true), kMonApi2IoError);
    EXPECT_EQ(Sleeps(), (Waits{50, 250, 450, 650, 850}));
}

TEST_F(DDCTransportTest, EdidWithAnExtensionIsJudgedByTheExtensionBlock)
{
    auto uhd = Attach("PA322UHD");
    bus.EnumerateInterfaces(1, 0);
    NMV_factory_ddc_control uhdControl(1, 10000, 4);
    uint8_t edid[256];
    ASSERT_EQ(uhdControl.ReadEDIDBlocks(edid, true), 0);
    EXPECT_TRUE(std::equal(edid, edid + 256, uhd->Edid().begin()));
    EXPECT_EQ(RawWrites(*uhd, 0xA0), (std::vector<Bytes>{{0x00}, {0x80}}));

    uhd->Edid()[1] = 0xFE;  // the base block's own faults no longer count
    EXPECT_EQ(uhdControl.ReadEDIDBlocks(edid, true), 0);
    uhd->Edid()[255] ^= 1;
    EXPECT_EQ(uhdControl.ReadEDIDBlocks(edid, true), kOvEdidChecksumError);
}

// Without an installed table the library is loaded, or stood in for when it is missing:
// either way no interface is found and I2C to a missing interface fails.
TEST(MonApiTest, LibraryTableAnswersWhenNothingIsInstalled)
{
    OvMonApi::Install(nullptr);
    const OvMonApiTable& library = OvMonApi::Table();
    library.EnumerateInterfaces(1, 0);
    const int32_t count = library.GetNumDisplayInterfaces();
    EXPECT_EQ(count, 0);
    const uint8_t byte = 0;
    uint8_t buffer[1];
    EXPECT_LT(library.I2C_WRITE(count, 0x6E, &byte, 1, 10000), 0);
    EXPECT_LT(library.I2C_READ(count, 0x6F, buffer, 1, 10000), 0);
}

}  // namespace
