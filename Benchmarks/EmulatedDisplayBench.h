#pragma once
// A real display device connected to an emulated display that answers at once, for
// benchmarks that weigh the plug-in's CPU time against the time the same exchanges spend
// on the wire. The waits of the protocol are skipped by a clock that records each sleep
// but never sleeps, so only the CPU work remains (the emulated display's share included,
// which makes the ratio an upper bound).
//
// Wire time at 100 kHz I2C, from the display's traffic record:
//   bits = 9 per byte written or read (8 data bits and the ACK/NACK bit)
//        + 11 per transfer (start condition 1, address byte with its ACK 9, stop 1)
//   seconds = bits / 100000
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <memory>

#include "MonApi2/Emulator/EmulatedBusApi.h"
#include "OvDevices/OvDisplayInterfaces.h"
#include "OvDevices/OvMonApi.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvSystem/OvPlatform.h"

namespace OvBench {

constexpr double kWireBitsPerByte = 9.0;
constexpr double kWireBitsPerTransfer = 1.0 + 9.0 + 1.0;
constexpr double kWireBitsPerSecond = 100000.0;
// The traffic record grows with every transaction; it is emptied this often.
constexpr int64_t kTrafficBatch = 1024;

class ZeroWaitClock : public OvPlatform::Clock {
public:
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t) override { ++fSleeps; }
    uint64_t Sleeps() const { return fSleeps; }

private:
    uint64_t fSleeps = 0;
};

inline int32_t OV_STDCALL GetInterfaceInfo(int32_t index, OvMonApi::DisplayInterfaceInfo* info)
{
    DisplayInterfaceInfo record{};
    record.size = info->size;
    const int32_t result = OvEmulator::CurrentBusGetDisplayInterfaceInfo(index, &record);
    std::memcpy(info, &record, sizeof record);
    return result;
}

inline const OvMonApiTable kCurrentBus = {
    OvEmulator::CurrentBusSetUSBDeviceList, OvEmulator::CurrentBusEnumerateInterfaces,
    OvEmulator::CurrentBusGetNumDisplayInterfaces, GetInterfaceInfo,
    OvEmulator::CurrentBusI2CWrite, OvEmulator::CurrentBusI2CRead,
};

// A device connected on port 0 to one emulated display of the given model.
class Bench {
public:
    explicit Bench(const char* model) : fDisplay(fBus.Attach(*OvEmulator::FindModel(model))), fBusScope(fBus)
    {
        fPreviousClock = OvPlatform::InstallClock(&fClock);
        fDisplay->SetMinimumReplyDelay(0);
        ResetDisplayInterfacesForTesting();
        OvMonApi::Install(&kCurrentBus);
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

// Runs operation(bench, iteration) per benchmark iteration and reports the CPU time per
// operation, the wire time per operation, their ratio in percent ("cpu_per_wire_percent",
// the aim is below 1) and the protocol waits skipped per operation.
template <class Operation>
void MeasureAgainstWire(benchmark::State& state, const char* model, Operation operation)
{
    Bench bench(model);
    bench.TakeWireSeconds();
    const uint64_t waitsBefore = bench.SkippedWaits();
    double wireSeconds = 0;
    int64_t operations = 0;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        operation(bench, operations);
        if (++operations % kTrafficBatch == 0) wireSeconds += bench.TakeWireSeconds();
    }
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    wireSeconds += bench.TakeWireSeconds();
    const double count = static_cast<double>(operations);
    state.counters["cpu_us_per_op"] = cpuSeconds * 1e6 / count;
    state.counters["wire_us_per_op"] = wireSeconds * 1e6 / count;
    state.counters["cpu_per_wire_percent"] = 100.0 * cpuSeconds / wireSeconds;
    state.counters["waits_per_op"] = static_cast<double>(bench.SkippedWaits() - waitsBefore) / count;
}

}  // namespace OvBench
