#include "core/widgets/ProgressMath.h"

#include <climits>

#include <gtest/gtest.h>

using namespace tavrola;

TEST(ProgressMath, PercentOfZeroBasedRangeRoundTrips) {
    EXPECT_EQ(progressPercent(25, 0, 50), 50);
    EXPECT_EQ(progressValue(50, 0, 50), 25);
    EXPECT_EQ(progressPercent(1, 0, 3), 33);
    EXPECT_EQ(progressPercent(2, 0, 3), 67);
    for (int v = 0; v <= 100; ++v)
        EXPECT_EQ(progressValue(progressPercent(v, 0, 100), 0, 100), v);
}

TEST(ProgressMath, OutOfRangeValuesShowAFullOrEmptyBar) {
    EXPECT_EQ(progressPercent(150, 0, 100), 100);
    EXPECT_EQ(progressPercent(-5, 0, 100), 0);
    EXPECT_EQ(progressPercent(LLONG_MAX, INT_MIN, INT_MAX), 100);
    EXPECT_EQ(progressPercent(INT_MIN, INT_MIN, INT_MAX), 0);
}

TEST(ProgressMath, NonZeroMinIsAnOffsetNotADivisor) {
    EXPECT_EQ(progressPercent(15, 10, 20), 50);
    EXPECT_EQ(progressValue(50, 10, 20), 15);
    EXPECT_EQ(progressPercent(10, 10, 20), 0);
    EXPECT_EQ(progressValue(0, -50, 50), -50);
}

TEST(ProgressMath, EmptyRangeShowsNothingInsteadOfDividingByZero) {
    EXPECT_EQ(progressPercent(5, 0, 0), 0);
    EXPECT_EQ(progressValue(80, 0, 0), 0);
    EXPECT_EQ(progressPercent(5, 10, 3), 0);
    EXPECT_EQ(progressValue(100, 10, 3), 10);
}

TEST(ProgressMath, TextShowsThePercentExceptInTheSearchingLook) {
    EXPECT_EQ(progressText(42, 0), "42 %");
    EXPECT_EQ(progressText(42, 2), "Searching..");
}
