// The text format: reading, writing and malformed text.
#include <gtest/gtest.h>

#include <string>

#include "OvData/OvDataBase.h"
#include "OvDataTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

class OvDataBaseTextTest : public ::testing::Test {
protected:
    void Load(const std::string& text) { fDataBase.LoadFromText(Text(text)); }
    std::string Written() const { return Bytes(fDataBase.ToText()); }
    std::string Value(const char* path) const { return Bytes(fDataBase.GetValue(path, "<missing>")); }
    std::string Key(int32_t index) const { return Bytes(fDataBase.Entry(index).key); }

    OvScopedDebugCapture fCapture;  // keeps raised errors off the debugger output
    OvDataBase fDataBase;
};

TEST_F(OvDataBaseTextTest, WritesNestedPairsWithTabsAndCrLfForANewDataBase)
{
    fDataBase.SetValue("Brightness", "120");
    fDataBase.SetValue("Display/Name", "ZEZ");
    fDataBase.SetValue("Display/Gains/Red", "255");
    EXPECT_EQ(Written(),
              "Brightness = 120\r\n"
              "Display = \r\n{\r\n"
              "\tName = ZEZ\r\n"
              "\tGains = \r\n\t{\r\n\t\tRed = 255\r\n\t}\r\n"
              "}\r\n");
    EXPECT_EQ(Bytes(fDataBase.Newline()), "");
    EXPECT_EQ(Bytes(OvDataBase().ToText()), "");
}

TEST_F(OvDataBaseTextTest, QuotesKeysAndValuesHoldingBlanksTabsLineEndsOrQuotes)
{
    const auto line = [](const char* key, const char* value, bool alwaysQuote) {
        return Bytes(OvDBData(key, value).Format(alwaysQuote));
    };
    EXPECT_EQ(line("Key", "plain\\path", false), "Key = plain\\path");
    EXPECT_EQ(line("two words", "v", false), "\"two words\" = v");
    EXPECT_EQ(line("tab\tkey", "a\"b\\c", false), "\"tab\tkey\" = \"a\\\"b\\\\c\"");
    EXPECT_EQ(line("k", "line\r\nend", false), "k = \"line\r\nend\"");
    EXPECT_EQ(line("", "", false), "\"\" = ");
    EXPECT_EQ(line("k", "", true), "\"k\" = \"\"");
    EXPECT_EQ(line("k", "v", true), "\"k\" = \"v\"");
}

TEST_F(OvDataBaseTextTest, UnquotedValuesRunToTheLineEndWithTrailingBlanks)
{
    Load("Name = two words\nPadded =\t  x  \nEmpty =\nLast = end");
    EXPECT_EQ(Value("Name"), "two words");
    EXPECT_EQ(Value("Padded"), "x  ");
    EXPECT_EQ(Value("Empty"), "");
    EXPECT_EQ(Value("Last"), "end");
    EXPECT_EQ(Written(), "Name = \"two words\"\nPadded = \"x  \"\nEmpty = \nLast = end\n");
}

TEST_F(OvDataBaseTextTest, QuotedKeysAndValuesAreUnquotedAndMaySpanLines)
{
    Load("\"a key\" = \"a\\\"b\\\\c\\d\"\n"
         "multi = \"one\r\ntwo\"\n"
         "open = \"unterminated\n"
         "x = y\n");
    EXPECT_EQ(Key(0), "a key");
    EXPECT_EQ(Value("a key"), "a\"b\\c\\d");
    EXPECT_EQ(Value("multi"), "one\r\ntwo");
    // An unterminated quoted value runs to the end of the text and keeps its quote.
    ASSERT_EQ(fDataBase.Count(), 3);
    EXPECT_EQ(Value("open"), "\"unterminated\nx = y\n");
}

TEST_F(OvDataBaseTextTest, EmptyValueBeforeABraceOrAtTheEndOfTheText)
{
    Load("Section =\n{\n\tKey = v\n}\nTail =");
    EXPECT_EQ(Value("Section"), "");
    EXPECT_EQ(Value("Section/Key"), "v");
    EXPECT_EQ(Value("Tail"), "");
    EXPECT_EQ(Written(), "Section = \n{\n\tKey = v\n}\nTail = \n");
}

TEST_F(OvDataBaseTextTest, KeepsTheFirstLineEndOfTheText)
{
    Load("a = 1\nb = 2\r\n");
    EXPECT_EQ(Written(), "a = 1\nb = 2\n");
    Load("a = 1\rb = 2\r");
    EXPECT_EQ(Written(), "a = 1\rb = 2\r");
    Load("a = 1\n\rb = 2\n\r");
    EXPECT_EQ(Written(), "a = 1\nb = 2\n");
    Load("a = 1\r\nb = 2\n");
    EXPECT_EQ(Written(), "a = 1\r\nb = 2\r\n");
    Load("a = 1");
    EXPECT_EQ(Written(), "a = 1\r\n");
}

TEST_F(OvDataBaseTextTest, ByteOrderMarkAndOuterBracesAreSkipped)
{
    Load("\xEF\xBB\xBF{\n\ta = 1\n\tb =\n\t{\n\t\tc = 2\n\t}\n}\nignored = 3\n");
    ASSERT_EQ(fDataBase.Count(), 2);
    EXPECT_EQ(Value("b/c"), "2");
    Load("\xEF\xBB\xBF# comment\na = 1\n}\nignored = 3\n");  // a top-level '}' ends the text
    ASSERT_EQ(fDataBase.Count(), 1);
    EXPECT_EQ(Value("a"), "1");
}

