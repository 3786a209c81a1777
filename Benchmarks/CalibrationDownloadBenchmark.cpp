// CPU time of whole calibration downloads against the waits the protocol makes them take
// on a real display (the sleeps the virtual clock records; EmulatedDisplayBench.h): one
// SetRGBCalibration per display family's path, and a 17-point 3D LUT over DDC and over
// USB. The counter "cpu_per_wait_percent" is that ratio; the aim is below 1.
// "waits_ms_per_op" is the time the download takes on a real display, beyond the wire.
#include <benchmark/benchmark.h>

#include "EmulatedDisplayBench.h"
#include "OvCore/OvTemplates.h"
#include "OvMath/OvColorLinearization.h"
#include "OvMath/OvCurveLinearization.h"

namespace {

using OvBench::Bench;
using OvBench::MeasureAgainstWaits;

// A display-like calibration: a power curve per channel, each channel slightly steeper
// than the one before.
OvRef<OvColorLinearization> Calibration(double redExponent)
{
    const OvRef<OvColorLinearization> calibration = OvMakeRef<OvColorLinearization>();
    for (int32_t channel = 0; channel < OvColorLinearization::kChannels; ++channel)
        calibration->SetCurve(channel, OvCurveLinearization(redExponent + 0.05 * channel));
    return calibration;
}

// Two calibrations whose tables differ in every chunk, taken in turn, so that the
// change-only uploads send the whole table every time.
struct AlternatingCalibrations {
    OvRef<OvColorLinearization> even = Calibration(1.0);
    OvRef<OvColorLinearization> odd = Calibration(1.1);
    OvTrafo* For(int64_t iteration) const { return (iteration % 2 ? odd : even).Get(); }
};

// One family's whole download: table, upload and finishing steps.
void RGBCalibrationDownload(benchmark::State& state, const char* model)
{
    Bench bench(model);
    const AlternatingCalibrations calibrations;
    MeasureAgainstWaits(state, bench, [&calibrations](Bench& b, int64_t iteration) {
        b.Device().SetRGBCalibration(calibrations.For(iteration), nullptr);
    });
}
BENCHMARK_CAPTURE(RGBCalibrationDownload, V193A_IgnoreGain, "V193A")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RGBCalibrationDownload, V192L_19Inch, "V192L")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RGBCalibrationDownload, SV272Q_10To10bit, "SV272Q")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RGBCalibrationDownload, SV231S_Series90, "SV231S")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RGBCalibrationDownload, PA271W_Series90ColorConvert, "PA271W")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RGBCalibrationDownload, PA322UHD_SeriesPA, "PA322UHD")->Unit(benchmark::kMillisecond);

// A PA322UHD (17-point grid, written to RAM, then saved) with a USB link of its own.
void Lut17PointDownload(benchmark::State& state, OvEmulator::Link link)
{
    OvEmulator::EmulatedModel model = *OvEmulator::FindModel("PA322UHD");
    model.usbId = 0x0409046B;
    Bench bench(model, link);
    const OvRef<OvColorLinearization> calibration = Calibration(1.0);
    MeasureAgainstWaits(state, bench, [&calibration](Bench& b, int64_t) { b.Device().Set3DLUT(calibration.Get(), nullptr); });
}
BENCHMARK_CAPTURE(Lut17PointDownload, DDC, OvEmulator::Link::kDdc)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Lut17PointDownload, USB, OvEmulator::Link::kUsb)->Unit(benchmark::kMillisecond);

}  // namespace
