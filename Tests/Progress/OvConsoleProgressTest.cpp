#include <gtest/gtest.h>

#include "Progress/OvProgress.h"

TEST(OvConsoleProgress, PrintsPercentagesOnStandardOutput)
{
    OvConsoleProgress progress;
    OvConsoleProgress custom("[%.1f]");
    testing::internal::CaptureStdout();
    for (const double fraction : {0.42, 0.0, 1.0, 0.5}) progress.SetProgress(fraction);
    custom.SetProgress(0.125);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " 42 %\n  0 %\n100 %\n 50 %\n[12.5]");
    EXPECT_DOUBLE_EQ(progress.GetProgress(), 0.5);
}
