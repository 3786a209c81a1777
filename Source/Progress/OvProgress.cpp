#define OV_SOURCE_FILE "Source/Progress/OvProgress"
#include "Progress/OvProgress.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "OvCore/OvError.h"
#include "OvSystem/OvPlatform.h"
#include "OvSystem/OvSystem.h"

namespace {

constexpr int32_t kAdvanceStepMs = 50;

// printf with a format chosen at run time (the console progress's own format), which no
// compiler can check (clang would warn about it even in the va_list form).
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wformat-nonliteral"
#endif
void PrintFormatted(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
}
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

}  // namespace

// ---- OvProgress ---------------------------------------------------------------------------

void OvProgress::Notify(int32_t) {}

// ---- OvProgressEx -------------------------------------------------------------------------

void OvProgressEx::AdvanceTo(double target, int32_t durationMs)
{
    if (!(fFraction < target)) return;
    if (durationMs >= kAdvanceStepMs) {
        const double from = fFraction;
        const uint32_t start = OvPlatform::TickCount();
        uint32_t elapsed = 0;
        do {
            SleepMs(kAdvanceStepMs);
            // The tick count wraps; the unsigned difference stays right across the wrap.
            elapsed = OvPlatform::TickCount() - start;
            const double t = std::clamp(static_cast<double>(elapsed) / durationMs, 0.0, 1.0);
            SetProgress((1.0 - t) * from + t * target);
        } while (elapsed < static_cast<uint32_t>(durationMs));
    }
    SetProgress(target);
}

// ---- OvConsoleProgress --------------------------------------------------------------------

OvConsoleProgress::OvConsoleProgress(const OvString& format) : fFormat(format) {}

void OvConsoleProgress::SetProgress(double fraction)
{
    StoreFraction(fraction);
    PrintFormatted(fFormat.Chars(), fraction * 100.0);
    // The host interleaves these lines with its own output, so they leave at once.
    std::fflush(stdout);
}

double OvConsoleProgress::GetProgress() const { return StoredFraction(); }

// ---- OvSubProgress ------------------------------------------------------------------------

OvSubProgress::OvSubProgress(OvProgress* parent, double start, double end)
    : fParent(parent), fStart(start), fEnd(end)
{
}

void OvSubProgress::SetProgress(double fraction)
{
    StoreFraction(fraction);
    if (fParent) fParent->SetProgress(GetProgress());
}

void OvSubProgress::Notify(int32_t message)
{
    if (fParent) fParent->Notify(message);
}

double OvSubProgress::GetProgress() const { return fStart + (fEnd - fStart) * StoredFraction(); }

void OvSubProgress::SetRange(double start, double end)
{
    fStart = start;
    fEnd = end;
}

void OvSubProgress::GetRange(double& start, double& end) const
{
    start = fStart;
    end = fEnd;
}

void OvSubProgress::NextRange(double end)
{
    fStart = std::clamp(StoredFraction(), std::min(fStart, fEnd), std::max(fStart, fEnd));
    fEnd = end;
    SetProgress(0.0);
}

void OvSubProgress::ClearSteps()
{
    fSteps.RemoveAll();
    fStepIndex = kNoStep;
}

void OvSubProgress::AddStep(double weight)
{
    if (fSteps.IsEmpty()) fSteps.Append(0.0);
    fSteps.Append(weight);
}

void OvSubProgress::NormalizeSteps()
{
    if (fSteps.IsEmpty()) return;
    double sum = 0.0;
    for (double& boundary : fSteps) {
        sum += boundary;
        boundary = sum;
    }
    if (sum == 0.0) OV_RAISE(kOvDivZero, "OvDivZero");
    for (double& boundary : fSteps) boundary /= sum;
}

void OvSubProgress::SelectStep(int32_t index)
{
    if (!IsStep(index)) OV_RAISE(kOvIndexError, "OvIndexError");
    fStepIndex = index;
    SetRange(fSteps[index], fSteps[index + 1]);
}

void OvSubProgress::NextStep()
{
    ++fStepIndex;
    if (IsStep(fStepIndex)) {
        SetRange(fSteps[fStepIndex], fSteps[fStepIndex + 1]);
    } else {
        // Stays just past the last step, so further calls keep the finished range.
        fStepIndex = fSteps.Count() - 1;
        SetRange(1.0, 1.0);
    }
}
