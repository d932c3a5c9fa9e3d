// The fix times of a track before its fixes are resampled.
//
// The resampling takes the raw fixes in recording order and expects times
// that grow; the resampled array holds one fix per second from the first
// fix to the last, so its size comes from the fix times.  A damaged track
// (a byte hit in a fix's time, or a header that announces more fixes than
// the file holds, which makes the reader take the trailer's bytes as fixes)
// gives times that are not numbers, lie far out of the day, or jump ahead
// or behind the others.  Those fixes alone are left out, so that one bad
// time neither refuses the whole track nor stretches, cuts or bends its
// flight; the fixes kept are then checked as a whole.
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
/// Longest step between consecutive kept fixes, seconds.  The simulator
/// records its fixes seconds apart at most and its clock neither stops nor
/// jumps, so a longer step is damage.  A last fix moved ahead breaks no
/// order of the times, so only this limit catches it: ten minutes is far
/// beyond any real recording interval and well under the jump of such a
/// fix moved 0.4 h (24 minutes) ahead, which a limit of an hour would let
/// through as 24 minutes of made-up seconds.
inline constexpr double max_fix_step_s = 600.0;

/// Leaves out of the raw fixes pp5[0 .. nrec-1] (nrec clamped to
/// 0 .. pp5.size()) those whose times are damaged, and only those:
///  1. a time that is not finite or whose absolute value exceeds
///     max_fix_time_s;
///  2. of the others, every fix outside the longest sequence, in recording
///     order, whose times never go back (equal times do not go back); of
///     several equally long, the one of the earliest fixes (the
///     lexicographically smallest sequence of indices), so that a fix whose
///     time jumps ahead or behind is left out, and of a small step back the
///     later fix;
///  3. of that sequence, split at every step between consecutive fixes
///     longer than max_fix_step_s, every fix outside the piece with the
///     most fixes (the first of equals).
/// The kept fixes move, in recording order, to pp5[0 .. kept-1]; returns
/// kept (0 .. nrec).  Entries kept .. nrec-1 are left in no defined order.
/// A track that needs nothing left out costs one pass over its times and
/// is not moved; a damaged one O(nrec log nrec) time and two nrec-sized
/// work arrays.
int32_t keep_undamaged_fixes(std::vector<track_fix>& pp5, int32_t nrec);

/// What the kept fix times of a track allow.
enum class Fix_times {
    usable,    ///< first and last time within max_fix_time_s, span 0..48 h
    no_fix,    ///< no fix
    damaged,   ///< the span from the first to the last fix negative or over 48 h
};

/// Checks the span of fixes 0..nrec-1 of `pp5` (nrec clamped to its size)
/// from the first fix's whole second to the last's, as the resampled array
/// is sized from it.  Only the first and the last time are read: the fixes
/// are those that keep_undamaged_fixes kept.
Fix_times check_fix_times(const std::vector<track_fix>& pp5, int32_t nrec);
