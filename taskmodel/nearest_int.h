// Rounding of reals to integers for the flight-plan reader and writer.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

/// Nearest integer, halves away from zero; values beyond int32 are held at
/// its ends and NaN gives 0, so hostile input never overflows.
inline int32_t nint(float v) {
    if (std::isnan(v)) return 0;
    const float r = std::round(v);
    if (r >= 2147483647.0f) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}
