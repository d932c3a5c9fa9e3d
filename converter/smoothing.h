// Smoothing of a track's raw fixes by a weighted moving average ("-sm:").
//
// A diagnostic aid: the smoothed fixes go only to the smoothed dump; the IGC
// file is always made from the raw fixes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "converter/raw_dumps.h"
#include "tracks/ftr_fixes.h"

/// Name of the smoothing diagnostics file, in the working folder.
inline constexpr const char* smooth_diag_file = "fort.88";

/// One smoothed inner point with its window, for the diagnostic lines.
struct Smooth_step {
    int32_t i = 0;      ///< the point, 2 .. n-1 (fixes counted from 1)
    track_fix raw{};    ///< raw fix i
    int32_t i1 = 0;     ///< first fix of the window
    int32_t i2 = 0;     ///< last fix of the window
    double w = 0;       ///< sum of the window's weights, s
    double span = 0;    ///< t(i2) - t(i1), s
    double ratio = 0;   ///< w / span; 0 for a window of no time span
    smooth_fix out{};   ///< the smoothed point
};

/// Smooths the first n raw fixes of `pp5` (n = `npts`, at most pp5.size())
/// into `ppsm4` (resized to n).  The first and last points are raw fixes 1
/// and n; each inner point i is the weighted mean of time, X, Y and
/// altitude over the fixes i1..i2, a window symmetric in index around i
/// (i2 = 2i - i1, shrunk symmetrically at the end to stop at fix n - 1),
/// fix k weighing 0.5 (t(k+1) - t(k-1)).  The window of point 2 is that fix
/// alone; the left edge for point i + 1 is the last fix k (from i down to 3)
/// with t(k) <= t(i+1) - t_sm/2, else fix 2; with `t_sm` <= 0 the window is
/// always the point alone.  A window whose weights sum to 0 gives the raw
/// fix.  Double precision throughout.  `on_point` (when set) is called for
/// each inner point in order.  Cost: n times the fixes of a window.
void smooth(const std::vector<track_fix>& pp5, std::vector<smooth_fix>& ppsm4, int32_t npts, float t_sm,
            const std::function<void(const Smooth_step&)>& on_point = {});

/// The diagnostics file's line of a step: i (5 characters), the four raw
/// values (time, X, Y, altitude), i1 and i2 (5 each), w, span, ratio and the
/// four smoothed values; each real a blank and a 13-character scientific
/// field with 6 decimals.
std::string smooth_diag_file_line(const Smooth_step& s);

/// The console's line of a step: i, the four raw values, i1, i2, w and the
/// four smoothed values, laid out as in the file.
std::string smooth_diag_console_line(const Smooth_step& s);

/// smooth() with its diagnostics: one line per inner point into
/// smooth_diag_file (replaced by the first smoothing of the run, appended
/// to by later ones; stop with exit status 2 when it cannot be written), and
/// the console line of every point i with i mod 100 = 1.
void smooth_track(const std::vector<track_fix>& pp5, std::vector<smooth_fix>& ppsm4, int32_t npts,
                  float t_sm);
