#include <gtest/gtest.h>

#include <utility>

#include "OvCore/OvString.h"

namespace {

using TextPairs = std::initializer_list<std::pair<const char*, const char*>>;

TEST(OvStringText, NextTokenSkipsDelimitersAndReadsQuotedTokensWhole)
{
    // Without a set: NUL, TAB, LF, CR and blank.
    const OvString text("  key\t=\r\"a \\\"b\\\" c\"\n tail");
    int32_t position = 0;
    // The blank ending a token is consumed; a quoted token ends right after its quote.
    const struct { bool quoteAware; const char* token; int32_t position; } steps[] = {
        {true, "key", 6}, {false, "=", 8}, {true, "\"a \\\"b\\\" c\"", 19}, {true, "tail", text.Length()},
        {true, "", text.Length()}};
    for (const auto& [quoteAware, token, after] : steps) {
        EXPECT_EQ(text.NextToken(position, quoteAware, ""), token);
        EXPECT_EQ(position, after) << token;
    }
    int32_t plain = 8;
    EXPECT_EQ(text.NextToken(plain, false, nullptr), "\"a");  // without quote handling
    EXPECT_TRUE(OvString::IsDelimiter('\0', "") && OvString::IsDelimiter('\r', nullptr));
    EXPECT_FALSE(OvString::IsDelimiter('\0', ",;") || OvString::IsDelimiter(' ', ",;"));

    const OvString unterminated("\"open \\\\\" x \"never closed");
    int32_t at = 0;
    for (const char* token : {"\"open \\\\\"", "x", "\"never closed"}) {  // an escaped backslash first
        EXPECT_EQ(unterminated.NextToken(at, true, ""), token);
    }
    const OvString csv("a,,b;c");
    for (const auto& [n, token] : std::initializer_list<std::pair<int32_t, const char*>>{
             {0, "a"}, {1, "b"}, {2, "c"}, {3, ""}, {-1, ""}}) {
        EXPECT_EQ(csv.GetToken(n, false, ",;"), token) << n;
    }
}

TEST(OvStringText, QuoteAndUnquoteAreInverse)
{
    const OvString text("say \"hi\" \\ now");
    EXPECT_EQ(text.Quote(), "\"say \\\"hi\\\" \\\\ now\"");
    EXPECT_EQ(text.Quote().Unquote(), text);
    EXPECT_EQ(OvString("").Quote(), "\"\"");
    for (const auto& [quoted, plain] : TextPairs{{"\"\"", ""}, {"\"a\\tb\"", "a\\tb"},  // other escapes stay
                                                 {"\"ends\\\"", "ends\\"}, {"\"unterminated", "\"unterminated"},
                                                 {"plain", "plain"}, {"\"", "\""}}) {
        EXPECT_EQ(OvString(quoted).Unquote(), plain) << quoted;
    }
}

TEST(OvStringText, DetectNewlineFindsTheFirstLineEnd)
{
    for (const auto& [text, newline] : TextPairs{{"a\r\nb\nc", "\r\n"}, {"a\rb\r\n", "\r"}, {"a\n\rb", "\n"},
                                                 {"abc", "\r\n"}, {"", "\r\n"}}) {
        EXPECT_EQ(OvString(text).DetectNewline(), newline) << text;
    }
}

TEST(OvStringText, ReplaceAllSearchesOnAfterTheInsertedText)
{
    const struct { const char* text; const char* find; const char* replace; bool ignoreCase; const char* result; }
        cases[] = {{"aaa", "a", "aa", false, "aaaaaa"},     {"one two one", "one", "1", false, "1 two 1"},
                   {"Cat cAT dog", "cat", "x", true, "x x dog"}, {"Cat cat", "cat", "x", false, "Cat x"},
                   {"abc", "b", "", false, "ac"},           {"abc", "b", nullptr, false, "ac"},
                   {"abc", "", "x", false, "abc"},          {"abc", nullptr, "x", false, "abc"}};
    for (const auto& [text, find, replace, ignoreCase, result] : cases) {
        EXPECT_EQ(OvString(text).ReplaceAll(find, replace, ignoreCase), result) << text;
    }
    OvString text("keep");
    const OvString shared(text);
    text.ReplaceAll("e", "E");
    EXPECT_EQ(text, "kEEp");
    EXPECT_EQ(shared, "keep");
}

}  // namespace
