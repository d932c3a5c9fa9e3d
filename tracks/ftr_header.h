// Flight-track header: opening the track, the magic and version word, and
// the hand-over to the version-2 or version-3 header reader.
//
// A track file is "FTR", an int32 full version number (2000..3999), then a
// header by major version: version 2 a fixed block (fixes from byte 1879),
// version 3 a sequential header (fixes from byte 21679).  The readers fill
// the task model (taskmodel/task_model.h), the glider records and the track
// records (tracks/track_records.h), and leave the track open at the first
// fix for the fix readers (tracks/ftr_fixes.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// First fix of a version-2 / version-3 track (the header's size).
inline constexpr std::size_t ftr_v2_first_fix = 1879;
inline constexpr std::size_t ftr_v3_first_fix = 21679;
/// Size of the version-2 header block kept in rd_ftr_h.hdr.
inline constexpr std::size_t ftr_v2_block = 2003;

/// Opens the track `fich` (trailing blanks ignored), checks its magic and
/// version and reads its header.
/// npts: out, the number of fix records the header announces (>= 1), or 0
///   when the track cannot be used: the file is missing or unreadable
///   (": Error opening"), has no "FTR" magic (": Not a Condor FTR file"),
///   ends inside its header (": Not a Condor FTR file (truncated)"), has a
///   major version other than 2 and 3 (": Unrecognised Condor version #"),
///   or announces no fixes; each message goes to the run log after the path.
/// On success the track stays open at its first fix; on failure it is
/// closed.  Always resets the task points (init_wp); a file with the magic
/// and a version sets inst00.condor_version to version / 1000.
void read_ftr_hdr(std::string_view fich, int32_t& npts);

/// read_ftr_hdr on a track whose bytes are already in memory; `fich` names
/// it in the messages.
void read_ftr_hdr_bytes(std::string_view fich, std::vector<unsigned char> bytes, int32_t& npts);

/// The version-3 header of the open track, from byte 0; npts as above.
/// Leaves the track at byte 21679.  Called by read_ftr_hdr.
void read_ftr_hdr_c3(int32_t& npts);

/// The version-2 header of the open track: the block into rd_ftr_h.hdr and
/// its fields; npts as above.  Leaves the track at byte 1879.  Called by
/// read_ftr_hdr.
void read_ftr_hdr_c2(int32_t& npts);

/// Day count since 1899-12-30 from a header's date word (the high 32 bits
/// of the float64 day count); exact for days 32768..65535.
int32_t ftr_day_count(int32_t date_word);

/// The days a date word gives exactly (1989-09-17 and 2079-06-04): within
/// them the float64's exponent is constant.
inline constexpr int32_t ftr_first_day = 32768;
inline constexpr int32_t ftr_last_day = 65535;
/// The flight date of a damaged date word: no calendar day, so the IGC
/// writer refuses the track.
inline constexpr std::string_view ftr_no_date = "000000";

/// The six-digit DDMMYY text of a day count since 1899-12-30, the year as
/// its last two digits (1999 gives 99, 2000 gives 00); ftr_no_date for a
/// count outside ftr_first_day .. ftr_last_day, which no date word gives
/// but a damaged one.
std::string ftr_c_date(int32_t day);

// Shared by the two header readers.

/// Ends a header read that found the file shorter than its header: run-log
/// message, track closed, npts 0.
void ftr_header_truncated(int32_t& npts);

/// npts from the announced fix count: a count below 1 gives 0 (the track
/// is skipped and the track closed) with a console note and a run-log line
/// naming the track.
int32_t ftr_announced_fixes(int32_t count);

/// A count that indexes a table of `size` entries, clamped to 0..size with
/// a console note naming `what` when it was outside.
int32_t ftr_clamp_count(int32_t count, int32_t size, const char* what);
