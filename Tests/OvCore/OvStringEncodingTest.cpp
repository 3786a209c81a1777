#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OvCore/OvError.h"
#include "OvCore/OvString.h"
#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"

namespace {

std::u16string Units(const OvString& wide)
{
    EXPECT_TRUE(wide.IsWide() || wide.IsEmpty());
    return std::u16string(wide.WideChars(), static_cast<size_t>(wide.Length() / 2));
}

std::string Bytes(const OvString& text)
{
    return std::string(text.Chars(), static_cast<size_t>(text.Length()));
}

OvError HexError(const char* text, int32_t outSize = 16)
{
    std::vector<uint8_t> out(16);
    try {
        OvString(text).HexToBytes(out.data(), outSize);
    } catch (const OvError& error) {
        return error;
    }
    ADD_FAILURE() << "no error for " << text;
    return OvError();
}

class OvStringEncodingTest : public ::testing::Test {
protected:
    OvScopedDebugCapture fCapture;
};

TEST_F(OvStringEncodingTest, HexToBytesReadsPairsOfDigits)
{
    uint8_t out[4] = {};
    EXPECT_EQ(OvString("00FF10").HexToBytes(out, 4), 3);
    EXPECT_EQ(out[0], 0x00);
    EXPECT_EQ(out[1], 0xFF);
    EXPECT_EQ(out[2], 0x10);
    EXPECT_EQ(OvString("aBc9").HexToBytes(out, 2), 2);
    EXPECT_EQ(out[0], 0xAB);
    EXPECT_EQ(out[1], 0xC9);
    EXPECT_EQ(OvString().HexToBytes(nullptr, 0), 0);
}

TEST_F(OvStringEncodingTest, HexToBytesRejectsBadDigitsOddLengthAndSmallBuffers)
{
    const OvError badFirst = HexError("G0");
    const OvError badSecond = HexError("0G");
    const OvError odd = HexError("ABC");
    for (const OvError* error : {&badFirst, &badSecond, &odd}) {
        EXPECT_EQ(error->code, 19);
        EXPECT_STREQ(error->name, "FormatErr");
        EXPECT_STREQ(error->file, "StringEncoding");
    }
    // Three distinct checks, so three distinct lines.
    EXPECT_NE(badFirst.line, badSecond.line);
    EXPECT_NE(badSecond.line, odd.line);
    EXPECT_EQ(HexError("12 4").code, 19);
    EXPECT_EQ(HexError("A").code, 19);

    const OvError small = HexError("010203", 2);
    EXPECT_EQ(small.code, 7);
    EXPECT_STREQ(small.name, "OvIndexError");
}

TEST_F(OvStringEncodingTest, BytesToHexWritesUpperCasePairs)
{
    const uint8_t bytes[] = {0x00, 0xAB, 0x1F, 0x9c};
    EXPECT_EQ(OvString::BytesToHex(bytes, 4), "00AB1F9C");
    EXPECT_TRUE(OvString::BytesToHex(bytes, 0).IsEmpty());
    EXPECT_TRUE(OvString::BytesToHex(bytes, -1).IsEmpty());
}

TEST_F(OvStringEncodingTest, ToAsciiReplacesLatin1ByLookAlikes)
{
    const OvString latin("Caf\xE9 \x9F\xA0\xB4\xD7\xDF\xF7\xFE\xFF\xC5\xD1\xB5\x80");
    EXPECT_EQ(latin.ToAscii(), "Cafe ? 'xs/pyANm?");
    EXPECT_EQ(Bytes(latin).size(), 17u);  // the source is unchanged
    EXPECT_EQ(OvString("plain ASCII ~").ToAscii(), "plain ASCII ~");

    std::string all;
    for (int byte = 0x80; byte <= 0xFF; ++byte) all += static_cast<char>(byte);
    const std::string ascii = Bytes(OvString(all.c_str()).ToAscii());
    EXPECT_EQ(ascii,
              "????????????????????????????????"
              " ?cLoY|S?ca?- R-o?23'm?. 1o>????"
              "AAAAAAACEEEEIIIIDNOOOOOxOUUUUY?s"
              "aaaaaaaceeeeiiiionooooo/ouuuuypy");
}

TEST_F(OvStringEncodingTest, ToUtf16DecodesValidSequences)
{
    EXPECT_EQ(Units(OvString("A\xC3\xA9\xE2\x82\xAC").ToUtf16()), u"A\u00e9\u20ac");
    EXPECT_EQ(Units(OvString("\xF0\x9F\x98\x80").ToUtf16()), u"\xF600");  // low 16 bits, no surrogates
    EXPECT_TRUE(OvString().ToUtf16().IsEmpty());
    const OvString wide(u"w", -1);
    EXPECT_EQ(wide.ToUtf16().Chars(), wide.Chars());  // already wide
    EXPECT_EQ(fCapture.Text(), "");
}

TEST_F(OvStringEncodingTest, ToUtf16LogsMalformedInputWithItsPosition)
{
    const OvString lone = OvString("\x80").ToUtf16();
    EXPECT_EQ(lone.Length(), 2);
    EXPECT_EQ(Units(lone), std::u16string(1, u'\0'));
    EXPECT_EQ(fCapture.Lines(), std::vector<std::string>{"Bad UTF8 start character at 0"});

    fCapture.Clear();
    EXPECT_EQ(Units(OvString("\xE2\x82" "A").ToUtf16()), u"\x0082" u"A");
    EXPECT_EQ(fCapture.Lines(), std::vector<std::string>{"Unexpected UTF8 start character at 2"});

    fCapture.Clear();
    EXPECT_EQ(Units(OvString("ab\xBF" "cd").ToUtf16()), u"ab?cd");  // 0xBF & 0x3F is '?'
    EXPECT_EQ(fCapture.Lines(),
              (std::vector<std::string>{"Bad UTF8 start character at 2", "Unexpected UTF8 start character at 3"}));

    // A bad start byte takes up to four continuation bytes; the text may end in a sequence.
    fCapture.Clear();
    EXPECT_EQ(Units(OvString("\x80\x81\x82").ToUtf16()), u"B");
    EXPECT_EQ(Units(OvString("x\xE2\x82").ToUtf16()), u"x\x0082");
    EXPECT_EQ(Units(OvString("\xC3").ToUtf16()), u"\x0003");
    EXPECT_EQ(fCapture.Lines(), std::vector<std::string>{"Bad UTF8 start character at 0"});

    // Logging is the only report: with channel 0 off nothing is written.
    fCapture.Clear();
    EnableChannel(kOvChannelGeneral, false);
    EXPECT_EQ(Units(OvString("\x80").ToUtf16()).size(), 1u);
    EXPECT_EQ(fCapture.Text(), "");
}

TEST_F(OvStringEncodingTest, ToUtf8EncodesEachUnitInOneToThreeBytes)
{
    EXPECT_EQ(Bytes(OvString(u"\x20AC", 1).ToUtf8()), "\xE2\x82\xAC");
    EXPECT_EQ(Bytes(OvString(u"\x007F", 1).ToUtf8()), "\x7F");
    EXPECT_EQ(Bytes(OvString(u"\x0080\x07FF\x0800", 3).ToUtf8()), "\xC2\x80\xDF\xBF\xE0\xA0\x80");
    EXPECT_EQ(Bytes(OvString(u"\xD83D\xDE00", 2).ToUtf8()), "\xED\xA0\xBD\xED\xB8\x80");  // one by one
    const char16_t withZero[] = {u'a', 0, u'b'};
    EXPECT_EQ(Bytes(OvString(withZero, 3).ToUtf8()), std::string("a\0b", 3));
    const OvString narrow("\xC3\xA9");
    EXPECT_EQ(narrow.ToUtf8().Chars(), narrow.Chars());  // 8-bit text is returned as it is

    const OvString text("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC 100");
    EXPECT_EQ(text.ToUtf16().ToUtf8(), text);
}

}  // namespace
