// Matching of two fix arrays: the walk's rules, the pairing giving exactly
// the walk's result on a second log in time order, and every pair found
// whatever the order of the second log.

#include <algorithm>
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

/// How many fixes of pp1 have a fix of pp2 within the time tolerance.
int32_t partnered(const std::vector<igc_fix>& pp1, const std::vector<igc_fix>& pp2) {
    int32_t n = 0;
    for (const igc_fix& f : pp1)
        n += std::any_of(pp2.begin(), pp2.end(),
                         [&](const igc_fix& g) { return std::fabs(f[igc_t] - g[igc_t]) <= match_eps; });
    return n;
}

/// pp2 in time order, fixes of the same time in their order in pp2;
/// fixes whose time is not finite, which match nothing, left out.
std::vector<igc_fix> in_time_order(std::vector<igc_fix> pp2) {
    std::erase_if(pp2, [](const igc_fix& f) { return !std::isfinite(f[igc_t]); });
    std::stable_sort(pp2.begin(), pp2.end(), [](const igc_fix& a, const igc_fix& b) { return a[igc_t] < b[igc_t]; });
    return pp2;
}

/// Checks match_fixes against the walk: the walk's result itself for a pp2
/// in time order; otherwise every fix with a partner is paired, and the
/// counts, statistics and differences are those of the walk over pp2 in
/// time order.
void expect_pairing(const std::vector<igc_fix>& pp1, const std::vector<igc_fix>& pp2, const std::string& what) {
    const Match_result r = match_fixes(pp1, pp2);
    if (times_in_order(pp2)) {
        expect_same(r, match_fixes_walk(pp1, pp2), what);
        return;
    }
    EXPECT_EQ(r.nsom, partnered(pp1, pp2)) << what;
    Match_result walk = match_fixes_walk(pp1, in_time_order(pp2));
    walk.i2 = r.i2;
    expect_same(r, walk, what);
    if (!pp2.empty()) {
        EXPECT_LT(r.i2, pp2.size()) << what;
    }
}

struct WalkCase {
    const char* what;
    std::vector<float> t1, t2;
    int32_t nsom;
    std::size_t i2;
    int32_t paired;  ///< time matches of match_fixes
};

TEST(FixMatching, TheWalkAndThePairing) {
    const float e = match_eps;
    const WalkCase cases[] = {
        {"identical", range(0, 9), range(0, 9), 10, 9, 10},
        {"second lacks one time", range(0, 9), {0, 1, 2, 3, 4, 6, 7, 8, 9}, 9, 8, 9},
        {"second lacks the last time", range(0, 9), range(0, 8), 9, 8, 9},
        {"first starts earlier", range(0, 9), range(5, 9), 5, 4, 5},
        {"second starts earlier", range(5, 9), range(0, 9), 5, 9, 5},
        {"no common time", range(0, 4), range(10, 14), 0, 0, 0},
        {"every tenth second missing", range(0, 200), range(0, 200, 10), 180, 179, 180},
        {"first log has repeats and steps back", {3, 3, 1, 7, 2, 9, 9, 0}, range(0, 9), 8, 0, 8},
        {"second log repeats a time", range(0, 5), {0, 1, 1, 2, 3, 3, 4, 5}, 6, 7, 6},
        // The walk never turns back: only the first second log time matches.
        {"second log decreases", range(0, 5), {5, 4, 3, 2, 1, 0}, 1, 0, 6},
        {"second log one record early, every tenth second missing", range(0, 40),
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 11, 13, 14, 15, 16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28, 30, 31,
          32, 33, 34, 35, 36, 37, 38, 40},
         36, 36, 37},
        {"second log repeats a time out of order", range(0, 5), {0, 1, 2, 1, 3, 4, 5}, 6, 6, 6},
        {"times within the tolerance", {0, 1, 2}, {0.0f + e, 1.0f - e, 2.0f + 2 * e}, 2, 2, 2},
        {"second log denser than the tolerance", {1, 1.0015f}, {0.999f, 1.0f, 1.0005f, 1.001f, 1.002f}, 2, 3, 2},
        {"first log empty", {}, range(0, 3), 0, 0, 0},
        {"second log empty", range(0, 3), {}, 0, 0, 0},
        {"a time that is not a number", {0, std::nanf(""), 2}, range(0, 3), 2, 2, 2},
        {"a second log time that is not a number", range(0, 3), {0, 1, std::nanf(""), 3}, 3, 3, 3},
        {"a second log time that is infinite", range(0, 3), {0, 1, std::numeric_limits<float>::infinity(), 3}, 3, 3, 3},
    };
    for (const WalkCase& c : cases) {
        const std::vector<igc_fix> pp1 = at_times(c.t1), pp2 = at_times(c.t2);
        const Match_result walk = match_fixes_walk(pp1, pp2);
        EXPECT_EQ(walk.nsom, c.nsom) << c.what;
        EXPECT_EQ(walk.i2, c.i2) << c.what;
        EXPECT_EQ(match_fixes(pp1, pp2).nsom, c.paired) << c.what;
        expect_pairing(pp1, pp2, c.what);
    }
}

