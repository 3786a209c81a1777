#include "OvCore/OvString.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "Support/OvCaptureStream.h"
#include "Support/OvTestSupport.h"

namespace {

class OvStringTest : public ::testing::Test {
protected:
    OvScopedDebugCapture fCapture;  // keeps raised errors off the debugger output
};

TEST_F(OvStringTest, ConstructionFromTextsBytesAndWideUnits)
{
    EXPECT_EQ(OvString(static_cast<const char*>(nullptr)).Length(), 0);
    EXPECT_EQ(OvString("").ShareCount(), 0);  // the empty string needs no buffer
    EXPECT_EQ(OvBytes(OvString("a\0b", 3)), std::string("a\0b", 3));
    const OvString wide(u"h\u00e9", -1);
    EXPECT_TRUE(wide.IsWide() && OvString("\x01\x02", 2, true).IsWide());
    EXPECT_EQ(std::u16string(wide.WideChars()), u"h\u00e9");
    EXPECT_EQ(wide.Length(), 4);  // bytes
    EXPECT_EQ(OvString(u"xyz", 2).Length(), 4);
    EXPECT_TRUE(OvString(static_cast<const char16_t*>(nullptr), 3).IsEmpty());
    EXPECT_EQ(OvString::FromLong(-42), "-42");
    EXPECT_EQ(OvString::FromULong(4000000000UL), "4000000000");
}

TEST_F(OvStringTest, CopiesShareTheBufferUntilOneChanges)
{
    OvString first("hello");
    OvString second(first);
    EXPECT_EQ(first.ShareCount(), 2);
    second.Append('!');
    EXPECT_EQ(first, "hello");
    EXPECT_EQ(second, "hello!");
    EXPECT_EQ(first.ShareCount(), 1);

    OvString third = first;
    third.CharRef(0) = 'J';  // a private copy before the write
    EXPECT_EQ(first, "hello");
    EXPECT_EQ(third, "Jello");

    OvString fourth = first;
    const OvString& alias = fourth;
    fourth = alias;  // self-assignment keeps the shared buffer
    EXPECT_EQ(first.ShareCount(), 2);
    fourth = "other";
    EXPECT_EQ(first.ShareCount(), 1);
    EXPECT_EQ(OvString(std::move(fourth)).ShareCount(), 1);
}

TEST_F(OvStringTest, CharAtChecksTheIndexAgainstTheCapacity)
{
    const OvString text("abc");
    EXPECT_EQ(text.CharAt(2), 'c');
    EXPECT_OV_ERROR(text.CharAt(3), 7, "OvIndexError");
    EXPECT_OV_ERROR(text.CharAt(-1), 7, "OvIndexError");
    EXPECT_OV_ERROR(OvString().CharAt(0), 7, "OvIndexError");
    OvString grown;
    grown.Append("abc");  // capacity 10
    EXPECT_EQ(grown.CharAt(9), '\0');  // inside the capacity, past the length
    EXPECT_OV_ERROR(grown.CharAt(10), 7, "OvIndexError");
    EXPECT_OV_ERROR(grown.CharRef(10), 7, "OvIndexError");
}

TEST_F(OvStringTest, WritingInPlaceRecountsTheLength)
{
    OvString text("abcdef");
    const OvString shared(text);
    text.CharRef(3) = '\0';  // a NUL shortens the text
    EXPECT_EQ(text.Length(), 3);
    EXPECT_EQ(shared.Length(), 6);
    EXPECT_EQ(text.Append("xy"), "abcxy");
    EXPECT_EQ(OvString("a,b,c").ReplaceChar(',', '\0').Length(), 1);
    EXPECT_EQ(OvString("a-b-c").ReplaceChar('-', '+'), "a+b+c");

    OvString wide(u"ab", -1);
    wide.Append("c\0", 2);
    EXPECT_EQ(std::u16string(wide.WideChars()), u"abc");
    wide.CharRef(0) = 'x';  // no longer a known wide length: appending raises
    EXPECT_OV_ERROR(wide.Append("d\0", 2), 42, "GeneralErr");
}

TEST_F(OvStringTest, AppendGrowsByHalfAndAtLeastTenBytes)
{
    OvString text;
    for (const auto& [appended, capacity] : std::initializer_list<std::pair<std::string, int32_t>>{
             {"abc", 10}, {"defghij", 10}, {"k", 15}, {std::string(40, 'z'), 51}}) {
        text.Append(appended.c_str());
        EXPECT_EQ(text.Capacity(), capacity) << text.Length();
    }
    OvString fixed("abcd");
    fixed.Append('\0');
    fixed.Append(static_cast<const char*>(nullptr));
    EXPECT_EQ(fixed.Capacity(), 4);
    fixed += fixed;  // appending a string to itself
    EXPECT_EQ(fixed.Append(fixed.Chars() + 2, 3), "abcdabcdcda");
    EXPECT_EQ(OvString("ab") + OvString("cd"), "abcd");
}

TEST_F(OvStringTest, MidClampsItsRange)
{
    const OvString text("abcdef");
    const struct { int32_t start, count; const char* part; } cases[] = {
        {-3, 2, "ab"}, {2, 3, "cde"}, {2, -1, "cdef"}, {4, 10, "ef"}, {6, 1, ""}, {99, -1, ""}, {1, 0, ""}};
    for (const auto& [start, count, part] : cases) EXPECT_EQ(text.Mid(start, count), part) << start << "," << count;
    EXPECT_EQ(text.Left(3), "abc");
    EXPECT_EQ(text.Left(-1), "abcdef");
    const OvString widePart = OvString(u"wxyz", -1).Mid(2, 4);
    EXPECT_EQ(std::u16string(widePart.WideChars()), u"xy");
}

TEST_F(OvStringTest, SearchingIsByteWise)
{
    const OvString text("Hello hello HELLO");
    const struct { const char* find; int32_t start; bool ignoreCase; int32_t at; } finds[] = {
        {"hello", 0, false, 6}, {"hello", 7, false, -1}, {"hello", 7, true, 12}, {"HELLO", -5, true, 0},
        {"xyz", 0, false, -1}};
    for (const auto& [find, start, ignoreCase, at] : finds) {
        EXPECT_EQ(text.Find(find, start, ignoreCase), at) << find << " " << start;
    }
    EXPECT_EQ(OvString("\xC9t\xE9").Find("\xE9", 0, true), 2);  // only A-Z fold
    EXPECT_EQ((std::vector<int32_t>{text.FindChar('l', 4), text.FindChar('z'), text.FindLastChar('l'),
                                    text.FindFirstOf(" o"), text.FindFirstOf(""), OvString().Find("a")}),
              (std::vector<int32_t>{8, -1, 9, 4, -1, -1}));
    EXPECT_OV_ERROR(text.Find(nullptr), 3, "OvArgErr");
    EXPECT_OV_ERROR(text.FindFirstOf(nullptr), 3, "OvArgErr");
}

TEST_F(OvStringTest, EqualityAndOrdering)
{
    EXPECT_TRUE(OvString("ab\0cd", 5).Equals(OvString("ab")));  // 8-bit: up to the first NUL
    EXPECT_TRUE(OvString("a\0b\0", 4, true).Equals(OvString("a\0b\0", 4, false)));
    EXPECT_FALSE(OvString("a\0b\0", 4, true).Equals(OvString("a")));  // wide: all bytes count
    const struct { const char* a; const char* b; int32_t compare, noCase; } cases[] = {
        {"abc", "abd", -1, -1}, {"abc", "abc", 0, 0}, {"abcd", "abc", 1, 'd'}, {"\xE9", "z", 1, 0xE9 - 'z'},
        {"HeLLo", "hello", -1, 0}, {"a", "C", 1, 'a' - 'c'}, {"\xC9", "\xE9", -1, 0xC9 - 0xE9}};
    for (const auto& [a, b, compare, noCase] : cases) {
        EXPECT_EQ(OvString(a).Compare(b), compare) << a << " " << b;  // unsigned bytes
        EXPECT_EQ(OvString(a).CompareNoCase(b), noCase) << a << " " << b;
    }
    EXPECT_OV_ERROR(OvString("a").Compare(nullptr), 3, "OvArgErr");
    EXPECT_OV_ERROR(OvString("a").CompareNoCase(nullptr), 3, "OvArgErr");
}

TEST_F(OvStringTest, FormatCutsAt4094Characters)
{
    EXPECT_EQ(OvString::Format("%d-%s", 7, "x"), "7-x");
    const std::string longText(5000, 'q');
    EXPECT_EQ(OvBytes(OvString::Format("%s", longText.c_str())), longText.substr(0, 4094));
}

TEST_F(OvStringTest, NumberConversions)
{
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, int32_t>>{
             {"  -42abc", -42}, {"+17", 17}, {"abc", 0}, {"", 0}, {"2147483647", INT32_MAX},
             {"2147483648", INT32_MAX}, {"99999999999999999999", INT32_MAX}, {"-2147483649", INT32_MIN}}) {
        EXPECT_EQ(OvString(text).ToInt(), value) << text;
    }
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{
             {"0,5", 0.5}, {"0.5", 0.5}, {"1,25", 1.25}, {"1,2,5", 1.2}, {" -3e2x", -300.0}, {"x", 0.0}}) {
        EXPECT_DOUBLE_EQ(OvString(text).ToDouble(), value) << text;
    }
    const OvString source("7,5");
    source.ToDouble();
    EXPECT_EQ(source, "7,5");  // converts a copy
    for (const char* yes : {"YES", "True", "7", "-1", "tRUE", "yes"}) EXPECT_TRUE(OvString(yes).ToBool()) << yes;
    for (const char* no : {"no", "0", "", "false", "yess", " true", "0x1"}) EXPECT_FALSE(OvString(no).ToBool()) << no;
}

}  // namespace
