// The estimate of the fixes a log holds.

#include <gtest/gtest.h>

#include "trackdiff/fix_capacity.h"

namespace {

TEST(FixCapacity, SizeTimesElevenTenthsOverThirtyFive) {
    struct Case {
        int64_t size;
        int64_t capacity;
    };
    const Case cases[] = {
        {0, 0},        {-5, 0},        {15, 0},             {16, 1},  // 16 x 1.1 / 35 = 0.503
        {35, 1},       {1000, 31},     {1'800'000, 56'571},
        {3'500'000'000LL, 110'000'000},  // beyond 32 bits
        // 49433.497... exactly, 49433.5 in single precision: rounded up.
        {1'572'884, 49'434},
    };
    for (const Case& c : cases) EXPECT_EQ(fix_capacity(c.size), c.capacity) << c.size;
}

}  // namespace
