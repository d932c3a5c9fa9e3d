// Resampling of the raw fixes of a track to one fix per whole second.
//
// The simulator records fixes at irregular times within the second; an IGC
// file wants one fix per whole second.  The raw fix array pp5 (nrec fixes,
// times in recording order) becomes the resampled array ppsec: entry k
// (k = 0 .. ntot-1) is the whole second ndeb + k, where ndeb is the first
// raw time truncated toward zero, with X, Y, altitude and ENL value taken
// from the raw fixes by one of the interpolation schemes:
//   -2 next point (the default): the first raw fix of each second, seconds
//      without a raw fix left out (resample_next_point);
//   -1 previous point, 0 nearest point, 1 linear, 2 parabolic (closest):
//      ftr2igc.
// The first resampled fix is the same for every scheme: second ndeb with the
// values of raw fix 0.
//
// Both routines are one forward pass over the raw fixes (cost linear in
// nrec + ntot) and never read pp5 beyond nrec entries nor beyond its size.
// They size ppsec themselves: afterwards it holds at least ntot entries.
#pragma once

#include <cstdint>
#include <vector>

#include "tracks/ftr_fixes.h"

/// Scheme codes (nsch_int, ndeg_int).
inline constexpr int32_t scheme_next = -2;
inline constexpr int32_t scheme_previous = -1;
inline constexpr int32_t scheme_nearest = 0;
inline constexpr int32_t scheme_linear = 1;
inline constexpr int32_t scheme_parabolic = 2;

/// Resamples pp5 to whole seconds by scheme -1, 0, 1 or 2.
/// nrec      number of raw fixes in pp5 (values above pp5.size() count as
///           pp5.size()); nothing is written when it is 0 or less.
/// ntot      number of resampled fixes to fill, normally
///           trunc(last time) - trunc(first time) + 1; not changed.
/// pp5       raw fixes, times (seconds of the day) expected to grow.
/// ppsec     out: entries 0 .. ntot-1 filled; entry k has the time
///           ndeb + k (a whole second stored as float32).  Grown to ntot
///           entries when smaller; never shrunk.
/// nsch_int  scheme code; any other code (3 among them) writes the time
///           row only.
/// nvar      highest value row written (4: X, Y, altitude and ENL; a lower
///           value leaves the higher rows of entries 1.. alone).
/// qdbg      diagnostic console lines (an empty line, the bracketing raw
///           times, "--" and the second, then per row the two raw values,
///           "--" and the result) for the entries n (1-based, from 2 on)
///           with n mod 2000 = 1 (n mod 200 = 1 for the parabolic scheme)
///           or ntot - n <= 19.
/// Raw fix p is the last raw fix whose time is at most the whole second
/// (found by a walk that only moves forward overall).  Values, per row:
///   -1  v(p);
///    0  the nearer of v(p), v(p+1), a tie taking v(p+1);
///    1  linear between p and p+1 (float32 arithmetic); two fixes with the
///       same time give v(p);
///    2  the parabola through three consecutive fixes (the first three at
///       the start, the last three at the end, else the three whose span
///       is closer to the second); a degenerate parabola (two of the three
///       times equal) gives the linear value.
/// With p the last raw fix, schemes -1, 0 and 1 give v(p).  Fewer than
/// three raw fixes under the parabolic scheme, or one under the others,
/// give v(p) (the previous-point value).
void ftr2igc(int32_t nrec, int32_t ntot, const std::vector<track_fix>& pp5, std::vector<track_fix>& ppsec,
             int32_t nsch_int, int32_t nvar, bool qdbg);

/// Resamples pp5 by the next-point scheme (-2): the first raw fix of every
/// second is kept as (that second, X, Y, altitude, ENL); a raw fix whose
/// second is not later than the last kept one (same second, or a step back
/// in time) is dropped, and a second without any raw fix is missing.
/// nrec  number of raw fixes (clamped to pp5.size()).
/// ntot  in: the number of seconds the track spans (the most fixes kept);
///       out: min(ntot, number kept).  Fixes past the first ntot kept are
///       not stored.
/// ppsec out: entries 0 .. ntot-1 (grown to the entry value of ntot when
///       smaller).
/// qdbg  diagnostic console lines (an empty line, the raw time, "--" and the
///       kept second, then per row the raw value, "--" and the stored value)
///       for the kept fixes K (1-based) with K mod 2000 = 1 or
///       ntot - K <= 19 (ntot as on entry).
void resample_next_point(int32_t nrec, int32_t& ntot, const std::vector<track_fix>& pp5,
                         std::vector<track_fix>& ppsec, bool qdbg);

/// Resamples pp5 by the scheme `nsch_int` as the converter does: the
/// next-point scheme (-2) through resample_next_point, which may lower
/// ntot; any other code through ftr2igc with all four value rows (nvar 4),
/// ntot unchanged.  Arguments as for those two.
void resample_by_scheme(int32_t nsch_int, int32_t nrec, int32_t& ntot, const std::vector<track_fix>& pp5,
                        std::vector<track_fix>& ppsec, bool qdbg);

/// Coefficients of the parabola y = a x^2 + b x + c through the three points
/// (x[i], y[i]), float32 arithmetic:
///   s12 = (y2 - y1) / (x2 - x1),
///   a = (y3 - y1) / (x3 - x1) / (x3 - x2) - s12 / (x3 - x2),
///   b = s12 - a (x1 + x2),  c = y1 - a x1^2 - b x1.
/// Two equal abscissae give infinite or NaN coefficients.
void parabo(const float x[3], const float y[3], float& a, float& b, float& c);
