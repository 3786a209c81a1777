#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

#include "Progress/OvProgress.h"
#include "RecordingProgress.h"
#include "Support/OvTestSupport.h"

using testing::DoubleEq;
using testing::ElementsAre;

namespace {

// Boundaries here are sums and quotients of quarters, so they compare exactly.
std::pair<double, double> Range(const OvSubProgress& progress)
{
    std::pair<double, double> range(-1.0, -1.0);
    progress.GetRange(range.first, range.second);
    return range;
}

// A progress with these step weights, normalized.
void AddSteps(OvSubProgress& progress, std::initializer_list<double> weights)
{
    progress.ClearSteps();
    for (const double weight : weights) progress.AddStep(weight);
    progress.NormalizeSteps();
}

}  // namespace

TEST(OvSubProgress, MapsItsFractionOntoTheParentsRangeAlsoWhenNested)
{
    RecordingProgress parent;
    OvSubProgress middle(&parent, 0.25, 0.75);
    middle.SetProgress(0.5);
    EXPECT_DOUBLE_EQ(middle.GetProgress(), 0.5);
    // An inner 0.5..1 inside an outer 0..0.5 starts at a quarter of the whole, and an inner
    // 0..0.5 inside an outer 0.5..1 ends at three quarters.
    OvSubProgress outer(&parent, 0.0, 0.5);
    OvSubProgress inner(&outer, 0.5, 1.0);
    for (const double fraction : {0.0, 0.5, 1.0}) inner.SetProgress(fraction);
    OvSubProgress upper(&parent, 0.5, 1.0);
    OvSubProgress lower(&upper, 0.0, 0.5);
    lower.SetProgress(0.5);
    EXPECT_THAT(parent.fractions, ElementsAre(DoubleEq(0.5), DoubleEq(0.25), DoubleEq(0.375), DoubleEq(0.5),
                                              DoubleEq(0.625)));
    EXPECT_DOUBLE_EQ(outer.GetProgress(), 0.5);
    inner.Notify(7);
    EXPECT_THAT(parent.messages, ElementsAre(7));
}

TEST(OvSubProgress, NextRangeStartsWhereTheStoredFractionStopped)
{
    RecordingProgress parent;
    OvSubProgress progress(&parent);
    progress.NextRange(0.3);
    progress.SetProgress(0.5);
    EXPECT_EQ(Range(progress), std::pair(0.0, 0.3));
    progress.NextRange(0.6);  // the stored 0.5 is limited to the range 0..0.3
    EXPECT_EQ(Range(progress), std::pair(0.3, 0.6));
    progress.SetProgress(0.4);
    progress.NextRange(0.9);
    EXPECT_EQ(Range(progress), std::pair(0.4, 0.9));
    EXPECT_THAT(parent.fractions,
                ElementsAre(DoubleEq(0.0), DoubleEq(0.15), DoubleEq(0.3), DoubleEq(0.42), DoubleEq(0.4)));

    // A falling range limits by its smaller and larger end alike.
    progress.SetRange(0.8, 0.2);
    progress.SetProgress(0.1);
    progress.NextRange(0.0);
    EXPECT_EQ(Range(progress), std::pair(0.2, 0.0));
    EXPECT_DOUBLE_EQ(parent.fractions.back(), 0.2);
}

TEST(OvSubProgress, WeightedStepsBecomeBoundariesFromZeroToOne)
{
    RecordingProgress parent;
    OvSubProgress progress(&parent);
    AddSteps(progress, {1.0, 1.0, 2.0});
    const std::pair<double, double> ranges[] = {{0.0, 0.25}, {0.25, 0.5}, {0.5, 1.0}};
    for (int32_t step = 0; step < 3; ++step) {
        progress.SelectStep(step);
        EXPECT_EQ(Range(progress), ranges[step]) << step;
    }
    progress.SetProgress(0.5);
    EXPECT_THAT(parent.fractions, ElementsAre(DoubleEq(0.75)));
    EXPECT_OV_ERROR(progress.SelectStep(3), 7, "OvIndexError");
    EXPECT_OV_ERROR(progress.SelectStep(-1), 7, "OvIndexError");
    EXPECT_EQ(Range(progress), std::pair(0.5, 1.0));

    // NextStep walks the steps from the start of the table and stays at the end.
    AddSteps(progress, {3.0, 1.0});
    for (const auto& range : {std::pair(0.0, 0.75), std::pair(0.75, 1.0), std::pair(1.0, 1.0), std::pair(1.0, 1.0)}) {
        progress.NextStep();
        EXPECT_EQ(Range(progress), range);
    }
    progress.ClearSteps();
    EXPECT_OV_ERROR(progress.SelectStep(0), 7, "OvIndexError");
    progress.AddStep(0.0);
    EXPECT_OV_ERROR(progress.NormalizeSteps(), 22, "DivZero");
}
