// Paths, creation of missing pairs and the typed getters and setters.
#include <gtest/gtest.h>

#include <climits>

#include "OvData/OvDataBase.h"
#include "OvDataTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

class OvDataBasePathTest : public ::testing::Test {
protected:
    OvScopedDebugCapture fCapture;  // keeps raised errors off the debugger output
    OvDataBase fDataBase;
};

TEST_F(OvDataBasePathTest, PathsSkipOneLeadingSlashIgnoreATrailingOneAndMatchTheFirstKeyExactly)
{
    fDataBase.LoadFromText("Display =\n{\n\tName = first\n\tName = second\n\tname = lower\n}\nDisplay = again\n");
    EXPECT_EQ(Bytes(fDataBase.GetValue("Display/Name", "x")), "first");
    EXPECT_EQ(Bytes(fDataBase.GetValue("/Display/Name", "x")), "first");
    EXPECT_EQ(Bytes(fDataBase.GetValue("Display/Name/", "x")), "first");
    EXPECT_EQ(Bytes(fDataBase.GetValue("Display/name", "x")), "lower");
    EXPECT_EQ(Bytes(fDataBase.GetValue("Display", "x")), "");
    EXPECT_EQ(Bytes(fDataBase.GetValue("DISPLAY/Name", "x")), "x");
    EXPECT_EQ(Bytes(fDataBase.GetValue("//Display/Name", "x")), "x");  // only one '/' is skipped
    EXPECT_TRUE(fDataBase.Exists("Display"));
    EXPECT_FALSE(fDataBase.Exists("Display/Name/More"));  // through a pair without a child
    EXPECT_FALSE(fDataBase.Exists(""));
    EXPECT_FALSE(fDataBase.Exists("/"));
    EXPECT_FALSE(fDataBase.GetChild("Missing", false));
    EXPECT_FALSE(fDataBase.GetChild("Display/Name", false));
}

TEST_F(OvDataBasePathTest, EmptyKeysAreReachableThroughEmptyComponents)
{
    fDataBase.SetValue("a//b", "deep");
    fDataBase.SetValue("", "top");
    ASSERT_EQ(fDataBase.Count(), 2);
    EXPECT_EQ(Bytes(fDataBase.Entry(1).key), "");
    EXPECT_EQ(Bytes(fDataBase.GetValue("/", "x")), "top");
    EXPECT_EQ(Bytes(fDataBase.GetValue("a//b", "x")), "deep");
    EXPECT_EQ(Bytes(fDataBase.GetValue("a/", "x")), "");
}

TEST_F(OvDataBasePathTest, SettersAppendMissingPairsWithChildrenForIntermediateOnes)
{
    fDataBase.SetValue("Plain", "1");
    fDataBase.SetValue("Plain/Sub", "2");  // an existing pair without a child receives one
    fDataBase.SetValue("New/Deeper/Leaf", "3");
    fDataBase.SetValue("Plain", "changed");

    EXPECT_EQ(Bytes(fDataBase.ToText()),
              "Plain = changed\r\n{\r\n\tSub = 2\r\n}\r\n"
              "New = \r\n{\r\n\tDeeper = \r\n\t{\r\n\t\tLeaf = 3\r\n\t}\r\n}\r\n");
    EXPECT_FALSE(fDataBase.GetChild("New/Deeper/Leaf", false));  // the last pair gets no child

    OvRef<OvDataBase> created = fDataBase.GetChild("Plain/Sub", true);
    ASSERT_TRUE(created);
    EXPECT_EQ(created, fDataBase.GetChild("Plain/Sub", false));
    EXPECT_EQ(created->RefCount(), 2);  // held by the pair and by this reference
    created->SetInt("Count", 4);
    EXPECT_EQ(fDataBase.GetInt("Plain/Sub/Count", 0), 4);

    OvRef<OvDataBase> section = fDataBase.GetChild("Other/Section", true);
    EXPECT_EQ(fDataBase.Count(), 3);
    EXPECT_EQ(section->Count(), 0);
    EXPECT_TRUE(fDataBase.Exists("Other/Section"));
}

TEST_F(OvDataBasePathTest, GetIntConvertsLikeStrtolClampedTo32Bits)
{
    fDataBase.LoadFromText("a = 12abc\nb =   -7\nc = abc\nd = 99999999999\ne = -99999999999\nf = +42\n");
    EXPECT_EQ(fDataBase.GetInt("a", 5), 12);
    EXPECT_EQ(fDataBase.GetInt("b", 5), -7);
    EXPECT_EQ(fDataBase.GetInt("c", 5), 0);
    EXPECT_EQ(fDataBase.GetInt("d", 5), INT32_MAX);
    EXPECT_EQ(fDataBase.GetInt("e", 5), INT32_MIN);
    EXPECT_EQ(fDataBase.GetInt("f", 5), 42);
    EXPECT_EQ(fDataBase.GetInt("missing", 5), 5);
}

