#include "OvData/OvArray.h"

#include <gtest/gtest.h>

#include <string>

#include "OvDataTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

class OvArrayTest : public ::testing::Test {
protected:
    OvScopedDebugCapture fCapture;  // keeps raised errors off the debugger output
};

TEST_F(OvArrayTest, GrowsToTwiceTheNeededCountAndByTheLimitFromTenThousandOn)
{
    OvArray<int> array;
    EXPECT_EQ(array.Capacity(), 0);
    array.Append(1);
    EXPECT_EQ(array.Capacity(), 2);
    array.Append(2);
    EXPECT_EQ(array.Capacity(), 2);
    array.Append(3);
    EXPECT_EQ(array.Capacity(), 6);
    array.SetCount(9999);
    EXPECT_EQ(array.Capacity(), 19998);
    array.SetCount(19999);
    EXPECT_EQ(array.Capacity(), 29999);
    array.SetCount(30000);
    EXPECT_EQ(array.Capacity(), 40000);
    EXPECT_EQ(array.Count(), 30000);
    EXPECT_EQ(array[0], 1);
    EXPECT_EQ(array[2], 3);
    EXPECT_EQ(array[3], 0);

    OvArray<int> atLimit;
    atLimit.SetCount(10000);
    EXPECT_EQ(atLimit.Capacity(), 20000);
}

TEST_F(OvArrayTest, ShrinksToTheCountOnlyBelowAThirdOfTheCapacity)
{
    OvArray<std::string> array;
    for (const char* text : {"a", "b", "c", "d", "e", "f", "g"}) array.Append(text);
    ASSERT_EQ(array.Capacity(), 14);

    array.SetCount(5);  // 15 is not below 14: the slots are reset, the storage stays
    EXPECT_EQ(array.Capacity(), 14);
    array.SetCount(7);
    EXPECT_EQ(array[4], "e");
    EXPECT_EQ(array[5], "");
    EXPECT_EQ(array[6], "");

    array.SetCount(4);  // 12 is below 14
    EXPECT_EQ(array.Capacity(), 4);
    EXPECT_EQ(array[3], "d");
    array.RemoveAll();
    EXPECT_EQ(array.Capacity(), 0);
    EXPECT_TRUE(array.IsEmpty());
}

TEST_F(OvArrayTest, RemoveKeepsTheOrderAndAppendAcceptsItsOwnElement)
{
    OvArray<std::string> array;
    for (const char* text : {"a", "b", "c", "d"}) array.Append(text);
    array.Remove(1);
    ASSERT_EQ(array.Count(), 3);
    EXPECT_EQ(array[0], "a");
    EXPECT_EQ(array[1], "c");
    EXPECT_EQ(array[2], "d");
    EXPECT_EQ(array.Capacity(), 6);

    for (const char* text : {"x", "y", "z"}) array.Append(text);
    array.Append(array[0]);  // reallocates while the argument refers into the array
    EXPECT_EQ(array.Capacity(), 14);
    EXPECT_EQ(array.Last(), "a");
    EXPECT_EQ(array[5], "z");
}

TEST_F(OvArrayTest, IndexOutsideTheArrayRaisesIndexError)
{
    OvArray<int> array;
    ExpectError([&] { array[0]; }, 7, "OvIndexError");
    array.Append(5);
    ExpectError([&] { array[1]; }, 7, "OvIndexError");
    ExpectError([&] { array[-1]; }, 7, "OvIndexError");
    ExpectError([&] { array.Remove(1); }, 7, "OvIndexError");
    ExpectError([&] { array.SetCount(-1); }, 7, "OvIndexError");
    EXPECT_EQ(array.Count(), 1);
}

}  // namespace
