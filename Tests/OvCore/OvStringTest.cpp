#include "OvCore/OvString.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "OvCore/OvError.h"
#include "Support/OvCaptureStream.h"

namespace {

std::string Bytes(const OvString& text)
{
    return std::string(text.Chars(), static_cast<size_t>(text.Length()));
}

template <class Action>
void ExpectError(Action action, int32_t code, const char* name)
{
    try {
        action();
        ADD_FAILURE() << "no error raised, expected " << name;
    } catch (const OvError& error) {
        EXPECT_EQ(error.code, code);
        EXPECT_STREQ(error.name, name);
    }
}

class OvStringTest : public ::testing::Test {
protected:
    OvScopedDebugCapture fCapture;  // keeps raised errors off the debugger output
};

TEST_F(OvStringTest, ConstructionFromTextsBytesAndWideUnits)
{
    EXPECT_EQ(OvString(static_cast<const char*>(nullptr)).Length(), 0);
    EXPECT_STREQ(OvString().Chars(), "");
    EXPECT_TRUE(OvString("").IsEmpty());
    EXPECT_EQ(OvString("").ShareCount(), 0);  // the empty string needs no buffer

    const OvString abc("abc");
    EXPECT_EQ(abc.Length(), 3);
    EXPECT_EQ(abc.Capacity(), 3);
    EXPECT_FALSE(abc.IsWide());

    const OvString bytes("a\0b", 3);
    EXPECT_EQ(bytes.Length(), 3);
    EXPECT_EQ(Bytes(bytes), std::string("a\0b", 3));

    const OvString wide(u"h\u00e9", -1);
    EXPECT_TRUE(wide.IsWide());
    EXPECT_EQ(wide.Length(), 4);
    EXPECT_EQ(std::u16string(wide.WideChars()), u"h\u00e9");
    EXPECT_EQ(OvString(u"xyz", 2).Length(), 4);
    EXPECT_TRUE(OvString(u"xyz", 0).IsEmpty());
    EXPECT_TRUE(OvString(u"", -1).IsEmpty());
    EXPECT_TRUE(OvString(static_cast<const char16_t*>(nullptr), 3).IsEmpty());

    const OvString raw("\x01\x02", 2, true);
    EXPECT_TRUE(raw.IsWide());
    EXPECT_EQ(raw.Length(), 2);

    EXPECT_EQ(OvString::FromLong(-42), "-42");
    EXPECT_EQ(OvString::FromULong(4000000000UL), "4000000000");
}

TEST_F(OvStringTest, CopiesShareTheBufferUntilOneChanges)
{
    OvString first("hello");
    OvString second(first);
    EXPECT_EQ(first.ShareCount(), 2);
    EXPECT_EQ(first.Chars(), second.Chars());

    second.Append('!');
    EXPECT_EQ(first, "hello");
    EXPECT_EQ(second, "hello!");
    EXPECT_EQ(first.ShareCount(), 1);
    EXPECT_EQ(second.ShareCount(), 1);

    OvString third = first;
    third.CharRef(0) = 'J';
    EXPECT_EQ(first, "hello");
    EXPECT_EQ(third, "Jello");

    OvString fourth = first;
    const OvString& alias = fourth;
    fourth = alias;  // self-assignment keeps the shared buffer
    EXPECT_EQ(first.ShareCount(), 2);
    fourth = "other";
    EXPECT_EQ(first.ShareCount(), 1);
    OvString moved(std::move(fourth));
    EXPECT_EQ(moved, "other");
    EXPECT_EQ(moved.ShareCount(), 1);
}

TEST_F(OvStringTest, CharAtChecksTheIndexAgainstTheCapacity)
{
    const OvString text("abc");
    EXPECT_EQ(text.CharAt(0), 'a');
    EXPECT_EQ(text.CharAt(2), 'c');
    ExpectError([&] { text.CharAt(3); }, 7, "OvIndexError");
    ExpectError([&] { text.CharAt(-1); }, 7, "OvIndexError");
    ExpectError([] { OvString().CharAt(0); }, 7, "OvIndexError");

    OvString grown;
    grown.Append("abc");
    EXPECT_EQ(grown.Capacity(), 10);
    EXPECT_EQ(grown.CharAt(3), '\0');  // inside the capacity, past the length
    EXPECT_EQ(grown.CharAt(9), '\0');
    ExpectError([&] { grown.CharAt(10); }, 7, "OvIndexError");
    ExpectError([&] { grown.CharRef(10); }, 7, "OvIndexError");
}

TEST_F(OvStringTest, WritingANulInPlaceShortensTheText)
{
    OvString text("abcdef");
    OvString shared(text);
    text.CharRef(3) = '\0';
    EXPECT_EQ(text.Length(), 3);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(shared.Length(), 6);
    text.Append("xy");
    EXPECT_EQ(text, "abcxy");

    OvString replaced("a,b,c");
    replaced.ReplaceChar(',', '\0');
    EXPECT_EQ(replaced.Length(), 1);
    EXPECT_EQ(OvString("a-b-c").ReplaceChar('-', '+'), "a+b+c");
}

TEST_F(OvStringTest, AppendGrowsByHalfAndAtLeastTenBytes)
{
    OvString text;
    text.Append("abc");
    EXPECT_EQ(text.Capacity(), 10);
    text.Append("defghij");
    EXPECT_EQ(text.Capacity(), 10);
    text.Append('k');
    EXPECT_EQ(text.Capacity(), 15);
    text.Append(std::string(40, 'z').c_str());
    EXPECT_EQ(text.Capacity(), 51);
    EXPECT_EQ(text.Length(), 51);

    OvString fixed("abcd");
    fixed.Append('\0');
    fixed.Append(static_cast<const char*>(nullptr));
    EXPECT_EQ(fixed.Capacity(), 4);
    fixed += fixed;  // appending a string to itself
    EXPECT_EQ(fixed, "abcdabcd");
    fixed.Append(fixed.Chars() + 2, 3);
    EXPECT_EQ(fixed, "abcdabcdcda");
    EXPECT_EQ(OvString("ab") + OvString("cd"), "abcd");
}

TEST_F(OvStringTest, WideStringsChangedInPlaceNoLongerAppend)
{
    OvString wide(u"ab", -1);
    wide.Append("c\0", 2);
    EXPECT_EQ(std::u16string(wide.WideChars()), u"abc");
    wide.CharRef(0) = 'x';
    ExpectError([&] { wide.Append("d\0", 2); }, 42, "GeneralErr");
}

TEST_F(OvStringTest, MidClampsItsRange)
{
    const OvString text("abcdef");
    EXPECT_EQ(text.Mid(-3, 2), "ab");
    EXPECT_EQ(text.Mid(2, 3), "cde");
    EXPECT_EQ(text.Mid(2), "cdef");
    EXPECT_EQ(text.Mid(4, 10), "ef");
    EXPECT_TRUE(text.Mid(6, 1).IsEmpty());
    EXPECT_TRUE(text.Mid(99).IsEmpty());
    EXPECT_TRUE(text.Mid(1, 0).IsEmpty());
    EXPECT_EQ(text.Left(3), "abc");
    EXPECT_EQ(text.Left(-1), "abcdef");

    const OvString wide(u"wxyz", -1);
    const OvString part = wide.Mid(2, 4);
    EXPECT_TRUE(part.IsWide());
    EXPECT_EQ(std::u16string(part.WideChars()), u"xy");
}

TEST_F(OvStringTest, SearchingIsByteWise)
{
    const OvString text("Hello hello HELLO");
    EXPECT_EQ(text.Find("hello"), 6);
    EXPECT_EQ(text.Find("hello", 7), -1);
    EXPECT_EQ(text.Find("hello", 7, true), 12);
    EXPECT_EQ(text.Find("HELLO", -5, true), 0);
    EXPECT_EQ(text.Find("xyz"), -1);
    EXPECT_EQ(OvString("\xC9t\xE9").Find("\xE9", 0, true), 2);  // only A-Z fold
    EXPECT_EQ(text.FindChar('l'), 2);
    EXPECT_EQ(text.FindChar('l', 4), 8);
    EXPECT_EQ(text.FindChar('z'), -1);
    EXPECT_EQ(text.FindLastChar('l'), 9);
    EXPECT_EQ(text.FindLastChar('H'), 12);
    EXPECT_EQ(text.FindFirstOf(" o"), 4);
    EXPECT_EQ(text.FindFirstOf(""), -1);
    EXPECT_EQ(OvString().Find("a"), -1);
    ExpectError([&] { text.Find(nullptr); }, 3, "OvArgErr");
    ExpectError([&] { text.FindFirstOf(nullptr); }, 3, "OvArgErr");
}

TEST_F(OvStringTest, EqualityAndOrdering)
{
    EXPECT_TRUE(OvString("ab\0cd", 5).Equals(OvString("ab")));  // 8-bit: up to the first NUL
    EXPECT_TRUE(OvString("a\0b\0", 4, true).Equals(OvString("a\0b\0", 4, false)));
    EXPECT_FALSE(OvString("a\0b\0", 4, true).Equals(OvString("a")));  // wide: all bytes count
    EXPECT_TRUE(OvString() == "");

    EXPECT_EQ(OvString("abc").Compare("abd"), -1);
    EXPECT_EQ(OvString("abc").Compare("abc"), 0);
    EXPECT_EQ(OvString("abcd").Compare("abc"), 1);
    EXPECT_EQ(OvString("\xE9").Compare("z"), 1);  // unsigned bytes
    ExpectError([] { OvString("a").Compare(nullptr); }, 3, "OvArgErr");

    EXPECT_EQ(OvString("HeLLo").CompareNoCase("hello"), 0);
    EXPECT_EQ(OvString("a").CompareNoCase("C"), 'a' - 'c');
    EXPECT_EQ(OvString("ab").CompareNoCase("a"), 'b');
    EXPECT_NE(OvString("\xC9").CompareNoCase("\xE9"), 0);
    ExpectError([] { OvString("a").CompareNoCase(nullptr); }, 3, "OvArgErr");
}

TEST_F(OvStringTest, FormatCutsAt4094Characters)
{
    EXPECT_EQ(OvString::Format("%d-%s", 7, "x"), "7-x");
    const std::string longText(5000, 'q');
    const OvString cut = OvString::Format("%s", longText.c_str());
    EXPECT_EQ(cut.Length(), 4094);
    EXPECT_EQ(Bytes(cut), longText.substr(0, 4094));
}

TEST_F(OvStringTest, NumberConversions)
{
    EXPECT_EQ(OvString("  -42abc").ToInt(), -42);
    EXPECT_EQ(OvString("+17").ToInt(), 17);
    EXPECT_EQ(OvString("abc").ToInt(), 0);
    EXPECT_EQ(OvString().ToInt(), 0);
    EXPECT_EQ(OvString("2147483647").ToInt(), INT32_MAX);
    EXPECT_EQ(OvString("2147483648").ToInt(), INT32_MAX);
    EXPECT_EQ(OvString("99999999999999999999").ToInt(), INT32_MAX);
    EXPECT_EQ(OvString("-2147483649").ToInt(), INT32_MIN);

    EXPECT_DOUBLE_EQ(OvString("0,5").ToDouble(), 0.5);
    EXPECT_DOUBLE_EQ(OvString("0.5").ToDouble(), 0.5);
    EXPECT_DOUBLE_EQ(OvString("1,25").ToDouble(), 1.25);
    EXPECT_DOUBLE_EQ(OvString("1,2,5").ToDouble(), 1.2);
    EXPECT_DOUBLE_EQ(OvString(" -3e2x").ToDouble(), -300.0);
    EXPECT_DOUBLE_EQ(OvString("x").ToDouble(), 0.0);
    const OvString source("7,5");
    source.ToDouble();
    EXPECT_EQ(source, "7,5");  // converts a copy

    for (const char* yes : {"YES", "True", "7", "-1", "tRUE", "yes"}) EXPECT_TRUE(OvString(yes).ToBool()) << yes;
    for (const char* no : {"no", "0", "", "false", "yess", " true", "0x1"}) EXPECT_FALSE(OvString(no).ToBool()) << no;
}

}  // namespace