TEST_F(OvDataBasePathTest, GetBoolAcceptsTrueInAnyCaseOrExactlyOneAndCanStoreTheDefault)
{
    fDataBase.LoadFromText("a = TRUE\nb = 1\nc = yes\nd = 01\ne = true \nf = tRuE\n");
    EXPECT_TRUE(fDataBase.GetBool("a", false, false));
    EXPECT_TRUE(fDataBase.GetBool("b", false, false));
    EXPECT_FALSE(fDataBase.GetBool("c", true, false));
    EXPECT_FALSE(fDataBase.GetBool("d", true, false));
    EXPECT_FALSE(fDataBase.GetBool("e", true, false));  // the trailing blank belongs to the value
    EXPECT_TRUE(fDataBase.GetBool("f", false, false));

    EXPECT_TRUE(fDataBase.GetBool("Missing", true, false));
    EXPECT_FALSE(fDataBase.Exists("Missing"));
    EXPECT_FALSE(fDataBase.GetBool("Settings/Simulation", false, true));
    EXPECT_EQ(Bytes(fDataBase.GetValue("Settings/Simulation", "x")), "false");
    EXPECT_TRUE(fDataBase.GetBool("On", true, true));
    EXPECT_EQ(Bytes(fDataBase.GetValue("On", "x")), "true");
}

TEST_F(OvDataBasePathTest, SetIntAndSetBoolWriteTheirTexts)
{
    fDataBase.SetInt("Negative", -2147483647 - 1);
    fDataBase.SetInt("Zero", 0);
    fDataBase.SetBool("Yes", true);
    fDataBase.SetBool("No", false);
    EXPECT_EQ(Bytes(fDataBase.ToText()),
              "Negative = -2147483648\r\nZero = 0\r\nYes = true\r\nNo = false\r\n");
}

TEST_F(OvDataBasePathTest, SetRealTrimsFractionZerosOfItsDefaultFormatOnly)
{
    fDataBase.SetReal("a", 120.0);
    fDataBase.SetReal("b", 0.0);
    fDataBase.SetReal("c", 0.25);
    fDataBase.SetReal("d", -1.5);
    fDataBase.SetReal("e", 100.0);
    fDataBase.SetReal("f", 1.0 / 3.0);
    fDataBase.SetReal("g", 1.5, "%.3f");
    fDataBase.SetReal("h", 2.0, "%g");
    EXPECT_EQ(Bytes(fDataBase.GetValue("a", "")), "120");
    EXPECT_EQ(Bytes(fDataBase.GetValue("b", "")), "0");
    EXPECT_EQ(Bytes(fDataBase.GetValue("c", "")), "0.25");
    EXPECT_EQ(Bytes(fDataBase.GetValue("d", "")), "-1.5");
    EXPECT_EQ(Bytes(fDataBase.GetValue("e", "")), "100");
    EXPECT_EQ(Bytes(fDataBase.GetValue("f", "")), "0.333333");
    EXPECT_EQ(Bytes(fDataBase.GetValue("g", "")), "1.500");
    EXPECT_EQ(Bytes(fDataBase.GetValue("h", "")), "2");
}

TEST_F(OvDataBasePathTest, SetRealWritesNothingWhenTheStoredTextReadsAsTheSameNumber)
{
    fDataBase.LoadFromText("Gamma = 2\nHalf = 0,5\nWide = 2.20\n");
    fDataBase.SetReal("Gamma", 2.0, "%.3f");
    fDataBase.SetReal("Half", 0.5);
    fDataBase.SetReal("Wide", 2.2);
    EXPECT_EQ(Bytes(fDataBase.GetValue("Gamma", "")), "2");
    EXPECT_EQ(Bytes(fDataBase.GetValue("Half", "")), "0,5");
    EXPECT_EQ(Bytes(fDataBase.GetValue("Wide", "")), "2.20");

    fDataBase.SetReal("Gamma", 2.4);
    EXPECT_EQ(Bytes(fDataBase.GetValue("Gamma", "")), "2.4");
}

TEST_F(OvDataBasePathTest, PairsShareTheirChildByReferenceCount)
{
    fDataBase.SetValue("Section/Key", "v");
    OvRef<OvDataBase> child = fDataBase.GetChild("Section", false);
    ASSERT_TRUE(child);
    EXPECT_EQ(child->RefCount(), 2);
    {
        OvDBData copy = fDataBase.Entry(0);
        EXPECT_EQ(child->RefCount(), 3);
        OvDBData assigned;
        assigned = copy;
        EXPECT_EQ(child->RefCount(), 4);
        assigned = OvDBData("k", "v");  // the replaced child is released
        EXPECT_EQ(child->RefCount(), 3);
    }
    EXPECT_EQ(child->RefCount(), 2);
    fDataBase.RemoveAll();
    EXPECT_EQ(child->RefCount(), 1);
    EXPECT_EQ(Bytes(child->GetValue("Key", "")), "v");
}

TEST_F(OvDataBasePathTest, AnswersItsClassNameAndItsBases)
{
    EXPECT_EQ(fDataBase.Cast("OvDataBase"), &fDataBase);
    EXPECT_EQ(fDataBase.Cast("OvObject"), &fDataBase);
    EXPECT_EQ(fDataBase.Cast("OvCastBase"), &fDataBase);
    EXPECT_EQ(fDataBase.Cast("ovdatabase"), nullptr);
    EXPECT_STREQ(fDataBase.ClassName(), "OvDataBase");
}

}  // namespace
