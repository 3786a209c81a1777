#pragma once
// Records every I2C transaction that reaches an emulated display, with its time on the
// display's clock, so tests can assert exact bytes and tools can report totals.
#include <cstdint>
#include <vector>

namespace OvEmulator {

enum class I2CDirection { kWrite, kRead };

struct TrafficRecord {
    uint32_t tick;
    I2CDirection direction;
    uint8_t address;
    std::vector<uint8_t> bytes;  // written, or delivered by a read (empty when it failed)
    int32_t result;
};

struct TrafficStats {
    uint64_t writes = 0;
    uint64_t reads = 0;
    uint64_t bytesWritten = 0;
    uint64_t bytesRead = 0;
    uint64_t i2cErrors = 0;
    uint64_t ignoredPackets = 0;  // host packets the display dropped as malformed
    uint32_t elapsedMs = 0;       // from the first to the last transaction

    TrafficStats& operator+=(const TrafficStats& other);
};

class TrafficLog {
public:
    void Record(TrafficRecord record);
    void CountIgnoredPacket() { ++fStats.ignoredPackets; }
    const std::vector<TrafficRecord>& Records() const { return fRecords; }
    TrafficStats Stats() const;
    void Clear();

private:
    std::vector<TrafficRecord> fRecords;
    TrafficStats fStats;
    uint32_t fFirstTick = 0;
    uint32_t fLastTick = 0;
};

}  // namespace OvEmulator
