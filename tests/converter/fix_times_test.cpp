#include "converter/fix_times.h"

#include <limits>

#include <gtest/gtest.h>

TEST(FixTimes, Plausibility) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        std::vector<float> times;
        int32_t nrec;
        Fix_times expected;
    } cases[] = {
        {{100.2f, 100.7f, 101.1f}, 3, Fix_times::usable},
        {{100.2f}, 1, Fix_times::usable},
        {{86000.0f, 86000.0f + 48 * 3600.0f}, 2, Fix_times::usable},
        {{86000.0f, 86001.0f + 48 * 3600.0f}, 2, Fix_times::damaged},
        {{100.0f, 99.0f}, 2, Fix_times::damaged},
        {{100.9f, 100.1f}, 2, Fix_times::usable},  // the same whole second
        {{100.0f, nan}, 2, Fix_times::damaged},
        {{100.0f, inf, 101.0f}, 3, Fix_times::damaged},
        {{100.0f, 3.0e30f, 101.0f}, 3, Fix_times::damaged},
        {{100.0f, 101.0f, nan}, 2, Fix_times::usable},  // only the fixes read count
        {{100.0f}, 0, Fix_times::no_fix},
        {{}, 5, Fix_times::no_fix},
    };
    for (const Case& c : cases) {
        std::vector<track_fix> pp5;
        for (float t : c.times) pp5.push_back({t, 0, 0, 0, 0});
        EXPECT_EQ(check_fix_times(pp5, c.nrec), c.expected) << c.times.size() << " fixes, nrec " << c.nrec;
    }
}