// Random logs: the second in time order (strictly, or with repeats of a
// time), with a few records out of order, or shuffled.
TEST(FixMatching, ThePairingOnRandomLogs) {
    std::mt19937 rng(12345);
    for (int run = 0; run < 600; ++run) {
        std::vector<float> t1, t2;
        const int n1 = static_cast<int>(rng() % 60), n2 = static_cast<int>(rng() % 60);
        for (int i = 0; i < n1; ++i) t1.push_back(static_cast<float>(rng() % 80) + (rng() % 4 == 0 ? 0.0005f : 0.0f));
        float t = static_cast<float>(rng() % 10);
        const int order = run % 4;
        for (int i = 0; i < n2; ++i) {
            t2.push_back(t);
            const bool repeat = order == 1 && rng() % 4 == 0;
            if (!repeat) t += static_cast<float>(1 + rng() % 3) + (rng() % 5 == 0 ? 0.0007f : 0.0f);
        }
        if (order == 2 && n2 > 1)
            for (int k = 0; k < 3; ++k) std::swap(t2[rng() % t2.size()], t2[rng() % t2.size()]);
        if (order == 3) std::shuffle(t2.begin(), t2.end(), rng);
        if (run % 3 == 0) std::sort(t1.begin(), t1.end());
        std::vector<igc_fix> pp1 = at_times(t1), pp2 = at_times(t2);
        for (igc_fix& f : pp2)
            if (rng() % 4 == 0) f[igc_alt] += 0.5f;
        expect_pairing(pp1, pp2, "random run " + std::to_string(run));
    }
}

// A second log in any order gives the counts, statistics and differences
// of the same log in time order.
TEST(FixMatching, TheOrderOfTheSecondLogDoesNotMatter) {
    const std::vector<igc_fix> pp1 = at_times(range(100, 400));
    std::vector<igc_fix> pp2 = at_times(range(90, 390, 10));
    for (std::size_t i = 0; i < pp2.size(); i += 7) pp2[i][igc_lat] += 2e-6f;
    for (std::size_t i = 0; i < pp2.size(); i += 11) pp2[i][igc_alt] -= 1.5f;
    const Match_result ordered = match_fixes(pp1, pp2);
    ASSERT_GT(ordered.differences.size(), 40u);
    std::mt19937 rng(99);
    for (int run = 0; run < 20; ++run) {
        std::vector<igc_fix> shuffled = pp2;
        std::shuffle(shuffled.begin(), shuffled.end(), rng);
        Match_result r = match_fixes(pp1, shuffled);
        EXPECT_EQ(shuffled[r.i2][igc_t], pp2[ordered.i2][igc_t]);
        r.i2 = ordered.i2;
        expect_same(r, ordered, "shuffle " + std::to_string(run));
    }
}

// Of several fixes of one time in the second log, the walk's on a log in
// time order: the first of them in the log when the search goes forward,
// the last when it goes backward, and the one a search ended on when it
// has the time.
TEST(FixMatching, WhichOfSeveralFixesOfATimeIsPaired) {
    // Time 1 three times, told apart by their altitudes 10, 20 and 30.
    const std::vector<igc_fix> pp2{
        {1, 0, 0, 10, 0}, {0, 0, 0, 0, 0}, {1, 0, 0, 20, 0}, {2, 0, 0, 0, 0}, {1, 0, 0, 30, 0}};
    const struct {
        const char* what;
        std::vector<float> t1;
        std::vector<float> paired_alt;  ///< altitude of the fix each time 1 is paired with
    } cases[] = {
        {"forward", {0, 1}, {10}},
        {"backward", {2, 1}, {30}},
        {"repeated forward", {0, 1, 1}, {10, 10}},
        {"repeated backward", {2, 1, 1}, {30, 30}},
    };
    for (const auto& c : cases) {
        std::vector<igc_fix> pp1;
        for (float t : c.t1) pp1.push_back({t, 0, 0, 0, 0});
        const Match_result r = match_fixes(pp1, pp2);
        EXPECT_EQ(r.nsom, static_cast<int32_t>(c.t1.size())) << c.what;
        std::vector<float> alts;
        for (const Fix_difference& d : r.differences) alts.push_back(-d.dalt);
        EXPECT_EQ(alts, c.paired_alt) << c.what;
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
