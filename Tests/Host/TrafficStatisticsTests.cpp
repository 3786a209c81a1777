// The traffic counts the display-interface library keeps for --stats, and their split
// into time on the wire and time in waits.
#include <gtest/gtest.h>

#include <memory>

#include "Display/TrafficTimes.h"
#include "MonApi2/InterfaceTable.h"

namespace {

// Two interfaces; address 0x00 fails like a display that does not acknowledge.
class TwoInterfaces final : public MonApi2::Backend {
public:
    int32_t Enumerate(const std::vector<uint32_t>&) override { return 2; }
    bool Info(int32_t, DisplayInterfaceInfo&) const override { return true; }
    int32_t Write(int32_t, int32_t address, const uint8_t*, int32_t) override
    {
        return address == 0 ? kMonApi2NoDevice : 0;
    }
    int32_t Read(int32_t, int32_t address, uint8_t*, int32_t) override { return address == 0 ? kMonApi2NoDevice : 0; }
};

}  // namespace

TEST(TrafficStatistics, TheTableCountsEachInterfacesTransactions)
{
    uint64_t now = 1000;
    std::vector<std::unique_ptr<MonApi2::Backend>> backends;
    backends.push_back(std::make_unique<TwoInterfaces>());
    MonApi2::InterfaceTable table(std::move(backends), [&] { return now += 250; });
    ASSERT_EQ(table.EnumerateInterfaces(), 2);

    uint8_t bytes[32] = {};
    EXPECT_EQ(table.Write(1, 0x6E, bytes, 6), 0);
    EXPECT_EQ(table.Read(1, 0x6F, bytes, 11), 0);
    EXPECT_EQ(table.Write(1, 0x00, bytes, 4), kMonApi2NoDevice);
    EXPECT_EQ(table.Write(1, 0x6E, nullptr, 4), kMonApi2BadArgument);  // refused before the wire

    MonApi2Statistics traffic{};
    traffic.size = sizeof traffic;
    ASSERT_EQ(table.Statistics(1, &traffic), 0);
    EXPECT_EQ(traffic.writes, 2u);
    EXPECT_EQ(traffic.reads, 1u);
    EXPECT_EQ(traffic.failures, 1u);
    EXPECT_EQ(traffic.bytesWritten, 6u);
    EXPECT_EQ(traffic.bytesRead, 11u);
    EXPECT_EQ(traffic.activeMicroseconds, 1250u);  // six clock reads 250 apart: first start to last end

    ASSERT_EQ(table.Statistics(0, &traffic), 0);
    EXPECT_EQ(traffic.writes + traffic.reads + traffic.activeMicroseconds, 0u);
    EXPECT_EQ(table.Statistics(2, &traffic), kMonApi2NoInterface);
    traffic.size = 31;
    EXPECT_EQ(table.Statistics(0, &traffic), kMonApi2BadArgument);
    EXPECT_EQ(table.Statistics(0, nullptr), kMonApi2BadArgument);

    // A new enumeration numbers the interfaces afresh, so their counts start again.
    table.EnumerateInterfaces();
    traffic.size = sizeof traffic;
    ASSERT_EQ(table.Statistics(1, &traffic), 0);
    EXPECT_EQ(traffic.writes, 0u);
}

TEST(TrafficStatistics, WaitsAreTheElapsedTimeBeyondTheWire)
{
    MonApi2Statistics traffic{sizeof traffic, 2, 2, 0, 10, 86, 50000};
    const TrafficTimes times = SplitTrafficTime(traffic);
    EXPECT_DOUBLE_EQ(times.elapsedMs, 50.0);
    EXPECT_DOUBLE_EQ(times.wireMs, 100 * 0.09);  // 100 bytes with the 4 address bytes, 90 us each
    EXPECT_DOUBLE_EQ(times.waitMs, 50.0 - 9.0);
    traffic.activeMicroseconds = 1000;
    EXPECT_DOUBLE_EQ(SplitTrafficTime(traffic).waitMs, 0.0);
}
