// CPU time of a paged VCP read and of a verified paged VCP write, through the real
// display device and its DDC/CI transport to an emulated display, against the time the
// same exchange spends on the wire: the bytes the display's traffic record counts (plus
// one address byte per transaction) at 100 kHz and 9 bits per byte. The waits of the
// protocol are skipped by a clock that records each sleep but never sleeps, so only the
// CPU work remains. The counter "cpu_per_wire_percent" is that ratio; the aim is below 1.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <memory>

#include "MonApi2/Emulator/EmulatedBusApi.h"
#include "OvDevices/OvDisplayInterfaces.h"
#include "OvDevices/OvMonApi.h"
#include "OvDevices/OvROVUvidedImpl.h"
#include "OvSystem/OvPlatform.h"

namespace {

constexpr double kWireBitsPerByte = 9.0;
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

int32_t OV_STDCALL GetInterfaceInfo(int32_t index, OvMonApi::DisplayInterfaceInfo* info)
{
    DisplayInterfaceInfo record{};
    record.size = info->size;
    const int32_t result = OvEmulator::CurrentBusGetDisplayInterfaceInfo(index, &record);
    std::memcpy(info, &record, sizeof record);
    return result;
}

const OvMonApiTable kCurrentBus = {
    OvEmulator::CurrentBusSetUSBDeviceList, OvEmulator::CurrentBusEnumerateInterfaces,
    OvEmulator::CurrentBusGetNumDisplayInterfaces, GetInterfaceInfo,
    OvEmulator::CurrentBusI2CWrite, OvEmulator::CurrentBusI2CRead,
};

// A device connected to an emulated display that answers at once.
class Bench {
public:
    Bench() : fDisplay(fBus.Attach(*OvEmulator::FindModel("V193A"))), fBusScope(fBus)
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
        const double bytes = static_cast<double>(stats.bytesWritten + stats.bytesRead + stats.writes + stats.reads);
        return bytes * kWireBitsPerByte / kWireBitsPerSecond;
    }

private:
    ZeroWaitClock fClock;
    OvPlatform::Clock* fPreviousClock = nullptr;
    OvEmulator::EmulatedBus fBus{fClock};
    std::shared_ptr<OvEmulator::EmulatedDisplay> fDisplay;
    OvEmulator::ScopedCurrentBus fBusScope;
    std::unique_ptr<OvROVUvidedImpl> fDevice;
};

template <class Operation>
void MeasureAgainstWire(benchmark::State& state, Operation operation)
{
    Bench bench;
    bench.TakeWireSeconds();
    const uint64_t waitsBefore = bench.SkippedWaits();
    double wireSeconds = 0;
    int64_t operations = 0;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        operation(bench.Device(), operations);
        if (++operations % kTrafficBatch == 0) wireSeconds += bench.TakeWireSeconds();
    }
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    wireSeconds += bench.TakeWireSeconds();
    state.counters["wire_us_per_op"] = wireSeconds * 1e6 / static_cast<double>(operations);
    state.counters["cpu_per_wire_percent"] = 100.0 * cpuSeconds / wireSeconds;
    state.counters["waits_per_op"] =
        static_cast<double>(bench.SkippedWaits() - waitsBefore) / static_cast<double>(operations);
}

void PagedVCPRead(benchmark::State& state)
{
    MeasureAgainstWire(state, [](OvROVUvidedImpl& device, int64_t) {
        uint32_t current = 0;
        uint32_t maximum = 0;
        benchmark::DoNotOptimize(device.GetPagedVCP(0x0010, &current, &maximum));
    });
}
BENCHMARK(PagedVCPRead);

// Alternating values, so each call reads, writes and reads back the VCP.
void VerifiedPagedVCPWrite(benchmark::State& state)
{
    MeasureAgainstWire(state, [](OvROVUvidedImpl& device, int64_t count) {
        benchmark::DoNotOptimize(device.SetPagedVCP(0x0010, 20 + static_cast<uint32_t>(count % 2), 0, true));
    });
}
BENCHMARK(VerifiedPagedVCPWrite);

}  // namespace
