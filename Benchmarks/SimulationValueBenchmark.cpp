// The cost of one simulated-display read, GetSimulationValue, which loads both simulation
// files afresh on every call: on a realistic controls file (three displays, a hundred keys
// and three 256-entry curves each) and on files two and four times that size, against the
// baseline of reading the same files' bytes without parsing them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "OvCore/OvString.h"
#include "OvDevices/OvMonitorSimulation.h"
#include "Ovio/OvFileSpec.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace {

constexpr int kKeysPerBlock = 100;

std::string Curve(int seed)
{
    std::string text;
    for (int i = 0; i < 256; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof entry, " %f", (i * (997 + seed) % 256) / 255.0);
        text += entry;
    }
    return text;
}

// One display's controls, scale times the realistic content: VCP values and three curves
// per block, as the simulator writes them.
std::string DisplayControls(int display, int scale)
{
    std::string text = "Screen" + std::to_string(display) + " = \r\n{\r\n";
    for (int block = 0; block < scale; ++block) {
        const std::string suffix = block == 0 ? "" : "_" + std::to_string(block);
        for (int i = 0; i < kKeysPerBlock; ++i) {
            char key[32];
            std::snprintf(key, sizeof key, "VCPVAL_%04x%s", 0x1000 + i * 7, suffix.c_str());
            text += "\t" + std::string(key) + " = " + std::to_string(i * 37 % 1024) + "\r\n";
        }
        for (const char* curve : {"RLUT", "GLUT", "BLUT"}) {
            text += "\t" + std::string(curve) + suffix + " = \"" + Curve(display + block) + "\"\r\n";
        }
    }
    text += "\tConnected = true\r\n}\r\n";
    return text;
}

std::string Description()
{
    std::string text;
    for (int display = 0; display < 3; ++display) {
        const std::string section = "Screen" + std::to_string(display);
        text += "Display" + std::to_string(display) + " = " + section + "\r\n" + section + " = \r\n{\r\n\tZEZPort = " +
                std::to_string(display) + "\r\n}\r\n";
    }
    return text;
}

class SimulationFolder {
public:
    // Points the application-data folder at a fresh temporary one.
    SimulationFolder() : fRoot(std::filesystem::temp_directory_path() / ("OvSimulationBenchmark-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(fRoot);
        setenv("XDG_CONFIG_HOME", fRoot.string().c_str(), 1);
        fMaker = OvFileSpec::FolderPath(kOvFolderMaker).Chars();
        Write(OvMonitorSimulation::kDescriptionFileName, Description());
    }
    ~SimulationFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(fRoot, ignored);
    }
    SimulationFolder(const SimulationFolder&) = delete;
    SimulationFolder& operator=(const SimulationFolder&) = delete;

    // Writes controls of the given scale; returns the size of both files in bytes.
    size_t WriteControls(int scale) const
    {
        std::string text;
        for (int display = 0; display < 3; ++display) text += DisplayControls(display, scale);
        Write(OvMonitorSimulation::kControlsFileName, text);
        return text.size() + Description().size();
    }

    std::string Read(const char* name) const
    {
        std::ifstream in(fMaker + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    void Write(const char* name, const std::string& text) const { std::ofstream(fMaker + name, std::ios::binary) << text; }

    std::filesystem::path fRoot;
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
BENCHMARK(GetSimulationValue)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

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
BENCHMARK(ReadFileBytes)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's CPU time per iteration and prints the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) fTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const
    {
        std::printf("\n");
        PrintRatio("One read vs reading the file bytes", "GetSimulationValue/1", "ReadFileBytes");
        PrintRatio("Twice the file vs the realistic one", "GetSimulationValue/2", "GetSimulationValue/1");
        PrintRatio("Four times the file vs the realistic one", "GetSimulationValue/4", "GetSimulationValue/1");
    }

private:
    void PrintRatio(const char* label, const char* measured, const char* baseline) const
    {
        const auto own = fTimes.find(measured);
        const auto other = fTimes.find(baseline);
        if (own == fTimes.end() || other == fTimes.end() || other->second <= 0) return;
        std::printf("%s: %.2fx the time\n", label, own->second / other->second);
    }

    std::map<std::string, double> fTimes;
};

}  // namespace

int main(int argc, char** argv)
{
#if defined(_WIN32)
    // Windows offers no way to move the application-data folder, and the benchmark would
    // overwrite the user's simulation files there.
    std::fprintf(stderr, "SimulationValueBenchmark runs on POSIX systems only\n");
    return 1;
#else
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SimulationFolder folder;
    gFolder = &folder;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
#endif
}
