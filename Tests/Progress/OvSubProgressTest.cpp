#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "OvSystem/OvSystemTestSupport.h"
#include "Progress/OvProgress.h"
#include "RecordingProgress.h"

using testing::DoubleEq;
using testing::ElementsAre;

namespace {

void ExpectRange(const OvSubProgress& progress, double start, double end)
{
    double actualStart = -1.0;
    double actualEnd = -1.0;
    progress.GetRange(actualStart, actualEnd);
    EXPECT_DOUBLE_EQ(actualStart, start);
    EXPECT_DOUBLE_EQ(actualEnd, end);
}

}  // namespace

TEST(OvSubProgress, MapsItsFractionOntoTheParentsRange)
{
    RecordingProgress parent;
    OvSubProgress middle(&parent, 0.25, 0.75);
    middle.SetProgress(0.5);
    EXPECT_DOUBLE_EQ(middle.GetProgress(), 0.5);

    // Nested: an inner 0.5..1 inside an outer 0..0.5 starts at a quarter of the whole.
    OvSubProgress outer(&parent, 0.0, 0.5);
    OvSubProgress inner(&outer, 0.5, 1.0);
    inner.SetProgress(0.0);
    inner.SetProgress(0.5);
    inner.SetProgress(1.0);
    // The other way round, an inner 0..0.5 inside an outer 0.5..1.
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
    ExpectRange(progress, 0.0, 0.3);
    // The stored fraction 0.5 is limited to the range 0..0.3.
    progress.NextRange(0.6);
    ExpectRange(progress, 0.3, 0.6);
    progress.SetProgress(0.4);
    progress.NextRange(0.9);
    ExpectRange(progress, 0.4, 0.9);
    EXPECT_THAT(parent.fractions,
                ElementsAre(DoubleEq(0.0), DoubleEq(0.15), DoubleEq(0.3), DoubleEq(0.42), DoubleEq(0.4)));

    // A falling range limits by its smaller and larger end alike.
    progress.SetRange(0.8, 0.2);
    progress.SetProgress(0.1);
    progress.NextRange(0.0);
    ExpectRange(progress, 0.2, 0.0);
    EXPECT_DOUBLE_EQ(parent.fractions.back(), 0.2);
}

TEST(OvSubProgress, WeightedStepsBecomeBoundariesFromZeroToOne)
{
    RecordingProgress parent;
    OvSubProgress progress(&parent);
    progress.AddStep(1.0);
    progress.AddStep(1.0);
    progress.AddStep(2.0);
    progress.NormalizeSteps();
    progress.SelectStep(0);
    ExpectRange(progress, 0.0, 0.25);
    progress.SelectStep(1);
    ExpectRange(progress, 0.25, 0.5);
    progress.SelectStep(2);
    ExpectRange(progress, 0.5, 1.0);
    progress.SetProgress(0.5);
    EXPECT_THAT(parent.fractions, ElementsAre(DoubleEq(0.75)));

    EXPECT_OV_ERROR(progress.SelectStep(3), 7, "OvIndexError");
    EXPECT_OV_ERROR(progress.SelectStep(-1), 7, "OvIndexError");
    ExpectRange(progress, 0.5, 1.0);
}

TEST(OvSubProgress, NextStepWalksTheStepsAndEndsAtOne)
{
    OvSubProgress progress(nullptr);
    progress.AddStep(3.0);
    progress.AddStep(1.0);
    progress.NormalizeSteps();
    progress.NextStep();
    ExpectRange(progress, 0.0, 0.75);
    progress.NextStep();
    ExpectRange(progress, 0.75, 1.0);
    progress.NextStep();
    progress.NextStep();
    ExpectRange(progress, 1.0, 1.0);

    // Cleared, the table starts afresh, and so does the step index.
    progress.ClearSteps();
    EXPECT_OV_ERROR(progress.SelectStep(0), 7, "OvIndexError");
    progress.AddStep(1.0);
    progress.AddStep(1.0);
    progress.NormalizeSteps();
    progress.NextStep();
    ExpectRange(progress, 0.0, 0.5);

    progress.ClearSteps();
    progress.AddStep(0.0);
    EXPECT_OV_ERROR(progress.NormalizeSteps(), 22, "DivZero");
}
