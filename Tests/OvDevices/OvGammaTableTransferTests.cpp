// Gamma tables on the wire: the verified chunk writes of the control object and the
// device's table operations, against the emulated display's table memory.
#include <numeric>

#include "OvDevices/OvCapabilities.h"
#include "OvDevices/OvDDCResult.h"
#include "OvDevices/OvNMVDDCControl.h"
#include "OvEmulatedBusFixture.h"
#include "Progress/RecordingProgress.h"

namespace {

using Entries = std::vector<int32_t>;

class VerifiedChunkWriteTest : public EmulatedBusTest {
protected:
    VerifiedChunkWriteTest() { AttachForTransport("PA271W"); }

    NMV_factory_ddc_control control{0, 10000, 4};
};

// A write (50 ms after it) and a read-back (50 ms before the read, 50 ms after).
const Waits kAttemptWaits = {50, 50, 50};

Waits Repeated(const Waits& waits, size_t times)
{
    Waits all;
    for (size_t i = 0; i < times; ++i) all.insert(all.end(), waits.begin(), waits.end());
    return all;
}

}  // namespace

TEST_F(VerifiedChunkWriteTest, WritesReadsBackAndComparesTheLow16Bits)
{
    const Entries entries = {0x10123, 0x0456, 0xFFFF};
    EXPECT_EQ(control.WriteTableChunkVerified(entries.data(), 0x0401, 3, 0), kOvDDCOk);
    EXPECT_EQ(Requests(*display), (Packets{{0xC2, 0x05, 0x04, 0x01, 0x01, 0x23, 0x04, 0x56, 0xFF, 0xFF},
                                           {0xC2, 0x04, 0x04, 0x01, 0x03}}));
    EXPECT_EQ(TableMemory(0x401, 3), (Entries{0x0123, 0x0456, 0xFFFF}));
    EXPECT_EQ(Sleeps(), kAttemptWaits);

    ForgetTraffic();
    EXPECT_EQ(control.WritePATableChunkVerified(entries.data(), 0x0800, 2), kOvDDCOk);
    EXPECT_EQ(Requests(*display), (Packets{{0xC2, 0x0B, 0x08, 0x00, 0x01, 0x23, 0x04, 0x56},
                                           {0xC2, 0x0A, 0x08, 0x00, 0x02}}));
    EXPECT_EQ(TableMemory(0x800, 2), (Entries{0x0123, 0x0456}));

    // Sizes are refused before anything is sent.
    ForgetTraffic();
    const Entries many(17, 1);
    EXPECT_EQ(control.WriteTableChunkVerified(many.data(), 0, 17, 0), kOvDDCTooManyEntries);
    EXPECT_EQ(control.WritePATableChunkVerified(many.data(), 0, 0), kOvDDCWrongLength);
    EXPECT_TRUE(Requests(*display).empty());
}

TEST_F(VerifiedChunkWriteTest, ADifferingReadBackIsWrittenAgainUntilTheAttemptsRunOut)
{
    struct Case {
        bool pa;
        int32_t spoiledReads;
        int32_t retryDelay;
        int32_t result;
        size_t attempts;
        Waits waits;
    };
    Waits paAlways = Repeated({2000, 50, 50, 50}, 7);
    paAlways.erase(paAlways.begin());  // no pause before the first attempt
    const Case cases[] = {
        // Standard layout: five attempts; a retry delay grows by itself before each read-back.
        {false, kAlways, 0, kOvDDCTableMismatch, 5, Repeated(kAttemptWaits, 5)},
        {false, kAlways, 10, kOvDDCTableMismatch, 5,
         {50, 10, 50, 50, 50, 20, 50, 50, 50, 30, 50, 50, 50, 40, 50, 50, 50, 50, 50, 50}},
        {false, 2, 0, kOvDDCOk, 3, Repeated(kAttemptWaits, 3)},
        // PA series: seven attempts, 2000 ms before each one after the first.
        {true, kAlways, 0, kOvDDCTableMismatch, 7, paAlways},
        {true, 1, 0, kOvDDCOk, 2, {50, 50, 50, 2000, 50, 50, 50}},
    };
    const Entries entries = {7, 8};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.pa ? "PA" : "standard") << " spoiled " << c.spoiledReads);
        display->Controller().GammaTable().SetReadBackDiffers(c.spoiledReads);
        ForgetTraffic();
        const int32_t result = c.pa ? control.WritePATableChunkVerified(entries.data(), 0x10, 2)
                                    : control.WriteTableChunkVerified(entries.data(), 0x10, 2, c.retryDelay);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(Requests(*display).size(), 2 * c.attempts);
        EXPECT_EQ(Sleeps(), c.waits);
        EXPECT_EQ(TableMemory(0x10, 2), (Entries{7, 8}));
    }
}

