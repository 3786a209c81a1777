#include <gtest/gtest.h>

#include "OvSystem/OvSystemTestSupport.h"
#include "Ovio/OvStream.h"

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
    char byte = 0;
    EXPECT_OV_ERROR(stream.Read(&byte, 1, nullptr), 1, "OvUndefProc");
    EXPECT_OV_ERROR(stream.Seek(0, kOvSeekStart), 1, "OvUndefProc");
    EXPECT_OV_ERROR(stream.GetPosition(), 1, "OvUndefProc");
    EXPECT_FALSE(stream.IsSeekable());
    EXPECT_EQ(stream.Describe(), "OvStream");
    EXPECT_STREQ(stream.ClassName(), "OvStream");
    EXPECT_EQ(stream.Cast("OvStream"), &stream);
    EXPECT_EQ(stream.Cast("OvObject"), &stream);
    EXPECT_EQ(stream.Cast("OvFile"), nullptr);
    EXPECT_EQ(stream.Cast("ovstream"), nullptr);
}
