#include "converter/fix_times.h"

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

const float nan_f = std::numeric_limits<float>::quiet_NaN();
const float inf_f = std::numeric_limits<float>::infinity();

// Fixes of the given times, each carrying its index in X so that the
// kept ones can be named.
std::vector<track_fix> fixes(const std::vector<float>& times) {
    std::vector<track_fix> pp5;
    for (std::size_t i = 0; i < times.size(); ++i) pp5.push_back({times[i], static_cast<float>(i), 0, 0, 0});
    return pp5;
}

std::string text(const std::vector<float>& times) {
    std::ostringstream s;
    for (float t : times) s << t << ' ';
    return s.str();
}

}  // namespace

TEST(FixTimes, KeepsUndamagedFixes) {
    struct Case {
        const char* what;
        std::vector<float> times;
        int32_t nrec;
        std::vector<int> kept;  // indices of the fixes kept, in order
    } cases[] = {
        {"undamaged", {100.5f, 101.5f, 102.5f, 103.5f}, 4, {0, 1, 2, 3}},
        {"one fix", {100.5f}, 1, {0}},
        {"no fix", {100.5f}, 0, {}},
        {"nrec beyond the array", {100.5f, 101.5f}, 9, {0, 1}},
        {"only the fixes read count", {100.5f, 101.5f, nan_f}, 2, {0, 1}},
        // A repeated time adds nothing: the first fix of it stays.
        {"equal times", {100.5f, 100.5f, 101.5f, 101.5f}, 4, {0, 2}},
        {"equal times beside a damaged one", {100.5f, 100.5f, 9000.0f, 100.5f, 101.5f, 102.5f}, 6, {0, 4, 5}},
        {"repeats at the head", {100.5f, 100.5f, 100.5f, 101.5f, 102.5f}, 5, {0, 3, 4}},
        {"stuck clock", std::vector<float>(20, 46800.0f), 20, {}},
        {"zeroed records", std::vector<float>(20, 0.0f), 20, {}},
        {"one fix of two left", {nan_f, 100.5f}, 2, {}},
        {"NaN", {100.5f, nan_f, 102.5f, 103.5f}, 4, {0, 2, 3}},
        {"infinite first", {inf_f, 101.5f, 102.5f}, 3, {1, 2}},
        {"minus infinite last", {100.5f, 101.5f, -inf_f}, 3, {0, 1}},
        {"huge", {100.5f, 3.0e30f, 102.5f}, 3, {0, 2}},
        {"beyond the limit behind", {100.5f, -2.0e6f, 102.5f}, 3, {0, 2}},
        {"at the limit", {-max_fix_time_s, max_fix_time_s}, 2, {0, 1}},
        {"just beyond the limit", {std::nextafter(max_fix_time_s, inf_f), 100.0f, 101.0f}, 3, {1, 2}},
        {"all damaged", {nan_f, inf_f, -3.0e30f}, 3, {}},
        // A quarter of an hour ahead (+1440 s), four hours behind
        // (-14400 s), at the first, a middle and the last fix.
        {"first ahead", {1540.5f, 101.5f, 102.5f, 103.5f}, 4, {1, 2, 3}},
        {"middle ahead", {100.5f, 101.5f, 1542.5f, 103.5f, 104.5f}, 5, {0, 1, 3, 4}},
        {"last ahead", {100.5f, 101.5f, 102.5f, 1543.5f}, 4, {0, 1, 2}},
        {"first behind", {-14299.5f, 101.5f, 102.5f, 103.5f}, 4, {1, 2, 3}},
        {"middle behind", {100.5f, 101.5f, -14297.5f, 103.5f, 104.5f}, 5, {0, 1, 3, 4}},
        {"last behind", {100.5f, 101.5f, 102.5f, -14296.5f}, 4, {0, 1, 2}},
        {"second behind, the first stays", {100.5f, -14298.5f, 102.5f, 103.5f}, 4, {0, 2, 3}},
        // Of a small step back the later fix goes, as the next-point
        // scheme drops it.
        {"small step back", {100.5f, 101.5f, 101.2f, 102.5f}, 4, {0, 1, 3}},
        {"equally long, the earliest fixes", {100.5f, 102.5f, 101.5f, 103.5f}, 4, {0, 1, 3}},
        {"longest later in the track", {5, 1, 2, 3, 0, 4}, 6, {1, 2, 3, 5}},
        {"clock stepped back for longer", {100.5f, 101.5f, 102.5f, 101.7f, 101.9f, 103.5f}, 6, {0, 1, 3, 4, 5}},
        // A step far longer than the others splits the track; of pieces that
        // are all small, the one with the most fixes stays.
        {"step of the limit", {100.0f, 700.0f}, 2, {0, 1}},
        {"longest piece", {100.0f, 101.0f, 702.0f, 703.0f, 704.0f}, 5, {2, 3, 4}},
        {"first of equal pieces", {100.0f, 101.0f, 702.0f, 703.0f}, 4, {0, 1}},
        {"three pieces", {100.0f, 800.0f, 801.0f, 802.0f, 1500.0f, 1501.0f}, 6, {1, 2, 3}},
        // A short track whose zeroed records leave a zero and a few fixes:
        // the one long step is no recording step of the track, and the
        // zero no start of the flight.
        {"zeroed head, two fixes left", {0, 0, 0, 0, 0, 0, 0, 0, 46800.0f, 46800.5f}, 10, {8, 9}},
        {"zeroed head, three fixes left", {0, 0, 0, 0, 0, 0, 0, 46800.0f, 46800.5f, 46801.0f}, 10, {7, 8, 9}},
        {"zeroed head, one fix left", {0, 0, 0, 0, 0, 0, 0, 0, 0, 46800.0f}, 10, {}},
        {"two fixes far apart, the others damaged", {nan_f, 100.0f, nan_f, 700.0f}, 4, {}},
        {"two fixes close, the others damaged", {nan_f, 100.0f, nan_f, 101.0f}, 4, {1, 3}},
    };
    for (const Case& c : cases) {
        std::vector<track_fix> pp5 = fixes(c.times);
        const int32_t kept = keep_undamaged_fixes(pp5, c.nrec);
        std::vector<int> got;
        for (int32_t k = 0; k < kept; ++k) got.push_back(static_cast<int>(pp5[static_cast<std::size_t>(k)][fix_x]));
        EXPECT_EQ(got, c.kept) << c.what << ": " << text(c.times);
    }
}

