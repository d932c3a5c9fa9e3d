// The records of an IGC log, one small parser each.
//
// A record is read as the 256-character blank-padded line it is in the
// file: columns past the end of the line are blanks.  Every number field is
// read free-form from its columns (the first item in the column range, see
// read_int); a field that cannot be read keeps the value it had, so each
// parser takes the fields of the previous record of its kind in and gives
// them back updated.  A parser returns the status of the last field it
// read (true when that read succeeded, or when it read no field), which is
// the status the reader's loop goes on with: a failing last field ends the
// reading after that record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tracks/igc_angle.h"

/// Longest record kept; the rest of a longer line is passed over.
inline constexpr std::size_t igc_line_len = 256;
/// Most extension groups an I record can hold in igc_line_len columns.
inline constexpr int32_t igc_max_ext_groups = 36;
/// Task points an L record key may address: 0..igc_max_tp.
inline constexpr int32_t igc_max_tp = 30;

/// Columns `first` to `last` (1-based, inclusive) of the blank-padded line:
/// exactly last - first + 1 characters, blanks past the end of `line`;
/// columns outside 1..igc_line_len are not part of any record and are left
/// out (empty when nothing remains).
std::string igc_columns(std::string_view line, int32_t first, int32_t last);

// ---------------------------------------------------------------------------
// I record: the extensions of the B records.

/// First and last column of each extension a B record may carry; 0 until an
/// I record declares it.
struct Igc_extensions {
    int32_t enl_first = 0, enl_last = 0;  ///< engine noise level
    int32_t mop_first = 0, mop_last = 0;  ///< means-of-propulsion sensor
    int32_t lad_first = 0, lad_last = 0;  ///< further digits of the latitude minutes
    int32_t lod_first = 0, lod_last = 0;  ///< further digits of the longitude minutes
};

/// The number fields of an I record, kept from one I record to the next.
struct Igc_i_fields {
    int32_t count = 0;  ///< groups declared (columns 2-3)
    int32_t first = 0;  ///< start column of the last group read
    int32_t last = 0;   ///< end column of the last group read
};

/// An I record: the group count in columns 2-3, then per group k = 1..count
/// seven columns from column 4 + 7 (k - 1): start column (2 digits), end
/// column (2 digits), three-letter code.  The codes "ENL", "MOP", "LAD" and
/// "LOD" set that extension's columns in `ext`; other codes are passed over.
/// Groups past igc_max_ext_groups do not fit in a record and are not read.
bool parse_i_record(std::string_view line, Igc_i_fields& f, Igc_extensions& ext);

// ---------------------------------------------------------------------------
// B record: one fix.

/// A B record as read, and the fix it gives.
struct Igc_b_fields {
    int32_t hours = 0, minutes = 0, seconds = 0;  ///< columns 2-3, 4-5, 6-7
    /// Latitude: degrees columns 8-9, thousandths of minutes 10-14, the
    /// digits of the LAD extension as its finer digits.
    igc_angle lat;
    /// Longitude: degrees columns 16-18, thousandths 19-23, LOD digits.
    igc_angle lon;
    char lat_hemi = ' ';     ///< column 15, "N" or "S"
    char lon_hemi = ' ';     ///< column 24, "E" or "W"
    char validity = ' ';     ///< column 25, "A" or "V"
    int32_t alt_press = 0;   ///< pressure altitude, m, columns 26-30
    int32_t alt_gnss = 0;    ///< GNSS altitude, m, columns 31-35
    /// ENL value; 0 unless the ENL extension starts at column 36 or later and
    /// the record (without trailing blanks) reaches its last column.
    int32_t enl = 0;
    int32_t mop = 0;         ///< MOP value, by the same rule as the ENL value
    /// Time of day in seconds, hours x 3600 + minutes x 60 + seconds, no
    /// wrap (hours 24 to 99 are read as they are: 0 .. 359999).
    int32_t t = 0;
    /// Position in degrees, south and west negative, single precision:
    /// degrees + minute digits / (60000 x 10^n), n the finer digits.
    float latitude = 0.0f;
    float longitude = 0.0f;
};

/// Further digits of the minutes an extension gives: its number of columns
/// when that is 1 to 3 and it lies beyond the fixed part of the B record
/// (start column 36 or later) within igc_line_len; else 0, and the
/// extension is not used.
int32_t igc_finer_digits(int32_t first, int32_t last);