TEST_F(VerifiedChunkWriteTest, AReadBackWithWrongLeadingBytesOrAFailedWriteEndsTheWrite)
{
    const Entries entries = {1};
    display->AddFault({FaultKind::kWrongEcho, RequestKind::kTable, 1});
    EXPECT_EQ(control.WriteTableChunkVerified(entries.data(), 0, 1, 0), kOvDDCWrongOpcode);
    EXPECT_EQ(Requests(*display).size(), 2u);

    Spoil(FaultKind::kWriteError, RequestKind::kTable);
    EXPECT_EQ(control.WritePATableChunkVerified(entries.data(), 0, 1), kMonApi2IoError);
    EXPECT_EQ(Requests(*display).size(), 5u) << "the send's own five attempts, no read-back";
}

namespace {

class GammaTableDeviceTest : public EmulatedBusTest {
protected:
    GammaTableDeviceTest() : device(ConnectTo("PA271W")) {}
    // A 1536-byte table whose entry i (most significant byte first) is i * 5.
    static Bytes Table()
    {
        Bytes table(1536);
        for (size_t i = 0; i < 768; ++i) {
            table[2 * i] = static_cast<uint8_t>((i * 5) >> 8);
            table[2 * i + 1] = static_cast<uint8_t>(i * 5);
        }
        return table;
    }

    std::unique_ptr<OvROVUvidedImpl> device;
};

}  // namespace

TEST_F(GammaTableDeviceTest, UpdateCalibrationSendsOnlyChangedChunksAndReportsAtMostEvery200ms)
{
    const Bytes table = Table();
    RecordingProgress progress;
    device->UpdateCalibration(1536, table.data(), nullptr, &progress);
    const Packets requests = Requests(*display);
    ASSERT_EQ(requests.size(), 96u);
    EXPECT_EQ(requests[1], (Bytes{0xC2, 0x05, 0x00, 0x08, 0x00, 0x28, 0x00, 0x2D, 0x00, 0x32, 0x00, 0x37, 0x00, 0x3C,
                                  0x00, 0x41, 0x00, 0x46, 0x00, 0x4B}));
    const Entries memory = TableMemory(0, 768);
    for (size_t i = 0; i < 768; ++i) ASSERT_EQ(memory[i], static_cast<int32_t>(i * 5)) << i;
    ASSERT_FALSE(progress.fractions.empty());
    EXPECT_LT(progress.fractions.size(), 96u);
    EXPECT_TRUE(std::is_sorted(progress.fractions.begin(), progress.fractions.end()));
    EXPECT_EQ(progress.fractions.back(), 1.0);

    // Against an equal previous table nothing is sent; two changed chunks are sent alone.
    ForgetTraffic();
    progress.fractions.clear();
    device->UpdateCalibration(1536, table.data(), table.data(), &progress);
    EXPECT_TRUE(Requests(*display).empty());
    EXPECT_EQ(progress.fractions, std::vector<double>{1.0});
    Bytes changed = table;
    changed[5 * 16 + 3] ^= 0xFF;
    changed[1535] ^= 0x01;
    device->UpdateCalibration(1536, changed.data(), table.data(), nullptr);
    const Packets sent = Requests(*display);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(Bytes(sent[0].begin(), sent[0].begin() + 4), (Bytes{0xC2, 0x05, 0x00, 0x28}));
    EXPECT_EQ(Bytes(sent[1].begin(), sent[1].begin() + 4), (Bytes{0xC2, 0x05, 0x02, 0xF8}));
    EXPECT_EQ(TableMemory(767, 1), Entries{(767 * 5) ^ 1});
}