// A track long enough that the binary search and the greedy choice are
// exercised over many fixes: every tenth fix damaged one way or another.
TEST(FixTimes, KeepsUndamagedFixesOfALongTrack) {
    std::vector<float> times;
    std::vector<int> expected;
    for (int i = 0; i < 2000; ++i) {
        const float t = 45000.5f + 0.5f * static_cast<float>(i);
        switch (i % 40) {
        case 10: times.push_back(t + 1440.0f); break;
        case 20: times.push_back(t - 14400.0f); break;
        case 30: times.push_back(nan_f); break;
        case 39: times.push_back(t - 0.7f); break;  // a step back under a second
        default: times.push_back(t); expected.push_back(i);
        }
    }
    std::vector<track_fix> pp5 = fixes(times);
    const int32_t kept = keep_undamaged_fixes(pp5, static_cast<int32_t>(pp5.size()));
    ASSERT_EQ(kept, static_cast<int32_t>(expected.size()));
    for (std::size_t k = 0; k < expected.size(); ++k)
        ASSERT_EQ(pp5[k][fix_x], static_cast<float>(expected[k])) << k;
}

// Steps far longer than the track's own recording step: a long piece on
// either side is flight, kept with the gap; a piece of a few fixes is
// damage, left out.
TEST(FixTimes, GapsAndStrayPieces) {
    struct Piece {
        int fixes;
        double gap_before;  // s, from the previous piece's last fix
        bool kept;
    };
    struct Case {
        const char* what;
        double step;  // s, within a piece
        std::vector<Piece> pieces;
    } cases[] = {
        {"11 minutes half way", 0.5, {{100, 0, true}, {100, 660, true}}},
        {"30 minutes half way", 0.5, {{100, 0, true}, {100, 1800, true}}},
        {"90 minutes half way", 0.5, {{100, 0, true}, {100, 5400, true}}},
        {"five fixes before", 0.5, {{5, 0, false}, {100, 60, true}}},
        {"six fixes before", 0.5, {{6, 0, true}, {100, 60, true}}},
        {"five fixes after", 0.5, {{100, 0, true}, {5, 60, false}}},
        {"one fix a day after", 0.5, {{100, 0, true}, {1, 86400, false}}},
        {"three fixes between", 0.5, {{100, 0, true}, {3, 60, false}, {100, 60, true}}},
        {"under five seconds", 0.2, {{100, 0, true}, {3, 4.9, true}}},
        {"over five seconds", 0.2, {{100, 0, true}, {3, 5.1, false}}},
        {"under ten steps", 2.0, {{100, 0, true}, {3, 19.5, true}}},
        {"over ten steps", 2.0, {{100, 0, true}, {3, 20.5, false}}},
        {"slow recording", 10.0, {{50, 0, true}, {2, 90, true}, {2, 110, false}}},
    };
    for (const Case& c : cases) {
        std::vector<float> times;
        std::vector<int> expected;
        double t = 40000.25;
        for (const Piece& p : c.pieces) {
            for (int k = 0; k < p.fixes; ++k) {
                if (!times.empty()) t += k == 0 ? p.gap_before : c.step;
                if (p.kept) expected.push_back(static_cast<int>(times.size()));
                times.push_back(static_cast<float>(t));
            }
        }
        std::vector<track_fix> pp5 = fixes(times);
        const int32_t kept = keep_undamaged_fixes(pp5, static_cast<int32_t>(pp5.size()));
        std::vector<int> got;
        for (int32_t k = 0; k < kept; ++k) got.push_back(static_cast<int>(pp5[static_cast<std::size_t>(k)][fix_x]));
        EXPECT_EQ(got, expected) << c.what;
    }
}

TEST(FixTimes, SpanOfTheKeptFixes) {
    struct Case {
        std::vector<float> times;
        int32_t nrec;
        Fix_times expected;
    } cases[] = {
        {{100.2f, 100.7f, 101.1f}, 3, Fix_times::usable},
        {{100.2f}, 1, Fix_times::usable},
        {{86000.0f, 86000.0f + 48 * 3600.0f}, 2, Fix_times::usable},
        {{86000.0f, 86001.0f + 48 * 3600.0f}, 2, Fix_times::too_long},
        {{100.0f, 99.0f}, 2, Fix_times::damaged},
        {{100.9f, 100.1f}, 2, Fix_times::usable},  // the same whole second
        {{100.0f, nan_f}, 2, Fix_times::damaged},
        {{inf_f, 101.0f}, 2, Fix_times::damaged},
        {{100.0f, 101.0f, nan_f}, 2, Fix_times::usable},  // only the fixes counted
        {{100.0f, 101.0f}, 5, Fix_times::usable},       // nrec within the array
        {{100.0f}, 0, Fix_times::no_fix},
        {{}, 5, Fix_times::no_fix},
    };
    for (const Case& c : cases)
        EXPECT_EQ(check_fix_times(fixes(c.times), c.nrec), c.expected) << text(c.times) << "nrec " << c.nrec;
}
