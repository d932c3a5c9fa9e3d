#include "tracks/igc_parse.h"

#include <algorithm>

#include "support/ftext.h"
#include "support/key_val.h"
#include "support/number_fields.h"

namespace {

/// The character in column `c` of the blank-padded line.
char column(std::string_view line, std::size_t c) { return c >= 1 && c <= line.size() ? line[c - 1] : ' '; }

/// An extension value (ENL, MOP): read only from columns the record really
/// holds, beyond the fixed part of the B record (else 0); a value that
/// cannot be read keeps the one `value` held.
void read_extension(std::string_view line, int32_t first, int32_t last, int32_t& value) {
    if (first < 36 || static_cast<int32_t>(trim_right(line).size()) < last) {
        value = 0;
        return;
    }
    (void)read_int(igc_columns(line, first, last), value);
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

/// An altitude as loggers write it in the five columns from `first`: five
/// digits, or "-" and four digits.  False when it is neither.
bool altitude_field(std::string_view line, std::size_t first, int32_t& alt) {
    if (column(line, first) == '-') {
        const int32_t v = digit_field(line, first + 1, first + 4);
        alt = -v;
        return v >= 0;
    }
    alt = digit_field(line, first, first + 4);
    return alt >= 0;
}

/// One coordinate of a B record: `deg_width` digits of degrees from column
/// `first`, five of thousandths of minutes, then the `finer` digits of the
/// extension from column `ext_first`.  False when the fixed columns are not
/// all digits.  An extension column that holds no digit (the record ends
/// before it, or it is damaged) counts as 0: a blank there must not shift
/// the other digits by a power of ten.
bool angle_field(std::string_view line, std::size_t first, std::size_t deg_width, int32_t ext_first,
                 int32_t finer, igc_angle& a) {
    a.deg = digit_field(line, first, first + deg_width - 1);
    a.mmin = digit_field(line, first + deg_width, first + deg_width + 4);
    a.finer = 0;
    for (int32_t k = 0; k < finer; ++k) {
        const char ch = column(line, static_cast<std::size_t>(ext_first + k));
        a.finer = a.finer * 10 + (ch >= '0' && ch <= '9' ? ch - '0' : 0);
    }
    return a.deg >= 0 && a.mmin >= 0;
}

/// Degrees of a coordinate read with `finer` further digits, single
/// precision; negative in the hemisphere `neg`.
float angle_degrees(const igc_angle& a, int32_t finer, char hemi, char neg) {
    int32_t digits = a.mmin;
    float per_degree = 60000.0f;
    for (int32_t k = 0; k < finer; ++k) {
        digits *= 10;
        per_degree *= 10.0f;
    }
    const float v = static_cast<float>(a.deg) + static_cast<float>(digits + a.finer) / per_degree;
    return hemi == neg ? -v : v;
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

int32_t igc_finer_digits(int32_t first, int32_t last) {
    if (first < 36 || last > static_cast<int32_t>(igc_line_len) || last < first || last - first >= 3) return 0;
    return last - first + 1;
}

bool read_b_record(std::string_view line, const Igc_extensions& ext, Igc_b_fields& f) {
    if (column(line, 1) != 'B') return false;
    Igc_b_fields g = f;
    // Loggers past midnight keep counting the hours: any two digits.
    g.hours = digit_field(line, 2, 3);
    g.minutes = digit_field(line, 4, 5);
    g.seconds = digit_field(line, 6, 7);
    if (g.hours < 0 || g.minutes < 0 || g.minutes > 59 || g.seconds < 0 || g.seconds > 59) return false;
    const int32_t lad = igc_finer_digits(ext.lad_first, ext.lad_last);
    const int32_t lod = igc_finer_digits(ext.lod_first, ext.lod_last);
    if (!angle_field(line, 8, 2, ext.lad_first, lad, g.lat) || !igc_angle_fits(g.lat, igc_lat_max_deg)) return false;
    if (!angle_field(line, 16, 3, ext.lod_first, lod, g.lon) || !igc_angle_fits(g.lon, igc_lon_max_deg)) return false;
    g.lat_hemi = column(line, 15);
    g.lon_hemi = column(line, 24);
    g.validity = column(line, 25);
    if ((g.lat_hemi != 'N' && g.lat_hemi != 'S') || (g.lon_hemi != 'E' && g.lon_hemi != 'W') ||
        (g.validity != 'A' && g.validity != 'V'))
        return false;
    if (!altitude_field(line, 26, g.alt_press) || !altitude_field(line, 31, g.alt_gnss)) return false;
    // An extension value that cannot be read costs that value alone.
    read_extension(line, ext.enl_first, ext.enl_last, g.enl);
    read_extension(line, ext.mop_first, ext.mop_last, g.mop);
    g.t = g.hours * 3600 + g.minutes * 60 + g.seconds;
    g.latitude = angle_degrees(g.lat, lad, g.lat_hemi, 'S');
    g.longitude = angle_degrees(g.lon, lod, g.lon_hemi, 'W');
    f = g;
    return true;
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