TEST_F(GammaTableDeviceTest, ReadGammaTableFillsTheImageWith96ReadsOf8Entries)
{
    const Bytes table = Table();
    device->UpdateCalibration(1536, table.data(), nullptr, nullptr);
    ForgetTraffic();
    device->ReadGammaTable();
    const Packets requests = Requests(*display);
    ASSERT_EQ(requests.size(), 96u);
    EXPECT_EQ(requests[95], (Bytes{0xC2, 0x0A, 0x02, 0xF8, 0x08}));
    EXPECT_EQ(Bytes(device->TableImage().begin(), device->TableImage().end()), table);
}

TEST_F(GammaTableDeviceTest, ApplyAndStoreSendTheirCommandThenWait)
{
    device->RefreshGammatable();
    device->SaveGammatable();
    EXPECT_EQ(Requests(*display), (Packets{{0xC2, 0x06}, {0xC2, 0x07}}));
    EXPECT_EQ(Sleeps(), (Waits{50, 2000, 200, 5000}));
    EXPECT_EQ(display->Controller().GammaTable().AppliedCount(), 1);
    EXPECT_EQ(display->Controller().GammaTable().StoredCount(), 1);

    Spoil(FaultKind::kWriteError);
    EXPECT_OV_ERROR(device->SaveGammatable(), kOvIOErr, "OvIOErr");
    EXPECT_EQ(std::ranges::count(Sleeps(), 5000u), 0) << "no wait after a failed command";
}

TEST_F(GammaTableDeviceTest, ChunkWriteWithRetriesGivesUpAfterTwelveWrites)
{
    const std::vector<int32_t> entries = {1, 2, 3};
    // The first verified write (five attempts) fails, the first retry succeeds, and the
    // chunk is written once more after a pause.
    display->Controller().GammaTable().SetReadBackDiffers(5);
    device->GammaTableWriteChunkVerifyAndRetry(entries.data(), 0x400, 3);
    EXPECT_EQ(LogLines("DDC2Device::GammaTable"), Lines{"DDC2Device::GammaTableWriteChunkVerifyAndRetry failed"});
    EXPECT_EQ(std::ranges::count(Sleeps(), 2000u), 2);
    EXPECT_EQ(Sleeps().back(), 50u);
    EXPECT_EQ(Requests(*display).size(), 2u * (5 + 1 + 1));

    ForgetTraffic();
    display->Controller().GammaTable().SetReadBackDiffers(kAlways);
    EXPECT_OV_ERROR(device->GammaTableWriteChunkVerifyAndRetry(entries.data(), 0x400, 3), kOvIOErr, "OvIOErr");
    EXPECT_EQ(Requests(*display).size(), 2u * 5 * 12);
    EXPECT_EQ(std::ranges::count(Sleeps(), 2000u), 11);
    EXPECT_EQ(LogLines("DDC2Device::GammaTable").back(), "DDC2Device::GammaTableWriteChunkVerifyAndRetry failed, 10 retry");
}

TEST(EmulatedTableMemory, EachModelsCapabilityStringDescribesItsTableMemory)
{
    for (const OvEmulator::EmulatedModel& model : OvEmulator::ModelCatalogue()) {
        SCOPED_TRACE(model.name);
        OvCapabilityRecord record;
        ParseCapabilities(record, model.CapabilityString());
        const int32_t entries = model.gammaTableEntries;
        if (!record.gammaTablePresent) {
            EXPECT_EQ(entries, 768) << "without the element the 256-entry table is assumed";
            continue;
        }
        EXPECT_EQ(record.gammaTableSize, entries);
        EXPECT_EQ(std::tuple(record.redOffset, record.greenOffset, record.blueOffset),
                  std::tuple(0, entries / 3, 2 * entries / 3));
    }
}
