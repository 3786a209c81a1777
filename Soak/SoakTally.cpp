#include "Soak/SoakTally.h"

#include <iomanip>

namespace {
constexpr const char* kVerdictNames[] = {"held", "raised", "by design", "findings"};
constexpr SoakVerdict kVerdicts[] = {SoakVerdict::kHeldComputed, SoakVerdict::kRaisedAsSpecified,
                                     SoakVerdict::kAcceptedByDesign, SoakVerdict::kFinding};
}  // namespace

void SoakTally::Add(const std::string& family, const SoakOutcome& outcome)
{
    ++fByOutcome[(outcome.verdict == SoakVerdict::kFinding ? "finding: " : "") + outcome.label];
    ++fByFamily[family][outcome.verdict];
    ++(outcome.verdict == SoakVerdict::kFinding ? fFailed : fPassed);
}

void SoakTally::Print(std::ostream& out) const
{
    out << "Outcomes\n";
    for (const auto& [label, count] : fByOutcome) out << std::setw(8) << count << "  " << label << '\n';
    out << "Families" << std::setw(44) << "";
    for (const char* name : kVerdictNames) out << std::setw(10) << name;
    out << '\n';
    for (const auto& [family, counts] : fByFamily) {
        out << "  " << std::left << std::setw(50) << family << std::right;
        for (SoakVerdict verdict : kVerdicts) {
            const auto found = counts.find(verdict);
            out << std::setw(10) << (found == counts.end() ? 0 : found->second);
        }
        out << '\n';
    }
    out << fPassed << " passed, " << fFailed << " failed\n";
}
