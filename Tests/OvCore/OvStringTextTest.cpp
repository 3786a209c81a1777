#include <gtest/gtest.h>

#include "OvCore/OvString.h"

namespace {

TEST(OvStringText, DelimitersAreTheGivenSetOrWhiteSpace)
{
    for (char c : {'\0', '\t', '\n', '\r', ' '}) {
        EXPECT_TRUE(OvString::IsDelimiter(c, ""));
        EXPECT_TRUE(OvString::IsDelimiter(c, nullptr));
    }
    EXPECT_FALSE(OvString::IsDelimiter('a', ""));
    EXPECT_TRUE(OvString::IsDelimiter(',', ",;"));
    EXPECT_TRUE(OvString::IsDelimiter(';', ",;"));
    EXPECT_FALSE(OvString::IsDelimiter(' ', ",;"));
    EXPECT_FALSE(OvString::IsDelimiter('\0', ",;"));
}

TEST(OvStringText, NextTokenSkipsDelimitersAndReadsQuotedTokensWhole)
{
    const OvString text("  key = \"a \\\"b\\\" c\"  tail");
    int32_t position = 0;
    EXPECT_EQ(text.NextToken(position, true, ""), "key");
    EXPECT_EQ(position, 6);  // the blank ending the token is consumed
    EXPECT_EQ(text.NextToken(position, false, ""), "=");
    EXPECT_EQ(position, 8);
    EXPECT_EQ(text.NextToken(position, true, ""), "\"a \\\"b\\\" c\"");
    EXPECT_EQ(position, 19);  // right after the closing quote
    EXPECT_EQ(text.NextToken(position, true, ""), "tail");
    EXPECT_EQ(position, text.Length());
    EXPECT_TRUE(text.NextToken(position, true, "").IsEmpty());

    int32_t plain = 8;
    EXPECT_EQ(text.NextToken(plain, false, ""), "\"a");  // without quote handling

    const OvString unterminated("\"open \\\\\" x \"never closed");
    int32_t at = 0;
    EXPECT_EQ(unterminated.NextToken(at, true, ""), "\"open \\\\\"");  // an escaped backslash
    EXPECT_EQ(unterminated.NextToken(at, true, ""), "x");
    EXPECT_EQ(unterminated.NextToken(at, true, ""), "\"never closed");

    const OvString csv("a,,b;c");
    EXPECT_EQ(csv.GetToken(0, false, ",;"), "a");
    EXPECT_EQ(csv.GetToken(1, false, ",;"), "b");
    EXPECT_EQ(csv.GetToken(2, false, ",;"), "c");
    EXPECT_TRUE(csv.GetToken(3, false, ",;").IsEmpty());
    EXPECT_TRUE(csv.GetToken(-1, false, ",;").IsEmpty());
}

TEST(OvStringText, QuoteAndUnquoteAreInverse)
{
    const OvString text("say \"hi\" \\ now");
    const OvString quoted = text.Quote();
    EXPECT_EQ(quoted, "\"say \\\"hi\\\" \\\\ now\"");
    EXPECT_EQ(quoted.Unquote(), text);
    EXPECT_EQ(OvString("").Quote(), "\"\"");
    EXPECT_EQ(OvString("\"\"").Unquote(), "");

    EXPECT_EQ(OvString("\"a\\tb\"").Unquote(), "a\\tb");  // other escapes stay
    EXPECT_EQ(OvString("\"ends\\\"").Unquote(), "ends\\");
    EXPECT_EQ(OvString("\"unterminated").Unquote(), "\"unterminated");
    EXPECT_EQ(OvString("plain").Unquote(), "plain");
    EXPECT_EQ(OvString("\"").Unquote(), "\"");
}

TEST(OvStringText, DetectNewlineFindsTheFirstLineEnd)
{
    EXPECT_EQ(OvString("a\r\nb\nc").DetectNewline(), "\r\n");
    EXPECT_EQ(OvString("a\rb\r\n").DetectNewline(), "\r");
    EXPECT_EQ(OvString("a\n\rb").DetectNewline(), "\n");
    EXPECT_EQ(OvString("abc").DetectNewline(), "\r\n");
    EXPECT_EQ(OvString().DetectNewline(), "\r\n");
}

TEST(OvStringText, ReplaceAllSearchesOnAfterTheInsertedText)
{
    EXPECT_EQ(OvString("aaa").ReplaceAll("a", "aa"), "aaaaaa");
    EXPECT_EQ(OvString("one two one").ReplaceAll("one", "1"), "1 two 1");
    EXPECT_EQ(OvString("Cat cAT dog").ReplaceAll("cat", "x", true), "x x dog");
    EXPECT_EQ(OvString("Cat cat").ReplaceAll("cat", "x"), "Cat x");
    EXPECT_EQ(OvString("abc").ReplaceAll("b", ""), "ac");
    EXPECT_EQ(OvString("abc").ReplaceAll("b", nullptr), "ac");
    EXPECT_EQ(OvString("abc").ReplaceAll("", "x"), "abc");
    EXPECT_EQ(OvString("abc").ReplaceAll(nullptr, "x"), "abc");

    OvString text("keep");
    const OvString shared(text);
    text.ReplaceAll("e", "E");
    EXPECT_EQ(text, "kEEp");
    EXPECT_EQ(shared, "keep");
}

}  // namespace
