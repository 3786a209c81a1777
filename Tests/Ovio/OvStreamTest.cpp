#include <gtest/gtest.h>

#include "Ovio/OvFilter.h"
#include "Ovio/OvStream.h"
#include "Ovio/OvXStream.h"
#include "Support/OvCaptureStream.h"
#include "Support/OvTestSupport.h"

namespace {

// The least a stream must provide: Write. Everything else is OvStream's default.
class WriteOnlyStream : public OvStreamImplemented {
public:
    OV_DESTROY_SLOT(WriteOnlyStream)
    int32_t Write(const void*, int32_t count, int32_t*) override { return count; }
};

}  // namespace

TEST(OvStreamDefaults, RaiseUndefProcAndAreNotSeekable)
{
    WriteOnlyStream stream;
    OvFilter bareFilter;  // a filter without an inner stream has no data operations either
    char byte = 0;
    for (OvStream* tested : std::initializer_list<OvStream*>{&stream, &bareFilter}) {
        SCOPED_TRACE(tested->ClassName());
        EXPECT_OV_ERROR(tested->Read(&byte, 1, nullptr), 1, "OvUndefProc");
        EXPECT_OV_ERROR(tested->Seek(0, kOvSeekStart), 1, "OvUndefProc");
        EXPECT_OV_ERROR(tested->GetPosition(), 1, "OvUndefProc");
        EXPECT_FALSE(tested->IsSeekable());
        EXPECT_EQ(tested->Cast("OvStream"), tested);
    }
    EXPECT_OV_ERROR(bareFilter.Write(&byte, 1, nullptr), 1, "OvUndefProc");
    EXPECT_EQ(stream.Describe(), "OvStream");
}

TEST(OvFilterInner, AttachTakesOrReceivesAReferenceAndReleasesThePrevious)
{
    OvCaptureStream first;
    OvCaptureStream second;
    {
        OvFilter filter;
        filter.Attach(&first, false);
        EXPECT_EQ(filter.Inner(), &first);
        EXPECT_EQ(first.AddRefCount(), 1);

        filter.Attach(&second, true);  // the caller's reference is handed over
        EXPECT_EQ(second.AddRefCount(), 0);
        EXPECT_EQ(first.ReleaseCount(), 1);

        filter.Attach(&second, false);  // the same again: one more reference, one less
        EXPECT_EQ(second.AddRefCount(), 1);
        EXPECT_EQ(second.ReleaseCount(), 1);

        filter.Detach();
        EXPECT_EQ(filter.Inner(), nullptr);
        EXPECT_EQ(second.ReleaseCount(), 2);
        filter.Attach(&first, false);
    }
    EXPECT_EQ(first.ReleaseCount(), 2);  // the filter's destructor lets go
}

TEST(OvFilterClose, ClosesInnerFiltersButNeverTheStreamAtTheEnd)
{
    OvCaptureStream end;
    OvXStream buffered(&end, false);
    OvFilter outer;
    outer.Attach(&buffered, false);

    buffered.WriteText("pending");
    EXPECT_EQ(end.Text(), "");
    outer.Close();  // reaches the buffered filter, which writes out its text
    EXPECT_EQ(end.Text(), "pending");
    EXPECT_EQ(end.CloseCount(), 0);

    OvFilter direct;
    direct.Attach(&end, false);
    direct.Close();
    EXPECT_EQ(end.CloseCount(), 0);
}