/// Decides whether `line` is a B record that places a fix on the globe and,
/// when it is, reads it into `f` with the extensions of `ext`.  A B record
/// is "B" in column 1, then in its first 35 columns: two digits each of
/// hours (00-99), minutes and seconds (00-59); the latitude (2 + 5 digits,
/// "N" or "S"), the longitude (3 + 5 digits, "E" or "W"), each at most 90
/// and 180 degrees with minutes below 60 (igc_angle_fits, the rule the
/// writer keeps too, LAD and LOD digits included); "A" or "V"; each
/// altitude five digits or "-" and four digits.  A shorter line, text that
/// merely begins with "B", or any other damage: false, `f` unchanged.
/// Extension columns never make a record a non-fix: LAD and LOD columns
/// (1 to 3 columns, igc_finer_digits) that hold no digit count as 0; an ENL
/// or MOP value that cannot be read keeps the value `f` held (that of the
/// record before).
bool read_b_record(std::string_view line, const Igc_extensions& ext, Igc_b_fields& f);

// ---------------------------------------------------------------------------
// C records: the task declaration.

/// The declaration line (the first C record): the number of turn points in
/// columns 24-25.  True when it reads (`ntp` set); false leaves it.
bool parse_c_declaration(std::string_view line, int32_t& ntp);

/// The number fields of a waypoint C record.
struct Igc_c_fields {
    int32_t lat_deg = 0;  ///< columns 2-3
    int32_t lat_min = 0;  ///< thousandths of minutes, columns 4-8
    int32_t lon_deg = 0;  ///< columns 10-12
    int32_t lon_min = 0;  ///< thousandths of minutes, columns 13-17
};

/// A waypoint C record: the number fields into `f`; `lat`, `lon` the
/// position in degrees (column 9 "S", column 18 "W" negative; single
/// precision, degrees + thousandths / 60000) and `name` columns 19-50
/// without trailing blanks.
bool parse_c_waypoint(std::string_view line, Igc_c_fields& f, float& lat, float& lon, std::string& name);

// ---------------------------------------------------------------------------
// Key tests of the lines around the fixes.

/// Width of the key and of the value of a split line.
inline constexpr std::size_t igc_kv_len = 60;

/// A line split at its first "=" (else its first ":"), key and value
/// left-adjusted and cut to igc_kv_len characters.
void igc_key_val(std::string_view line, std::string& key, std::string& val);

/// What a line before the first fix declares.
enum class Igc_h_key {
    none,
    competition_id,  ///< key "HFCIDCOMPETITIONID"
    gps,             ///< key "HFGPSGPS"
    recorder_type,   ///< key "HFFTYFRTYPE"
    date,            ///< key "HFDTEDATE": the date is the value
    date_columns,    ///< another line beginning "HFDTE": the date is in columns 6-13
};

/// The H key test of a line before the first fix (keys matched whole,
/// trailing blanks ignored; tested in the order of the enumeration).
Igc_h_key igc_h_key(std::string_view key, std::string_view line);

/// What a line after the first fix carries.
enum class Igc_l_kind {
    none,
    version_section,  ///< the whole line is "LCONFPL[Version]"
    condor_version,   ///< key begins "LCONFPLCondor version": integer
    landscape,        ///< "LCONFPLLandscape": text
    glider,           ///< "LCONFPLName": text
    winddir,          ///< "LCONFPLWindDir": 17 reals
    windspeed,        ///< "LCONFPLWindSpeed": 17 reals
    thermalstemp,     ///< "LCONFPLThermalsTemp": 17 reals, degrees Celsius
    water,            ///< "LCONFPLWater": real
    fixedmass,        ///< "LCONFPLFixedMass": real
    count,            ///< "LCONFPLCount": integer
    // Task-point keys: the stem, then the point's index.
    tp_name,          ///< "LCONFPLTPName": text
    tp_posx,          ///< "LCONFPLTPPosX": real
    tp_posy,          ///< "LCONFPLTPPosY": real
    tp_posz,          ///< "LCONFPLTPPosZ": real
    tp_airport,       ///< "LCONFPLTPAirport": integer
    tp_sectortype,    ///< "LCONFPLTPSectorType": integer
    tp_radius,        ///< "LCONFPLTPRadius": integer
    tp_angle,         ///< "LCONFPLTPAngle": integer
    tp_altitude,      ///< "LCONFPLTPAltitude": real
    tp_width,         ///< "LCONFPLTPWidth": real
    tp_height,        ///< "LCONFPLTPHeight": real
    tp_azimuth,       ///< "LCONFPLTPAzimuth": real
};

/// The L key test of a line after the first fix.
struct Igc_l_key {
    Igc_l_kind kind = Igc_l_kind::none;
    /// Task-point index (0..igc_max_tp) of a task-point key.
    int32_t n = 0;
};

/// Tests the line and its key in the reader's order.  A task-point key
/// whose index (the rest of the key after the stem) does not read as an
/// integer in 0..igc_max_tp has nowhere to go: kind none.
Igc_l_key igc_l_key(std::string_view key, std::string_view line);

