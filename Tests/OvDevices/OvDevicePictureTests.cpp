// Picture mode and preset, uniformity correction, VCP lists and the VCP scan of the real
// display against emulated displays: which VCPs are written, with which values and waits.
#include "OvData/OvArray.h"
#include "OvDevices/OvVCPNames.h"
#include "OvEmulatedBusFixture.h"

namespace {

// A PA271W (PA model group) on port 0 and an SV241C on port 1.
class DevicePictureTest : public EmulatedBusTest {
protected:
    std::unique_ptr<OvROVUvidedImpl> ConnectToPort(int32_t port)
    {
        auto device = Connect(port);
        display = displays.at(static_cast<size_t>(port));
        EnableChannel(kOvChannelVCP, true);
        return device;
    }

    std::shared_ptr<OvEmulator::EmulatedDisplay> pa = Attach("PA271W");
    std::shared_ptr<OvEmulator::EmulatedDisplay> sv = Attach("SV241C");
};

}  // namespace

TEST_F(DevicePictureTest, PictureControlsAreWrittenOnceWhereSupportedAndFollowedBy1000ms)
{
    struct Case {
        int32_t port;
        bool preset;
        uint16_t vcp;
        bool supported;
    };
    const Case cases[] = {
        {0, false, 0x1050, true},   // the PA model group has its own picture-mode VCP
        {1, false, 0x021A, true},
        {0, true, 0x1051, true},
        {1, true, 0x1051, false},   // no preset VCP: no write, no wait
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "port " << c.port << (c.preset ? " preset" : " mode"));
        auto device = ConnectToPort(c.port);
        c.preset ? device->SetPicturePreset(3) : device->SetPictureMode(3);
        Packets expected = {PagedRead(c.vcp)};
        if (c.supported) expected.push_back(PagedWrite(c.vcp, 3));
        EXPECT_EQ(Requests(*display), expected);
        EXPECT_EQ(Sleeps().back() == 1000, c.supported);
        if (c.supported) {
            EXPECT_EQ(Current(c.vcp), 3);
        }
        if (c.preset && c.supported) {
            EXPECT_EQ(LogLines("VCP_1051"), Lines{"VCP_1051_PA_PICTURE_PRESET: value=3, maxValue=12, unsupported=0, vcpType=0"});
        }
    }
}

TEST_F(DevicePictureTest, UniformityWritesTheEffectiveLevelToBothControlsOutsideThePASeries)
{
    sv->Vcps().Define(0x02C2, 2, 5);
    sv->Vcps().Define(0x02EE, 3, 5);
    struct Case {
        int32_t port;
        int32_t state;
        uint16_t onOff;  // 0x02C2 afterwards (the PA series leaves it alone)
        uint16_t level;  // 0x02EE afterwards
    };
    const Case cases[] = {{1, 1, 0, 0}, {1, 2, 4, 4}, {1, 0, 0, 0}, {0, 2, 1, 4}, {0, 1, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "port " << c.port << " state " << c.state);
        auto device = ConnectToPort(c.port);
        device->SetUniformityCorrection(c.state, 4);
        EXPECT_EQ(std::pair(Current(0x02C2), Current(0x02EE)), std::pair(c.onOff, c.level));
    }
}

TEST_F(DevicePictureTest, UniformityStateIsReadOrDerivedFromTheLevel)
{
    struct Case {
        int32_t port;
        int32_t levelVcp;  // -1: 0x02EE unsupported
        std::pair<uint32_t, uint32_t> stateAndLevel;
    };
    sv->Vcps().Define(0x02C2, 2, 5);
    const Case cases[] = {
        {0, 3, {2, 3}}, {0, 0, {1, 0}},  // the PA series derives the state from the level
        {1, 0, {2, 0}},                  // elsewhere the on/off control is read as it is
        {1, -1, {1, 0}},                 // no level control: off, whatever the on/off control said
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "port " << c.port << " level " << c.levelVcp);
        if (c.levelVcp >= 0) {
            displays[static_cast<size_t>(c.port)]->Vcps().Define(0x02EE, static_cast<uint16_t>(c.levelVcp), 5);
        } else if (auto* level = displays[static_cast<size_t>(c.port)]->Vcps().Find(0x02EE)) {
            level->supported = false;
        }
        auto device = ConnectToPort(c.port);
        std::pair<uint32_t, uint32_t> read = {99, 99};
        device->GetUniformityCorrection(&read.first, &read.second);
        EXPECT_EQ(read, c.stateAndLevel);
    }
}

