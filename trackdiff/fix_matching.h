// Matching the fixes of two IGC logs by time of day.
//
// Each fix of the first log is paired with a fix of the second log that has
// the same time (within match_eps), wherever it stands in the second log.
// Pure functions over the two fix arrays: the counts, the statistics and
// the differing pairs come back in one result.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tracks/igc_fix.h"

/// Tolerances, single precision: time (s) for a time match; latitude and
/// longitude (degrees) and altitude (m) for a data match.
inline constexpr float match_eps = 0.001f;
inline constexpr float match_epsl = 1e-6f;
inline constexpr float match_epsz = 1e-4f;

/// One time match whose position or altitude differs: the first log's fix
/// time (s) and the differences first log minus second log (degrees,
/// degrees, metres), single precision.
struct Fix_difference {
    float t = 0.0f;
    float dlat = 0.0f;
    float dlon = 0.0f;
    float dalt = 0.0f;
};

/// Counts and statistics of a matching.  The statistics hold latitude,
/// longitude and altitude in this order, over every time match (data
/// matches included), in single precision.
struct Match_result {
    int32_t nsom = 0;    ///< fixes of the first log that found a fix of the second log at their time
    int32_t nsom_m = 0;  ///< of those, the pairs whose position and altitude agree
    std::array<float, 3> emin{1e34f, 1e34f, 1e34f};  ///< smallest |difference|
    std::array<float, 3> emax{0.0f, 0.0f, 0.0f};     ///< largest |difference|
    std::array<float, 3> esom{0.0f, 0.0f, 0.0f};     ///< sum of squared differences
    /// Index (0-based) into the second log of the fix where the last search
    /// ended.
    std::size_t i2 = 0;
    /// The time matches that are not data matches, in the first log's order.
    std::vector<Fix_difference> differences;
};

/// The walk: for each fix of pp1 in order, compare with fix i2 of pp2
/// (starting at 0); when the times differ by more than match_eps, step
/// through pp2 in one direction (forward when the pp1 fix is later, else
/// backward) until a time matches or the array ends.  A failed search
/// leaves i2 on the last index inside the array that it reached, and the
/// fix unmatched.  A time difference of exactly match_eps matches; a data
/// match needs every difference strictly below its tolerance (a NaN
/// difference fails).  An empty pp2 matches nothing.  The work grows with
/// the product of the fix counts when pp2 lacks times that pp1 has.
Match_result match_fixes_walk(const std::vector<igc_fix>& pp1, const std::vector<igc_fix>& pp2);

/// The pairing trackdiff uses.  The second log's fixes are taken in time
/// order (fixes of the same time keeping their order in the log; fixes
/// whose time is not a finite number match nothing and are left out), and
/// the walk runs over that order, each search bounded: constant time for
/// logs sampled alike, logarithmic otherwise.  So every fix of pp1 whose
/// time pp2 holds is paired, whatever the order of either log, and a pp2
/// for which times_in_order holds (equal times allowed) gives
/// match_fixes_walk's result field for field, i2 included.  Where pp2
/// holds several fixes within match_eps of the time, the walk's choice is
/// kept: the fix the previous search ended on when it matches, else the
/// first of them in that order when the search goes forward (the pp1 fix
/// is later than the fix the previous search ended on), the last of them
/// when it goes backward.
Match_result match_fixes(const std::vector<igc_fix>& pp1, const std::vector<igc_fix>& pp2);

/// True when the times of `pp` never decrease and are all finite.
bool times_in_order(const std::vector<igc_fix>& pp);

/// Root mean square of each quantity, sqrt(esom / nsom) in single
/// precision; only meaningful for nsom > 0.
std::array<float, 3> match_rms(const Match_result& r);
