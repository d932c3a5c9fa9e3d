// The IGC reader: one IGC flight log into a fix array, its header lines,
// the reader's own records (tracks/igc_reader_records.h) and the task model.
//
// The log's records are taken as the converter writes them and as other
// loggers do: H records name the competition id, the flight date and the
// kind of logger; the I record declares the B records' extensions (ENL,
// MOP, LAD, LOD); C records declare the task; B records are the fixes; the
// simulator's L records after the fixes carry the task and the glider.  A
// log that declares simulator version 3 hands the rest of its file to the
// flight-plan reader (taskmodel/read_fpl.h), which loads the embedded
// flight plan into the task model.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tracks/igc_fix.h"
#include "tracks/igc_reader_records.h"

/// Width of a header line kept in igc_hdr, in characters.
inline constexpr std::size_t igc_hdr_len = 80;

/// Reads the IGC log `infile` (trailing blanks ignored).  Its lines end in
/// CR LF, LF or CR alone, in any mix; so do those of a flight plan it
/// hands on.
///
/// qconv   true: positions as landscape X/Y in metres through the UTM frame
///         (tracks/utm.h; a frame must be set up: a fix that cannot be
///         converted prints the fix and stops the program with
///         "*** conversion failed ***", exit status 1); false: degrees.
/// qgpsa   prefer the GNSS altitude when the first fix's two altitudes do
///         not decide (both 0 or both non-zero) and no H record did.
/// ppp     out: one fix per B record, in file order, as many as the log
///         holds (the array grows); a record with the same time as the fix
///         before it is skipped.  A line beginning with "B" that is no B
///         record (read_b_record, tracks/igc_parse.h) is passed over: not
///         stored, not a header line, and the lines after it are read on.
///         A field that cannot be read in a B, C or I record keeps its
///         previous value and the reading goes on; only a simulator L
///         record after the fixes whose value cannot be read (a weather
///         line of fewer than 17 values) ends the reading there.  Times
///         are seconds of the day (hours 24 to 99 read as written); a time more than 12 hours below the
///         previous fix's is read one day later, so a log that passes
///         midnight keeps increasing times.
/// igc_hdr in: its size is the number of header lines it holds (the
///         comparison program passes 100); out: the lines before the first
///         fix that are not B, C or L records, cut to igc_hdr_len
///         characters, in file order; lines beyond its size are dropped.
///         Entries past nhdr are left as they were.
/// nrec    out: the number of fixes in ppp.
/// nhdr    out: the number of header lines stored.
///
/// Resets for each log: inst00.condor_version (0), the competition id, the
/// declaration count, the logger kind, the landscape and glider names and
/// the task points (init_wp); a version-3 log's flight plan then resets the
/// whole task model as it loads.  The flight date and the declared
/// waypoints beyond the log's own are kept from an earlier log.
///
/// Result: the open status, 0 when the log was opened; otherwise the
/// system's error number (a missing file, a folder, or any file that is not
/// a regular file: a pipe or device would block or never end), and the log
/// is read as one without records.  Console lines: the name and the open
/// status, the declaration, the extensions, the altitude choice, the
/// version and a summary of the fixes and the task points (with, when
/// there were any, " N fixes skipped" and " N lines beginning with B are
/// no fix, passed over").
int32_t read_igc(std::string_view infile, bool qconv, bool qgpsa, std::vector<igc_fix>& ppp,
                 std::vector<std::string>& igc_hdr, int32_t& nrec, int32_t& nhdr);
