#include "Cli/ProgressDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr int kBarWidth = 30;
constexpr double kRedrawSeconds = 0.1;  // a terminal is redrawn at most ten times a second

// "m:ss", or "h:mm:ss" from an hour on.
std::string Duration(double seconds)
{
    const long total = std::lround(std::max(0.0, seconds));
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    return text;
}

}  // namespace

double ProgressDisplay::SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

ProgressDisplay::ProgressDisplay(std::ostream& out, std::string title, bool terminal, Clock clock)
    : fOut(out), fTitle(std::move(title)), fTerminal(terminal), fClock(std::move(clock)), fStart(fClock())
{
    if (fTerminal) DrawBar(0.0);
}

ProgressDisplay::~ProgressDisplay()
{
    // An operation that failed ends the bar's line without claiming 100 %.
    if (!fFinished && fTerminal) fOut << '\n' << std::flush;
}

OvProgress* ProgressDisplay::OvDestroy(uint8_t)
{
    // Owned by zezctl: the plug-in never destroys a host's progress object.
    return this;
}

void ProgressDisplay::Notify(int32_t) {}

void ProgressDisplay::SetProgress(double fraction)
{
    if (fFinished || !std::isfinite(fraction)) return;
    fShown = std::max(fShown, std::clamp(fraction, 0.0, 1.0));
    if (fTerminal) {
        const double now = fClock();
        if (now - fLastDraw >= kRedrawSeconds) DrawBar(fShown);
        return;
    }
    const auto tenth = static_cast<int32_t>(std::floor(fShown * 10.0 + 1e-9));
    if (tenth > fLastTenth && tenth < 10) {
        fLastTenth = tenth;
        PrintLine(tenth * 10);
    }
}

void ProgressDisplay::Finish()
{
    if (fFinished) return;
    fShown = 1.0;
    if (fTerminal) {
        DrawBar(1.0);
        fOut << '\n';
    } else {
        PrintLine(100);
    }
    fOut.flush();
    fFinished = true;
}

void ProgressDisplay::DrawBar(double fraction)
{
    const double now = fClock();
    fLastDraw = now;
    const double elapsed = now - fStart;
    const int filled = static_cast<int>(fraction * kBarWidth);
    std::string line = "\r" + fTitle + " [" + std::string(static_cast<size_t>(filled), '#') +
                       std::string(static_cast<size_t>(kBarWidth - filled), '.') + "] ";
    char percent[16];
    std::snprintf(percent, sizeof percent, "%3d%%", static_cast<int>(fraction * 100.0));
    line += percent;
    line += "  " + Duration(elapsed) + " elapsed";
    // The estimate needs some progress to go on.
    if (fraction >= 1.0) line += ", done     ";
    else if (fraction > 0.01) line += ", " + Duration(elapsed * (1.0 - fraction) / fraction) + " left   ";
    else line += ", --:-- left";
    fOut << line << std::flush;
}

void ProgressDisplay::PrintLine(int32_t percent)
{
    fOut << fTitle << ": " << percent << "% (" << Duration(fClock() - fStart) << " elapsed)\n" << std::flush;
}

bool StandardErrorIsTerminal()
{
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}
