// Calibrations downloaded end to end into emulated displays of each family, on the
// virtual clock: what the display's table memory holds afterwards, the VCP writes and
// table commands in order, and the waits the download makes.
#include "OvDevices/OvCalibrationTables.h"
#include "OvEmulatedBusFixture.h"
#include "Progress/RecordingProgress.h"
#include "Support/OvFunctionTrafo.h"

using namespace OvCalibrationTables;

namespace {

using Rgb = OvFunctionTrafo::Rgb;

// A display-like calibration: a slightly different power curve per channel.
Rgb Calibration(const Rgb& in)
{
    Rgb out;
    for (size_t c = 0; c < 3; ++c) out[c] = 255.0 * std::pow(std::clamp(in[c], 0.0, 255.0) / 255.0, 1.0 + 0.05 * c);
    return out;
}

// The requests that change the display's state, in order: paged writes as "W 1067=3",
// table commands as "apply" and "store"; runs of table writes as "table xN".
std::vector<std::string> StateChanges(const Packets& requests)
{
    std::vector<std::string> changes;
    for (const Bytes& r : requests) {
        std::string change;
        if (r.size() == 5 && r[0] == 0xC8) {
            char text[32];
            std::snprintf(text, sizeof text, "W %02X%02X=%d", r[1], r[2], (r[3] << 8) | r[4]);
            change = text;
        } else if (r.size() == 2 && r[0] == 0xC2) {
            change = r[1] == 0x06 ? "apply" : r[1] == 0x07 ? "store" : "?";
        } else if (r.size() > 5 && r[0] == 0xC2 && (r[1] == 0x05 || r[1] == 0x0B)) {
            change = "table";
        } else if (r.size() == 1 && r[0] == 0x0C) {
            change = "save settings";
        } else {
            continue;
        }
        if (change == "table" && !changes.empty() && changes.back().starts_with("table")) {
            const int n = std::stoi(changes.back().substr(7)) + 1;
            changes.back() = "table x" + std::to_string(n);
        } else {
            changes.push_back(change == "table" ? "table x1" : change);
        }
    }
    return changes;
}

using DeviceCalibrationTest = EmulatedBusTest;

// The 256-entry table of bytes, or the 10-bit table, as entries per channel.
ChannelEntries Channels(const uint8_t* bytes, int32_t entriesPerChannel)
{
    ChannelEntries channels;
    for (int32_t c = 0; c < 3; ++c) {
        for (int32_t i = 0; i < entriesPerChannel; ++i) {
            const int32_t at = (c * entriesPerChannel + i) * 2;
            channels[c].push_back((bytes[at] << 8) | bytes[at + 1]);
        }
    }
    return channels;
}

struct Family {
    const char* model;
    const char* path;
    std::array<size_t, 3> offsets;              // of the channels in the table memory
    ChannelEntries (*expected)(OvTrafo&);       // the table the family computes
    const char* changes;                        // the display's state changes in order
    uint32_t totalWait;                         // ms, the download's time on a real display
};

// The 19-inch row uses a white of (200, 150, 255): the table is scaled by it, and red
// and green gains are set to 200 and 150 after the upload.
Rgb WarmCalibration(const Rgb& in) { return {in[0] * 199.5 / 255, in[1] * 149.5 / 255, in[2]}; }

const Family kFamilies[] = {
    {"V193A", "IgnoreGain", {0, 256, 512}, [](OvTrafo& t) { return Channels(IgnoreGainTable(t).data(), 256); },
     "table x96; apply; store; ", 17450},
    {"V192L", "19Inch", {0, 256, 512}, [](OvTrafo& t) { return Channels(NineteenInch(t).table.data(), 256); },
     "table x96; apply; store; W 0016=200; W 0018=150; ", 22850},
    {"SV272Q", "10To10bit", {0, 1024, 2048}, [](OvTrafo& t) { return Channels(TenBitTable(t, 1023).data(), 1024); },
     "table x384; apply; store; ", 46350},
    // Series 90: 1024 entries on the full scale 1023 (SV231S) or 4095 (SV242P), chunks of 16.
    {"SV231S", "Series90", {0, 1024, 2048}, [](OvTrafo& t) { return Series90(t, 1024, 1023); },
     "table x192; apply; store; save settings; ", 51650},
    {"SV242P", "Series90", {0, 1024, 2048}, [](OvTrafo& t) { return Series90(t, 1024, 4095); },
     "table x192; apply; store; save settings; ", 51650},
    // 256 entries 256 apart in chunks of 8, finished through VCP 0x0268.
    {"PA241W", "Series90", {0, 256, 512}, [](OvTrafo& t) { return Series90(t, 256, 1023); },
     "table x96; store; apply; W 0268=1; W 0268=6; save settings; ", 39250},
    // Switched to its 256-entry table by VCP 0x02F9.
    {"SV241C", "Series90", {0, 256, 512}, [](OvTrafo& t) { return Series90(t, 256, 1023); },
     "W 02F9=1; table x48; apply; store; save settings; ", 24250},
    // Colour conversion off and back on; chunks of 4 because its video input reads 0x0F.
    {"PA271W", "Series90", {0, 1024, 2048}, [](OvTrafo& t) { return Series90(t, 256, 1023); },
     "W 1067=3; W 02F9=1; table x192; store; apply; W 1067=1; save settings; ", 64250},
    {"PA322UHD", "SeriesPA", {0, 1024, 2048}, [](OvTrafo& t) { return SeriesPA(t, 2.0); },
     "W 1067=3; W 0268=6; W 02F9=1; table x192; store; apply; W 1067=1; save settings; ", 59650},
};

class FamilyDownloadTest : public DeviceCalibrationTest, public testing::WithParamInterface<Family> {};

std::string Joined(const std::vector<std::string>& changes)
{
    std::string joined;
    for (const auto& change : changes) joined += change + "; ";
    return joined;
}

}  // namespace

