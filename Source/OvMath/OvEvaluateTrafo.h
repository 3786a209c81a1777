#pragma once
// A formula as a colour transform. The input's channels go into the variables x0, x1, ...
// (the transform's parameters into y0, y1, ...), the program runs, and the output is read
// back from the same variables: "t=x0; x0=x1; x1=t" exchanges the first two channels.
//
// A formula that uses the variable xi first runs once per channel i with xi (and yi, while
// there is a parameter i) set, the channel taking the value xi ends with; the x0... run
// then follows on those values. A formula with a "[" runs on matrices instead: x is the
// input as one row (y the parameters, when there are any) and the output is x, row by row.
//
// Variables keep their values from one transform to the next. Every transform reads the
// formula text afresh. The constructor reads the whole formula, so an unknown character
// raises "OvFormatErr" there already.
#include <cstdint>
#include <vector>

#include "OvCore/OvString.h"
#include "OvMath/OvEvaluate.h"
#include "OvMath/OvTrafo.h"

class OvEvaluateTrafo : public OvTrafo {
public:
    OvEvaluateTrafo() = default;  // no evaluator: transforming raises "OvPtrInvalid"
    explicit OvEvaluateTrafo(const OvString& formula);
    ~OvEvaluateTrafo() = default;
    OvEvaluateTrafo(const OvEvaluateTrafo&) = delete;
    OvEvaluateTrafo& operator=(const OvEvaluateTrafo&) = delete;

    OV_DESTROY_SLOT(OvEvaluateTrafo)
    OV_DECLARE_CAST()

    uint32_t OutputColorType() const override;  // 'RGB '
    void EvaluateVector(OvVector& inOut) override;

    // Forwarded to the evaluator; GetVariable of a matrix gives its first element.
    void SetVariable(const OvString& name, double value);
    double GetVariable(const OvString& name);
    // Whether the formula reads or writes this variable.
    bool UsesVariable(const OvString& name);
    bool UsesMatrices() const { return fMatrix != nullptr; }

private:
    void EvaluateScalars(OvVector& inOut);
    void EvaluateChannels(const OvVector& in, OvVector& out);
    void EvaluateMatrix(OvVector& inOut);
    // "x0", "x1", ... and "y0", ...: the prefix and the character '0' + index.
    const OvString& IndexedName(std::vector<OvString>& names, char prefix, int32_t index);
    // action(evaluator) on whichever evaluator there is; "OvPtrInvalid" without one.
    template <class Action>
    decltype(auto) WithEvaluator(Action&& action);

    OvString fFormula;
    OvEvaluatorPtr<OvEvaluateDouble> fScalar;  // at most one of the two is set
    OvEvaluatorPtr<OvEvaluateMatrix> fMatrix;
    bool fUsesXi = false;
    std::vector<OvString> fXNames;
    std::vector<OvString> fYNames;
};
