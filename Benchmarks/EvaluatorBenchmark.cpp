// The formula transform on the 17-point grid of a 3D LUT download (4913 colours), with the
// formula of the "Swap3DLUT" command. As in the download, the transform is built once and
// reads the formula text afresh for every colour.
//
// Baseline, measured in the same run when muParser is installed: muParser parses and
// evaluates the same program for every colour. It has no statements, so the program is
// its comma-separated expression list "t=x0, x0=x1, x1=t" over the variables x0, x1, x2
// and t; each colour takes SetExpr (which discards the previous parse) and Eval. For
// information only, muParser parsing once and evaluating its bytecode per colour.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <vector>

#include "CpuTimeReporter.h"
#include "OvMath/OvColorType.h"
#include "OvMath/OvEvaluateTrafo.h"
#include "OvMath/OvVector.h"

#ifdef OV_BENCHMARK_MUPARSER
#include <muParser.h>
#endif

namespace {

using Rgb = std::array<double, 3>;
constexpr int kGridPoints = 17;
constexpr const char* kSwapFormula = "t=x0; x0=x1; x1=t";

const std::vector<Rgb>& Grid()
{
    static const std::vector<Rgb> grid = [] {
        std::vector<Rgb> points;
        for (int r = 0; r < kGridPoints; ++r)
            for (int g = 0; g < kGridPoints; ++g)
                for (int b = 0; b < kGridPoints; ++b) {
                    const auto level = [](int i) { return i * 255.0 / (kGridPoints - 1); };
                    points.push_back({level(r), level(g), level(b)});
                }
        return points;
    }();
    return grid;
}

void OvEvaluateTrafoGrid(benchmark::State& state)
{
    OvEvaluateTrafo trafo(kSwapFormula);
    for (auto _ : state) {
        for (const Rgb& point : Grid()) {
            OvVector colour(3, kOvColorRGB, point[0], point[1], point[2]);
            trafo.EvaluateVector(colour);
            benchmark::DoNotOptimize(colour[0]);
        }
    }
    state.counters["points"] = static_cast<double>(Grid().size());
}
BENCHMARK(OvEvaluateTrafoGrid)->Unit(benchmark::kMillisecond);

#ifdef OV_BENCHMARK_MUPARSER
constexpr const char* kMuParserSwap = "t=x0, x0=x1, x1=t";

struct MuParserSwap {
    MuParserSwap()
    {
        parser.DefineVar("x0", &x[0]);
        parser.DefineVar("x1", &x[1]);
        parser.DefineVar("x2", &x[2]);
        parser.DefineVar("t", &t);
        parser.SetExpr(kMuParserSwap);
    }
    void Evaluate(const Rgb& point, bool parse)
    {
        x = point;
        if (parse) parser.SetExpr(kMuParserSwap);
        int results = 0;
        // Not DoNotOptimize(x[0]): with it the Release build read a stale x0 after Eval,
        // which writes the variables through the pointers muParser holds.
        benchmark::DoNotOptimize(parser.Eval(results));
        benchmark::ClobberMemory();
    }

    mu::Parser parser;
    Rgb x{};
    double t = 0;
};

void MuParserGrid(benchmark::State& state)
{
    MuParserSwap swap;
    for (auto _ : state)
        for (const Rgb& point : Grid()) swap.Evaluate(point, true);
}
BENCHMARK(MuParserGrid)->Unit(benchmark::kMillisecond);

void MuParserGridParsedOnce(benchmark::State& state)
{
    MuParserSwap swap;
    for (auto _ : state)
        for (const Rgb& point : Grid()) swap.Evaluate(point, false);
}
BENCHMARK(MuParserGridParsedOnce)->Unit(benchmark::kMillisecond);
#endif

// Both programs must swap the first two channels, or the comparison means nothing.
bool SwapsChannels()
{
    OvEvaluateTrafo trafo(kSwapFormula);
    OvVector colour(3, kOvColorRGB, 1.0, 2.0, 3.0);
    trafo.EvaluateVector(colour);
    bool swapped = colour[0] == 2.0 && colour[1] == 1.0 && colour[2] == 3.0;
#ifdef OV_BENCHMARK_MUPARSER
    MuParserSwap swap;
    swap.Evaluate({1.0, 2.0, 3.0}, true);
    swapped = swapped && swap.x == Rgb{2.0, 1.0, 3.0};
#endif
    return swapped;
}

void PrintResults(const CpuTimeReporter& reporter)
{
    std::printf("\nGrid of %d points, formula \"%s\"\n", static_cast<int>(Grid().size()), kSwapFormula);
#ifdef OV_BENCHMARK_MUPARSER
    if (const auto ratio = reporter.Ratio("MuParserGrid", "OvEvaluateTrafoGrid")) {
        std::printf("OvEvaluateTrafo vs muParser, both parsing per point: %.2fx faster\n", *ratio);
    }
#else
    (void)reporter;
    std::printf("muParser not installed: no baseline measured\n");
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!SwapsChannels()) {
        std::fprintf(stderr, "the programs do not swap the first two channels\n");
        return 1;
    }
    CpuTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintResults(reporter);
    benchmark::Shutdown();
    return 0;
}
