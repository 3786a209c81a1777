#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "OvSystem/OvVirtualClock.h"
#include "Progress/OvProgress.h"
#include "RecordingProgress.h"

using testing::DoubleEq;
using testing::ElementsAre;
using testing::IsEmpty;

TEST(OvProgressAdvanceTo, ShortDurationJumpsToTheTarget)
{
    OvScopedVirtualClock clock;
    RecordingProgress parent;
    OvSubProgress progress(&parent);
    progress.AdvanceTo(1.0, 40);
    EXPECT_THAT(clock->Sleeps(), IsEmpty());
    EXPECT_THAT(parent.fractions, ElementsAre(DoubleEq(1.0)));
}

TEST(OvProgressAdvanceTo, LongDurationMovesInFiftyMillisecondSteps)
{
    OvScopedVirtualClock clock;
    RecordingProgress parent;
    OvSubProgress progress(&parent);
    progress.AdvanceTo(1.0, 200);
    EXPECT_THAT(clock->Sleeps(), ElementsAre(50u, 50u, 50u, 50u));
    EXPECT_THAT(parent.fractions,
                ElementsAre(DoubleEq(0.25), DoubleEq(0.5), DoubleEq(0.75), DoubleEq(1.0), DoubleEq(1.0)));

    // From the stored fraction, with a duration that is no multiple of the step.
    clock->ClearSleeps();
    parent.fractions.clear();
    progress.SetProgress(0.2);
    progress.AdvanceTo(0.8, 120);
    EXPECT_THAT(clock->Sleeps(), ElementsAre(50u, 50u, 50u));
    EXPECT_THAT(parent.fractions,
                ElementsAre(DoubleEq(0.2), DoubleEq(0.45), DoubleEq(0.7), DoubleEq(0.8), DoubleEq(0.8)));
}

TEST(OvProgressAdvanceTo, ElapsedTimeSurvivesTheTickCountWrapping)
{
    OvScopedVirtualClock clock(0xFFFFFFC0u);  // 64 ms before the wrap
    RecordingProgress parent;
    OvSubProgress progress(&parent);
    progress.AdvanceTo(1.0, 100);
    EXPECT_THAT(clock->Sleeps(), ElementsAre(50u, 50u));
    EXPECT_THAT(parent.fractions, ElementsAre(DoubleEq(0.5), DoubleEq(1.0), DoubleEq(1.0)));
}
