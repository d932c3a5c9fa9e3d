#include "converter/fix_times.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

bool sound_time(float t) { return std::isfinite(t) && std::fabs(t) <= max_fix_time_s; }

double step(float from, float to) { return static_cast<double>(to) - static_cast<double>(from); }

std::size_t fixes_given(const std::vector<track_fix>& pp5, int32_t nrec) {
    return std::min<std::size_t>(pp5.size(), nrec > 0 ? static_cast<std::size_t>(nrec) : 0);
}

// How the times of fixes 0..n-1 stand, found in one pass.
enum class Times {
    short_steps,  // sound, strictly growing, no step longer than gap_min_step_s
    growing,      // sound and strictly growing, some step longer
    damaged,      // an unsound time, a repeat or a step back
};

Times times_of(const std::vector<track_fix>& pp5, std::size_t n) {
    bool long_step = false;
    for (std::size_t k = 0; k < n; ++k) {
        const float t = pp5[k][fix_t];
        if (!sound_time(t)) return Times::damaged;
        if (k == 0) continue;
        const double d = step(pp5[k - 1][fix_t], t);
        if (d <= 0) return Times::damaged;
        if (d > gap_min_step_s) long_step = true;
    }
    return long_step ? Times::growing : Times::short_steps;
}

// Moves the fixes of sound times in the lexicographically smallest longest
// strictly growing sequence of fixes 0..n-1 to the front of pp5, in order;
// returns their count.
std::size_t keep_longest_growing(std::vector<track_fix>& pp5, std::size_t n) {
    // run[i]: the length of the longest strictly growing sequence that
    // begins at fix i (0 for an unsound time), found right to left.  best[k]
    // is the largest time that begins such a sequence of k + 1 fixes among
    // the fixes already passed; it falls as k grows, so a binary search
    // finds the longest sequence that fix i can begin.
    std::vector<int32_t> run(n, 0);
    std::vector<float> best;
    int32_t longest = 0;
    for (std::size_t i = n; i-- > 0;) {
        const float t = pp5[i][fix_t];
        if (!sound_time(t)) continue;
        const auto at = std::partition_point(best.begin(), best.end(), [t](float b) { return b > t; });
        const std::size_t k = static_cast<std::size_t>(at - best.begin());
        if (at == best.end())
            best.push_back(t);
        else
            *at = t;
        run[i] = static_cast<int32_t>(k + 1);
        longest = std::max(longest, run[i]);
    }
    // From the left, the first fix that can still begin a sequence of the
    // length needed and lies after the last one chosen: the earliest choice
    // at every step, and one that can always be completed.
    std::size_t kept = 0;
    int32_t needed = longest;
    float last = -std::numeric_limits<float>::infinity();
    for (std::size_t i = 0; i < n && needed > 0; ++i) {
        if (run[i] != needed || !(pp5[i][fix_t] > last)) continue;
        last = pp5[i][fix_t];
        pp5[kept++] = pp5[i];
        --needed;
    }
    return kept;
}

// The step beyond which fixes 0..n-1 (strictly growing times, n >= 2) break
// into pieces: longer than gap_min_step_s and than gap_step_factor times
// their median step.  Of an even count of steps the lower middle one: of a
// stray fix and the two fixes left of a short track, the long step between
// them is no recording step.
double gap_step(const std::vector<track_fix>& pp5, std::size_t n) {
    std::vector<double> steps(n - 1);
    for (std::size_t k = 1; k < n; ++k) steps[k - 1] = step(pp5[k - 1][fix_t], pp5[k][fix_t]);
    const auto mid = steps.begin() + static_cast<std::ptrdiff_t>((steps.size() - 1) / 2);
    std::nth_element(steps.begin(), mid, steps.end());
    return std::max(gap_min_step_s, gap_step_factor * *mid);
}

// Of fixes 0..n-1 (strictly growing times), split where a step is longer
// than gap_step, leaves out the pieces of at most max_stray_piece_fixes
// fixes, or, when no piece is longer, every piece but the one with the most
// fixes (the first of equals); moves the rest to the front in order and
// returns its count.
std::size_t keep_pieces(std::vector<track_fix>& pp5, std::size_t n) {
    if (n < 2) return n;
    const double gap = gap_step(pp5, n);
    // The piece with the most fixes, for a track of small pieces only.
    std::size_t best_begin = 0, best_size = 0, begin = 0;
    bool substantial = false;
    for (std::size_t k = 1; k <= n; ++k) {
        if (k < n && step(pp5[k - 1][fix_t], pp5[k][fix_t]) <= gap) continue;
        const std::size_t size = k - begin;
        if (size > static_cast<std::size_t>(max_stray_piece_fixes)) substantial = true;
        if (size > best_size) {
            best_begin = begin;
            best_size = size;
        }
        begin = k;
    }
    if (!substantial) {
        std::copy(pp5.begin() + static_cast<std::ptrdiff_t>(best_begin),
                  pp5.begin() + static_cast<std::ptrdiff_t>(best_begin + best_size), pp5.begin());
        return best_size;
    }
    std::size_t kept = 0;
    begin = 0;
    for (std::size_t k = 1; k <= n; ++k) {
        if (k < n && step(pp5[k - 1][fix_t], pp5[k][fix_t]) <= gap) continue;
        if (k - begin > static_cast<std::size_t>(max_stray_piece_fixes)) {
            if (kept != begin)
                std::copy(pp5.begin() + static_cast<std::ptrdiff_t>(begin), pp5.begin() + static_cast<std::ptrdiff_t>(k),
                          pp5.begin() + static_cast<std::ptrdiff_t>(kept));
            kept += k - begin;
        }
        begin = k;
    }
    return kept;
}

}  // namespace

int32_t keep_undamaged_fixes(std::vector<track_fix>& pp5, int32_t nrec) {
    const std::size_t n = fixes_given(pp5, nrec);
    const Times times = times_of(pp5, n);
    if (times == Times::short_steps) return static_cast<int32_t>(n);
    const std::size_t growing = times == Times::growing ? n : keep_longest_growing(pp5, n);
    const std::size_t kept = keep_pieces(pp5, growing);
    // One time alone makes no flight of a track that had more; nor do two
    // times a long step apart once the others were left out: with no step
    // of its own to compare that step with, the track cannot tell its
    // flight from damage (a zeroed record before a last good fix).
    if (kept == 1 && n > 1) return 0;
    if (kept == 2 && n > 2 && step(pp5[0][fix_t], pp5[1][fix_t]) > gap_min_step_s) return 0;
    return static_cast<int32_t>(kept);
}

Fix_times check_fix_times(const std::vector<track_fix>& pp5, int32_t nrec) {
    const std::size_t n = fixes_given(pp5, nrec);
    if (n == 0) return Fix_times::no_fix;
    const float t_first = pp5.front()[fix_t];
    const float t_last = pp5[n - 1][fix_t];
    if (!sound_time(t_first) || !sound_time(t_last)) return Fix_times::damaged;
    // The span in whole seconds, as the resampled array is sized from it.
    const double span = std::trunc(static_cast<double>(t_last)) - std::trunc(static_cast<double>(t_first));
    if (span < 0) return Fix_times::damaged;
    if (span > static_cast<double>(max_track_span_s)) return Fix_times::too_long;
    return Fix_times::usable;
}
