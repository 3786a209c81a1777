#include "Display/TrafficTimes.h"

#include <algorithm>

namespace {

constexpr double kBusHertz = 100000.0;
constexpr double kBitsPerByte = 9.0;

}  // namespace

TrafficTimes SplitTrafficTime(const MonApi2Statistics& traffic)
{
    // Each transaction also sends its address byte.
    const double bytes = static_cast<double>(traffic.writes) + traffic.reads + traffic.bytesWritten + traffic.bytesRead;
    TrafficTimes times;
    times.elapsedMs = static_cast<double>(traffic.activeMicroseconds) / 1000.0;
    times.wireMs = bytes * kBitsPerByte / kBusHertz * 1000.0;
    times.waitMs = std::max(0.0, times.elapsedMs - times.wireMs);
    return times;
}
