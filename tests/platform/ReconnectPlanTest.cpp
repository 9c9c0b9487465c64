// When a dropped stream is tried again: the back-off, and giving up after ten minutes.
#include "ReconnectPlan.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(ReconnectPlan, BacksOffToFifteenSecondsAndGivesUpAfterTenMinutes)
{
    CReconnectPlan plan;
    plan.Start();
    EXPECT_EQ(plan.GetAttempt(), 0);
    std::vector<int64_t> delays;
    int64_t nElapsed = 0;
    for (int64_t nDelay = plan.NextDelayMs(0); nDelay >= 0; nDelay = plan.NextDelayMs(nElapsed)) {
        delays.push_back(nDelay);
        nElapsed += nDelay + 300; // each attempt takes a while to fail
    }
    ASSERT_GE(delays.size(), 6u);
    EXPECT_EQ(std::vector<int64_t>(delays.begin(), delays.begin() + 6),
              (std::vector<int64_t>{1000, 2000, 4000, 8000, 15000, 15000}));
    EXPECT_LE(nElapsed - 300, CReconnectPlan::kGiveUpAfterMs);
    EXPECT_GT(nElapsed + 15000, CReconnectPlan::kGiveUpAfterMs);
    EXPECT_EQ(plan.GetAttempt(), static_cast<int>(delays.size()));
    // A new drop counts from the first attempt again.
    plan.Start();
    EXPECT_EQ(plan.NextDelayMs(0), 1000);
    EXPECT_EQ(plan.GetAttempt(), 1);
}

} // namespace
