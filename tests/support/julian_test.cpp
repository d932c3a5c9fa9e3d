#include "support/julian.h"

#include <gtest/gtest.h>

TEST(Julian, KnownDaysBothWays) {
    struct Case {
        int32_t y, m, d, jdn;
    } cases[] = {
        {2000, 1, 1, 2451545}, {1970, 1, 1, 2440588}, {2024, 2, 29, 2460370},
        {1899, 12, 30, 2415019}, {2079, 6, 4, 2480554}, {1600, 3, 1, 2305508},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(jd(c.y, c.m, c.d), c.jdn) << c.y << "-" << c.m << "-" << c.d;
        int32_t y, m, d;
        gdate(c.jdn, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
}

TEST(Julian, RoundTripOverCenturies) {
    int32_t prev = jd(1799, 12, 31);
    for (int32_t n = prev + 1; n < prev + 150000; ++n) {
        int32_t y, m, d;
        gdate(n, y, m, d);
        ASSERT_EQ(jd(y, m, d), n);
    }
}

TEST(Julian, ExtremeInputsDoNotFail) {
    int32_t y, m, d;
    gdate(INT32_MAX, y, m, d);
    gdate(INT32_MIN, y, m, d);
    (void)jd(INT32_MAX, INT32_MAX, INT32_MAX);
    (void)jd(INT32_MIN, -5, 0);
    // Far dates whose intermediate products pass 32 bits still come back
    // exactly (the sanitizer build also catches any overflow above).
    const int32_t far = jd(2000000, 3, 1);
    gdate(far, y, m, d);
    EXPECT_EQ(y, 2000000);
    EXPECT_EQ(m, 3);
    EXPECT_EQ(d, 1);
}
