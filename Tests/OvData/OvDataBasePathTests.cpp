// Paths, creation of missing pairs and the typed getters and setters.
#include <gtest/gtest.h>

#include <utility>

#include "OvData/OvDataBase.h"
#include "OvDataTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

using TextPairs = std::initializer_list<std::pair<const char*, const char*>>;

class OvDataBasePathTest : public ::testing::Test {
protected:
    std::string Value(const char* path) const { return OvBytes(fDataBase.GetValue(path, "x")); }

    OvScopedDebugCapture fCapture;  // keeps raised errors off the debugger output
    OvDataBase fDataBase;
};

TEST_F(OvDataBasePathTest, PathsSkipOneLeadingSlashIgnoreATrailingOneAndMatchTheFirstKeyExactly)
{
    fDataBase.LoadFromText("Display =\n{\n\tName = first\n\tName = second\n\tname = lower\n}\nDisplay = again\n");
    for (const auto& [path, value] : TextPairs{{"Display/Name", "first"}, {"/Display/Name", "first"},
                                               {"Display/Name/", "first"}, {"Display/name", "lower"},
                                               {"Display", ""}, {"DISPLAY/Name", "x"}, {"//Display/Name", "x"}}) {
        EXPECT_EQ(Value(path), value) << path;
    }
    EXPECT_TRUE(fDataBase.Exists("Display"));
    for (const char* path : {"Display/Name/More", "", "/"}) EXPECT_FALSE(fDataBase.Exists(path)) << path;
    EXPECT_FALSE(fDataBase.GetChild("Display/Name", false));

    // Empty keys are reachable through empty components.
    OvDataBase empty;
    empty.SetValue("a//b", "deep");
    empty.SetValue("", "top");
    EXPECT_EQ(OvBytes(empty.GetValue("/", "x")), "top");
    EXPECT_EQ(OvBytes(empty.GetValue("a//b", "x")), "deep");
    EXPECT_EQ(OvBytes(empty.GetValue("a/", "x")), "");
}

TEST_F(OvDataBasePathTest, SettersAppendMissingPairsWithChildrenForIntermediateOnes)
{
    fDataBase.SetValue("Plain", "1");
    fDataBase.SetValue("Plain/Sub", "2");  // an existing pair without a child receives one
    fDataBase.SetValue("New/Deeper/Leaf", "3");
    fDataBase.SetValue("Plain", "changed");
    fDataBase.SetInt("Int", -2147483647 - 1);
    fDataBase.SetBool("Yes", true);
    fDataBase.SetBool("No", false);
    EXPECT_EQ(OvBytes(fDataBase.ToText()),  // CR LF for a new database, a tab per level
              "Plain = changed\r\n{\r\n\tSub = 2\r\n}\r\n"
              "New = \r\n{\r\n\tDeeper = \r\n\t{\r\n\t\tLeaf = 3\r\n\t}\r\n}\r\n"
              "Int = -2147483648\r\nYes = true\r\nNo = false\r\n");
    EXPECT_FALSE(fDataBase.GetChild("New/Deeper/Leaf", false));  // the last pair gets no child

    OvRef<OvDataBase> created = fDataBase.GetChild("Plain/Sub", true);
    EXPECT_EQ(created, fDataBase.GetChild("Plain/Sub", false));
    EXPECT_EQ(created->RefCount(), 2);  // held by the pair and by this reference
    created->SetInt("Count", 4);
    EXPECT_EQ(fDataBase.GetInt("Plain/Sub/Count", 0), 4);
    EXPECT_EQ(fDataBase.GetChild("Other/Section", true)->Count(), 0);
    EXPECT_TRUE(fDataBase.Exists("Other/Section"));
}

TEST_F(OvDataBasePathTest, GetIntAndGetBoolConvertTheStoredText)
{
    // GetInt reads the text as OvString::ToInt does (its own test has the edge cases).
    fDataBase.LoadFromText("a = 12abc\nt1 = TRUE\nt2 = 1\nt3 = tRuE\nf1 = yes\nf2 = 01\nf3 = true \n");
    EXPECT_EQ(fDataBase.GetInt("a", 5), 12);
    EXPECT_EQ(fDataBase.GetInt("missing", 5), 5);
    // True in any letter case or exactly "1"; the trailing blank belongs to the value.
    for (const char* path : {"t1", "t2", "t3", "Missing"}) EXPECT_TRUE(fDataBase.GetBool(path, true, false)) << path;
    for (const char* path : {"f1", "f2", "f3"}) EXPECT_FALSE(fDataBase.GetBool(path, true, false)) << path;
    EXPECT_FALSE(fDataBase.Exists("Missing"));
    EXPECT_FALSE(fDataBase.GetBool("Settings/Simulation", false, true));  // and stores the default
    EXPECT_TRUE(fDataBase.GetBool("On", true, true));
    EXPECT_EQ(Value("Settings/Simulation"), "false");
    EXPECT_EQ(Value("On"), "true");
}

TEST_F(OvDataBasePathTest, SetRealTrimsItsDefaultFormatAndWritesNothingForTheSameNumber)
{
    const struct { const char* path; double value; const char* format; const char* text; } reals[] = {
        {"a", 120.0, nullptr, "120"}, {"b", 0.0, nullptr, "0"},         {"c", 0.25, nullptr, "0.25"},
        {"d", -1.5, nullptr, "-1.5"}, {"e", 100.0, nullptr, "100"},      {"f", 1.0 / 3.0, nullptr, "0.333333"},
        {"g", 1.5, "%.3f", "1.500"},  {"h", 2.0, "%g", "2"}};
    for (const auto& [path, value, format, text] : reals) {
        fDataBase.SetReal(path, value, format);
        EXPECT_EQ(Value(path), text);
    }
    fDataBase.LoadFromText("Gamma = 2\nHalf = 0,5\nWide = 2.20\n");
    fDataBase.SetReal("Gamma", 2.0, "%.3f");
    fDataBase.SetReal("Half", 0.5);
    fDataBase.SetReal("Wide", 2.2);
    EXPECT_EQ(OvBytes(fDataBase.ToText()), "Gamma = 2\nHalf = 0,5\nWide = 2.20\n");
    fDataBase.SetReal("Gamma", 2.4);
    EXPECT_EQ(Value("Gamma"), "2.4");
}

TEST_F(OvDataBasePathTest, PairsShareTheirChildByReferenceCount)
{
    fDataBase.SetValue("Section/Key", "v");
    OvRef<OvDataBase> child = fDataBase.GetChild("Section", false);
    EXPECT_EQ(child->RefCount(), 2);
    {
        OvDBData copy = fDataBase.Entry(0);
        OvDBData assigned;
        assigned = copy;
        EXPECT_EQ(child->RefCount(), 4);
        assigned = OvDBData("k", "v");  // the replaced child is released
        EXPECT_EQ(child->RefCount(), 3);
    }
    fDataBase.RemoveAll();
    EXPECT_EQ(child->RefCount(), 1);
    EXPECT_EQ(OvBytes(child->GetValue("Key", "")), "v");
    EXPECT_EQ(fDataBase.Cast("OvObject"), &fDataBase);
}

}  // namespace
