#include <gtest/gtest.h>

#include "OvSystem/OvVirtualClock.h"
#include "Progress/OvProgress.h"

TEST(OvConsoleProgress, PrintsPercentagesOnStandardOutput)
{
    OvConsoleProgress progress;
    testing::internal::CaptureStdout();
    progress.SetProgress(0.42);
    progress.SetProgress(0.0);
    progress.SetProgress(1.0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " 42 %\n  0 %\n100 %\n");
    EXPECT_DOUBLE_EQ(progress.GetProgress(), 1.0);

    OvConsoleProgress custom("[%.1f]");
    testing::internal::CaptureStdout();
    custom.SetProgress(0.125);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "[12.5]");
}

TEST(OvConsoleProgress, AdvanceToPrintsEachStepAndNothingBackwards)
{
    OvScopedVirtualClock clock;
    OvConsoleProgress progress;
    testing::internal::CaptureStdout();
    progress.SetProgress(0.5);
    progress.AdvanceTo(0.25, 100);
    progress.AdvanceTo(0.9, 100);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " 50 %\n 70 %\n 90 %\n 90 %\n");
    EXPECT_EQ(clock->Sleeps(), (std::vector<uint32_t>{50, 50}));
}
