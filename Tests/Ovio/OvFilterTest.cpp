#include <gtest/gtest.h>

#include "OvSystem/OvSystemTestSupport.h"
#include "Ovio/OvFilter.h"
#include "Ovio/OvXStream.h"
#include "Support/OvCaptureStream.h"

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

TEST(OvFilterData, ABareFilterHasNoDataOperations)
{
    OvFilter filter;
    char byte = 0;
    EXPECT_OV_ERROR(filter.Read(&byte, 1, nullptr), 1, "OvUndefProc");
    EXPECT_OV_ERROR(filter.Write(&byte, 1, nullptr), 1, "OvUndefProc");
    EXPECT_OV_ERROR(filter.Seek(0, kOvSeekStart), 1, "OvUndefProc");
    EXPECT_OV_ERROR(filter.GetPosition(), 1, "OvUndefProc");
    EXPECT_STREQ(filter.ClassName(), "OvFilter");
    EXPECT_EQ(filter.Cast("OvStream"), &filter);
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
