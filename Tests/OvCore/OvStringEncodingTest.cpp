#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OvCore/OvString.h"
#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"
#include "Support/OvTestSupport.h"

namespace {

using Lines = std::vector<std::string>;

std::u16string Units(const OvString& wide)
{
    EXPECT_TRUE(wide.IsWide() || wide.IsEmpty());
    return std::u16string(wide.WideChars(), static_cast<size_t>(wide.Length() / 2));
}

class OvStringEncodingTest : public ::testing::Test {
protected:
    OvScopedDebugCapture fCapture;
};

TEST_F(OvStringEncodingTest, HexToBytesReadsPairsOfDigitsAndBytesToHexWritesThem)
{
    uint8_t out[5] = {};
    EXPECT_EQ(OvString("00FF10").HexToBytes(out, 4), 3);
    EXPECT_EQ(OvString("aBc9").HexToBytes(out + 3, 2), 2);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 5), (std::vector<uint8_t>{0x00, 0xFF, 0x10, 0xAB, 0xC9}));
    EXPECT_EQ(OvString().HexToBytes(nullptr, 0), 0);
    EXPECT_EQ(OvString::BytesToHex(out, 5), "00FF10ABC9");
    EXPECT_TRUE(OvString::BytesToHex(out, -1).IsEmpty());
}

TEST_F(OvStringEncodingTest, HexToBytesRejectsBadDigitsOddLengthAndSmallBuffers)
{
    uint8_t out[16] = {};
    for (const char* text : {"G0", "0G", "ABC", "12 4", "A"}) {  // bad first digit, bad second, odd length
        EXPECT_OV_ERROR(OvString(text).HexToBytes(out, 16), 19, "FormatErr");
        EXPECT_STREQ(LastErrorRecord().file, "StringEncoding");
    }
    EXPECT_OV_ERROR(OvString("010203").HexToBytes(out, 2), 7, "OvIndexError");
}

TEST_F(OvStringEncodingTest, ToAsciiReplacesLatin1ByLookAlikes)
{
    std::string all = "plain ~";
    for (int byte = 0x80; byte <= 0xFF; ++byte) all += static_cast<char>(byte);
    const OvString latin(all.c_str());
    EXPECT_EQ(OvBytes(latin.ToAscii()),
              "plain ~????????????????????????????????"
              " ?cLoY|S?ca?- R-o?23'm?. 1o>????"
              "AAAAAAACEEEEIIIIDNOOOOOxOUUUUY?s"
              "aaaaaaaceeeeiiiionooooo/ouuuuypy");
    EXPECT_EQ(OvBytes(latin), all);  // the source is unchanged
}

TEST_F(OvStringEncodingTest, ToUtf16DecodesAndLogsMalformedInputWithItsPosition)
{
    const struct { const char* utf8; std::u16string units; Lines logged; } cases[] = {
        {"A\xC3\xA9\xE2\x82\xAC", u"A\u00e9\u20ac", {}},
        {"\xF0\x9F\x98\x80", u"\xF600", {}},  // low 16 bits, no surrogates
        {"\x80", std::u16string(1, u'\0'), {"Bad UTF8 start character at 0"}},
        {"\xE2\x82" "A", u"\x0082" u"A", {"Unexpected UTF8 start character at 2"}},
        {"ab\xBF" "cd", u"ab?cd", {"Bad UTF8 start character at 2", "Unexpected UTF8 start character at 3"}},
        // A bad start byte takes up to four continuation bytes; the text may end in a sequence.
        {"\x80\x81\x82", u"B", {"Bad UTF8 start character at 0"}},
        {"x\xE2\x82", u"x\x0082", {}},
        {"\xC3", u"\x0003", {}},
    };
    for (const auto& [utf8, units, logged] : cases) {
        SCOPED_TRACE(utf8);
        fCapture.Clear();
        EXPECT_EQ(Units(OvString(utf8).ToUtf16()), units);
        EXPECT_EQ(fCapture.Lines(), logged);
    }
    EXPECT_TRUE(OvString().ToUtf16().IsEmpty());
    const OvString wide(u"w", -1);
    EXPECT_EQ(wide.ToUtf16().Chars(), wide.Chars());  // already wide

    // Logging is the only report: with channel 0 off nothing is written.
    fCapture.Clear();
    EnableChannel(kOvChannelGeneral, false);
    EXPECT_EQ(Units(OvString("\x80").ToUtf16()).size(), 1u);
    EXPECT_EQ(fCapture.Text(), "");
}

TEST_F(OvStringEncodingTest, ToUtf8EncodesEachUnitInOneToThreeBytes)
{
    const char16_t withZero[] = {u'a', 0, u'b'};
    const struct { OvString wide; std::string utf8; } cases[] = {
        {OvString(u"\x20AC", 1), "\xE2\x82\xAC"},
        {OvString(u"\x007F\x0080\x07FF\x0800", 4), "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80"},
        {OvString(u"\xD83D\xDE00", 2), "\xED\xA0\xBD\xED\xB8\x80"},  // surrogates one by one
        {OvString(withZero, 3), std::string("a\0b", 3)},
    };
    for (const auto& [wide, utf8] : cases) EXPECT_EQ(OvBytes(wide.ToUtf8()), utf8);
    const OvString narrow("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC 100");
    EXPECT_EQ(narrow.ToUtf8().Chars(), narrow.Chars());  // 8-bit text is returned as it is
    EXPECT_EQ(narrow.ToUtf16().ToUtf8(), narrow);
}

}  // namespace
