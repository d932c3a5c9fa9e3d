#include "converter/fix_times.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

bool sound_time(float t) { return std::isfinite(t) && std::fabs(t) <= max_fix_time_s; }

bool step_too_long(float from, float to) {
    return static_cast<double>(to) - static_cast<double>(from) > max_fix_step_s;
}

std::size_t fixes_given(const std::vector<track_fix>& pp5, int32_t nrec) {
    return std::min<std::size_t>(pp5.size(), nrec > 0 ? static_cast<std::size_t>(nrec) : 0);
}

// Whether fixes 0..n-1 are all kept: sound times that never go back nor
// step too far.  The one pass that an undamaged track pays.
bool nothing_to_leave_out(const std::vector<track_fix>& pp5, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) {
        const float t = pp5[k][fix_t];
        if (!sound_time(t)) return false;
        if (k > 0 && (t < pp5[k - 1][fix_t] || step_too_long(pp5[k - 1][fix_t], t))) return false;
    }
    return true;
}

// Moves the fixes of sound times in the lexicographically smallest longest
// non-decreasing sequence of fixes 0..n-1 to the front of pp5, in order;
// returns their count.
std::size_t keep_longest_ordered(std::vector<track_fix>& pp5, std::size_t n) {
    // run[i]: the length of the longest non-decreasing sequence that begins
    // at fix i (0 for an unsound time), found right to left.  best[k] is the
    // largest time that begins such a sequence of k + 1 fixes among the
    // fixes already passed; it never grows with k, so a binary search finds
    // the longest sequence that fix i can begin.
    std::vector<int32_t> run(n, 0);
    std::vector<float> best;
    int32_t longest = 0;
    for (std::size_t i = n; i-- > 0;) {
        const float t = pp5[i][fix_t];
        if (!sound_time(t)) continue;
        const auto at = std::partition_point(best.begin(), best.end(), [t](float b) { return b >= t; });
        const std::size_t k = static_cast<std::size_t>(at - best.begin());
        if (at == best.end())
            best.push_back(t);
        else
            *at = t;
        run[i] = static_cast<int32_t>(k + 1);
        longest = std::max(longest, run[i]);
    }
    // From the left, the first fix that can still begin a sequence of the
    // length needed: the earliest choice at every step.  A later fix with
    // a longer run and no earlier time cannot exist, as it would lengthen
    // the run of the fix chosen before it.
    std::size_t kept = 0;
    int32_t needed = longest;
    float last = -std::numeric_limits<float>::infinity();
    for (std::size_t i = 0; i < n && needed > 0; ++i) {
        if (run[i] != needed || pp5[i][fix_t] < last) continue;
        last = pp5[i][fix_t];
        pp5[kept++] = pp5[i];
        --needed;
    }
    return kept;
}

// Of fixes 0..n-1 (times that never go back), moves the piece between
// steps longer than max_fix_step_s that has the most fixes (the first of
// equals) to the front; returns its count.
std::size_t keep_longest_piece(std::vector<track_fix>& pp5, std::size_t n) {
    std::size_t best_begin = 0, best_size = 0, begin = 0;
    for (std::size_t k = 1; k <= n; ++k) {
        if (k < n && !step_too_long(pp5[k - 1][fix_t], pp5[k][fix_t])) continue;
        if (k - begin > best_size) {
            best_begin = begin;
            best_size = k - begin;
        }
        begin = k;
    }
    if (best_begin > 0) std::copy(pp5.begin() + static_cast<std::ptrdiff_t>(best_begin),
                                  pp5.begin() + static_cast<std::ptrdiff_t>(best_begin + best_size), pp5.begin());
    return best_size;
}

}  // namespace

int32_t keep_undamaged_fixes(std::vector<track_fix>& pp5, int32_t nrec) {
    const std::size_t n = fixes_given(pp5, nrec);
    if (nothing_to_leave_out(pp5, n)) return static_cast<int32_t>(n);
    const std::size_t ordered = keep_longest_ordered(pp5, n);
    return static_cast<int32_t>(keep_longest_piece(pp5, ordered));
}

Fix_times check_fix_times(const std::vector<track_fix>& pp5, int32_t nrec) {
    const std::size_t n = fixes_given(pp5, nrec);
    if (n == 0) return Fix_times::no_fix;
    const float t_first = pp5.front()[fix_t];
    const float t_last = pp5[n - 1][fix_t];
    if (!sound_time(t_first) || !sound_time(t_last)) return Fix_times::damaged;
    // The span in whole seconds, as the resampled array is sized from it.
    const double span = std::trunc(static_cast<double>(t_last)) - std::trunc(static_cast<double>(t_first));
    if (span < 0 || span > static_cast<double>(max_track_span_s)) return Fix_times::damaged;
    return Fix_times::usable;
}
