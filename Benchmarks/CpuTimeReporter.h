#pragma once
// The console report, keeping each benchmark's CPU time per iteration as well (the wall
// time suffers on a busy machine): the median of a repeated benchmark, else its single
// run. Programs print their ratios from it after the runs.
#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

class CpuTimeReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Iteration || median) fTimes[NameAndArguments(run)] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // measured's time over baseline's ("GetSimulationValue/2" names a benchmark with its
    // argument); nothing when either did not run or the baseline took no time.
    std::optional<double> Ratio(const std::string& measured, const std::string& baseline) const
    {
        const auto own = fTimes.find(measured);
        const auto other = fTimes.find(baseline);
        if (own == fTimes.end() || other == fTimes.end() || other->second <= 0) return std::nullopt;
        return own->second / other->second;
    }

private:
    // "GetSimulationValue/2", without the repetition count.
    static std::string NameAndArguments(const Run& run)
    {
        std::string name = run.run_name.function_name;
        if (!run.run_name.args.empty()) {
            name += '/';
            name += run.run_name.args;
        }
        return name;
    }

    std::map<std::string, double> fTimes;
};
