// The texts of the IGC records the converter writes: header (A, H, I),
// task declaration (C) and fixes (B).
//
// Each record comes from one small pure function (values in, text out, no
// line end, success returned); the IGC writer (tracks/igc_writer.h) only
// sequences them and writes each line.  Every field has a fixed width and
// is zero-filled; four values that IGC readers refuse are written the IGC
// way instead:
//   - an altitude from -9999 to -1 m as a minus sign and four digits
//     ("-0012");
//   - minutes of a latitude or longitude that round to 60.000 are carried
//     into the degrees (46 deg 60.000 min is written 47 deg 00.000 min);
//   - times of day from 24:00:00 on are written modulo 24 hours, as a
//     logger does across midnight;
//   - a task of fewer than four points declares "00" turnpoints.
// A value that still does not fit its field (a position that is not a
// number or beyond the poles or the antimeridian, an altitude below -9999
// or above 99999 m, a flight date that is no calendar day) makes the record
// unwritable: its function returns false, and the writer leaves the record
// out rather than write one that a strict IGC reader refuses, which would
// cost the whole log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tracks/ftr_fixes.h"
#include "tracks/igc_angle.h"
#include "tracks/track_records.h"

/// The I record: two B-record extensions, FXA in columns 36-38 and ENL in
/// columns 39-41.
inline constexpr std::string_view igc_i_record = "I023638FXA3941ENL";

/// Length of a B record, characters.
inline constexpr std::size_t igc_b_len = 41;

/// Rounding of the B records' minutes and altitudes: a value whose fraction
/// is exactly +0.5 goes to the even neighbour (2.5 -> 2, 3.5 -> 4); every
/// other value to the nearest integer, halves away from zero (-2.5 -> -3,
/// -0.5 -> -1).  Values beyond the int32 range are held at its ends; NaN
/// gives 0.
int32_t b_round(float x);

/// Lowest and highest altitude a B record holds, metres.
inline constexpr int32_t igc_alt_min = -9999;
inline constexpr int32_t igc_alt_max = 99999;

/// |value| (degrees) as whole degrees and minutes x 1000 (igc_angle, no
/// finer digits), minutes carried into the degrees when they round to 60000
/// (so mmin is 0..59999); the minutes are (|value| - degrees) x 60000 in
/// float32, rounded by b_round when `half_even`, else to the nearest with
/// halves away from zero.  `deg` is -1 for a value that is not finite or of
/// a million degrees or more.
igc_angle igc_split_angle(float value, bool half_even);

/// True when `c_date` is six digits DDMMYY that name a calendar day of the
/// year 2000 + YY (29 February only in years divisible by 4), as the HFDTE
/// record and the task declaration need.
bool igc_date_valid(std::string_view c_date);

/// The B record of one resampled fix (41 characters): time of day from
/// fix[fix_t] (seconds, rounded to the nearest, wrapped into 0..86399),
/// latitude and longitude (degrees, south and west negative; "N" / "E" only
/// for values above 0, so the equator is "S" and the prime meridian "W"),
/// "A", the altitude b_round(fix[fix_alt]) in both altitude fields, "005"
/// and the ENL value fix[fix_enl] rounded and clamped to 0..999 (0 for a
/// value that is not a number).
/// Example: 12:34:56, 46.5, 9.25, 812.4 m, ENL 0 gives
/// "B1234564630000N00915000EA0081200812005000".
/// Returns false, and `record` is left unchanged, when the fix cannot be
/// written as a valid record: a time that is not finite, a latitude beyond
/// 90 or a longitude beyond 180 degrees or either not finite, an altitude
/// not finite or rounding outside igc_alt_min .. igc_alt_max.
bool igc_b_record(const track_fix& fix, float lat, float lon, std::string& record);

/// The same B record written into out[0 .. igc_b_len-1] (no NUL); the same
/// result.  When it returns false, out holds no meaningful record.
bool put_igc_b_record(char* out, const track_fix& fix, float lat, float lon);

/// A task-point C record: "C", latitude (2 + 5 digits, minutes rounded
/// halves away from zero) and "N"/"S", longitude (3 + 5 digits) and
/// "E"/"W", then the name without trailing blanks (at most 32 characters).
/// Example: 46.5, 9.25, "Start" gives "C4630000N00915000EStart".
/// Returns false, `record` unchanged, for a position that is not finite or
/// beyond 90 degrees of latitude or 180 of longitude.
bool igc_c_point(float lat, float lon, std::string_view name, std::string& record);

/// The flight date of a log whose first B record is at `first_second`
/// (seconds from midnight of the track's date c_date, DDMMYY): c_date
/// itself for a first record on that day, else the day of that record (a
/// record at or past 24 h is of a later day, one before 0 h of an earlier
/// day), as the B records give only the time of day.  c_date unchanged
/// (trailing blanks cut) when it is no calendar day or the time is not
/// finite.
std::string igc_flight_date(std::string_view c_date, float first_second);

/// The C declaration line (25 characters): "C", c_date (DDMMYY), the time of
/// day of start_rec (decimal hours, each part truncated; hours wrapped into
/// 0..23), c_date again, "0000" and the turnpoint count nwp - 3: the task
/// points between the start (point 1) and the finish (point nwp - 1; the
/// writer repeats it as the landing), 00 when nwp is below 3.  Example:
/// "150623", 12.5, 5 gives "C150623123000150623000002".
/// Returns false, `record` unchanged, when c_date is not a calendar day
/// (igc_date_valid), start_rec is not finite or the count exceeds 99.
bool igc_c_declaration(std::string_view c_date, float start_rec, int32_t nwp, std::string& record);

/// The header lines into `lines` (replacing what it held), by nhdr:
///   0   the standard header (A record, H records from the track identity
///       `id` and the glider type `glider`, I record);
///   > 0 the first nhdr caller lines (at most igc_hdr.size()): "I" lines
///       become the I record, "J" lines are dropped, others are kept without
///       trailing blanks; the two lines naming this program follow the last
///       "H" line; the I record ends the header when no line began with "I";
///   < 0 the I record alone.
/// Returns false, `lines` unchanged, when the standard header's flight date
/// id.c_date is not a calendar day (igc_date_valid): a log without a valid
/// HFDTE record is refused by every strict reader.
bool igc_header_lines(int32_t nhdr, const std::vector<std::string>& igc_hdr, const Rd_ftr_c& id,
                      std::string_view glider, std::vector<std::string>& lines);