TEST_P(FamilyDownloadTest, DisplayHoldsTheComputedTableAfterTheFamilysSteps)
{
    const Family& family = GetParam();
    auto device = ConnectTo(family.model);
    OvFunctionTrafo calibration(std::string(family.path) == "19Inch" ? WarmCalibration : Calibration);
    RecordingProgress progress;
    device->SetRGBCalibration(&calibration, &progress);

    EXPECT_EQ(LogLines("DDC2Device::SetRGBCalibration"),
              (Lines{"DDC2Device::SetRGBCalibration", std::string("DDC2Device::SetRGBCalibration") + family.path}));
    const ChannelEntries expected = family.expected(calibration);
    for (int32_t c = 0; c < 3; ++c) {
        EXPECT_EQ(TableMemory(family.offsets[c], expected[c].size()), expected[c]) << "channel " << c;
    }
    EXPECT_EQ(Joined(StateChanges(Requests(*display))), family.changes);
    EXPECT_EQ(TotalWait(), family.totalWait);
    ASSERT_FALSE(progress.fractions.empty());
    EXPECT_TRUE(std::is_sorted(progress.fractions.begin(), progress.fractions.end()));
    EXPECT_EQ(progress.fractions.back(), 1.0);
    EXPECT_GE(progress.fractions.front(), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyDownloadTest, testing::ValuesIn(kFamilies),
                         [](const testing::TestParamInfo<Family>& param) { return std::string(param.param.model); });

TEST_F(DeviceCalibrationTest, ThePathFollowsTheIdAndTheTransformIsChecked)
{
    auto device = ConnectTo("PA322UHD");
    OvFunctionTrafo calibration(Calibration);
    // A Series PA id never reaches the change-only 256-entry upload; an unlisted one does.
    SetVendorProductID(*device, 0xA3382B9C);
    device->SetRGBCalibration(&calibration, nullptr);
    EXPECT_EQ(LogLines("- vendorID"), Lines{"- vendorID = a3382b9c"});
    EXPECT_EQ(LogLines("DDC2Device::SetRGBCalibrationSeriesPA").size(), 1u);
    EXPECT_TRUE(LogLines("DDC2Device::UpdateCalibration").empty());
    ForgetTraffic();
    SetVendorProductID(*device, 0xA338662C);
    device->SetRGBCalibration(&calibration, nullptr);
    EXPECT_EQ(LogLines("DDC2Device::SetRGBCalibrationIgnoreGain").size(), 1u);
    EXPECT_EQ(LogLines("- Dump values after SetRGBCalibration").size(), 1u);

    class OtherVersion : public OvFunctionTrafo {
    public:
        using OvFunctionTrafo::OvFunctionTrafo;
        int32_t InterfaceVersion() const override { return 2; }
    } otherVersion(Calibration);
    EXPECT_OV_ERROR(device->SetRGBCalibration(&otherVersion, nullptr), kOvVersionErr, "VersionErr");
    class NotRgb : public OvFunctionTrafo {
    public:
        using OvFunctionTrafo::OvFunctionTrafo;
        uint32_t OutputColorType() const override { return kOvColorYxy; }
    } notRgb(Calibration);
    EXPECT_OV_ERROR(device->SetRGBCalibration(&notRgb, nullptr), kOvWrongDataType, "WrongDataType");
    EXPECT_OV_ERROR(device->SetRGBCalibration(nullptr, nullptr), kOvArgErr, "OvArgErr");
}

TEST_F(DeviceCalibrationTest, Series90SetsAnIdentityByCommandInsteadOfUploadingIt)
{
    auto device = ConnectTo("SV231S");
    display->Vcps().Define(0x02F8, 0, 1, OvEmulator::kVcpMomentary);
    OvFunctionTrafo identity(OvIdentityRgb);
    device->SetRGBCalibration(&identity, nullptr);
    EXPECT_EQ(LogLines("- Setting linear LUT by command"), Lines{"- Setting linear LUT by command"});
    EXPECT_EQ(Joined(StateChanges(Requests(*display))), "W 02F8=1; apply; store; save settings; ");
}

TEST_F(DeviceCalibrationTest, Series90RetriesAChunkThatNeverReadsBackRightThenRaisesBeforeApplyingIt)
{
    // The chunk write with long retries is proven on its own (OvGammaTableTransferTests);
    // here, that Series 90 uses it and stops at a chunk that never reads back right.
    OvFunctionTrafo calibration(Calibration);
    auto device = ConnectTo("PA241W");
    display->Controller().GammaTable().SetReadBackDiffers(kAlways);
    EXPECT_OV_ERROR(device->SetRGBCalibration(&calibration, nullptr), kOvIOErr, "OvIOErr");
    EXPECT_EQ(Joined(StateChanges(Requests(*display))), "table x60; ") << "12 writes of 5 attempts";
}

TEST_F(DeviceCalibrationTest, AnUnsentChunkEndsTheChangeOnlyUploadWithTheTransportsCode)
{
    auto device = ConnectTo("V193A");
    Spoil(FaultKind::kWriteError, RequestKind::kTable);
    OvFunctionTrafo calibration(Calibration);
    EXPECT_OV_ERROR(device->SetRGBCalibration(&calibration, nullptr), kMonApi2IoError, "err");
    EXPECT_EQ(Joined(StateChanges(Requests(*display))), "table x25; ") << "5 sends of 5 attempts";
    EXPECT_EQ(std::count(device->TableImage().begin(), device->TableImage().end(), 0xFF), 1536) << "image unchanged";
}

TEST_F(DeviceCalibrationTest, SeriesPAStopsAtAFailedChunkAndEndsWithoutRaising)
{
    // By design: the PA path ends normally after a failed verified write, with only the
    // chunks before it written, and never stores or applies the partial table.
    auto device = ConnectTo("PA322UHD");
    display->Controller().GammaTable().SetReadBackDiffers(kAlways);
    OvFunctionTrafo calibration(Calibration);
    device->SetRGBCalibration(&calibration, nullptr);
    EXPECT_EQ(Joined(StateChanges(Requests(*display))), "W 1067=3; W 0268=6; W 02F9=1; table x7; save settings; ");
}
