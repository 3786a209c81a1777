#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "OvSystem/OvVirtualClock.h"
#include "Progress/OvProgress.h"
#include "RecordingProgress.h"

TEST(OvProgressAdvanceTo, MovesInFiftyMillisecondStepsOrJumpsWhenShort)
{
    const struct {
        uint32_t clockStart;
        double from, target;  // from: negative for a new progress, else the fraction stored before
        int32_t duration;
        std::vector<uint32_t> sleeps;
        std::vector<double> fractions;
    } cases[] = {
        {1000, -1.0, 1.0, 40, {}, {1.0}},
        {1000, -1.0, 1.0, 200, {50, 50, 50, 50}, {0.25, 0.5, 0.75, 1.0, 1.0}},
        // From the stored fraction, with a duration that is no multiple of the step.
        {1000, 0.2, 0.8, 120, {50, 50, 50}, {0.2, 0.45, 0.7, 0.8, 0.8}},
        {1000, 0.5, 0.25, 100, {}, {0.5}},  // below the stored fraction: nothing
        // The elapsed time survives the tick count wrapping 64 ms after the start.
        {0xFFFFFFC0u, -1.0, 1.0, 100, {50, 50}, {0.5, 1.0, 1.0}},
    };
    for (const auto& [clockStart, from, target, duration, sleeps, fractions] : cases) {
        SCOPED_TRACE(testing::Message() << "to " << target << " in " << duration << " ms");
        OvScopedVirtualClock clock(clockStart);
        RecordingProgress parent;
        OvSubProgress progress(&parent);
        if (from >= 0) progress.SetProgress(from);
        progress.AdvanceTo(target, duration);
        EXPECT_EQ(clock->Sleeps(), sleeps);
        EXPECT_THAT(parent.fractions, testing::Pointwise(testing::DoubleEq(), fractions));
    }
}
