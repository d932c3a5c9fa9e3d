#include "trackdiff/diff_console.h"

#include "support/ftext.h"
#include "support/number_fields.h"

std::string count_line(std::string_view label, int64_t count) {
    return " " + pad_right(label, 20) + "=" + count_field(count, 5);
}

std::vector<std::string> count_lines(const Match_result& r) {
    return {count_line("time matches", r.nsom), count_line("data matches", r.nsom_m),
            count_line("different fixes", static_cast<int64_t>(r.nsom) - r.nsom_m)};
}

std::string difference_row(std::string_view label, float lat, float lon, float alt) {
    const float lat_sec = lat * 3600.0f;
    const float lon_sec = lon * 3600.0f;
    return pad_right(label, 3) + " " + sci_field(lat, 10, 3) + " " + fixed_field(lat_sec, 10, 5) + " " +
           sci_field(lon, 10, 3) + " " + fixed_field(lon_sec, 10, 5) + " " + fixed_field(alt, 10, 5);
}

std::vector<std::string> difference_lines(const Match_result& r) {
    const std::array<float, 3> rms = match_rms(r);
    return {"",
            "Differences :",
            "",
            "      Lat(deg)   Lat(sec)   Lon(deg)   Lon(sec)    Alt(m)",
            difference_row("Min", r.emin[0], r.emin[1], r.emin[2]),
            difference_row("RMS", rms[0], rms[1], rms[2]),
            difference_row("Max", r.emax[0], r.emax[1], r.emax[2])};
}
