// The text format: reading, writing and malformed text.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "OvData/OvDataBase.h"
#include "OvDataTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

class OvDataBaseTextTest : public ::testing::Test {
protected:
    void Load(const std::string& text) { fDataBase.LoadFromText(Text(text)); }
    std::string Written() const { return OvBytes(fDataBase.ToText()); }
    std::string Value(const char* path) const { return OvBytes(fDataBase.GetValue(path, "<missing>")); }

    OvScopedDebugCapture fCapture;  // keeps raised errors off the debugger output
    OvDataBase fDataBase;
};

TEST_F(OvDataBaseTextTest, ReadsValuesCommentsAndStructureAndKeepsTheFirstLineEnd)
{
    const struct {
        const char* text;
        int32_t count;
        std::vector<std::pair<const char*, const char*>> values;
        const char* written;  // null: not checked
    } cases[] = {
        // Unquoted values run to the line end, trailing blanks included.
        {"Name = two words\nPadded =\t  x  \nEmpty =\nLast = end", 4,
         {{"Name", "two words"}, {"Padded", "x  "}, {"Empty", ""}, {"Last", "end"}},
         "Name = \"two words\"\nPadded = \"x  \"\nEmpty = \nLast = end\n"},
        // Quoted keys and values are unquoted and may span lines; an unterminated one runs to
        // the end of the text and keeps its quote.
        {"\"a key\" = \"a\\\"b\\\\c\\d\"\nmulti = \"one\r\ntwo\"\nopen = \"unterminated\nx = y\n", 3,
         {{"a key", "a\"b\\c\\d"}, {"multi", "one\r\ntwo"}, {"open", "\"unterminated\nx = y\n"}}, nullptr},
        // An empty value before a brace or at the end of the text.
        {"Section =\n{\n\tKey = v\n}\nTail =", 2, {{"Section", ""}, {"Section/Key", "v"}, {"Tail", ""}},
         "Section = \n{\n\tKey = v\n}\nTail = \n"},
        {"a = 1\nb = 2\r\n", 2, {}, "a = 1\nb = 2\n"},
        {"a = 1\rb = 2\r", 2, {}, "a = 1\rb = 2\r"},
        {"a = 1\n\rb = 2\n\r", 2, {}, "a = 1\nb = 2\n"},
        {"a = 1\r\nb = 2\n", 2, {}, "a = 1\r\nb = 2\r\n"},
        {"a = 1", 1, {}, "a = 1\r\n"},
        // A byte order mark and outer braces are skipped; a top-level '}' ends the text.
        {"\xEF\xBB\xBF{\n\ta = 1\n\tb =\n\t{\n\t\tc = 2\n\t}\n}\nignored = 3\n", 2, {{"b/c", "2"}}, nullptr},
        {"\xEF\xBB\xBF# comment\na = 1\n}\nignored = 3\n", 1, {{"a", "1"}}, nullptr},
        // Block comments end only at a line starting with "#}"; an open one hides the rest.
        {"# comment = 1\na = 1 # part of the value\n#{ hidden = 1\nhidden = 2\n   #} not an end\nhidden = 3\n"
         "#}b = 2\n\t# indented comment\nc = 3\n",
         3, {{"a", "1 # part of the value"}, {"b", "2"}, {"c", "3"}}, nullptr},
        {"a = 1\n#{\nb = 2\n", 1, {}, nullptr},
        // Bracketed pairs; a later brace replaces a child.
        {"<a = 1\n>\n< b = 2\n\t>\nc =\n{\nx = 1\n}\n{\ny = 2\n}\n", 3,
         {{"a", "1"}, {"b", "2"}, {"c/x", "<missing>"}, {"c/y", "2"}}, nullptr},
    };
    for (const auto& [text, count, values, written] : cases) {
        SCOPED_TRACE(text);
        OvDataBase dataBase;
        dataBase.LoadFromText(text);
        EXPECT_EQ(dataBase.Count(), count);
        for (const auto& [path, value] : values) {
            EXPECT_EQ(OvBytes(dataBase.GetValue(path, "<missing>")), value) << path;
        }
        if (written) {
            EXPECT_EQ(OvBytes(dataBase.ToText()), written);
        }
    }
}

