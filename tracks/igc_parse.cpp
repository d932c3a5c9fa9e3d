#include "tracks/igc_parse.h"

#include <algorithm>

#include "support/ftext.h"
#include "support/key_val.h"
#include "support/number_fields.h"

namespace {

/// The character in column `c` of the blank-padded line.
char column(std::string_view line, std::size_t c) { return c >= 1 && c <= line.size() ? line[c - 1] : ' '; }

/// The digits of a position's minutes: the five columns, then the
/// extension's columns when it is declared.  An extension column that holds
/// no digit (the record ends before it, or it is damaged) counts as 0: the
/// digits are read as one number over the extension's scale, so a blank
/// there would shift the five columns by a power of ten.
std::string minute_digits(std::string_view line, int32_t first, int32_t last, int32_t ext_first,
                          int32_t ext_last) {
    std::string d = igc_columns(line, first, last);
    if (ext_first > 0)
        for (const char c : igc_columns(line, ext_first, ext_last)) d += c >= '0' && c <= '9' ? c : '0';
    return d;
}

/// An extension value (ENL, MOP): read only from columns the record really
/// holds, beyond the fixed part of the B record (else 0); a read replaces
/// the record's status `ok`.
void read_extension(std::string_view line, int32_t first, int32_t last, int32_t& value, bool& ok) {
    if (first < 36 || static_cast<int32_t>(trim_right(line).size()) < last) {
        value = 0;
        return;
    }
    ok = read_int(igc_columns(line, first, last), value);
}

/// The number written in columns `first` to `last` when each of them is a
/// digit, else -1 (columns past the end of the line are blanks, so a short
/// line fails here).  At most 5 columns, so the value fits.
int32_t digit_field(std::string_view line, std::size_t first, std::size_t last) {
    int32_t v = 0;
    for (std::size_t c = first; c <= last; ++c) {
        const char ch = column(line, c);
        if (ch < '0' || ch > '9') return -1;
        v = v * 10 + (ch - '0');
    }
    return v;
}

/// True when the five columns from `first` hold an altitude as loggers
/// write it: five digits, or "-" and four digits.
bool altitude_field(std::string_view line, std::size_t first) {
    const std::size_t digits_from = column(line, first) == '-' ? first + 1 : first;
    return digit_field(line, digits_from, first + 4) >= 0;
}

struct L_stem {
    std::string_view stem;
    Igc_l_kind kind;
};

// Task-point stems; no stem is the beginning of another.
constexpr L_stem tp_stems[] = {
    {"LCONFPLTPName", Igc_l_kind::tp_name},
    {"LCONFPLTPPosX", Igc_l_kind::tp_posx},
    {"LCONFPLTPPosY", Igc_l_kind::tp_posy},
    {"LCONFPLTPPosZ", Igc_l_kind::tp_posz},
    {"LCONFPLTPAirport", Igc_l_kind::tp_airport},
    {"LCONFPLTPSectorType", Igc_l_kind::tp_sectortype},
    {"LCONFPLTPRadius", Igc_l_kind::tp_radius},
    {"LCONFPLTPAngle", Igc_l_kind::tp_angle},
    {"LCONFPLTPAltitude", Igc_l_kind::tp_altitude},
    {"LCONFPLTPWidth", Igc_l_kind::tp_width},
    {"LCONFPLTPHeight", Igc_l_kind::tp_height},
    {"LCONFPLTPAzimuth", Igc_l_kind::tp_azimuth},
};

// Whole keys, in the order they are tested.
constexpr L_stem whole_keys[] = {
    {"LCONFPLLandscape", Igc_l_kind::landscape},
    {"LCONFPLName", Igc_l_kind::glider},
    {"LCONFPLWindDir", Igc_l_kind::winddir},
    {"LCONFPLWindSpeed", Igc_l_kind::windspeed},
    {"LCONFPLThermalsTemp", Igc_l_kind::thermalstemp},
    {"LCONFPLWater", Igc_l_kind::water},
    {"LCONFPLFixedMass", Igc_l_kind::fixedmass},
    {"LCONFPLCount", Igc_l_kind::count},
};

}  // namespace

std::string igc_columns(std::string_view line, int32_t first, int32_t last) {
    first = std::max<int32_t>(first, 1);
    last = std::min<int32_t>(last, static_cast<int32_t>(igc_line_len));
    if (first > last) return {};
    std::string r;
    r.reserve(static_cast<std::size_t>(last - first + 1));
    for (int32_t c = first; c <= last; ++c) r += column(line, static_cast<std::size_t>(c));
    return r;
}

bool parse_i_record(std::string_view line, Igc_i_fields& f, Igc_extensions& ext) {
    bool ok = read_int(igc_columns(line, 2, 3), f.count);
    const int32_t groups = std::min(f.count, igc_max_ext_groups);
    for (int32_t k = 1; k <= groups; ++k) {
        const int32_t c = 4 + 7 * (k - 1);
        ok = read_int(igc_columns(line, c, c + 1), f.first);
        ok = read_int(igc_columns(line, c + 2, c + 3), f.last);
        const std::string code = igc_columns(line, c + 4, c + 6);
        if (code == "ENL") {
            ext.enl_first = f.first;
            ext.enl_last = f.last;
        } else if (code == "MOP") {
            ext.mop_first = f.first;
            ext.mop_last = f.last;
        } else if (code == "LAD") {
            ext.lad_first = f.first;
            ext.lad_last = f.last;
        } else if (code == "LOD") {
            ext.lod_first = f.first;
            ext.lod_last = f.last;
        }
    }
    return ok;
}

