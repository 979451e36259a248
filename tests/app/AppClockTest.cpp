#include "app/AppClock.h"

#include <gtest/gtest.h>

TEST(AppClock, FollowsTheSystemClockUntilATestFixesIt) {
    const AppTimePoint before = std::chrono::system_clock::now();
    const AppTimePoint now = AppNow();
    EXPECT_GE(now, before);

    const AppTimePoint fixed = AppTimePoint{} + std::chrono::hours(24 * 365 * 50);
    SetAppClock([fixed] { return fixed; });
    EXPECT_EQ(AppNow(), fixed);
    EXPECT_EQ(AppNow(), fixed);

    SetAppClock({});
    EXPECT_GE(AppNow(), now);
}
