#include "converter/fix_times.h"

#include <algorithm>
#include <cmath>

Fix_times check_fix_times(const std::vector<track_fix>& pp5, int32_t nrec) {
    const std::size_t n = std::min<std::size_t>(pp5.size(), nrec > 0 ? static_cast<std::size_t>(nrec) : 0);
    if (n == 0) return Fix_times::no_fix;
    for (std::size_t k = 0; k < n; ++k) {
        const float t = pp5[k][fix_t];
        if (!std::isfinite(t) || std::fabs(t) > max_fix_time_s) return Fix_times::damaged;
    }
    // The span in whole seconds, as the resampled array is sized from it.
    const double first = std::trunc(static_cast<double>(pp5.front()[fix_t]));
    const double last = std::trunc(static_cast<double>(pp5[n - 1][fix_t]));
    const double span = last - first;
    if (span < 0 || span > static_cast<double>(max_track_span_s)) return Fix_times::damaged;
    return Fix_times::usable;
}
