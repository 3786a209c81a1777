#include <gtest/gtest.h>

#include "OvSystem/OvVirtualClock.h"
#include "Progress/OvProgress.h"

TEST(OvConsoleProgress, PrintsPercentagesOnStandardOutputAndNothingBackwards)
{
    OvScopedVirtualClock clock;
    OvConsoleProgress progress;
    OvConsoleProgress custom("[%.1f]");
    testing::internal::CaptureStdout();
    progress.SetProgress(0.42);
    progress.SetProgress(0.0);
    progress.SetProgress(1.0);
    progress.SetProgress(0.5);
    progress.AdvanceTo(0.25, 100);  // below the stored fraction: nothing
    progress.AdvanceTo(0.9, 100);
    custom.SetProgress(0.125);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " 42 %\n  0 %\n100 %\n 50 %\n 70 %\n 90 %\n 90 %\n[12.5]");
    EXPECT_EQ(clock->Sleeps(), (std::vector<uint32_t>{50, 50}));
    EXPECT_DOUBLE_EQ(progress.GetProgress(), 0.9);
}
