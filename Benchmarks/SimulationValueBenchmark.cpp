// The cost of one simulated-display read, GetSimulationValue, which loads both simulation
// files afresh on every call: on a realistic controls file (three displays, a hundred keys
// and three 256-entry curves each) and on files two and four times that size, against the
// baseline of reading the same files' bytes without parsing them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "CpuTimeReporter.h"
#include "CurveText.h"
#include "OvCore/OvString.h"
#include "OvDevices/OvMonitorSimulation.h"
#include "Ovio/OvFileSpec.h"
#include "Support/OvTestFolder.h"


namespace {

constexpr int kKeysPerBlock = 100;

// One display's controls, scale times the realistic content: VCP values and three curves
// per block, as the simulator writes them.
std::string DisplayControls(int display, int scale)
{
    std::string text = "Screen";
    text += std::to_string(display);
    text += " = \r\n{\r\n";
    for (int block = 0; block < scale; ++block) {
        char suffix[16] = "";
        if (block > 0) std::snprintf(suffix, sizeof suffix, "_%d", block);
        for (int i = 0; i < kKeysPerBlock; ++i) {
            char line[64];
            std::snprintf(line, sizeof line, "\tVCPVAL_%04x%s = %d\r\n", 0x1000 + i * 7, suffix, i * 37 % 1024);
            text += line;
        }
        for (const char* curve : {"RLUT", "GLUT", "BLUT"}) {
            text += '\t';
            text += curve;
            text += suffix;
            text += " = \"";
            text += CurveText(display + block);
            text += "\"\r\n";
        }
    }
    text += "\tConnected = true\r\n}\r\n";
    return text;
}

std::string Description()
{
    std::string text;
    for (int display = 0; display < 3; ++display) {
        char lines[128];
        std::snprintf(lines, sizeof lines, "Display%d = Screen%d\r\nScreen%d = \r\n{\r\n\tZEZPort = %d\r\n}\r\n", display,
                      display, display, display);
        text += lines;
    }
    return text;
}

class SimulationFolder {
public:
    // The simulation files in a fresh application-data folder.
    SimulationFolder() : fMaker(OvFileSpec::FolderPath(kOvFolderMaker).Chars())
    {
        Write(OvMonitorSimulation::kDescriptionFileName, Description());
    }

    // Writes controls of the given scale; returns the size of both files in bytes.
    size_t WriteControls(int scale) const
    {
        std::string text;
        for (int display = 0; display < 3; ++display) text += DisplayControls(display, scale);
        Write(OvMonitorSimulation::kControlsFileName, text);
        return text.size() + Description().size();
    }

    std::string Read(const char* name) const { return OvReadBytes(fMaker + name); }

private:
    void Write(const char* name, const std::string& text) const { OvWriteBytes(fMaker + name, text); }

    OvScopedTestFolders fFolders;
    std::string fMaker;
};

SimulationFolder* gFolder = nullptr;

// One read by selector of a key near the end of the last display's section.
void GetSimulationValue(benchmark::State& state)
{
    const size_t bytes = gFolder->WriteControls(static_cast<int>(state.range(0)));
    const OvMonitorSelector selector{OvString("ZEZPort"), 2};
    const OvString key("Connected");
    const OvString fallback("false");
    if (!(OvMonitorSimulation::GetSimulationValue(selector, key, fallback) == "true")) {
        state.SkipWithError("the simulated display's value was not found");
        return;
    }
    for (auto _ : state) {
        OvString value = OvMonitorSimulation::GetSimulationValue(selector, key, fallback);
        benchmark::DoNotOptimize(value.Chars());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
// Medians of five runs: the machine is shared, single runs scatter.
BENCHMARK(GetSimulationValue)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The baseline: reading the bytes of both files, nothing more.
void ReadFileBytes(benchmark::State& state)
{
    gFolder->WriteControls(1);
    for (auto _ : state) {
        std::string description = gFolder->Read(OvMonitorSimulation::kDescriptionFileName);
        std::string controls = gFolder->Read(OvMonitorSimulation::kControlsFileName);
        benchmark::DoNotOptimize(description.data());
        benchmark::DoNotOptimize(controls.data());
    }
}
BENCHMARK(ReadFileBytes)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Prints how the times compare.
void PrintRatios(const CpuTimeReporter& reporter)
{
    std::printf("\n");
    const char* const comparisons[][3] = {
        {"One read vs reading the file bytes", "GetSimulationValue/1", "ReadFileBytes"},
        {"Twice the file vs the realistic one", "GetSimulationValue/2", "GetSimulationValue/1"},
        {"Four times the file vs the realistic one", "GetSimulationValue/4", "GetSimulationValue/1"},
    };
    for (const auto& [label, measured, baseline] : comparisons) {
        if (const auto ratio = reporter.Ratio(measured, baseline)) std::printf("%s: %.2fx the time\n", label, *ratio);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SimulationFolder folder;
    gFolder = &folder;
    CpuTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
