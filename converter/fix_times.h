// The plausibility of a track's fix times before they are resampled.
//
// The resampled array holds one fix per second from the first fix to the
// last, so its size comes from the fix times.  A damaged track (a header
// that announces more fixes than the file holds makes the reader take the
// trailer's bytes as fixes) can give times that would size it beyond any
// memory, or that no whole second can be taken of: such a track is skipped.
#pragma once

#include <cstdint>
#include <vector>

#include "tracks/ftr_fixes.h"

/// Longest track the converter takes, first fix to last, seconds (48 h).
inline constexpr float max_track_span_s = 48.0f * 3600.0f;
/// Largest time of day of any fix, in absolute value, seconds: far beyond a
/// real track (a flight may go past midnight), small enough that whole
/// seconds of it are exact int32 values.
inline constexpr float max_fix_time_s = 1.0e6f;

/// What the fix times of a track allow.
enum class Fix_times {
    usable,    ///< every time finite and within max_fix_time_s, span 0..48 h
    no_fix,    ///< no fix was read
    damaged,   ///< a time not a number or too large, or the span negative or over 48 h
};

/// Checks the times of fixes 1..nrec of `pp5` (nrec clamped to its size).
Fix_times check_fix_times(const std::vector<track_fix>& pp5, int32_t nrec);
