// Texts of the IGC header, task and fix records.
#include "tracks/igc_records.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "support/ftext.h"
#include "support/julian.h"
#include "support/number_fields.h"
#include "taskmodel/nearest_int.h"
#include "taskmodel/task_model.h"

namespace {

constexpr int32_t seconds_per_day = 86400;

/// Latitude or longitude fields: degrees (`deg_width` digits), minutes x
/// 1000 (5 digits) and the hemisphere letter, written at `out`; false when
/// the value is beyond `max_deg` degrees or not finite.
bool put_angle(char* out, float value, int deg_width, int32_t max_deg, char pos, char neg, bool half_even) {
    const igc_angle a = igc_split_angle(value, half_even);
    if (!igc_angle_fits(a, max_deg)) return false;
    put_zero_padded(out, a.deg, deg_width);
    put_zero_padded(out + deg_width, a.mmin, 5);
    out[deg_width + 5] = value > 0.0f ? pos : neg;
    return true;
}

/// An altitude in the five columns of a B record: 0..99999 zero-filled,
/// -9999..-1 as "-" and four digits.
void put_altitude(char* out, int32_t alt) {
    if (alt < 0) {
        out[0] = '-';
        put_zero_padded(out + 1, -static_cast<long long>(alt), 4);
    } else {
        put_zero_padded(out, alt, 5);
    }
}

/// Seconds wrapped into one day, 0..86399.
int32_t time_of_day(int32_t t) {
    const int32_t r = t % seconds_per_day;
    return r < 0 ? r + seconds_per_day : r;
}

/// The value of two decimal digits at s[0], s[1]; -1 when either is not a
/// digit.
int32_t two_digits(std::string_view s) {
    if (s.size() < 2 || s[0] < '0' || s[0] > '9' || s[1] < '0' || s[1] > '9') return -1;
    return (s[0] - '0') * 10 + (s[1] - '0');
}

}  // namespace

int32_t b_round(float x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0f) return 2147483647;
    if (x <= -2147483648.0f) return -2147483647 - 1;
    const float i = std::trunc(x);
    if (x - i == 0.5f) {
        const int32_t n = static_cast<int32_t>(i);
        return n % 2 == 0 ? n : n + 1;
    }
    return nint(x);
}

igc_angle igc_split_angle(float value, bool half_even) {
    igc_angle a;
    const float v = std::fabs(value);
    if (!std::isfinite(v) || v >= 1.0e6f) {
        a.deg = -1;
        return a;
    }
    a.deg = static_cast<int32_t>(v);
    const float m = (v - static_cast<float>(a.deg)) * 60000.0f;
    a.mmin = half_even ? b_round(m) : nint(m);
    if (a.mmin >= 60000) {
        a.deg += 1;
        a.mmin -= 60000;
    }
    return a;
}

bool igc_date_valid(std::string_view c_date) {
    const std::string_view d = trim_right(c_date);
    if (d.size() != c_date_len) return false;
    const int32_t day = two_digits(d.substr(0, 2));
    const int32_t month = two_digits(d.substr(2, 2));
    const int32_t year = two_digits(d.substr(4, 2));
    if (day < 1 || month < 1 || month > 12 || year < 0) return false;
    static constexpr int32_t month_days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && day == 29) return year % 4 == 0;  // 2000 + YY: every fourth year is a leap year
    return day <= month_days[month - 1];
}

std::string igc_flight_date(std::string_view c_date, float first_second) {
    const std::string date(trim_right(c_date));
    if (!igc_date_valid(date) || !std::isfinite(first_second)) return date;
    // The day of the B record's time: whole seconds as that record rounds
    // them, days counted down for a time before midnight.
    const double t = std::round(static_cast<double>(first_second));
    const int32_t days = static_cast<int32_t>(std::floor(t / seconds_per_day));
    if (days == 0) return date;
    // The track dates of 1989 to 2079 (and a few days around them) are
    // written with two year digits: 80 to 99 are of the 1900s.
    const int32_t yy = two_digits(date.substr(4, 2));
    int32_t year = yy >= 80 ? 1900 + yy : 2000 + yy;
    int32_t month = two_digits(date.substr(2, 2));
    int32_t day = two_digits(date.substr(0, 2));
    gdate(jd(year, month, day) + days, year, month, day);
    return zero_padded_field(day, 2) + zero_padded_field(month, 2) + zero_padded_field(year % 100, 2);
}

