#include "core/widgets/ProgressMath.h"

#include <climits>

#include <gtest/gtest.h>

using namespace tavrola;

TEST(ProgressMath, PercentAndValueOffsetByTheMinimumClampedAndSafeOnEmptyRanges) {
    struct Row {
        long long value;
        int min, max, percent;
    };
    for (const Row& r : {Row{25, 0, 50, 50},
                         {1, 0, 3, 33},
                         {2, 0, 3, 67},
                         {150, 0, 100, 100},
                         {-5, 0, 100, 0},
                         {LLONG_MAX, INT_MIN, INT_MAX, 100},
                         {INT_MIN, INT_MIN, INT_MAX, 0},
                         {15, 10, 20, 50},
                         {10, 10, 20, 0},
                         {5, 0, 0, 0},
                         {5, 10, 3, 0}})
        EXPECT_EQ(progressPercent(r.value, r.min, r.max), r.percent)
            << r.value << " in " << r.min << ".." << r.max;
    for (int v = 0; v <= 100; ++v)
        EXPECT_EQ(progressValue(progressPercent(v, 0, 100), 0, 100), v);
    EXPECT_EQ(progressValue(50, 0, 50), 25);
    EXPECT_EQ(progressValue(50, 10, 20), 15);
    EXPECT_EQ(progressValue(0, -50, 50), -50);
    EXPECT_EQ(progressValue(80, 0, 0), 0);
    EXPECT_EQ(progressValue(100, 10, 3), 10);
    EXPECT_EQ(progressText(42, 0), "42 %");
    EXPECT_EQ(progressText(42, 2), "Searching..");
}
