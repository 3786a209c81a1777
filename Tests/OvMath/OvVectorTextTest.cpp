#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "OvMath/OvVector.h"
#include "Support/OvCaptureStream.h"
#include "Support/OvTestSupport.h"

namespace {

// Reads its text in small pieces, so that reading spans several Read calls.
class TextInput : public OvStream {
public:
    explicit TextInput(std::string text) : fText(std::move(text)) {}
    OV_DESTROY_SLOT(TextInput)

    int32_t Read(void* buffer, int32_t count, int32_t* read) override
    {
        const size_t n = std::min({static_cast<size_t>(count), fText.size() - fPosition, size_t{7}});
        std::memcpy(buffer, fText.data() + fPosition, n);
        fPosition += n;
        if (read) *read = static_cast<int32_t>(n);
        return static_cast<int32_t>(n);
    }
    int32_t Write(const void*, int32_t, int32_t*) override { return 0; }

private:
    std::string fText;
    size_t fPosition = 0;
};

OvVector Read(const std::string& text)
{
    TextInput input(text);
    OvVector vector;
    vector.ReadText(input);
    return vector;
}

}  // namespace

TEST(OvVectorText, WriteTextWritesTheExactPieces)
{
    OvCaptureStream stream;
    OvVector(2, 0, 0.5, 1.0).WriteText(stream);
    EXPECT_EQ(stream.Writes(), (std::vector<std::string>{"DIM  2\n", "TYPE 0\n", "BEGIN_DATA\n", "0.500000\t",
                                                         "1.000000\t", "\nEND_DATA\n"}));

    stream.Clear();
    OvVector twelve(12, kOvColorRGB, -0.25);
    twelve.WriteText(stream, "%.2f");
    EXPECT_EQ(stream.Text(), "DIM 12\nTYPE 1380401696\nBEGIN_DATA\n-0.25\t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\t"
                             "0.00\t0.00\t0.00\t0.00\t\nEND_DATA\n");
}

TEST(OvVectorText, ReadTextSkipsCommentsAndIgnoresKeywordCase)
{
    const OvVector vector = Read("# written by hand\n"
                                 "  # an indented comment DIM 9\n"
                                 "dim 3\r\n"
                                 "Type 1380401696\n"
                                 "Begin_Data\n"
                                 "0.25 1e2\t-3\n"
                                 "#2 a comment inside the data\n"
                                 "end_data\n");
    EXPECT_EQ(vector.GetType(), kOvColorRGB);
    EXPECT_EQ((std::vector<double>{vector[0], vector[1], vector[2]}), (std::vector<double>{0.25, 100.0, -3.0}));
    EXPECT_EQ(vector.GetDim(), 3);

    // Whatever WriteText writes reads back, types with the top bit set included.
    OvCaptureStream stream;
    const double values[] = {1.5, -2.25, 3, 4, 5, 6};
    OvVector(6, 0x80000001u, values).WriteText(stream);
    const OvVector back = Read(stream.Text());
    EXPECT_EQ(back.GetType(), 0x80000001u);
    EXPECT_EQ((std::vector<double>{back[0], back[1], back[2], back[3], back[4], back[5]}),
              (std::vector<double>{1.5, -2.25, 3, 4, 5, 6}));
}

TEST(OvVectorText, ReadTextRejectsBadDimensionsAndExtraValues)
{
    for (const char* text : {"BEGIN_DATA 1 END_DATA", "DIM 0 BEGIN_DATA END_DATA", "DIM -4 BEGIN_DATA END_DATA",
                             "DIM 2000000000 BEGIN_DATA END_DATA"}) {
        EXPECT_OV_ERROR(Read(text), 3, "OvArgErr");
    }
    EXPECT_OV_ERROR(Read("DIM 2 BEGIN_DATA 1 2"), 8, "OvEOFReached");
    EXPECT_OV_ERROR(Read("DIM 2 TYPE 0"), 8, "OvEOFReached");
    // Too many values leave the vector as it was; too few leave zeros.
    OvVector vector(2, kOvColorRGB, 7.0, 8.0);
    TextInput tooMany("DIM 2 BEGIN_DATA 1 2 3 END_DATA");
    EXPECT_OV_ERROR(vector.ReadText(tooMany), 7, "OvIndexError");
    EXPECT_EQ(vector.GetType(), kOvColorRGB);
    EXPECT_EQ(vector[1], 8.0);
    TextInput tooFew("DIM 2 BEGIN_DATA 1 END_DATA");
    vector.ReadText(tooFew);
    EXPECT_EQ(vector.GetType(), 0u);
    EXPECT_EQ(vector[0], 1.0);
    EXPECT_EQ(vector[1], 0.0);
}