bool parse_b_record(std::string_view line, const Igc_extensions& ext, Igc_b_fields& f) {
    bool ok = read_int(igc_columns(line, 2, 3), f.hours);
    ok = read_int(igc_columns(line, 4, 5), f.minutes);
    ok = read_int(igc_columns(line, 6, 7), f.seconds);
    ok = read_int(igc_columns(line, 8, 9), f.lat_deg);
    ok = read_int(minute_digits(line, 10, 14, ext.lad_first, ext.lad_last), f.lat_digits);
    f.lat_hemi = column(line, 15);
    ok = read_int(igc_columns(line, 16, 18), f.lon_deg);
    ok = read_int(minute_digits(line, 19, 23, ext.lod_first, ext.lod_last), f.lon_digits);
    f.lon_hemi = column(line, 24);
    f.validity = column(line, 25);
    ok = read_int(igc_columns(line, 26, 30), f.alt_press);
    ok = read_int(igc_columns(line, 31, 35), f.alt_gnss);
    read_extension(line, ext.enl_first, ext.enl_last, f.enl, ok);
    read_extension(line, ext.mop_first, ext.mop_last, f.mop, ok);
    return ok;
}

bool b_record_valid(std::string_view line) {
    if (column(line, 1) != 'B') return false;
    const int32_t hours = digit_field(line, 2, 3);
    const int32_t minutes = digit_field(line, 4, 5);
    const int32_t seconds = digit_field(line, 6, 7);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59) return false;
    const int32_t lat_deg = digit_field(line, 8, 9);
    const int32_t lat_min = digit_field(line, 10, 14);
    if (lat_deg < 0 || lat_deg > 90 || lat_min < 0 || lat_min > 59999) return false;
    const int32_t lon_deg = digit_field(line, 16, 18);
    const int32_t lon_min = digit_field(line, 19, 23);
    if (lon_deg < 0 || lon_deg > 180 || lon_min < 0 || lon_min > 59999) return false;
    const char ns = column(line, 15), ew = column(line, 24), validity = column(line, 25);
    if ((ns != 'N' && ns != 'S') || (ew != 'E' && ew != 'W') || (validity != 'A' && validity != 'V')) return false;
    return altitude_field(line, 26) && altitude_field(line, 31);
}

int32_t igc_b_seconds(const Igc_b_fields& f) {
    // Each field holds at most 2 digits and a sign, so this cannot overflow.
    return f.hours * 3600 + f.minutes * 60 + f.seconds;
}

float igc_b_latitude(const Igc_b_fields& f, const Igc_extensions& ext) {
    const float per_degree = ext.lad_first > 0 ? 600000.0f : 60000.0f;
    const float lat = static_cast<float>(f.lat_deg) + static_cast<float>(f.lat_digits) / per_degree;
    return f.lat_hemi == 'S' ? -lat : lat;
}

float igc_b_longitude(const Igc_b_fields& f, const Igc_extensions& ext) {
    const float per_degree = ext.lod_first > 0 ? 600000.0f : 60000.0f;
    const float lon = static_cast<float>(f.lon_deg) + static_cast<float>(f.lon_digits) / per_degree;
    return f.lon_hemi == 'W' ? -lon : lon;
}

bool parse_c_declaration(std::string_view line, int32_t& ntp) { return read_int(igc_columns(line, 24, 25), ntp); }

bool parse_c_waypoint(std::string_view line, Igc_c_fields& f, float& lat, float& lon, std::string& name) {
    bool ok = read_int(igc_columns(line, 2, 3), f.lat_deg);
    ok = read_int(igc_columns(line, 4, 8), f.lat_min);
    ok = read_int(igc_columns(line, 10, 12), f.lon_deg);
    ok = read_int(igc_columns(line, 13, 17), f.lon_min);
    lat = static_cast<float>(f.lat_deg) + static_cast<float>(f.lat_min) / 60000.0f;
    if (column(line, 9) == 'S') lat = -lat;
    lon = static_cast<float>(f.lon_deg) + static_cast<float>(f.lon_min) / 60000.0f;
    if (column(line, 18) == 'W') lon = -lon;
    name = fit(igc_columns(line, 19, 50), 32);
    return ok;
}

void igc_key_val(std::string_view line, std::string& key, std::string& val) {
    extract_key_val(line, key, val);
    key = fit(key, igc_kv_len);
    val = fit(val, igc_kv_len);
}

Igc_h_key igc_h_key(std::string_view key, std::string_view line) {
    if (same_text(key, "HFCIDCOMPETITIONID")) return Igc_h_key::competition_id;
    if (same_text(key, "HFGPSGPS")) return Igc_h_key::gps;
    if (same_text(key, "HFFTYFRTYPE")) return Igc_h_key::recorder_type;
    if (same_text(key, "HFDTEDATE")) return Igc_h_key::date;
    if (line.starts_with("HFDTE")) return Igc_h_key::date_columns;
    return Igc_h_key::none;
}

Igc_l_key igc_l_key(std::string_view key, std::string_view line) {
    if (same_text(line, "LCONFPL[Version]")) return {Igc_l_kind::version_section, 0};
    if (key.starts_with("LCONFPLCondor version")) return {Igc_l_kind::condor_version, 0};
    for (const L_stem& k : whole_keys)
        if (same_text(key, k.stem)) return {k.kind, 0};
    for (const L_stem& k : tp_stems) {
        if (!key.starts_with(k.stem)) continue;
        int32_t n = 0;
        if (!read_int(key.substr(k.stem.size()), n) || n < 0 || n > igc_max_tp) return {};
        return {k.kind, n};
    }
    return {};
}
