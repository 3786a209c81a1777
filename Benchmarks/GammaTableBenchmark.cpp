// CPU time of the gamma-table uploads against their wire time (EmulatedDisplayBench.h has
// the formula): one 16-byte chunk of the device's change-only upload, and one verified
// chunk write of 8 entries (write, read-back, compare) of the DDC control object. The
// counter "cpu_per_wire_percent" is that ratio; the aim is below 1.
#include <benchmark/benchmark.h>

#include <memory>

#include "EmulatedDisplayBench.h"
#include "OvDevices/OvDDCResult.h"
#include "OvDevices/OvNMVDDCControl.h"

namespace {

using OvBench::Bench;
using OvBench::MeasureAgainstWire;

// Without a previous table every call sends its one chunk; the values change per call.
void UpdateCalibrationChunk(benchmark::State& state)
{
    MeasureAgainstWire(state, "PA271W", [](Bench& bench, int64_t count) {
        uint8_t chunk[16];
        for (int i = 0; i < 16; ++i) chunk[i] = static_cast<uint8_t>(count + i);
        bench.Device().UpdateCalibration(16, chunk, nullptr, nullptr);
    });
}
BENCHMARK(UpdateCalibrationChunk);

void VerifiedTableChunkWrite(benchmark::State& state)
{
    std::unique_ptr<NMV_factory_ddc_control> control;
    MeasureAgainstWire(state, "PA271W", [&control, &state](Bench&, int64_t count) {
        // Made on the first call, once the bench has put the emulated display in place.
        if (!control) control = std::make_unique<NMV_factory_ddc_control>(0, 10000, 4);
        int32_t entries[8];
        for (int i = 0; i < 8; ++i) entries[i] = static_cast<int32_t>((count * 8 + i) & 0x3FF);
        // A failing write would be timed on its error path.
        if (control->WriteTableChunkVerified(entries, 0x0100, 8, 0) != kOvDDCOk) state.SkipWithError("write failed");
    });
}
BENCHMARK(VerifiedTableChunkWrite);

}  // namespace
