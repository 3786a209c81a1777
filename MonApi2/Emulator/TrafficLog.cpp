#include "MonApi2/Emulator/TrafficLog.h"

#include <utility>

namespace OvEmulator {

TrafficStats& TrafficStats::operator+=(const TrafficStats& other)
{
    writes += other.writes;
    reads += other.reads;
    bytesWritten += other.bytesWritten;
    bytesRead += other.bytesRead;
    i2cErrors += other.i2cErrors;
    ignoredPackets += other.ignoredPackets;
    elapsedMs += other.elapsedMs;
    return *this;
}

void TrafficLog::Record(TrafficRecord record)
{
    if (fRecords.empty()) fFirstTick = record.tick;
    fLastTick = record.tick;
    if (record.direction == I2CDirection::kWrite) {
        ++fStats.writes;
        fStats.bytesWritten += record.bytes.size();
    } else {
        ++fStats.reads;
        fStats.bytesRead += record.bytes.size();
    }
    if (record.result < 0) ++fStats.i2cErrors;
    fRecords.push_back(std::move(record));
}

TrafficStats TrafficLog::Stats() const
{
    TrafficStats stats = fStats;
    stats.elapsedMs = fLastTick - fFirstTick;
    return stats;
}

void TrafficLog::Clear()
{
    fRecords.clear();
    fStats = {};
    fFirstTick = fLastTick = 0;
}

}  // namespace OvEmulator
