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
///   0                  both logs held fixes, the comparison ran and its
///                      report was written;
///   exit_error         a log could not be opened or holds no fix (empty,
///                      not IGC text, no B record): after the reader's
///                      lines, no count, statistic or " different number
///                      of fixes", only one line for each such log, ff1's
///                      before ff2's: "trackdiff : cannot read NAME (error N:
///                      TEXT)", N the system's error number and TEXT its
///                      std::strerror text, or "trackdiff : NAME holds no
///                      fix"; no report is written, so an earlier report
///                      stays as it was.  Also when memory for the fixes
///                      could not be had (a line says so);
///   exit_write_failed  the report could not be created or written (a line
///                      naming it; the counts and differences are printed
///                      all the same).
int32_t trackdiff_run(std::string_view ff1, std::string_view ff2);

/// The program's command line: arguments 1 and 2 are the logs (an empty
/// argument is a name, one that cannot be opened); any further argument is
/// ignored.  Returns trackdiff_run's status.  With fewer than two names
/// nothing is read or written: a line says which name is missing ("the
/// names of both IGC files are missing" or "the name of the second IGC
/// file is missing", after "trackdiff : "), the usage line "trackdiff FILE1
/// FILE2" follows, and the result is exit_error.
int32_t trackdiff_main(int argc, const char* const* argv);
