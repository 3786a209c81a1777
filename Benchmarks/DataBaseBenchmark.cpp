// Throughput of the key/value text reader and writer on a large nested file, measured in
// the same run against Boost.PropertyTree's INFO reader and writer on the same content
// (when its headers are installed), and the cost of one simulated-display lookup, which
// loads the controls text afresh each time as the simulator does.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CpuTimeReporter.h"
#include "CurveText.h"
#include "OvCore/OvString.h"
#include "OvData/OvDataBase.h"

#if __has_include(<boost/property_tree/info_parser.hpp>)
#define OV_BENCHMARK_BOOST_INFO 1
#include <sstream>

#include <boost/property_tree/info_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#endif

namespace {

struct Node {
    std::string key;
    std::string value;
    std::vector<Node> children;
};

// A display section as the simulation files hold it: VCP values, a few texts with blanks
// and, with curves, the three 256-entry calibration curves.
Node Display(int index, int keyCount, bool curves)
{
    Node display{"Display" + std::to_string(index), "", {}};
    for (int i = 0; i < keyCount; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "VCPVAL_%04x", 0x1000 + i * 7);
        std::string value = i % 10 == 0 ? "Picture mode " + std::to_string(i) : std::to_string(i * 37 % 1024);
        display.children.push_back({key, value, {}});
    }
    if (curves) {
        for (const char* name : {"RLUT", "GLUT", "BLUT"}) display.children.push_back({name, CurveText(index), {}});
    }
    return display;
}

// About 2.6 MB of text: 400 sections, each with VCP values, a curve and four subsections.
Node LargeFile()
{
    Node root;
    for (int i = 0; i < 400; ++i) {
        Node section = Display(i, 40, false);
        section.children.push_back({"Curve", CurveText(i), {}});
        for (int m = 0; m < 4; ++m) {
            Node mode = Display(m, 30, false);
            mode.key = "Mode" + std::to_string(m);
            section.children.push_back(mode);
        }
        root.children.push_back(section);
    }
    return root;
}

// The controls text of the simulator: three displays, a hundred keys and three curves each.
Node ControlsFile()
{
    Node root;
    for (int i = 0; i < 3; ++i) root.children.push_back(Display(i, 100, true));
    return root;
}

void Fill(OvDataBase& dataBase, const Node& node)
{
    for (const Node& child : node.children) {
        OvDBData& pair = dataBase.Append(OvDBData(child.key.c_str(), child.value.c_str()));
        if (!child.children.empty()) {
            pair.child = OvMakeRef<OvDataBase>();
            Fill(*pair.child, child);
        }
    }
}

const OvString& LargeText()
{
    static const OvString text = [] {
        OvDataBase dataBase;
        Fill(dataBase, LargeFile());
        return dataBase.ToText();
    }();
    return text;
}

const OvString& ControlsText()
{
    static const OvString text = [] {
        OvDataBase dataBase;
        Fill(dataBase, ControlsFile());
        return dataBase.ToText();
    }();
    return text;
}

void OvLoadFromText(benchmark::State& state)
{
    const OvString& text = LargeText();
    for (auto _ : state) {
        OvDataBase dataBase;
        dataBase.LoadFromText(text);
        benchmark::DoNotOptimize(dataBase.Count());
    }
    state.SetBytesProcessed(state.iterations() * text.Length());
}
BENCHMARK(OvLoadFromText)->Unit(benchmark::kMillisecond);

void OvToText(benchmark::State& state)
{
    OvDataBase dataBase;
    dataBase.LoadFromText(LargeText());
    for (auto _ : state) {
        OvString text = dataBase.ToText();
        benchmark::DoNotOptimize(text.Chars());
    }
    state.SetBytesProcessed(state.iterations() * LargeText().Length());
}
BENCHMARK(OvToText)->Unit(benchmark::kMillisecond);

// One read of a simulated value: load the controls text, then look the key up.
void OvSimulatedLookup(benchmark::State& state)
{
    const OvString& text = ControlsText();
    const OvString path("Display1/VCPVAL_12b5");
    for (auto _ : state) {
        OvDataBase dataBase;
        dataBase.LoadFromText(text);
        OvString value = dataBase.GetValue(path, "");
        benchmark::DoNotOptimize(value.Chars());
    }
    state.SetBytesProcessed(state.iterations() * text.Length());
    state.counters["text_bytes"] = text.Length();
}
BENCHMARK(OvSimulatedLookup)->Unit(benchmark::kMicrosecond);

// The path walk alone, on a database already loaded.
void OvPathLookup(benchmark::State& state)
{
    OvDataBase dataBase;
    dataBase.LoadFromText(ControlsText());
    const OvString path("Display2/VCPVAL_12b5");
    for (auto _ : state) {
        OvString value = dataBase.GetValue(path, "");
        benchmark::DoNotOptimize(value.Chars());
    }
}
BENCHMARK(OvPathLookup)->Unit(benchmark::kNanosecond);

#ifdef OV_BENCHMARK_BOOST_INFO
using boost::property_tree::ptree;

void Fill(ptree& tree, const Node& node)
{
    for (const Node& child : node.children) {
        ptree& added = tree.push_back(ptree::value_type(child.key, ptree(child.value)))->second;
        Fill(added, child);
    }
}

const std::string& LargeInfoText()
{
    static const std::string text = [] {
        ptree tree;
        Fill(tree, LargeFile());
        std::ostringstream out;
        boost::property_tree::write_info(out, tree);
        return out.str();
    }();
    return text;
}

void BoostReadInfo(benchmark::State& state)
{
    const std::string& text = LargeInfoText();
    for (auto _ : state) {
        std::istringstream in(text);
        ptree tree;
        boost::property_tree::read_info(in, tree);
        benchmark::DoNotOptimize(tree.size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BoostReadInfo)->Unit(benchmark::kMillisecond);

void BoostWriteInfo(benchmark::State& state)
{
    std::istringstream in(LargeInfoText());
    ptree tree;
    boost::property_tree::read_info(in, tree);
    for (auto _ : state) {
        std::ostringstream out;
        boost::property_tree::write_info(out, tree);
        benchmark::DoNotOptimize(out.tellp());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(LargeInfoText().size()));
}
BENCHMARK(BoostWriteInfo)->Unit(benchmark::kMillisecond);
#endif

// Prints the sizes of the content and how much faster our format is than the baseline.
void PrintRatios([[maybe_unused]] const CpuTimeReporter& reporter)
{
    std::printf("\nSame content: %d bytes in our format, ", static_cast<int>(LargeText().Length()));
#ifdef OV_BENCHMARK_BOOST_INFO
    std::printf("%d bytes as INFO\n", static_cast<int>(LargeInfoText().size()));
    const char* const comparisons[][3] = {
        {"LoadFromText vs read_info", "BoostReadInfo", "OvLoadFromText"},
        {"ToText vs write_info", "BoostWriteInfo", "OvToText"},
    };
    for (const auto& [label, baseline, ours] : comparisons) {
        if (const auto ratio = reporter.Ratio(baseline, ours)) std::printf("%s: %.2fx faster\n", label, *ratio);
    }
#else
    std::printf("no Boost.PropertyTree headers: no baseline measured\n");
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CpuTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
