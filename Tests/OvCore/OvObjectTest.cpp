#include "OvCore/OvObject.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

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
    const OvRef<OvTestCircle> circle = OvMakeRef<OvTestCircle>(&destroyed);
    for (const char* name : {"OvTestCircle", "OvTestShape", "OvObject", "OvCastBase"}) {
        EXPECT_EQ(circle->Cast(name), circle.Get()) << name;
    }
    for (const char* name : std::initializer_list<const char*>{"OVOBJECT", "OvStream", "OvTestCircle ", "", nullptr}) {
        EXPECT_EQ(circle->Cast(name), nullptr) << (name ? name : "(null)");
    }
    EXPECT_STREQ(circle->ClassName(), "OvTestCircle");
    EXPECT_STREQ(circle->OvObject::ClassName(), "OvObject");
    EXPECT_EQ(circle->OvCastBase::Cast("OvObject"), nullptr);  // the root answers only its own name
}

TEST(OvObject, ReleaseDeletesOnlyWhenTheCountWasOne)
{
    int destroyed = 0;
    OvTestCircle* circle = new OvTestCircle(&destroyed);
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

TEST(OvRef, HoldsOneCountAndRaisesPtrInvalidWhenEmpty)
{
    int destroyed = 0;
    {
        OvRef<OvTestCircle> adopted = OvRef<OvTestCircle>::Adopt(new OvTestCircle(&destroyed));
        const OvRef<OvTestShape> base = adopted;  // converts to a base reference
        OvRef<OvTestCircle> moved = std::move(adopted);
        EXPECT_FALSE(adopted);
        OvRef<OvTestCircle> shared = OvRef<OvTestCircle>::Share(moved.Get());
        shared = moved;  // the same object: the count stays
        EXPECT_EQ(moved->RefCount(), 3);
        shared.Reset();
        OvTestCircle* raw = moved.Detach();
        EXPECT_EQ(raw->RefCount(), 2);
        raw->Release();
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);

    OvScopedDebugCapture capture;
    const OvRef<OvTestShape> empty;
    EXPECT_THROW(*empty, OvError);
    EXPECT_THROW(empty->RefCount(), OvError);
    EXPECT_EQ(capture.Lines(), std::vector<std::string>(2, "Error: 20 \"PtrInvalid\", file \"Templates\", line " +
                                                            std::to_string(LastErrorRecord().line)));
}

}  // namespace
