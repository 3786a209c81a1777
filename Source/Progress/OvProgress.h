#pragma once
// Fractional progress (0 to 1) of long device operations.
//
// The host hands in progress objects of its own and calls ours, by vtable slot, so the
// slot order is fixed (index from 0):
//   OvProgress:        0 destructor slot (OvDestroy), 1 SetProgress, 2 Notify
//   OvProgressEx:      3 AdvanceTo, 4 GetProgress
//   OvConsoleProgress: no further slots
//   OvSubProgress:     5 SetRange, 6 GetRange, 7 NextRange, 8 ClearSteps, 9 AddStep,
//                      10 NormalizeSteps, 11 SelectStep, 12 NextStep
// As with OvObject, the destructor has one explicit slot on every compiler: OvDestroy
// runs the destructor, frees the memory when bit 0 of flags is set and returns the object.
//
// These objects are not reference counted: the code that creates one owns it, usually on
// the stack.
#include <cstdint>

#include "OvCore/OvObject.h"
#include "OvCore/OvString.h"
#include "OvData/OvArray.h"

class OvProgress {
public:
    virtual OvProgress* OvDestroy(uint8_t flags) = 0;
    virtual void SetProgress(double fraction) = 0;
    // A message for whoever displays the progress; the base ignores it.
    virtual void Notify(int32_t message);

protected:
    OvProgress() = default;
    OvProgress(const OvProgress&) = default;
    OvProgress& operator=(const OvProgress&) = default;
    ~OvProgress() = default;
};

// A progress that stores the last fraction it was given.
class OvProgressEx : public OvProgress {
public:
    // Moves from the stored fraction to target over durationMs milliseconds, reporting
    // every 50 ms, then reports target. Nothing happens when the stored fraction is not
    // below target; a duration under 50 ms reports target at once.
    virtual void AdvanceTo(double target, int32_t durationMs);
    virtual double GetProgress() const = 0;

protected:
    OvProgressEx() = default;
    ~OvProgressEx() = default;

    double StoredFraction() const { return fFraction; }
    void StoreFraction(double fraction) { fFraction = fraction; }

private:
    double fFraction = 0.0;
};

// Prints each fraction as a percentage on standard output.
class OvConsoleProgress : public OvProgressEx {
public:
    static constexpr const char* kDefaultFormat = "%3.0f %%\n";

    // format takes exactly one double: the fraction times 100.
    explicit OvConsoleProgress(const OvString& format = kDefaultFormat);
    ~OvConsoleProgress() = default;
    OvConsoleProgress(const OvConsoleProgress&) = delete;
    OvConsoleProgress& operator=(const OvConsoleProgress&) = delete;

    OV_DESTROY_SLOT(OvConsoleProgress)

    void SetProgress(double fraction) override;
    double GetProgress() const override;

private:
    OvString fFormat;
};

// Maps its own 0..1 onto the sub-range [start, end] of a parent (which may be absent), so
// that nested steps report into one overall fraction. Optional steps divide its 0..1
// into weighted parts: their boundaries, once normalized, rise from 0 to 1.
class OvSubProgress : public OvProgressEx {
public:
    explicit OvSubProgress(OvProgress* parent, double start = 0.0, double end = 1.0);
    ~OvSubProgress() = default;
    OvSubProgress(const OvSubProgress&) = delete;
    OvSubProgress& operator=(const OvSubProgress&) = delete;

    OV_DESTROY_SLOT(OvSubProgress)

    // Stores the fraction and reports start + (end - start) * fraction to the parent.
    void SetProgress(double fraction) override;
    void Notify(int32_t message) override;  // passed on to the parent
    double GetProgress() const override;    // the stored fraction, mapped

    virtual void SetRange(double start, double end);
    virtual void GetRange(double& start, double& end) const;
    // Starts the next part at the stored fraction (limited to the current range), ending
    // at end, and reports its start.
    virtual void NextRange(double end);

    virtual void ClearSteps();
    virtual void AddStep(double weight);
    // Turns the weights into boundaries from 0 to 1; a zero total raises "OvDivZero".
    virtual void NormalizeSteps();
    // Maps onto [boundary index, boundary index + 1]; "OvIndexError" outside the table.
    virtual void SelectStep(int32_t index);
    // Selects the step after the current one (the first when none is selected yet); past
    // the last step the range becomes 1..1.
    virtual void NextStep();

private:
    static constexpr int32_t kNoStep = -1;

    bool IsStep(int32_t index) const { return index >= 0 && index + 1 < fSteps.Count(); }

    OvProgress* fParent;
    double fStart;
    double fEnd;
    OvArray<double> fSteps;
    int32_t fStepIndex = kNoStep;
};