TEST_F(OvDataBaseTextTest, CommentsAndBlockCommentsHideLines)
{
    Load("# comment = 1\n"
         "a = 1 # part of the value\n"
         "#{ hidden = 1\n"
         "hidden = 2\n"
         "   #} not an end\n"
         "hidden = 3\n"
         "#}b = 2\n"
         "\t# indented comment\n"
         "c = 3\n");
    ASSERT_EQ(fDataBase.Count(), 3);
    EXPECT_EQ(Value("a"), "1 # part of the value");
    EXPECT_EQ(Value("b"), "2");
    EXPECT_EQ(Value("c"), "3");
    Load("a = 1\n#{\nb = 2\n");  // an open block comment hides the rest
    EXPECT_EQ(fDataBase.Count(), 1);
}

TEST_F(OvDataBaseTextTest, BracketedPairsAndLaterBracesReplacingAChild)
{
    Load("<a = 1\n>\n< b = 2\n\t>\nc =\n{\nx = 1\n}\n{\ny = 2\n}\n");
    ASSERT_EQ(fDataBase.Count(), 3);
    EXPECT_EQ(Value("a"), "1");
    EXPECT_EQ(Value("b"), "2");
    EXPECT_EQ(Value("c/x"), "<missing>");
    EXPECT_EQ(Value("c/y"), "2");
}

TEST_F(OvDataBaseTextTest, InfoBlockIsKeptApartAndWrittenFirst)
{
    Load("a = 1\n_DBInfo =\n{\n\tVersion = 3\n}\nb =\n{\n\t_DBInfo = x\n\t{\n\t\tDepth = 1\n\t}\n\tc = 2\n}\n");
    ASSERT_EQ(fDataBase.Count(), 2);
    ASSERT_TRUE(fDataBase.Info());
    EXPECT_EQ(Bytes(fDataBase.Info()->GetValue("Version", "")), "3");
    EXPECT_FALSE(fDataBase.Exists("_DBInfo"));
    EXPECT_FALSE(fDataBase.Exists("b/_DBInfo"));
    EXPECT_EQ(Written(),
              "_DBInfo =\n{\n\tVersion = 3\n}\n"
              "a = 1\n"
              "b = \n{\n\t_DBInfo =\t\n\t{\n\t\tDepth = 1\n\t}\n\tc = 2\n}\n");

    Load("_DBInfo = first\n{\n\tN = 1\n}\n_DBInfo = second\n");  // only the first leaves
    EXPECT_EQ(Value("_DBInfo"), "second");
    Load("fresh = 1\n");  // a text without an info block keeps the one there is
    ASSERT_TRUE(fDataBase.Info());
    EXPECT_EQ(Bytes(fDataBase.Info()->GetValue("N", "")), "1");
}

TEST_F(OvDataBaseTextTest, MissingEqualsSignNamesTheKey)
{
    ExpectError([&] { Load("key=value\n"); }, 19, "Missing \"=\" after \"key=value\"");
    ExpectError([&] { Load("key =value\n"); }, 19, "Missing \"=\" after \"key\"");
    ExpectError([&] { Load("\"quoted key\" =1\n"); }, 19, "Missing \"=\" after \"quoted key\"");
    ExpectError([&] { Load("a = 1\nb = 2\nlonely"); }, 19, "Missing \"=\" after \"lonely\"");
    ASSERT_EQ(fDataBase.Count(), 2);  // the pairs read before the fault stay
    EXPECT_EQ(Value("b"), "2");
}

TEST_F(OvDataBaseTextTest, BraceBeforeAnyPairAndMissingClosingBracketRaise)
{
    ExpectError([&] { Load("{\n{\na = 1\n}\n}\n"); }, 7, "OvIndexError");
    ExpectError([&] { Load("a = 1\nb =\n{\n{\n"); }, 7, "OvIndexError");
    EXPECT_EQ(fDataBase.Count(), 2);
    EXPECT_TRUE(fDataBase.GetChild("b", false));

    ExpectError([&] { Load("x = 0\n<a = 1\nb = 2\n"); }, 19, "FormatErr");
    ASSERT_EQ(fDataBase.Count(), 2);
    EXPECT_EQ(Value("a"), "1");
}

TEST_F(OvDataBaseTextTest, NestingBeyondAThousandLevelsIsRejected)
{
    std::string deep;
    for (int i = 0; i < 1000; ++i) deep += "k =\n{\n";
    Load(deep);
    EXPECT_TRUE(fDataBase.Exists("k/k/k"));
    ExpectError([&] { Load(deep + "k =\n{\n"); }, 19, "FormatErr");
}

TEST_F(OvDataBaseTextTest, ParseReadsOnePairAndMovesThePosition)
{
    const OvString text("skip a = \"x y\" rest\nb = 2");
    int32_t position = 5;
    OvDBData pair;
    pair.Parse(text, position);
    EXPECT_EQ(Bytes(pair.key), "a");
    EXPECT_EQ(Bytes(pair.value), "x y");
    EXPECT_EQ(position, 14);

    int32_t outside = 100;
    ExpectError([&] { pair.Parse(text, outside); }, 7, "OvIndexError");
    outside = -1;
    ExpectError([&] { pair.Parse(text, outside); }, 7, "OvIndexError");
}

}  // namespace
