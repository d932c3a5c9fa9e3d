// Matching of two fix arrays: the walk's rules, and the fast path giving
// exactly the walk's result.

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "trackdiff/fix_matching.h"

namespace {

/// Fixes at the given times, positions and altitudes derived from the time
/// so that equal times give equal fixes.
std::vector<igc_fix> at_times(const std::vector<float>& times) {
    std::vector<igc_fix> v;
    for (float t : times) v.push_back({t, 46.0f + t * 1e-4f, 9.0f + t * 2e-4f, 500.0f + t, 999.0f});
    return v;
}

std::vector<float> range(int from, int to, int skip_every = 0) {
    std::vector<float> v;
    for (int t = from; t <= to; ++t)
        if (skip_every == 0 || t % skip_every != 0) v.push_back(static_cast<float>(t));
    return v;
}

void expect_same(const Match_result& a, const Match_result& b, const std::string& what) {
    EXPECT_EQ(a.nsom, b.nsom) << what;
    EXPECT_EQ(a.nsom_m, b.nsom_m) << what;
    EXPECT_EQ(a.i2, b.i2) << what;
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(a.emin[k], b.emin[k]) << what;
        EXPECT_EQ(a.emax[k], b.emax[k]) << what;
        EXPECT_EQ(a.esom[k], b.esom[k]) << what;
    }
    ASSERT_EQ(a.differences.size(), b.differences.size()) << what;
    for (std::size_t i = 0; i < a.differences.size(); ++i) {
        EXPECT_EQ(a.differences[i].t, b.differences[i].t) << what;
        EXPECT_EQ(a.differences[i].dlat, b.differences[i].dlat) << what;
        EXPECT_EQ(a.differences[i].dlon, b.differences[i].dlon) << what;
        EXPECT_EQ(a.differences[i].dalt, b.differences[i].dalt) << what;
    }
}

struct WalkCase {
    const char* what;
    std::vector<float> t1, t2;
    int32_t nsom;
    std::size_t i2;
};

TEST(FixMatching, TheWalkAndTheFastPathAgree) {
    const float e = match_eps;
    const WalkCase cases[] = {
        {"identical", range(0, 9), range(0, 9), 10, 9},
        {"second lacks one time", range(0, 9), {0, 1, 2, 3, 4, 6, 7, 8, 9}, 9, 8},
        {"second lacks the last time", range(0, 9), range(0, 8), 9, 8},
        {"first starts earlier", range(0, 9), range(5, 9), 5, 4},
        {"second starts earlier", range(5, 9), range(0, 9), 5, 9},
        {"no common time", range(0, 4), range(10, 14), 0, 0},
        {"every tenth second missing", range(0, 200), range(0, 200, 10), 180, 179},
        {"first log has repeats and steps back", {3, 3, 1, 7, 2, 9, 9, 0}, range(0, 9), 8, 0},
        {"second log repeats a time (walk only)", range(0, 5), {0, 1, 1, 2, 3, 3, 4, 5}, 6, 7},
        // The walk never turns back: only the first second log time matches.
        {"second log decreases (walk only)", range(0, 5), {5, 4, 3, 2, 1, 0}, 1, 0},
        {"times within the tolerance", {0, 1, 2}, {0.0f + e, 1.0f - e, 2.0f + 2 * e}, 2, 2},
        {"second log denser than the tolerance", {1, 1.0015f}, {0.999f, 1.0f, 1.0005f, 1.001f, 1.002f}, 2, 3},
        {"first log empty", {}, range(0, 3), 0, 0},
        {"second log empty", range(0, 3), {}, 0, 0},
        {"a time that is not a number", {0, std::nanf(""), 2}, range(0, 3), 2, 2},
    };
    for (const WalkCase& c : cases) {
        const std::vector<igc_fix> pp1 = at_times(c.t1), pp2 = at_times(c.t2);
        const Match_result walk = match_fixes_walk(pp1, pp2);
        EXPECT_EQ(walk.nsom, c.nsom) << c.what;
        EXPECT_EQ(walk.i2, c.i2) << c.what;
        expect_same(match_fixes(pp1, pp2), walk, c.what);
    }
}

