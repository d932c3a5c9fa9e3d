// The comparison program's road: two IGC logs read, matched fix by fix,
// the report written and the counts and differences printed.
#pragma once

#include <cstdint>
#include <string_view>

/// Header lines the reader keeps for each log (the comparison never uses
/// them).
inline constexpr int32_t trackdiff_hdr_lines = 100;

/// Compares the logs `ff1` and `ff2` (trailing blanks ignored): reads both
/// with the IGC reader (degrees, pressure altitude unless the log says
/// otherwise), prints " different number of fixes" when their counts
/// differ, writes one report line per time match whose position or
/// altitude differs into the report (named by report_name, created or
/// replaced), then prints the counts and, when any fix matched in time,
/// the table of differences.
///
/// Result, the program's exit status:
///   0                  the comparison ran;
///   exit_error         a log could not be opened (the counts are printed,
///                      then a line naming each such log; no report is
///                      written, so an earlier report stays as it was), or
///                      memory for the fixes could not be had;
///   exit_write_failed  the report could not be created or written (a line
///                      naming it; the counts and differences are printed
///                      all the same).
int32_t trackdiff_run(std::string_view ff1, std::string_view ff2);

/// The program's command line: arguments 1 and 2 are the logs (a missing
/// one is a blank name, which cannot be opened); any further argument is
/// ignored.  Returns trackdiff_run's status.
int32_t trackdiff_main(int argc, const char* const* argv);