// Nesting with tabs and a new database's CR LF: OvDataBasePathTests' setter test.
TEST_F(OvDataBaseTextTest, WritesQuotesWhereNeeded)
{
    EXPECT_EQ(OvBytes(OvDataBase().ToText()), "");

    const struct { const char* key; const char* value; bool alwaysQuote; const char* line; } pairs[] = {
        {"Key", "plain\\path", false, "Key = plain\\path"},
        {"two words", "v", false, "\"two words\" = v"},
        {"tab\tkey", "a\"b\\c", false, "\"tab\tkey\" = \"a\\\"b\\\\c\""},
        {"k", "line\r\nend", false, "k = \"line\r\nend\""},
        {"", "", false, "\"\" = "},
        {"k", "", true, "\"k\" = \"\""}};
    for (const auto& [key, value, alwaysQuote, line] : pairs) {
        EXPECT_EQ(OvBytes(OvDBData(key, value).Format(alwaysQuote)), line) << key;
    }
}

TEST_F(OvDataBaseTextTest, InfoBlockIsKeptApartAndWrittenFirst)
{
    Load("a = 1\n_DBInfo =\n{\n\tVersion = 3\n}\nb =\n{\n\t_DBInfo = x\n\t{\n\t\tDepth = 1\n\t}\n\tc = 2\n}\n");
    ASSERT_EQ(fDataBase.Count(), 2);
    ASSERT_TRUE(fDataBase.Info());
    EXPECT_EQ(OvBytes(fDataBase.Info()->GetValue("Version", "")), "3");
    EXPECT_FALSE(fDataBase.Exists("_DBInfo") || fDataBase.Exists("b/_DBInfo"));
    EXPECT_EQ(Written(), "_DBInfo =\n{\n\tVersion = 3\n}\na = 1\n"
                         "b = \n{\n\t_DBInfo =\t\n\t{\n\t\tDepth = 1\n\t}\n\tc = 2\n}\n");

    Load("_DBInfo = first\n{\n\tN = 1\n}\n_DBInfo = second\n");  // only the first leaves
    EXPECT_EQ(Value("_DBInfo"), "second");
    Load("fresh = 1\n");  // a text without an info block keeps the one there is
    EXPECT_EQ(OvBytes(fDataBase.Info()->GetValue("N", "")), "1");
}

TEST_F(OvDataBaseTextTest, MalformedTextRaisesAndKeepsThePairsReadBefore)
{
    EXPECT_OV_ERROR(Load("key=value\n"), 19, "Missing \"=\" after \"key=value\"");
    EXPECT_OV_ERROR(Load("key =value\n"), 19, "Missing \"=\" after \"key\"");
    EXPECT_OV_ERROR(Load("\"quoted key\" =1\n"), 19, "Missing \"=\" after \"quoted key\"");
    EXPECT_OV_ERROR(Load("a = 1\nb = 2\nlonely"), 19, "Missing \"=\" after \"lonely\"");
    EXPECT_EQ(fDataBase.Count(), 2);
    EXPECT_EQ(Value("b"), "2");

    EXPECT_OV_ERROR(Load("{\n{\na = 1\n}\n}\n"), 7, "OvIndexError");  // a brace before any pair
    EXPECT_OV_ERROR(Load("a = 1\nb =\n{\n{\n"), 7, "OvIndexError");
    EXPECT_EQ(fDataBase.Count(), 2);
    EXPECT_TRUE(fDataBase.GetChild("b", false));

    EXPECT_OV_ERROR(Load("x = 0\n<a = 1\nb = 2\n"), 19, "FormatErr");  // no closing '>'
    EXPECT_EQ(Value("a"), "1");

    std::string deep;
    for (int i = 0; i < 1000; ++i) deep += "k =\n{\n";
    Load(deep);
    EXPECT_TRUE(fDataBase.Exists("k/k/k"));
    EXPECT_OV_ERROR(Load(deep + "k =\n{\n"), 19, "FormatErr");  // beyond a thousand levels
}

TEST_F(OvDataBaseTextTest, ParseReadsOnePairAndMovesThePosition)
{
    const OvString text("skip a = \"x y\" rest\nb = 2");
    int32_t position = 5;
    OvDBData pair;
    pair.Parse(text, position);
    EXPECT_EQ(OvBytes(pair.key) + "=" + OvBytes(pair.value), "a=x y");
    EXPECT_EQ(position, 14);
    for (int32_t outside : {100, -1}) EXPECT_OV_ERROR(pair.Parse(text, outside), 7, "OvIndexError");
}

}  // namespace
