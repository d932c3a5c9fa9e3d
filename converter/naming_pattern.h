// The naming pattern: a track's IGC file ("-rigc") and the track itself
// ("-rftr") can be named from the track's contents and its file date.
//
// A pattern is a row of two-letter tokens (default
// "Y4_MM_DD_hh_mm_ID_GL_LA_ST"), each optionally followed by the separator.
// It is parsed once at start-up into token codes; the name is built per
// track.  Both steps are pure: the console lines they owe come back as texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Most tokens a pattern can hold.
inline constexpr std::size_t kfield_max = 100;
/// Width of a built name, in characters; a longer name is cut there.
inline constexpr std::size_t ttt_len = 200;

/// Token codes.  A negative code in a parsed pattern marks a token that the
/// separator followed; 0 an unrecognized token (it adds nothing).
enum Token_code : int32_t {
    tok_none = 0,
    tok_y2 = 1,   ///< "Y2" year - 2000, two digits
    tok_mm = 2,   ///< "MM" month, two digits
    tok_dd = 3,   ///< "DD" day of the month, two digits
    tok_hh = 4,   ///< "hh" hour 0..23, two digits
    tok_mi = 5,   ///< "mm" minute, two digits
    tok_id = 6,   ///< "ID" competition number
    tok_la = 7,   ///< "LA" landscape
    tok_st = 8,   ///< "ST" name of task point 1
    tok_gl = 9,   ///< "GL" accepted, adds nothing
    tok_td = 10,  ///< "TD" task distance, km
    tok_y4 = 11,  ///< "Y4" year, four digits
    tok_df = 12,  ///< "DF" distance flown, km
    tok_av = 13,  ///< "AV" average speed, km/h
    tok_cc = 14,  ///< "CC" competition class
    tok_us = 15,  ///< "US" the user text of "-ustr:"
};

/// A parsed pattern.
struct Name_pattern {
    std::vector<int32_t> kfield;  ///< token codes in pattern order (at most kfield_max)
    /// Console lines of the parsing: for each unrecognized token its two
    /// characters followed by " : unrecognized token".
    std::vector<std::string> notes;
};

/// Parses `fmtstr` (cut to 200 characters; trailing blanks end it): takes
/// two characters at a time as a token, then drops the separator `sep`
/// when it comes next (the token's code is then negated).  Only `sep` is
/// recognised between tokens; any other character starts the next token.
/// A pattern holding more than kfield_max tokens keeps the first ones.
Name_pattern parse_pattern(std::string_view fmtstr, char sep);

/// What the tokens of a name are made of, for one track.
struct Name_fields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;  ///< the track file's modification, local time
    std::string compid;     ///< competition number
    std::string landscape;  ///< landscape name
    std::string start_tp;   ///< name of task point 1
    std::string compclass;  ///< competition class
    std::string usrstr;     ///< user text
    float task_km = 0;      ///< task distance, km (task_distance_km)
    float d_fl = 0;         ///< distance flown, metres
    float av_s = 0;         ///< average speed, m/h as the trailer holds it (x 0.001 gives km/h)
};

/// The task distance of "TD": the planar lengths of the legs from task point
/// 1 to the last one (points 1..nb_wp-1; the leg from take-off is not part
/// of it), summed in single precision, times 0.001 (km).  `nb_wp` is clamped
/// to the size of the tables.
float task_distance_km(const float* tpx, const float* tpy, int32_t nb_wp, int32_t table_size);

/// A built name with the console lines of its building.
struct Built_name {
    std::string name;  ///< at most ttt_len characters
    std::vector<std::string> trace;
};

/// Builds the name of `kfield` from `f`.  Text tokens add their text
/// without trailing blanks; the date tokens two zero-filled digits ("Y2"
/// the year modulo 100, also before 2000; "Y4" four); the number tokens the
/// value rounded half away from zero, then "km" or "kmh" ("****" before the
/// unit for a value that needs more than four characters).  A negative code
/// adds `sep` after its text, also when the text is empty; code 0 adds
/// nothing.  Characters that a file name cannot hold on this platform
/// (forbidden_in_file_name) become "_", so that the name never reaches into
/// another folder.  The name is cut to ttt_len characters (and then to its
/// last non-blank); with `wsubs` not blank, every blank of it then becomes
/// `wsubs`.  `qdbg` adds the pattern line `fmtstr` to the trace.
Built_name build_name(const std::vector<int32_t>& kfield, const Name_fields& f, char sep, char wsubs,
                      std::string_view fmtstr, bool qdbg);
