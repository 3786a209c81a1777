#pragma once
// The progress of a long operation, shown on the standard error: on a terminal a bar
// redrawn in place with the percentage, the elapsed time and an estimate of the time
// left; otherwise one line each time another 10 % is reached. It is the progress object
// zezctl hands to the plug-in (the OvProgress slots); the plug-in never destroys it.
#include <chrono>
#include <functional>
#include <ostream>
#include <string>

#include "Contract/OvDeviceContract.h"

class ProgressDisplay final : public OvProgress {
public:
    using Clock = std::function<double()>;  // seconds since any fixed moment

    ProgressDisplay(std::ostream& out, std::string title, bool terminal, Clock clock = SteadySeconds);
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;
    ~ProgressDisplay();

    OvProgress* OvDestroy(uint8_t flags) override;
    // Nested steps of the plug-in may report a lower fraction; the display never goes back.
    void SetProgress(double fraction) override;
    void Notify(int32_t message) override;

    // Shows 100 % and ends the bar's line, once the operation has succeeded.
    void Finish();

    static double SteadySeconds();

private:
    void DrawBar(double fraction);
    void PrintLine(int32_t percent);

    std::ostream& fOut;
    std::string fTitle;
    bool fTerminal;
    Clock fClock;
    double fStart;
    double fShown = 0.0;
    double fLastDraw = -1.0;
    int32_t fLastTenth = 0;  // lines start at 10 %
    bool fFinished = false;
};

// Whether the standard error is a terminal (a console on Windows).
bool StandardErrorIsTerminal();
