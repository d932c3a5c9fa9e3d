// Text dumps of a track's raw fixes and of their smoothed copy ("-wr").
//
// Both files: a header line " t X Y Z", then one line per fix with time (s),
// X, Y (landscape metres) and altitude (m), each a blank and a scientific
// field: 16 characters with 9 decimals in the raw dump (a 68-character
// line), 18 characters with 11 decimals in the smoothed dump (76).  Lines
// end CR LF.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tracks/ftr_fixes.h"

/// One smoothed fix: time (s), X, Y (m), altitude (m).
using smooth_fix = std::array<double, 4>;

/// The header line of both dumps.
inline constexpr std::string_view dump_header = " t X Y Z";

/// The raw dump's line of one fix (its ENL value is not written).
std::string raw_dump_line(const track_fix& f);

/// The smoothed dump's line of one fix.
std::string smooth_dump_line(const smooth_fix& f);

/// Writes the raw dump of the first `npts` fixes of `pp5` (at most its size)
/// into `outfile`, created or replaced.  A file that cannot be written stops
/// the program with a message naming it (exit status 2).
void write_fmt(std::string_view outfile, int32_t npts, const std::vector<track_fix>& pp5);

/// The same for the smoothed fixes `ppsm4`.
void write_fmt_r8(std::string_view outfile, int32_t npts, const std::vector<smooth_fix>& ppsm4);
