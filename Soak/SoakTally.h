#pragma once
// The counts of a soak run per outcome and per family, and the summary CI reads: it ends
// with "N passed, M failed", where failed counts the findings.
#include <cstdint>
#include <map>
#include <ostream>
#include <string>

#include "Soak/SoakRound.h"

class SoakTally {
public:
    void Add(const std::string& family, const SoakOutcome& outcome);
    int64_t Findings() const { return fFailed; }
    void Print(std::ostream& out) const;

private:
    std::map<std::string, int64_t> fByOutcome;
    std::map<std::string, std::map<SoakVerdict, int64_t>> fByFamily;
    int64_t fPassed = 0;
    int64_t fFailed = 0;
};
