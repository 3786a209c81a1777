#include "OvCore/OvObject.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "OvCore/OvError.h"
#include "OvCore/OvTemplates.h"
#include "Support/OvCaptureStream.h"

// A small class tree: OvCastBase <- OvObject <- OvTestShape <- OvTestCircle.
class OvTestShape : public OvObject {
public:
    OV_DECLARE_CAST()

protected:
    ~OvTestShape() = default;
};

class OvTestCircle final : public OvTestShape {
public:
    explicit OvTestCircle(int* destroyed) : fDestroyed(destroyed) {}
    ~OvTestCircle() { ++*fDestroyed; }
    OV_DECLARE_CAST()
    OV_DESTROY_SLOT(OvTestCircle)

private:
    int* fDestroyed;
};

OV_DEFINE_CAST(OvTestShape, OvObject)
OV_DEFINE_CAST(OvTestCircle, OvTestShape)

namespace {

TEST(OvObject, CastAnswersEveryClassOnThePathToTheRootCaseSensitively)
{
    int destroyed = 0;
    OvTestCircle* circle = new OvTestCircle(&destroyed);
    for (const char* name : {"OvTestCircle", "OvTestShape", "OvObject", "OvCastBase"}) {
        EXPECT_EQ(circle->Cast(name), circle) << name;
    }
    for (const char* name : std::initializer_list<const char*>{"ovtestcircle", "OVOBJECT", "ovcastbase", "OvStream", "OvTestCircle ", "", nullptr}) {
        EXPECT_EQ(circle->Cast(name), nullptr) << (name ? name : "(null)");
    }
    EXPECT_STREQ(circle->ClassName(), "OvTestCircle");
    EXPECT_STREQ(circle->OvObject::ClassName(), "OvObject");
    EXPECT_STREQ(circle->OvCastBase::ClassName(), "OvCastBase");
    EXPECT_EQ(circle->OvCastBase::Cast("OvObject"), nullptr);  // the root answers only its own name
    circle->Release();
    EXPECT_EQ(destroyed, 1);
}

TEST(OvObject, ReleaseDeletesOnlyWhenTheCountWasOne)
{
    int destroyed = 0;
    OvTestCircle* circle = new OvTestCircle(&destroyed);
    EXPECT_EQ(circle->RefCount(), 1);
    circle->AddRef();
    circle->AddRef();
    EXPECT_EQ(circle->RefCount(), 3);
    circle->Release();
    circle->Release();
    EXPECT_EQ(circle->RefCount(), 1);
    EXPECT_EQ(destroyed, 0);
    circle->Release();
    EXPECT_EQ(destroyed, 1);

    OvDelete(new OvTestCircle(&destroyed));
    OvDelete(nullptr);
    EXPECT_EQ(destroyed, 2);
}

TEST(OvRef, HoldsOneCountAndReleasesIt)
{
    int destroyed = 0;
    {
        OvRef<OvTestCircle> adopted = OvRef<OvTestCircle>::Adopt(new OvTestCircle(&destroyed));
        EXPECT_EQ(adopted->RefCount(), 1);
        OvRef<OvTestShape> shared = adopted;  // converts to a base reference
        EXPECT_EQ(adopted->RefCount(), 2);
        OvRef<OvTestCircle> moved = std::move(adopted);
        EXPECT_FALSE(adopted);
        EXPECT_EQ(moved->RefCount(), 2);
        OvRef<OvTestCircle> again = OvRef<OvTestCircle>::Share(moved.Get());
        EXPECT_EQ(moved->RefCount(), 3);
        again = moved;  // same object: the count stays
        EXPECT_EQ(moved->RefCount(), 3);
        EXPECT_TRUE(again == moved);
        again.Reset();
        EXPECT_EQ(moved->RefCount(), 2);
        OvTestCircle* raw = moved.Detach();
        EXPECT_EQ(raw->RefCount(), 2);
        raw->Release();
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);

    OvRef<OvTestCircle> made = OvMakeRef<OvTestCircle>(&destroyed);
    EXPECT_EQ(made->RefCount(), 1);
    made = nullptr;
    EXPECT_EQ(destroyed, 2);
}

TEST(OvRef, DereferencingAnEmptyReferenceRaisesPtrInvalid)
{
    OvScopedDebugCapture capture;
    const OvRef<OvTestShape> empty;
    try {
        empty->RefCount();
        FAIL() << "no error raised";
    } catch (const OvError& error) {
        EXPECT_EQ(error.code, 20);
        EXPECT_STREQ(error.name, "PtrInvalid");
        EXPECT_STREQ(error.file, "Templates");
    }
    EXPECT_EQ(capture.Lines().size(), 1u);
    EXPECT_THROW(*empty, OvError);
}

}  // namespace
