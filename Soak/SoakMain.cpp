// OvDownloadSoak: calibration downloads into emulated displays that drop, corrupt and NAK
// their messages, on a virtual clock. Each round's seed replays it:
//   OvDownloadSoak --seed N --rounds N [--verbose]
// Round i runs seed N + i. Exits non-zero when a round ends in a finding.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "Soak/SoakRound.h"
#include "Soak/SoakScenario.h"
#include "Soak/SoakTally.h"

namespace {

// What a crash prints: the seed of the round it happened in.
char gCrashNote[96] = "crashed before the first round\n";

extern "C" void ReportCrash(int signal)
{
    std::fputs(gCrashNote, stderr);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

struct Options {
    uint64_t seed = 1;
    uint64_t rounds = 100;
    bool verbose = false;
};

bool Parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--verbose") {
            options.verbose = true;
        } else if ((arg == "--seed" || arg == "--rounds") && i + 1 < argc) {
            char* end = nullptr;
            const uint64_t value = std::strtoull(argv[++i], &end, 10);
            if (*end != '\0') return false;
            (arg == "--seed" ? options.seed : options.rounds) = value;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!Parse(argc, argv, options)) {
        std::cerr << "usage: OvDownloadSoak --seed N --rounds N [--verbose]\n";
        return 2;
    }
    std::signal(SIGSEGV, ReportCrash);
    std::signal(SIGABRT, ReportCrash);
    std::signal(SIGFPE, ReportCrash);
    SoakTally tally;
    for (uint64_t round = 0; round < options.rounds; ++round) {
        const SoakScenario scenario = SoakScenario::FromSeed(options.seed + round);
        std::snprintf(gCrashNote, sizeof gCrashNote, "finding: crashed, seed %llu\n",
                      static_cast<unsigned long long>(scenario.seed));
        const SoakOutcome outcome = RunSoakRound(scenario);
        tally.Add(std::string(scenario.download->family) + " (" + scenario.download->model + ")", outcome);
        const bool finding = outcome.verdict == SoakVerdict::kFinding;
        if (finding || options.verbose) {
            std::cout << (finding ? "finding: " : "") << outcome.label << "; seed " << scenario.seed << "\n  "
                      << scenario.Describe() << "\n  " << outcome.detail << '\n';
        }
    }
    tally.Print(std::cout);
    return tally.Findings() == 0 ? 0 : 1;
}
