// A strict check of IGC records, as the strictest IGC readers take them,
// for tests and the fuzzer: every record the converter writes must pass it,
// whatever track it came from.  It knows nothing of how the records are
// made; it reads them as a reader does.
//
// A record passes when its fields have their widths and hold digits only,
// times of day are 00:00:00 to 23:59:59, latitudes at most 90 and longitudes
// at most 180 degrees with minutes (x 1000) below 60000, altitudes -9999 to
// 99999 m written as 5 digits or "-" and 4, dates are calendar days.
// No GoogleTest in here, so that the fuzz targets can use it.
#pragma once

#include <string>
#include <string_view>

/// Why `line` (without its line end) is not a valid A, H, I, C or B record
/// or L line of a strict IGC reader; empty when it is.  `first_c` tells a C
/// line that is the task declaration (the file's first C record) from a
/// task point.  Any other record type, an empty line and a control
/// character are problems too (the converter writes none).
std::string igc_strict_record_problem(std::string_view line, bool first_c);

/// The first problem of a whole IGC text, with its line number, or empty
/// when there is none: every line ends CR LF, the A record comes first, one
/// HFDTE record precedes the fixes, every line passes
/// igc_strict_record_problem.
std::string igc_strict_file_problem(std::string_view text);