TEST_F(DevicePictureTest, VCPListRunsItsRecordsUntilOneFails)
{
    auto device = ConnectToPort(0);
    pa->Vcps().Define(0x1107, 0, 1, OvEmulator::kVcpMomentary);
    // Every write of 0x1107 fails; the write of 0x1054 fails with -2002.
    pa->AddFault({FaultKind::kWriteError, RequestKind::kPagedWrite, 5});
    pa->AddFault({FaultKind::kWriteError, RequestKind::kPagedWrite, 5, 0, -2002});
    constexpr uint32_t kSet = 1;
    constexpr uint32_t kSetIfDifferent = 0x0101;
    OvArray<OvVCPListRecord> list;
    list.SetCount(6);
    list[0] = {0, 0x0010, 0, 0, 9};
    list[1] = {kSetIfDifferent | 0xAB0000, 0x0012, 50, 0, 9};  // equal: no write, no wait
    list[2] = {kSet, 0x1107, 1, 0, 9};                        // failed save: ignored
    list[3] = {kSet, 0x1054, 20, 0, 9};                       // -2002: the list goes on
    list[4] = {0, 0x0003, 0, 0, 9};                           // unsupported read ends it
    list[5] = {0, 0x0010, 0, 0, 9};
    EXPECT_EQ(device->SetGetVCPList(&list, nullptr), 1);
    const auto fields = [&](int32_t i) {
        const OvVCPListRecord& r = list[i];
        return std::vector<uint32_t>{r.flags, r.vcp, r.value, r.maximum, r.result};
    };
    EXPECT_EQ(fields(0), (std::vector<uint32_t>{0, 0x0010, 70, 100, 0}));
    EXPECT_EQ(fields(1), (std::vector<uint32_t>{kSetIfDifferent | 0xAB0000, 0x0012, 50, 0, 0}));
    EXPECT_EQ(fields(2)[4], 0u);
    EXPECT_EQ(fields(3)[4], static_cast<uint32_t>(-2002));
    EXPECT_EQ(fields(4)[4], 1u);
    EXPECT_EQ(fields(5), (std::vector<uint32_t>{0, 0x0010, 0, 0, 9}));
    const Packets requests = Requests(*display);
    EXPECT_EQ(std::count(requests.begin(), requests.end(), PagedRead(0x0012)), 1);
    EXPECT_EQ(std::count_if(requests.begin(), requests.end(), [](const Bytes& r) { return r[0] == 0xC8 && r[2] == 0x12; }), 0);
    EXPECT_EQ(LogLines("\tVCP_1107"), Lines{"\tVCP_1107_PA_SAVE_3D_LUT_RAM_TO_EEPROM ignoring error=-5"});
    EXPECT_EQ(LogLines("\terror result"), Lines{"\terror result = 1 so ending"});
    EXPECT_EQ(device->SetGetVCPList(nullptr, nullptr), -1);
}

TEST_F(DevicePictureTest, ScanListsOneLinePerIdOrOnlyTheSupportedOnes)
{
    auto device = ConnectToPort(0);
    const std::string brightness = "VCP_0010_BRIGHTNESS: value=70, maxValue=100, unsupported=0, vcpType=0";
    const std::string contrast = "VCP_0012_CONTRAST: value=50, maxValue=100, unsupported=0, vcpType=0";
    EXPECT_EQ(std::string(device->ScanVCPCodes(0x10, 0x12, true).Chars()), brightness + "\n" + contrast);
    const std::string all = device->ScanVCPCodes(0x10, 0x12, false).Chars();
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 2);
    const std::string unsupported = std::string(VCPName(0x11).Chars()) + ": value=0, maxValue=0, unsupported=1";
    EXPECT_NE(all.find('\n' + unsupported), std::string::npos) << all;
    ForgetTraffic();
    EXPECT_EQ(std::string(device->ScanVCPCodes(0x12, 0x10, true).Chars()), contrast);
    EXPECT_EQ(Requests(*display).size(), 1u);
}
