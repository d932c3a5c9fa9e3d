// Resampling of raw fixes to whole seconds.

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/console_capture.h"
#include "tracks/resample.h"

namespace {

// Each raw fix carries one value v in its four rows as (v, -v, 2v, 4v):
// scaling by powers of two and negation are exact in float32, so every
// scheme's result in the four rows is exactly (r, -r, 2r, 4r) for the
// result r of the first row.  A row taken from the wrong fix or the wrong
// row shows as a mismatch.
track_fix raw(float t, float v) { return {t, v, -v, 2.0f * v, 4.0f * v}; }

std::vector<track_fix> raw_fixes(const std::vector<float>& times, const std::vector<float>& values) {
    std::vector<track_fix> p;
    for (std::size_t i = 0; i < times.size(); ++i) p.push_back(raw(times[i], values[i]));
    return p;
}

struct Out {
    float second;
    float v;
};

void expect_output(const std::vector<track_fix>& ppsec, const std::vector<Out>& want, const std::string& what) {
    ASSERT_GE(ppsec.size(), want.size()) << what;
    for (std::size_t k = 0; k < want.size(); ++k) {
        SCOPED_TRACE(what + ", output " + std::to_string(k));
        EXPECT_EQ(ppsec[k][fix_t], want[k].second);
        EXPECT_EQ(ppsec[k][fix_x], want[k].v);
        EXPECT_EQ(ppsec[k][fix_y], -want[k].v);
        EXPECT_EQ(ppsec[k][fix_alt], 2.0f * want[k].v);
        EXPECT_EQ(ppsec[k][fix_enl], 4.0f * want[k].v);
    }
}

struct SchemeCase {
    const char* what;
    int32_t scheme;
    std::vector<float> times;
    std::vector<float> values;
    int32_t ntot;
    std::vector<Out> want;
};

TEST(Resample, SchemesByTableOfCases) {
    const std::vector<float> irregular = {100.2f, 100.7f, 101.1f, 103.4f};
    const std::vector<float> one_to_four = {1, 2, 3, 4};
    // Fixes 1-3 lie on v = (t - 100)^2, fix 4 does not: the parabola through
    // fixes 1-3 and the one through fixes 2-4 give different, exact values.
    const std::vector<float> para_t = {100.0f, 102.0f, 104.0f, 105.0f};
    const std::vector<float> para_v = {0, 4, 16, 100};
    const SchemeCase cases[] = {
        {"previous point, irregular times", scheme_previous, irregular, one_to_four, 4,
         {{100, 1}, {101, 2}, {102, 3}, {103, 3}}},
        {"nearest point, irregular times", scheme_nearest, irregular, one_to_four, 4,
         {{100, 1}, {101, 3}, {102, 3}, {103, 4}}},
        {"nearest point, a second midway takes the later fix", scheme_nearest, {100.0f, 100.5f, 101.5f},
         {1, 2, 3}, 2, {{100, 1}, {101, 3}}},
        {"nearest point, the last fix exactly on the second", scheme_nearest, {100.0f, 101.25f, 102.0f},
         {1, 2, 3}, 3, {{100, 1}, {101, 2}, {102, 3}}},
        {"linear, between fixes, on a fix and on the last fix", scheme_linear, {100, 102, 104}, {10, 20, 40}, 5,
         {{100, 10}, {101, 15}, {102, 20}, {103, 30}, {104, 40}}},
        {"linear on a fix gives its value exactly", scheme_linear, {100.0f, 101.0f, 102.7f}, {1.0f, 3.3f, 7.0f},
         2, {{100, 1.0f}, {101, 3.3f}}},
        {"linear, a fix on the second followed by one of the same time", scheme_linear, {100, 101, 101, 102},
         {1, 2, 3, 4}, 3, {{100, 1}, {101, 2}, {102, 4}}},
        {"parabolic: first three fixes at the start, closer span in the middle, last three at the end",
         scheme_parabolic, para_t, para_v, 6, {{100, 0}, {101, 1}, {102, 4}, {103, -16}, {104, 16}, {105, 100}}},
        {"parabolic with two raw fixes gives the previous point", scheme_parabolic, {100.0f, 101.5f}, {1, 2}, 2,
         {{100, 1}, {101, 1}}},
        {"parabolic with three fixes sharing a time gives the linear value", scheme_parabolic,
         {100, 100, 102}, {0, 10, 20}, 3, {{100, 0}, {101, 15}, {102, 20}}},
        {"one raw fix, seconds after it: the previous point", scheme_previous, {100.5f}, {7}, 3,
         {{100, 7}, {101, 7}, {102, 7}}},
        {"nearest point with one raw fix, seconds after it: the previous point", scheme_nearest, {100.5f}, {7}, 3,
         {{100, 7}, {101, 7}, {102, 7}}},
        {"linear with one raw fix, seconds after it: the previous point", scheme_linear, {100.5f}, {7}, 3,
         {{100, 7}, {101, 7}, {102, 7}}},
        {"times that step back: the walk's brackets", scheme_previous, {100.0f, 102.0f, 101.5f, 103.0f},
         one_to_four, 4, {{100, 1}, {101, 1}, {102, 2}, {103, 4}}},
        {"a first time below zero truncates toward zero", scheme_previous, {-0.5f, 0.25f, 1.5f}, {1, 2, 3}, 2,
         {{0, 1}, {1, 2}}},
    };
    for (const SchemeCase& c : cases) {
        std::vector<track_fix> ppsec;
        ftr2igc(static_cast<int32_t>(c.times.size()), c.ntot, raw_fixes(c.times, c.values), ppsec, c.scheme, 4,
                false);
        EXPECT_GE(ppsec.size(), static_cast<std::size_t>(c.ntot)) << c.what;
        expect_output(ppsec, c.want, c.what);
    }
}

TEST(Resample, FirstFixIsRawFixOneForEveryScheme) {
    const std::vector<track_fix> pp5 = {{100.6f, 11.0f, 22.0f, 33.0f, 4.5f}, {101.6f, 0, 0, 0, 9.0f},
                                        {102.6f, 0, 0, 0, 9.0f}};
    for (int32_t scheme = scheme_next; scheme <= 3; ++scheme) {
        std::vector<track_fix> ppsec;
        int32_t ntot = 3;
        if (scheme == scheme_next)
            resample_next_point(3, ntot, pp5, ppsec, false);
        else
            ftr2igc(3, ntot, pp5, ppsec, scheme, 4, false);
        ASSERT_FALSE(ppsec.empty());
        const track_fix want = {100.0f, 11.0f, 22.0f, 33.0f, 4.5f};
        EXPECT_EQ(ppsec[0], want) << "scheme " << scheme;
    }
}

TEST(Resample, UnknownSchemeWritesTheTimeRowOnly) {
    std::vector<track_fix> ppsec(3, track_fix{-1, -1, -1, -1, -1});
    ftr2igc(2, 3, raw_fixes({100.0f, 102.0f}, {5, 6}), ppsec, 3, 4, false);
    const track_fix untouched = {101, -1, -1, -1, -1};
    EXPECT_EQ(ppsec[1], untouched);
    EXPECT_EQ(ppsec[2][fix_t], 102.0f);
}

TEST(Resample, LowNvarLeavesTheHigherRows) {
    std::vector<track_fix> ppsec(2, track_fix{0, 0, 0, -9, -9});
    ftr2igc(2, 2, raw_fixes({100.0f, 101.0f}, {5, 6}), ppsec, scheme_previous, 2, false);
    const track_fix want = {101, 6, -6, -9, -9};
    EXPECT_EQ(ppsec[1], want);
}

struct NextCase {
    const char* what;
    std::vector<float> times;
    int32_t ntot_in;
    int32_t ntot_out;
    std::vector<Out> want;
};

TEST(Resample, NextPointByTableOfCases) {
    const NextCase cases[] = {
        {"missing second left out, several fixes in a second give the first", {100.2f, 100.7f, 101.1f, 103.4f}, 4,
         3, {{100, 1}, {101, 3}, {103, 4}}},
        {"a step back in time is dropped", {100.2f, 101.5f, 100.9f, 102.1f}, 3, 3, {{100, 1}, {101, 2}, {102, 4}}},
        {"a fix exactly on a whole second", {100.0f, 101.0f, 101.0f}, 2, 2, {{100, 1}, {101, 2}}},
        {"more seconds kept than the track spans are not stored", {100.0f, 101.0f, 102.0f, 100.5f}, 1, 1,
         {{100, 1}}},
    };
    for (const NextCase& c : cases) {
        std::vector<float> values;
        for (std::size_t i = 0; i < c.times.size(); ++i) values.push_back(static_cast<float>(i + 1));
        std::vector<track_fix> ppsec;
        int32_t ntot = c.ntot_in;
        resample_next_point(static_cast<int32_t>(c.times.size()), ntot, raw_fixes(c.times, values), ppsec, false);
        EXPECT_EQ(ntot, c.ntot_out) << c.what;
        EXPECT_GE(ppsec.size(), static_cast<std::size_t>(c.ntot_in)) << c.what;
        expect_output(ppsec, c.want, c.what);
    }
}

TEST(Resample, CountsBeyondTheArraysReadNothingOutside) {
    // nrec larger than the raw array and ntot larger than the output array:
    // the routines stay inside pp5 and grow ppsec (the sanitizer build
    // catches any read past the end).
    const std::vector<track_fix> pp5 = raw_fixes({100.0f, 101.0f}, {1, 2});
    for (int32_t scheme = scheme_previous; scheme <= scheme_parabolic; ++scheme) {
        std::vector<track_fix> ppsec;
        ftr2igc(50, 5, pp5, ppsec, scheme, 4, false);
        ASSERT_GE(ppsec.size(), 5u);
        EXPECT_EQ(ppsec[4][fix_t], 104.0f);
        EXPECT_EQ(ppsec[4][fix_x], 2.0f) << "scheme " << scheme;
    }
    std::vector<track_fix> ppsec;
    int32_t ntot = 10;
    resample_next_point(50, ntot, pp5, ppsec, false);
    EXPECT_EQ(ntot, 2);

    // No raw fix at all: nothing is read, the output is only sized.
    std::vector<track_fix> none;
    ppsec.clear();
    ftr2igc(3, 2, none, ppsec, scheme_linear, 4, false);
    EXPECT_EQ(ppsec.size(), 2u);
    ntot = 2;
    resample_next_point(0, ntot, pp5, ppsec, false);
    EXPECT_EQ(ntot, 0);
}

TEST(Resample, HostileTimesDoNotOverflow) {
    const float inf = INFINITY;
    const std::vector<track_fix> pp5 = {{NAN, 1, 1, 1, 1}, {inf, 2, 2, 2, 2}, {-inf, 3, 3, 3, 3},
                                        {3.0e38f, 4, 4, 4, 4}};
    for (int32_t scheme = scheme_previous; scheme <= scheme_parabolic; ++scheme) {
        std::vector<track_fix> ppsec;
        ftr2igc(4, 3, pp5, ppsec, scheme, 4, false);
        EXPECT_EQ(ppsec[0][fix_t], 0.0f);
    }
    std::vector<track_fix> ppsec;
    int32_t ntot = 4;
    resample_next_point(4, ntot, pp5, ppsec, false);
    EXPECT_EQ(ntot, 2);  // NaN counts as second 0, then 2147483647; the rest is not later
}

TEST(Resample, LongTrackInOnePass) {
    // Ten hours of fixes at 0.4 s: every scheme keeps the whole second of
    // each output and, for the parabolic scheme on a straight line, the
    // straight line's value.
    std::vector<track_fix> pp5;
    for (int i = 0; i < 90000; ++i) {
        const float t = 36000.0f + 0.4f * static_cast<float>(i);
        pp5.push_back({t, t - 36000.0f, 0, 0, 0});
    }
    const int32_t ntot = static_cast<int32_t>(pp5.back()[fix_t]) - 36000 + 1;
    for (int32_t scheme = scheme_previous; scheme <= scheme_parabolic; ++scheme) {
        std::vector<track_fix> ppsec;
        ftr2igc(static_cast<int32_t>(pp5.size()), ntot, pp5, ppsec, scheme, 4, false);
        for (int32_t k = 0; k < ntot; k += 997) {
            EXPECT_EQ(ppsec[static_cast<std::size_t>(k)][fix_t], static_cast<float>(36000 + k));
            EXPECT_NEAR(ppsec[static_cast<std::size_t>(k)][fix_x], static_cast<float>(k), 0.45f) << scheme;
        }
    }
}

TEST(Parabo, CoefficientsOfThreePoints) {
    struct Case {
        float x[3], y[3], a, b, c;
    };
    const Case cases[] = {
        {{0, 1, 3}, {0, 1, 9}, 1, 0, 0},        // y = x^2
        {{0, 2, 4}, {5, 9, 13}, 0, 2, 5},       // a straight line
        {{1, 2, 3}, {2, 3, 6}, 1, -2, 3},       // y = x^2 - 2x + 3
        {{-1, 0, 2}, {-3, 1, 3}, -1, 3, 1},     // y = -x^2 + 3x + 1
    };
    for (const Case& k : cases) {
        float a, b, c;
        parabo(k.x, k.y, a, b, c);
        EXPECT_FLOAT_EQ(a, k.a);
        EXPECT_FLOAT_EQ(b, k.b);
        EXPECT_FLOAT_EQ(c, k.c);
    }
}

std::size_t count_blank_lines(const std::string& s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i] == '\n' && (i == 0 || s[i - 1] == '\n')) ++n;
    return n;
}

