#include "trackdiff/fix_matching.h"

#include <algorithm>
#include <cmath>

namespace {

/// Adds the pair (f1, f2) that matched in time to the counts and statistics.
void record_match(Match_result& r, const igc_fix& f1, const igc_fix& f2) {
    ++r.nsom;
    const std::array<float, 3> d{f1[igc_lat] - f2[igc_lat], f1[igc_lon] - f2[igc_lon], f1[igc_alt] - f2[igc_alt]};
    if (std::fabs(d[0]) < match_epsl && std::fabs(d[1]) < match_epsl && std::fabs(d[2]) < match_epsz)
        ++r.nsom_m;
    else
        r.differences.push_back({f1[igc_t], d[0], d[1], d[2]});
    for (std::size_t k = 0; k < 3; ++k) {
        const float a = std::fabs(d[k]);
        r.esom[k] += d[k] * d[k];
        r.emin[k] = std::min(r.emin[k], a);
        r.emax[k] = std::max(r.emax[k], a);
    }
}

bool time_match(float dt) { return std::fabs(dt) <= match_eps; }

}  // namespace

Match_result match_fixes_walk(const std::vector<igc_fix>& pp1, const std::vector<igc_fix>& pp2) {
    Match_result r;
    const std::ptrdiff_t n2 = static_cast<std::ptrdiff_t>(pp2.size());
    if (n2 == 0) return r;
    std::ptrdiff_t i2 = 0;
    for (const igc_fix& f1 : pp1) {
        const float t = f1[igc_t];
        float dt = t - pp2[static_cast<std::size_t>(i2)][igc_t];
        bool found = time_match(dt);
        if (!found) {
            const std::ptrdiff_t di = dt > 0.0f ? 1 : -1;
            std::ptrdiff_t j = i2;
            for (;;) {
                j += di;
                if (j < 0 || j >= n2) break;
                dt = t - pp2[static_cast<std::size_t>(j)][igc_t];
                if (time_match(dt)) {
                    found = true;
                    break;
                }
            }
            i2 = found ? j : j - di;
        }
        if (found) record_match(r, f1, pp2[static_cast<std::size_t>(i2)]);
    }
    r.i2 = static_cast<std::size_t>(i2);
    return r;
}

bool times_in_order(const std::vector<igc_fix>& pp) {
    for (const igc_fix& f : pp)
        if (!std::isfinite(f[igc_t])) return false;
    for (std::size_t j = 0; j + 1 < pp.size(); ++j)
        if (pp[j + 1][igc_t] < pp[j][igc_t]) return false;
    return true;
}

namespace {

// Why the searches below find what the walk finds.  With the times of pp2
// in order, d(j) = t - t2[j] (a rounded float difference, which rounding
// keeps monotonic) never increases with j.  So the indices with d(j) <=
// eps form a suffix of pp2 and those with d(j) >= -eps a prefix, and the
// matching indices are where both hold.  A forward walk from i2 + 1 stops
// at the first index of the suffix beyond i2, if it is in the prefix; a
// backward walk from i2 - 1 at the last index of the prefix below i2, if
// it is in the suffix; otherwise the walk runs to the end or the start.
// Equal times in pp2 change none of this.
Match_result match_in_order(const std::vector<igc_fix>& pp1, const std::vector<igc_fix>& pp2) {
    Match_result r;
    const std::size_t n2 = pp2.size();
    if (n2 == 0) return r;
    std::size_t i2 = 0;
    for (const igc_fix& f1 : pp1) {
        const float t = f1[igc_t];
        const auto d = [t](const igc_fix& f) { return t - f[igc_t]; };
        if (time_match(d(pp2[i2]))) {
            record_match(r, f1, pp2[i2]);
            continue;
        }
        if (d(pp2[i2]) > 0.0f) {
            // First index beyond i2 with d <= eps; the next one first, as
            // logs sampled alike meet there.
            std::size_t lo = i2 + 1;
            if (lo < n2 && d(pp2[lo]) > match_eps) {
                const auto it = std::partition_point(pp2.begin() + static_cast<std::ptrdiff_t>(lo + 1), pp2.end(),
                                                     [&](const igc_fix& f) { return d(f) > match_eps; });
                lo = static_cast<std::size_t>(it - pp2.begin());
            }
            if (lo < n2 && d(pp2[lo]) >= -match_eps) {
                i2 = lo;
                record_match(r, f1, pp2[i2]);
            } else {
                i2 = n2 - 1;
            }
        } else {
            // Last index below i2 with d >= -eps.
            std::size_t end = i2;  // one past the candidate
            if (end > 0 && !(d(pp2[end - 1]) >= -match_eps)) {
                const auto it = std::partition_point(pp2.begin(), pp2.begin() + static_cast<std::ptrdiff_t>(end - 1),
                                                     [&](const igc_fix& f) { return d(f) >= -match_eps; });
                end = static_cast<std::size_t>(it - pp2.begin());
            }
            if (end > 0 && d(pp2[end - 1]) <= match_eps) {
                i2 = end - 1;
                record_match(r, f1, pp2[i2]);
            } else {
                i2 = 0;
            }
        }
    }
    r.i2 = i2;
    return r;
}

}  // namespace

Match_result match_fixes(const std::vector<igc_fix>& pp1, const std::vector<igc_fix>& pp2) {
    if (times_in_order(pp2)) return match_in_order(pp1, pp2);
    // The fixes that can match, by time; a stable sort keeps fixes of the
    // same time in the log's order, so the choice among them is the one the
    // walk makes on a log in order.
    std::vector<std::size_t> order;
    order.reserve(pp2.size());
    for (std::size_t j = 0; j < pp2.size(); ++j)
        if (std::isfinite(pp2[j][igc_t])) order.push_back(j);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return pp2[a][igc_t] < pp2[b][igc_t]; });
    std::vector<igc_fix> sorted;
    sorted.reserve(order.size());
    for (const std::size_t j : order) sorted.push_back(pp2[j]);
    Match_result r = match_in_order(pp1, sorted);
    r.i2 = order.empty() ? 0 : order[r.i2];
    return r;
}

std::array<float, 3> match_rms(const Match_result& r) {
    std::array<float, 3> rms{};
    const float n = static_cast<float>(r.nsom);
    for (std::size_t k = 0; k < 3; ++k) rms[k] = std::sqrt(r.esom[k] / n);
    return rms;
}
