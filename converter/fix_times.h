// The fix times of a track before its fixes are resampled.
//
// The resampling takes the raw fixes in recording order and expects times
// that grow; the resampled array holds one fix per second from the first
// fix to the last, so its size comes from the fix times.  A damaged track
// (a byte hit in a fix's time, a clock that stuck, a block of records that
// a crash or an interrupted copy left as zero bytes, or a header that
// announces more fixes than the file holds, which makes the reader take the
// trailer's bytes as fixes) gives times that are not numbers, lie far out
// of the day, repeat, or jump ahead or behind the others.  Those fixes
// alone are left out, so that damaged times neither refuse the whole track
// nor stretch, cut or bend the rest of its flight; the fixes kept are then
// checked as a whole.
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
/// A step between consecutive fixes breaks the track into pieces when it is
/// longer than this and longer than gap_step_factor times the median step
/// of the track: far longer than the track's own recording step.
inline constexpr double gap_min_step_s = 5.0;
inline constexpr double gap_step_factor = 10.0;
/// A piece of at most this many fixes cut off by such a step is damage (a
/// first or last time moved far off, a stray fix or two): left out.  A
/// longer piece is part of the flight, kept with the gap before it.
inline constexpr int32_t max_stray_piece_fixes = 5;

/// Leaves out of the raw fixes pp5[0 .. nrec-1] (nrec clamped to
/// 0 .. pp5.size()) those whose times are damaged, and only those:
///  1. a time that is not finite or whose absolute value exceeds
///     max_fix_time_s;
///  2. of the others, every fix outside the longest sequence, in recording
///     order, of strictly growing times; of several equally long, the one
///     of the earliest fixes (the lexicographically smallest sequence of
///     indices), so that a fix whose time jumps ahead or behind is left
///     out, of a small step back the later fix, and of fixes that repeat a
///     time (a stuck clock, a block of zeroed records) all but the first;
///  3. of that sequence, split at every step longer than both
///     gap_min_step_s and gap_step_factor times its median step (of an
///     even count, the lower middle one), every
///     piece of at most max_stray_piece_fixes fixes; when no piece is
///     longer, all but the piece with the most fixes (the first of equals);
///  4. a lone fix left of more than one: a single time is no flight, so
///     none is kept; nor are two left of more than two when the step
///     between them is longer than gap_min_step_s.
/// The kept fixes move, in recording order, to pp5[0 .. kept-1]; returns
/// kept (0 .. nrec).  Entries kept .. nrec-1 are left in no defined order.
/// A track whose times grow by at most gap_min_step_s from fix to fix needs
/// nothing left out: it costs one pass over its times and is not moved.
/// Any other costs O(nrec log nrec) time and up to three nrec-sized work
/// arrays.
int32_t keep_undamaged_fixes(std::vector<track_fix>& pp5, int32_t nrec);

/// What the kept fix times of a track allow.
enum class Fix_times {
    usable,    ///< first and last time within max_fix_time_s, span 0..48 h
    no_fix,    ///< no fix
    damaged,   ///< a time not sound, or the span from the first to the last fix negative
    too_long,  ///< the span from the first to the last fix over max_track_span_s
};

/// Checks the span of fixes 0..nrec-1 of `pp5` (nrec clamped to its size)
/// from the first fix's whole second to the last's, as the resampled array
/// is sized from it.  Only the first and the last time are read: the fixes
/// are those that keep_undamaged_fixes kept.
Fix_times check_fix_times(const std::vector<track_fix>& pp5, int32_t nrec);