TEST(Resample, DiagnosticLinesForTheFirstOfEachPeriodAndTheLastTwenty) {
    struct Case {
        int32_t scheme;
        int32_t ntot;
        std::size_t blocks;
    };
    // Entries n = 2 .. ntot: n mod 2000 = 1 (200 for the parabolic scheme)
    // or ntot - n <= 19.
    const Case cases[] = {{scheme_previous, 30, 20}, {scheme_linear, 4500, 22},
                          {scheme_parabolic, 450, 22}, {scheme_nearest, 10, 9}};
    for (const Case& c : cases) {
        std::vector<track_fix> pp5;
        for (int i = 0; i <= c.ntot; ++i) pp5.push_back(raw(100.5f + static_cast<float>(i), 1.0f));
        std::vector<track_fix> ppsec;
        const std::string out =
            capture_console([&] { ftr2igc(c.ntot + 1, c.ntot, pp5, ppsec, c.scheme, 4, true); });
        EXPECT_EQ(count_blank_lines(out), c.blocks) << "scheme " << c.scheme << " ntot " << c.ntot;
    }
    std::vector<track_fix> ppsec;
    const std::string out = capture_console(
        [&] { ftr2igc(2, 2, raw_fixes({100.5f, 101.5f}, {1, 2}), ppsec, scheme_previous, 4, true); });
    EXPECT_EQ(out, "\n 100.5 101.5 -- 101\n 1 2 -- 1\n -1 -2 -- -1\n 2 4 -- 2\n 4 8 -- 4\n");
}

TEST(Resample, NextPointDiagnosticLines) {
    std::vector<track_fix> ppsec;
    int32_t ntot = 2;
    const std::string out = capture_console(
        [&] { resample_next_point(2, ntot, raw_fixes({100.5f, 101.25f}, {1, 2}), ppsec, true); });
    EXPECT_EQ(out,
              "\n 100.5 -- 100\n 1 -- 1\n -1 -- -1\n 2 -- 2\n 4 -- 4\n"
              "\n 101.25 -- 101\n 2 -- 2\n -2 -- -2\n 4 -- 4\n 8 -- 8\n");
}

}  // namespace
