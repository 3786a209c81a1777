#pragma once
// A real display device connected to an emulated display that answers at once, for
// benchmarks that weigh the plug-in's CPU time against the time the same exchanges spend
// on the wire or in the protocol's waits. The waits are skipped by a clock that records
// each sleep but never sleeps, so only the CPU work remains (the emulated display's share
// included, which makes the ratio an upper bound).
//
// Wire time at 100 kHz I2C, from the display's traffic record:
//   bits = 9 per byte written or read (8 data bits and the ACK/NACK bit)
//        + 11 per transfer (start condition 1, address byte with its ACK 9, stop 1)
//   seconds = bits / 100000
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

#include "MonApi2/Emulator/EmulatedBusApi.h"
#include "OvDevices/OvDisplayInterfaces.h"
#include "OvDevices/OvMonApi.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvSystem/OvPlatform.h"
#include "Support/OvEmulatedBusTable.h"

namespace OvBench {

constexpr double kWireBitsPerByte = 9.0;
constexpr double kWireBitsPerTransfer = 1.0 + 9.0 + 1.0;
constexpr double kWireBitsPerSecond = 100000.0;
// The traffic record grows with every transaction; it is emptied this often.
constexpr int64_t kTrafficBatch = 1024;

class ZeroWaitClock : public OvPlatform::Clock {
public:
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t ms) override
    {
        ++fSleeps;
        fSleptMs += ms;
    }
    uint64_t Sleeps() const { return fSleeps; }
    // What the sleeps would have taken on a real display.
    uint64_t SleptMs() const { return fSleptMs; }

private:
    uint64_t fSleeps = 0;
    uint64_t fSleptMs = 0;
};

// A device connected on port 0 to one emulated display of the given model.
class Bench {
public:
    explicit Bench(const char* model) : Bench(*OvEmulator::FindModel(model)) {}
    explicit Bench(const OvEmulator::EmulatedModel& model, OvEmulator::Link link = OvEmulator::Link::kDdc)
        : fDisplay(fBus.Attach(model, link)), fBusScope(fBus)
    {
        fPreviousClock = OvPlatform::InstallClock(&fClock);
        fDisplay->SetMinimumReplyDelay(0);
        ResetDisplayInterfacesForTesting();
        OvMonApi::Install(&OvEmulatedBusTable::kCurrentBus);
        InitInterfaces();
        fDevice = std::make_unique<OvROVUvidedImpl>();
        fDevice->ConnectPort(0);
    }
    ~Bench()
    {
        fDevice.reset();
        OvMonApi::Install(nullptr);
        ResetDisplayInterfacesForTesting();
        OvPlatform::InstallClock(fPreviousClock);
    }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    OvROVUvidedImpl& Device() { return *fDevice; }
    uint64_t SkippedWaits() const { return fClock.Sleeps(); }
    uint64_t SkippedWaitMs() const { return fClock.SleptMs(); }

    // Wire time of the traffic recorded since the last call, which empties the record.
    double TakeWireSeconds()
    {
        const OvEmulator::TrafficStats stats = fDisplay->Traffic().Stats();
        fDisplay->Traffic().Clear();
        const double bytes = static_cast<double>(stats.bytesWritten + stats.bytesRead);
        const double transfers = static_cast<double>(stats.writes + stats.reads);
        return (bytes * kWireBitsPerByte + transfers * kWireBitsPerTransfer) / kWireBitsPerSecond;
    }

private:
    ZeroWaitClock fClock;
    OvPlatform::Clock* fPreviousClock = nullptr;
    OvEmulator::EmulatedBus fBus{fClock};
    std::shared_ptr<OvEmulator::EmulatedDisplay> fDisplay;
    OvEmulator::ScopedCurrentBus fBusScope;
    std::unique_ptr<OvROVUvidedImpl> fDevice;
};

// The CPU and wire time of a run of operations.
struct TimedRun {
    double cpuSeconds = 0;
    double wireSeconds = 0;
    double operations = 0;
};

// Runs operation(bench, iteration) per benchmark iteration, from an empty traffic record.
template <class Operation>
TimedRun TimeOperations(benchmark::State& state, Bench& bench, Operation operation)
{
    bench.TakeWireSeconds();
    TimedRun run;
    int64_t operations = 0;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        operation(bench, operations);
        if (++operations % kTrafficBatch == 0) run.wireSeconds += bench.TakeWireSeconds();
    }
    run.cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    run.wireSeconds += bench.TakeWireSeconds();
    run.operations = static_cast<double>(operations);
    return run;
}

// Runs operation(bench, iteration) per benchmark iteration and reports the CPU time per
// operation, the wire time per operation, their ratio in percent ("cpu_per_wire_percent",
// the aim is below 1) and the protocol waits skipped per operation.
template <class Operation>
void MeasureAgainstWire(benchmark::State& state, const char* model, Operation operation)
{
    Bench bench(model);
    const uint64_t waitsBefore = bench.SkippedWaits();
    const TimedRun run = TimeOperations(state, bench, operation);
    state.counters["cpu_us_per_op"] = run.cpuSeconds * 1e6 / run.operations;
    state.counters["wire_us_per_op"] = run.wireSeconds * 1e6 / run.operations;
    state.counters["cpu_per_wire_percent"] = 100.0 * run.cpuSeconds / run.wireSeconds;
    state.counters["waits_per_op"] = static_cast<double>(bench.SkippedWaits() - waitsBefore) / run.operations;
}

// Runs operation(bench, iteration) per benchmark iteration and reports the protocol waits
// per operation as the virtual clock records them ("waits_ms_per_op"), the CPU time per
// operation and its share of those waits in percent ("cpu_per_wait_percent", the aim is
// below 1).
template <class Operation>
void MeasureAgainstWaits(benchmark::State& state, Bench& bench, Operation operation)
{
    const uint64_t waitMsBefore = bench.SkippedWaitMs();
    const TimedRun run = TimeOperations(state, bench, operation);
    const double cpuMs = run.cpuSeconds * 1e3 / run.operations;
    const double waitMs = static_cast<double>(bench.SkippedWaitMs() - waitMsBefore) / run.operations;
    state.counters["cpu_ms_per_op"] = cpuMs;
    state.counters["waits_ms_per_op"] = waitMs;
    state.counters["cpu_per_wait_percent"] = 100.0 * cpuMs / waitMs;
}

}  // namespace OvBench
