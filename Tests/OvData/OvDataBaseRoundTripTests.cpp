// Databases read back equal after being written, for random content and info-like keys.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "OvData/OvDataBase.h"
#include "OvDataTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

// Every pair in order as (depth, key, value, has a child).
using Flat = std::vector<std::tuple<int, std::string, std::string, bool>>;

Flat Flatten(const OvDataBase& dataBase, int depth = 0)
{
    Flat pairs;
    for (int32_t i = 0; i < dataBase.Count(); ++i) {
        const OvDBData& pair = dataBase.Entry(i);
        pairs.emplace_back(depth, OvBytes(pair.key), OvBytes(pair.value), bool(pair.child));
        if (pair.child) {
            const Flat below = Flatten(*pair.child, depth + 1);
            pairs.insert(pairs.end(), below.begin(), below.end());
        }
    }
    return pairs;
}

class OvDataBaseRoundTripTest : public ::testing::Test {
protected:
    OvScopedDebugCapture fCapture;
};

// The random round trip below covers the characters the format treats specially; what it
// cannot produce are keys that only start or end like the info block's: they stay pairs.
TEST_F(OvDataBaseRoundTripTest, KeysLikeTheInfoBlockStayPairs)
{
    OvDataBase original;
    for (const char* key : {"_DBInfoX", "_DBInf", "x_DBInfo"}) original.Append(OvDBData(key, "{ } < >"));
    original.GetChild("_DBInfoX", true)->Append(OvDBData("nested \"key\"", "nested\nvalue"));
    OvDataBase copy;
    copy.LoadFromText(original.ToText());
    EXPECT_EQ(Flatten(copy), Flatten(original));
    EXPECT_FALSE(copy.Info());
}

int Pick(std::mt19937& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

// Random text from an alphabet heavy in the characters the format treats specially.
std::string RandomText(std::mt19937& random, int maxLength)
{
    static const std::string alphabet = "ab Z09\t\r\n\"\\#{}<>=_/.,\xC3\xA9\x7F";
    std::string text(static_cast<size_t>(Pick(random, 0, maxLength)), ' ');
    for (char& c : text) c = alphabet[static_cast<size_t>(Pick(random, 0, int(alphabet.size()) - 1))];
    return text;
}

// Keys the format cannot carry are left out: those starting with '#', '{', '}' or '<' are
// read as comments or structure, and "_DBInfo" is taken as the info block.
void FillRandomly(OvDataBase& dataBase, std::mt19937& random, int depth)
{
    for (int i = Pick(random, 0, 6); i > 0; --i) {
        std::string key = RandomText(random, 8);
        if (key == "_DBInfo" || (!key.empty() && std::string("#{}<").find(key[0]) != std::string::npos)) continue;
        OvDBData& pair = dataBase.Append(OvDBData(Text(key), Text(RandomText(random, 12))));
        if (depth < 3 && Pick(random, 0, 3) == 0) {
            pair.child = OvMakeRef<OvDataBase>();
            FillRandomly(*pair.child, random, depth + 1);
        }
    }
}

TEST_F(OvDataBaseRoundTripTest, RandomNestedDataBasesReadBackEqual)
{
    for (uint32_t seed = 1; seed <= 2000; ++seed) {
        OvDataBase original;
        std::mt19937 random(seed);
        FillRandomly(original, random, 0);
        OvDataBase copy;
        ASSERT_NO_THROW(copy.LoadFromText(original.ToText())) << "seed " << seed;
        ASSERT_EQ(Flatten(copy), Flatten(original)) << "seed " << seed;
        // The copy takes its line end from the text, which may be one inside a quoted key
        // or value on the first line; with CR LF the text is reproduced byte for byte.
        if (OvBytes(copy.Newline()) == "\r\n") {
            ASSERT_EQ(OvBytes(copy.ToText()), OvBytes(original.ToText())) << "seed " << seed;
        }
    }
}

}  // namespace
