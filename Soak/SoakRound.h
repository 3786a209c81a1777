#pragma once
// One soak round: the scenario's download on a fresh emulated machine, and its outcome
// judged against what the display holds and what the device raised.
#include <string>

#include "Soak/SoakScenario.h"

enum class SoakVerdict {
    kHeldComputed,       // completed; the display holds the computed table or grid
    kRaisedAsSpecified,  // raised the error the download gives for the failure
    kAcceptedByDesign,   // completed with another table where the download's rules say so
    kFinding,            // anything else
};

struct SoakOutcome {
    SoakVerdict verdict;
    std::string label;   // the outcome as the summary groups it
    std::string detail;  // which chunk failed, where the memory differs
};

SoakOutcome RunSoakRound(const SoakScenario& scenario);
