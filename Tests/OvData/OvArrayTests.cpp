#include "OvData/OvArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OvDataTestSupport.h"
#include "Support/OvCaptureStream.h"

namespace {

std::vector<std::string> Items(const OvArray<std::string>& array)
{
    return std::vector<std::string>(array.begin(), array.end());
}

TEST(OvArray, GrowsToTwiceTheNeededCountAndByTheLimitFromTenThousandOn)
{
    OvArray<int> array;
    for (const auto& [count, capacity] : std::initializer_list<std::pair<int32_t, int32_t>>{
             {1, 2}, {2, 2}, {3, 6}, {9999, 19998}, {19999, 29999}, {30000, 40000}}) {
        array.SetCount(count);
        EXPECT_EQ(array.Capacity(), capacity) << count;
    }
    OvArray<int> atLimit;
    atLimit.SetCount(10000);
    EXPECT_EQ(atLimit.Capacity(), 20000);
}

TEST(OvArray, ShrinksToTheCountOnlyBelowAThirdOfTheCapacity)
{
    OvArray<std::string> array;
    for (const char* text : {"a", "b", "c", "d", "e", "f", "g"}) array.Append(text);
    ASSERT_EQ(array.Capacity(), 14);
    array.SetCount(5);  // 15 is not below 14: the slots are reset, the storage stays
    EXPECT_EQ(array.Capacity(), 14);
    array.SetCount(7);
    EXPECT_EQ(Items(array), (std::vector<std::string>{"a", "b", "c", "d", "e", "", ""}));
    array.SetCount(4);  // 12 is below 14
    EXPECT_EQ(array.Capacity(), 4);
    EXPECT_EQ(array.Last(), "d");
    array.RemoveAll();
    EXPECT_EQ(array.Capacity(), 0);
}

TEST(OvArray, RemoveKeepsTheOrderAndAppendAcceptsItsOwnElement)
{
    OvArray<std::string> array;
    for (const char* text : {"a", "b", "c", "d"}) array.Append(text);
    array.Remove(1);
    EXPECT_EQ(Items(array), (std::vector<std::string>{"a", "c", "d"}));
    for (const char* text : {"x", "y", "z"}) array.Append(text);
    array.Append(array[0]);  // reallocates while the argument refers into the array
    EXPECT_EQ(array.Capacity(), 14);
    EXPECT_EQ(Items(array), (std::vector<std::string>{"a", "c", "d", "x", "y", "z", "a"}));
}

TEST(OvArray, IndexOutsideTheArrayRaisesIndexError)
{
    OvScopedDebugCapture capture;
    OvArray<int> array;
    EXPECT_OV_ERROR(array[0], 7, "OvIndexError");
    array.Append(5);
    EXPECT_OV_ERROR(array[1], 7, "OvIndexError");
    EXPECT_OV_ERROR(array[-1], 7, "OvIndexError");
    EXPECT_OV_ERROR(array.Remove(1), 7, "OvIndexError");
    EXPECT_OV_ERROR(array.SetCount(-1), 7, "OvIndexError");
    EXPECT_EQ(array.Count(), 1);
}

}  // namespace
