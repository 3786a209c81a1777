#include "Calibration/HostTransform.h"

#include <cstring>
#include <utility>

namespace {

// The parameter vector of a transform without parameters: empty, and it stays empty. The
// plug-in asks only its own transforms for parameters; this keeps the slot answerable.
class NoParameters final : public OvVectorData {
public:
    OvVectorData* OvDestroy(uint8_t) override { return this; }  // static: never freed
    void AssignFrom(const OvVectorData&) override {}
    int32_t GetDim() const override { return 0; }
    void SetDim(int32_t) override {}
    double Get(int32_t) const override { return 0.0; }
    double& Ref(int32_t) override { return fScratch = 0.0; }
    uint32_t GetType() const override { return kOvColorTypeRGB; }
    void SetType(uint32_t) override {}

private:
    double fScratch = 0.0;
};

class HostTransform final : public OvTrafo {
public:
    explicit HostTransform(RgbFunction function) : fFunction(std::move(function)) {}

    OvCastBase* Cast(const char* className) override
    {
        for (const char* name : {"HostTransform", "OvTrafo", "OvObject", "OvCastBase"}) {
            if (className != nullptr && std::strcmp(className, name) == 0) return this;
        }
        return nullptr;
    }
    const char* ClassName() const override { return "HostTransform"; }
    OvCastBase* DestroySlot(uint8_t flags) override
    {
        if (flags & 1) {
            delete this;
        } else {
            this->~HostTransform();
        }
        return this;
    }
    int32_t RefCount() const override { return fRefCount; }
    void AddRef() override { ++fRefCount; }
    void Release() override
    {
        if (--fRefCount == 0) DestroySlot(1);
    }

    int32_t InterfaceVersion() const override { return kOvTrafoInterfaceVersion; }
    uint32_t OutputColorType() const override { return kOvColorTypeRGB; }
    void EvaluateVector(OvVectorData& inOut) override
    {
        // A vector of fewer than three components has no colour to transform.
        if (inOut.GetDim() < 3) return;
        const Rgb out = fFunction({inOut.Get(0), inOut.Get(1), inOut.Get(2)});
        for (int32_t c = 0; c < 3; ++c) inOut.Ref(c) = out[static_cast<size_t>(c)];
        inOut.SetType(kOvColorTypeRGB);
    }
    OvVectorData& Parameters() override
    {
        static NoParameters none;
        return none;
    }

private:
    ~HostTransform() = default;

    RgbFunction fFunction;
};

}  // namespace

TransformHandle MakeHostTransform(RgbFunction function)
{
    return TransformHandle(new HostTransform(std::move(function)));
}
