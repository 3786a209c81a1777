// 3D LUT downloads into emulated PA displays on the virtual clock: the grid the display
// holds afterwards, the messages, the VCP lists around the transfer and the failures.
#include "OvEmulatedBusFixture.h"
#include "Progress/RecordingProgress.h"
#include "Support/OvFunctionTrafo.h"

namespace {

using Rgb = OvFunctionTrafo::Rgb;
using OvEmulator::LutPoint;

// The grid the display should hold: red fastest, trunc(4 * output) of each input k * 255 / (n - 1).
std::vector<LutPoint> ExpectedGrid(int n, const std::function<Rgb(const Rgb&)>& transform)
{
    std::vector<LutPoint> grid;
    for (int b = 0; b < n; ++b) {
        for (int g = 0; g < n; ++g) {
            for (int r = 0; r < n; ++r) {
                const Rgb out = transform({r * 255.0 / (n - 1), g * 255.0 / (n - 1), b * 255.0 / (n - 1)});
                grid.push_back({static_cast<uint16_t>(4 * out[0]), static_cast<uint16_t>(4 * out[1]),
                                static_cast<uint16_t>(4 * out[2])});
            }
        }
    }
    return grid;
}

Rgb SwapRedGreen(const Rgb& in) { return {in[1], in[0], in[2]}; }

// Point writes among the requests (0xC2 0x25 or 0x2F).
Packets PointWrites(const Packets& requests)
{
    Packets writes;
    for (const Bytes& r : requests) {
        if (r.size() > 5 && r[0] == 0xC2 && (r[1] == 0x25 || r[1] == 0x2F)) writes.push_back(r);
    }
    return writes;
}

using Device3DLUTTest = EmulatedBusTest;

}  // namespace

TEST_F(Device3DLUTTest, IdentityOnANinePointDisplayIsWrittenDirectlyAndNamedLinear)
{
    auto device = ConnectTo("PA271W");
    RecordingProgress progress;
    device->Set3DLUT(nullptr, &progress);
    const auto& lut = display->Controller().Lut();
    ASSERT_EQ(lut.Table(), ExpectedGrid(9, OvIdentityRgb));
    std::vector<uint16_t> steps;
    for (int r = 0; r < 9; ++r) steps.push_back(lut.Table()[static_cast<size_t>(r)][0]);
    EXPECT_EQ(steps, (std::vector<uint16_t>{0, 127, 255, 382, 510, 637, 765, 892, 1020}));
    EXPECT_EQ(lut.Name(2), "Linear3DLUT  ");

    const Packets requests = Requests(*display);
    const Packets writes = PointWrites(requests);
    ASSERT_EQ(writes.size(), 183u) << "729 points, 4 a message";
    EXPECT_EQ(Bytes(writes[1].begin(), writes[1].begin() + 5), (Bytes{0xC2, 0x25, 4, 0, 0}));
    EXPECT_EQ(writes.back().size(), 5u + 6) << "one point left for the last message";
    EXPECT_EQ(PagedWrites(*display),
              (VcpWrites{{0x1050, 4}, {0x1051, 9}, {0x106B, 2}, {0x1069, 1}, {0x1067, 3}, {0x1067, 1}, {0x1069, 2}}));
    const Lines points = LogLines("\tr=");
    ASSERT_EQ(points.size(), 183u);
    EXPECT_EQ(points[1], "\tr=  4, g=  0, b=  0 ( 510,   0,   0)");
    EXPECT_TRUE(std::is_sorted(progress.fractions.begin(), progress.fractions.end()));
    EXPECT_EQ(progress.fractions.back(), 1.0);
}

class SeventeenPointTest : public Device3DLUTTest, public testing::WithParamInterface<Link> {};

TEST_P(SeventeenPointTest, ModelsWriteToRamAndSaveItToEeprom)
{
    // USB carries 8 points a message with 50 ms; DDC 4 points with 300 ms.
    const bool usb = GetParam() == Link::kUsb;
    // A PA322UHD with a USB link of its own.
    OvEmulator::EmulatedModel model = *OvEmulator::FindModel("PA322UHD");
    model.usbId = 0x0409046B;
    display = displays.emplace_back(bus.Attach(model, GetParam()));
    auto device = Connect();
    OvFunctionTrafo swap(SwapRedGreen);
    device->Set3DLUT(&swap, nullptr);
    const auto& lut = display->Controller().Lut();
    EXPECT_EQ(lut.Table(), ExpectedGrid(17, SwapRedGreen)) << "saved from RAM";
    EXPECT_EQ(lut.Name(2), "Custom3DLUT  ");
    const Packets writes = PointWrites(Requests(*display));
    ASSERT_EQ(writes.size(), usb ? 615u : 1229u);
    EXPECT_EQ(writes.back()[1], 0x2F);
    if (!usb) {
        EXPECT_EQ(Bytes(writes.back().begin(), writes.back().begin() + 5), (Bytes{0xC2, 0x2F, 16, 16, 16}));
        EXPECT_EQ(writes.back().size(), 5u + 6);
    }
    // Each message waits before its reply is read and once more after it (300 + 50 ms over
    // DDC, 50 + 50 over USB); the VCP lists, the conversion, the save and the name take
    // 37.2 s more: 7.8 minutes on a real display over DDC, 1.6 over USB.
    EXPECT_EQ(TotalWait(), usb ? 615u * 100 + 37200 : 1229u * 350 + 37200);
}

INSTANTIATE_TEST_SUITE_P(Links, SeventeenPointTest, testing::Values(Link::kDdc, Link::kUsb));

TEST_F(Device3DLUTTest, ChecksComeFirstAndTheFirstFailingStepEndsTheDownload)
{
    auto device = ConnectTo("PA271W");
    class OtherVersion : public OvFunctionTrafo {
    public:
        using OvFunctionTrafo::OvFunctionTrafo;
        int32_t InterfaceVersion() const override { return 2; }
    } otherVersion(OvIdentityRgb);
    EXPECT_OV_ERROR(device->Set3DLUT(&otherVersion, nullptr), kOvVersionErr, "VersionErr");
    EXPECT_TRUE(Requests(*display).empty());

    // A point write answered with the wrong opcode: the transfer stops there, nothing is
    // enabled, saved or named, and the error names the code.
    Spoil(FaultKind::kWrongOpcode, RequestKind::kLut, kAlways, 3);
    EXPECT_OV_ERROR(device->Set3DLUT(nullptr, nullptr), kOvIOErr, "error code: -26");
    EXPECT_EQ(PointWrites(Requests(*display)).size(), 4u);
    EXPECT_EQ(PagedWrites(*display), (VcpWrites{{0x1050, 4}, {0x1051, 9}, {0x106B, 2}, {0x1069, 1}, {0x1067, 3}}));
    EXPECT_EQ(display->Controller().Lut().Name(2), "");
}

TEST_F(Device3DLUTTest, DisplaysWithoutA3DLUTRefuseTheDownload)
{
    auto device = ConnectTo("V193A");
    EXPECT_FALSE(device->Supports3DLUT());
    EXPECT_OV_ERROR(device->Set3DLUT(nullptr, nullptr), kOvUndefProc, "OvUndefProc");
    EXPECT_TRUE(Requests(*display).empty());
}
