#define OV_SOURCE_FILE "Source/OvMath/OvEvaluateTrafo"
#include "OvMath/OvEvaluateTrafo.h"

#include "OvCore/OvError.h"
#include "OvMath/OvColorType.h"

OV_DEFINE_CAST(OvEvaluateTrafo, OvTrafo)

namespace {

double FirstElement(double value)
{
    return value;
}

double FirstElement(const OvMatrix& value)
{
    return value[0];
}

}  // namespace

OvEvaluateTrafo::OvEvaluateTrafo(const OvString& formula) : fFormula(formula)
{
    fScalar.reset(new OvEvaluateDouble);
    fScalar->SetProgram(formula);
    if (fScalar->ContainsToken(kOvTokenOpenBracket, OvString())) {
        fScalar.reset();
        fMatrix.reset(new OvEvaluateMatrix);
        return;
    }
    // The formula never changes, so neither does the answer.
    fUsesXi = fScalar->ContainsToken(kOvTokenIdentifier, "xi");
}

uint32_t OvEvaluateTrafo::OutputColorType() const
{
    return kOvColorRGB;
}

void OvEvaluateTrafo::EvaluateVector(OvVector& inOut)
{
    if (fMatrix) {
        EvaluateMatrix(inOut);
    } else {
        if (!fScalar) OV_RAISE(kOvPtrInvalid, "OvPtrInvalid");
        EvaluateScalars(inOut);
    }
    inOut.SetType(OutputColorType());
}

// The xi pass channel by channel, then one run on x0, x1, ...
void OvEvaluateTrafo::EvaluateScalars(OvVector& inOut)
{
    const OvVector& parameters = Parameters();
    OvVector out(inOut);
    fScalar->SetProgram(fFormula);
    if (fUsesXi) EvaluateChannels(inOut, out);
    for (int32_t i = 0; i < out.GetDim(); ++i) fScalar->SetVariable(IndexedName(fXNames, 'x', i), out[i]);
    for (int32_t i = 0; i < parameters.GetDim(); ++i) fScalar->SetVariable(IndexedName(fYNames, 'y', i), parameters[i]);
    fScalar->Run();
    for (int32_t i = 0; i < out.GetDim(); ++i) out.Ref(i) = fScalar->GetVariable(IndexedName(fXNames, 'x', i));
    inOut = out;
}

void OvEvaluateTrafo::EvaluateChannels(const OvVector& in, OvVector& out)
{
    static const OvString xi("xi"), yi("yi");
    const OvVector& parameters = Parameters();
    for (int32_t i = 0; i < in.GetDim(); ++i) {
        fScalar->SetVariable(xi, in[i]);
        if (i < parameters.GetDim()) fScalar->SetVariable(yi, parameters[i]);
        fScalar->Run();
        out.Ref(i) = fScalar->GetVariable(xi);
    }
}

namespace {

OvMatrix RowOf(const OvVector& vector)
{
    OvMatrix row(1, vector.GetDim());
    for (int32_t i = 0; i < vector.GetDim(); ++i) row[i] = vector[i];
    return row;
}

}  // namespace

void OvEvaluateTrafo::EvaluateMatrix(OvVector& inOut)
{
    static const OvString x("x"), y("y");
    fMatrix->SetProgram(fFormula);
    fMatrix->SetVariable(x, RowOf(inOut));
    if (Parameters().GetDim() > 0) fMatrix->SetVariable(y, RowOf(Parameters()));
    fMatrix->Run();
    const OvMatrix result = fMatrix->GetVariable(x);
    OvVector out(result.Count(), inOut.GetType());
    for (int32_t i = 0; i < result.Count(); ++i) out.Ref(i) = result[i];
    inOut = out;
}

const OvString& OvEvaluateTrafo::IndexedName(std::vector<OvString>& names, char prefix, int32_t index)
{
    while (static_cast<int32_t>(names.size()) <= index) {
        const char name[] = {prefix, static_cast<char>('0' + names.size()), '\0'};
        names.emplace_back(name);
    }
    return names[static_cast<size_t>(index)];
}

template <class Action>
decltype(auto) OvEvaluateTrafo::WithEvaluator(Action&& action)
{
    if (fMatrix) return action(*fMatrix);
    if (!fScalar) OV_RAISE(kOvPtrInvalid, "OvPtrInvalid");
    return action(*fScalar);
}

void OvEvaluateTrafo::SetVariable(const OvString& name, double value)
{
    WithEvaluator([&](auto& evaluator) { evaluator.SetVariable(name, value); });
}

double OvEvaluateTrafo::GetVariable(const OvString& name)
{
    return WithEvaluator([&](auto& evaluator) { return FirstElement(evaluator.GetVariable(name)); });
}

// Reloads the formula and scans it.
bool OvEvaluateTrafo::UsesVariable(const OvString& name)
{
    return WithEvaluator([&](auto& evaluator) {
        evaluator.SetProgram(fFormula);
        return evaluator.ContainsToken(kOvTokenIdentifier, name);
    });
}
