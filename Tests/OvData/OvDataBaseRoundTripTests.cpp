// Databases read back equal after being written, for hostile and for random content.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "OvData/OvDataBase.h"
#include "OvDataTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

// Compares pairs, values and children; reports the path of the first difference.
::testing::AssertionResult SameContent(const OvDataBase& expected, const OvDataBase& actual,
                                       const std::string& path = "")
{
    if (expected.Count() != actual.Count()) {
        return ::testing::AssertionFailure() << path << ": " << expected.Count() << " pairs expected, "
                                             << actual.Count() << " read";
    }
    for (int32_t i = 0; i < expected.Count(); ++i) {
        const OvDBData& want = expected.Entry(i);
        const OvDBData& got = actual.Entry(i);
        const std::string where = path + "/" + Bytes(want.key);
        if (Bytes(want.key) != Bytes(got.key) || Bytes(want.value) != Bytes(got.value)) {
            return ::testing::AssertionFailure() << where << ": read [" << Bytes(got.key) << "] = ["
                                                 << Bytes(got.value) << "], expected [" << Bytes(want.value) << "]";
        }
        if (bool(want.child) != bool(got.child)) return ::testing::AssertionFailure() << where << ": child differs";
        if (want.child) {
            ::testing::AssertionResult children = SameContent(*want.child, *got.child, where);
            if (!children) return children;
        }
    }
    return ::testing::AssertionSuccess();
}

OvDataBase& ReadBack(const OvDataBase& written, OvDataBase& target)
{
    target.LoadFromText(written.ToText());
    return target;
}

class OvDataBaseRoundTripTest : public ::testing::Test {
protected:
    OvScopedDebugCapture fCapture;
};

TEST_F(OvDataBaseRoundTripTest, HostileKeysAndValuesReadBackUnchanged)
{
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"blank key", "two words"},
        {"tab\tkey", "\tleading tab"},
        {"quote\"key", "\"quoted\""},
        {"back\\slash", "C:\\Path\\"},
        {"\\\"", "\\\\\""},
        {"", ""},
        {"cr\rlf\n", "line one\r\nline two\n"},
        {"trailing ", "trailing  "},
        {"=", "= = ="},
        {"a=b", "#not a comment"},
        {"_DBInfoX", "{ } < >"},
        {"utf8 \xC3\xA9", "\xE2\x82\xAC 5"},
        {"\"", "\""},
        {"ends\\", "\"unbalanced"},
    };
    OvDataBase original;
    for (const auto& [key, value] : pairs) original.Append(OvDBData(Text(key), Text(value)));
    original.GetChild("blank key", true)->Append(OvDBData("nested \"key\"", "nested\nvalue"));

    OvDataBase copy;
    EXPECT_TRUE(SameContent(original, ReadBack(original, copy)));
    EXPECT_EQ(Bytes(copy.ToText()), Bytes(original.ToText()));
}

// Random text from an alphabet heavy in the characters the format treats specially.
class RandomDataBaseBuilder {
public:
    explicit RandomDataBaseBuilder(uint32_t seed) : fRandom(seed) {}

    void Fill(OvDataBase& dataBase, int depth)
    {
        const int count = Pick(0, 6);
        for (int i = 0; i < count; ++i) {
            OvDBData& pair = dataBase.Append(OvDBData(Text(RandomKey()), Text(RandomText(12))));
            if (depth < 3 && Pick(0, 3) == 0) {
                pair.child = OvMakeRef<OvDataBase>();
                Fill(*pair.child, depth + 1);
            }
        }
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(fRandom); }

    std::string RandomText(int maxLength)
    {
        static const std::string alphabet = "ab Z09\t\r\n\"\\#{}<>=_/.,\xC3\xA9\x7F";
        std::string text;
        const int length = Pick(0, maxLength);
        for (int i = 0; i < length; ++i) text += alphabet[static_cast<size_t>(Pick(0, int(alphabet.size()) - 1))];
        return text;
    }

    // Keys the format cannot carry are left out: those starting with '#', '{', '}' or '<'
    // are read as comments or structure, and "_DBInfo" is taken as the info block.
    std::string RandomKey()
    {
        for (;;) {
            std::string key = RandomText(8);
            if (!key.empty() && std::string("#{}<").find(key[0]) != std::string::npos) continue;
            if (key == "_DBInfo") continue;
            return key;
        }
    }

    std::mt19937 fRandom;
};

TEST_F(OvDataBaseRoundTripTest, RandomNestedDataBasesReadBackEqual)
{
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        OvDataBase original;
        RandomDataBaseBuilder(seed).Fill(original, 0);
        OvDataBase copy;
        ASSERT_NO_THROW(ReadBack(original, copy)) << "seed " << seed;
        ASSERT_TRUE(SameContent(original, copy)) << "seed " << seed;
        // The copy takes its line end from the text, which may be one inside a quoted key
        // or value on the first line; with CR LF the text is reproduced byte for byte.
        if (Bytes(copy.Newline()) == "\r\n") {
            ASSERT_EQ(Bytes(copy.ToText()), Bytes(original.ToText())) << "seed " << seed;
        }
    }
}

}  // namespace