bool put_igc_b_record(char* out, const track_fix& fix, float lat, float lon) {
    if (!std::isfinite(fix[fix_t]) || !std::isfinite(fix[fix_alt])) return false;
    const int32_t alt = b_round(fix[fix_alt]);
    if (alt < igc_alt_min || alt > igc_alt_max) return false;
    const int32_t t = time_of_day(nint(fix[fix_t]));
    out[0] = 'B';
    put_zero_padded(out + 1, t / 3600, 2);
    put_zero_padded(out + 3, t % 3600 / 60, 2);
    put_zero_padded(out + 5, t % 60, 2);
    if (!put_angle(out + 7, lat, 2, igc_lat_max_deg, 'N', 'S', true)) return false;
    if (!put_angle(out + 15, lon, 3, igc_lon_max_deg, 'E', 'W', true)) return false;
    char* p = out + 24;
    *p++ = 'A';
    put_altitude(p, alt);
    put_altitude(p + 5, alt);
    std::memcpy(p + 10, "005", 3);
    put_zero_padded(p + 13, std::clamp(nint(fix[fix_enl]), 0, 999), 3);
    return true;
}

bool igc_b_record(const track_fix& fix, float lat, float lon, std::string& record) {
    std::string r(igc_b_len, ' ');
    if (!put_igc_b_record(r.data(), fix, lat, lon)) return false;
    record = std::move(r);
    return true;
}

bool igc_c_point(float lat, float lon, std::string_view name, std::string& record) {
    std::string r(18, ' ');
    r[0] = 'C';
    if (!put_angle(r.data() + 1, lat, 2, igc_lat_max_deg, 'N', 'S', false)) return false;
    if (!put_angle(r.data() + 9, lon, 3, igc_lon_max_deg, 'E', 'W', false)) return false;
    r += fit(name, tpnam_len);
    record = std::move(r);
    return true;
}

bool igc_c_declaration(std::string_view c_date, float start_rec, int32_t nwp, std::string& record) {
    // The turnpoints between the start (point 1) and the finish (point
    // nwp - 1): take-off, start, finish and landing are no turnpoints.
    const int32_t count = std::max(nwp - 3, 0);
    if (!igc_date_valid(c_date) || !std::isfinite(start_rec) || count > 99) return false;
    // A first fix at or past midnight (or before it) is a time of day of
    // the next (or previous) day.
    float hours = start_rec;
    if (hours < 0.0f || hours >= 24.0f) {
        double h = std::fmod(static_cast<double>(hours), 24.0);
        if (h < 0.0) h += 24.0;
        hours = static_cast<float>(h);
        if (hours >= 24.0f) hours = 0.0f;
    }
    const int32_t h = static_cast<int32_t>(hours);
    const float r = (hours - static_cast<float>(h)) * 3600.0f;
    const int32_t m = static_cast<int32_t>(r / 60.0f);
    const int32_t s = static_cast<int32_t>(std::fmod(r, 60.0f));
    const std::string date(trim_right(c_date));
    record = "C" + date + zero_padded_field(h, 2) + zero_padded_field(m, 2) + zero_padded_field(s, 2) + date +
             "0000" + zero_padded_field(count, 2);
    return true;
}

bool igc_header_lines(int32_t nhdr, const std::vector<std::string>& igc_hdr, const Rd_ftr_c& id,
                      std::string_view glider, std::vector<std::string>& lines) {
    std::vector<std::string> out;
    if (nhdr == 0) {
        if (!igc_date_valid(id.c_date)) return false;
        out = {"ACSS00001",
               "HFFXA050",
               "HFDTE" + std::string(trim_right(id.c_date)),
               "HFPLTPILOT:" + std::string(trim_right(id.pilot_name)),
               "HFGTYGLIDERTYPE:" + std::string(trim_right(glider)),
               "HFGIDGLIDERID:" + std::string(trim_right(id.gliderid)),
               "HFDTM100DATUM:WGS-1984",
               "HFGPSGPS:CCSS_SOFTWARE_GPS",
               "HFFTYFRTYPE:CCSS",
               "HFRFWFIRMWAREVERSION:1.0",
               "HFRHWHARDWAREVERSION:0.0",
               "HFCIDCOMPETITIONID:" + std::string(trim_right(id.compid)),
               "HFCCLCOMPETITIONCLASS:" + std::string(trim_right(id.compclass)),
               std::string(igc_i_record)};
        lines = std::move(out);
        return true;
    }
    if (nhdr < 0) {
        lines = {std::string(igc_i_record)};
        return true;
    }

    const std::size_t n = std::min(static_cast<std::size_t>(nhdr), igc_hdr.size());
    std::size_t last_h = n;
    for (std::size_t i = 0; i < n; ++i)
        if (!igc_hdr[i].empty() && igc_hdr[i][0] == 'H') last_h = i;
    bool had_i = false;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& line = igc_hdr[i];
        const char first = line.empty() ? ' ' : line[0];
        if (first == 'I') {
            out.emplace_back(igc_i_record);
            had_i = true;
        } else if (first != 'J') {
            out.emplace_back(trim_right(line));
        }
        if (i == last_h) {
            out.emplace_back("HFFTYFRTYPE:Bremalo Software Track Analyser");
            out.emplace_back("HFRFWFIRMWAREVERSION:1.9.2.0");
        }
    }
    if (!had_i) out.emplace_back(igc_i_record);
    lines = std::move(out);
    return true;
}
