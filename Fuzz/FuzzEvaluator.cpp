// Runs arbitrary text as a formula: through the scalar evaluator, the matrix evaluator and
// the formula transform on one colour. Any text must end in a value or an OvError.
#include <cstddef>
#include <cstdint>

#include "OvCore/OvError.h"
#include "OvCore/OvString.h"
#include "OvMath/OvColorType.h"
#include "OvMath/OvEvaluate.h"
#include "OvMath/OvEvaluateTrafo.h"
#include "OvTools/OvDebug.h"

namespace {

// The channel names a colour transform gets, so that formulas reach past the lookups.
template <class Evaluator>
void RunWithChannels(Evaluator& evaluator, const OvString& text)
{
    evaluator.SetVariable("x0", 0.25);
    evaluator.SetVariable("x1", 0.5);
    evaluator.SetVariable("x", 0.75);
    try {
        evaluator.SetProgramAndRun(text);
        evaluator.Run();  // again, on the variables the first run left
    } catch (const OvError&) {
    }
}

void Transform(const OvString& text)
{
    try {
        OvEvaluateTrafo trafo(text);
        trafo.Parameters() = OvVector(2, 0, 0.1, 0.9);
        OvVector colour(3, kOvColorRGB, 10.0, 128.0, 255.0);
        trafo.EvaluateVector(colour);
        trafo.EvaluateVector(colour);
    } catch (const OvError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnableChannel(kOvChannelError, false);  // malformed formulas raise all the time
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 16)) return 0;
    const OvString text(data, static_cast<int32_t>(size), false);
    OvEvaluateDouble scalar;
    RunWithChannels(scalar, text);
    OvEvaluateMatrix matrix;
    RunWithChannels(matrix, text);
    Transform(text);
    return 0;
}