TEST(FixMatching, TheFastPathAgreesOnRandomLogs) {
    std::mt19937 rng(12345);
    for (int run = 0; run < 300; ++run) {
        std::vector<float> t1, t2;
        const int n1 = static_cast<int>(rng() % 60), n2 = static_cast<int>(rng() % 60);
        for (int i = 0; i < n1; ++i) t1.push_back(static_cast<float>(rng() % 80) + (rng() % 4 == 0 ? 0.0005f : 0.0f));
        float t = static_cast<float>(rng() % 10);
        for (int i = 0; i < n2; ++i) {
            t2.push_back(t);
            t += static_cast<float>(1 + rng() % 3) + (rng() % 5 == 0 ? 0.0007f : 0.0f);
        }
        if (run % 3 == 0) std::sort(t1.begin(), t1.end());
        std::vector<igc_fix> pp1 = at_times(t1), pp2 = at_times(t2);
        for (igc_fix& f : pp2)
            if (rng() % 4 == 0) f[igc_alt] += 0.5f;
        expect_same(match_fixes(pp1, pp2), match_fixes_walk(pp1, pp2), "random run " + std::to_string(run));
    }
}

TEST(FixMatching, TheDataTestIsStrictAndTheTimeTestIsNot) {
    struct Case {
        const char* what;
        float dt, dlat, dlon, dalt;
        int32_t nsom, nsom_m;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"equal", 0, 0, 0, 0, 1, 1},
        {"time difference equal to the tolerance", match_eps, 0, 0, 0, 1, 1},
        {"time difference above the tolerance", 0.002f, 0, 0, 0, 0, 0},
        {"latitude difference equal to its tolerance", 0, match_epsl, 0, 0, 1, 0},
        {"longitude difference just below", 0, 0, 0.9e-6f, 0, 1, 1},
        {"altitude difference equal to its tolerance", 0, 0, 0, match_epsz, 1, 0},
        {"altitude not a number", 0, 0, 0, nan, 1, 0},
    };
    for (const Case& c : cases) {
        const std::vector<igc_fix> pp1{{100.0f + c.dt, c.dlat, c.dlon, c.dalt, 0}};
        const std::vector<igc_fix> pp2{{100.0f, 0, 0, 0, 0}};
        const Match_result r = match_fixes(pp1, pp2);
        EXPECT_EQ(r.nsom, c.nsom) << c.what;
        EXPECT_EQ(r.nsom_m, c.nsom_m) << c.what;
        EXPECT_EQ(r.differences.size(), static_cast<std::size_t>(c.nsom - c.nsom_m)) << c.what;
    }
}

TEST(FixMatching, StatisticsOverEveryTimeMatch) {
    // Differences (first minus second): latitude 0, 3e-6, -4e-6; altitude 0, 2, 0.
    const std::vector<igc_fix> pp1{{1, 46, 9, 100, 0}, {2, 46, 9, 102, 0}, {3, 46, 9, 100, 0}, {4, 0, 0, 0, 0}};
    std::vector<igc_fix> pp2{{1, 46, 9, 100, 0}, {2, 46, 9, 100, 0}, {3, 46, 9, 100, 0}};
    pp2[1][igc_lat] -= 3e-6f;
    pp2[2][igc_lat] += 4e-6f;
    const Match_result r = match_fixes(pp1, pp2);
    EXPECT_EQ(r.nsom, 3);
    EXPECT_EQ(r.nsom_m, 1);
    const float d1 = pp1[1][igc_lat] - pp2[1][igc_lat];
    const float d2 = pp1[2][igc_lat] - pp2[2][igc_lat];
    EXPECT_EQ(r.emin[0], 0.0f);
    EXPECT_EQ(r.emax[0], std::fabs(d2));
    EXPECT_EQ(r.esom[0], 0.0f + d1 * d1 + d2 * d2);
    EXPECT_EQ(r.emax[2], 2.0f);
    EXPECT_EQ(r.esom[2], 4.0f);
    EXPECT_EQ(match_rms(r)[2], std::sqrt(4.0f / 3.0f));
    ASSERT_EQ(r.differences.size(), 2u);
    EXPECT_EQ(r.differences[0].t, 2.0f);
    EXPECT_EQ(r.differences[0].dalt, 2.0f);
    EXPECT_EQ(r.differences[1].dlat, d2);
}

}  // namespace
