// CPU time of a paged VCP read and of a verified paged VCP write, through the real
// display device and its DDC/CI transport to an emulated display, against the time the
// same exchange spends on the wire (EmulatedDisplayBench.h has the formula). The counter
// "cpu_per_wire_percent" is that ratio; the aim is below 1.
#include <benchmark/benchmark.h>

#include "EmulatedDisplayBench.h"

namespace {

using OvBench::Bench;
using OvBench::MeasureAgainstWire;

void PagedVCPRead(benchmark::State& state)
{
    MeasureAgainstWire(state, "V193A", [](Bench& bench, int64_t) {
        uint32_t current = 0;
        uint32_t maximum = 0;
        benchmark::DoNotOptimize(bench.Device().GetPagedVCP(0x0010, &current, &maximum));
    });
}
BENCHMARK(PagedVCPRead);

// Alternating values, so each call reads, writes and reads back the VCP.
void VerifiedPagedVCPWrite(benchmark::State& state)
{
    MeasureAgainstWire(state, "V193A", [](Bench& bench, int64_t count) {
        benchmark::DoNotOptimize(bench.Device().SetPagedVCP(0x0010, 20 + static_cast<uint32_t>(count % 2), 0, true));
    });
}
BENCHMARK(VerifiedPagedVCPWrite);

}  // namespace
