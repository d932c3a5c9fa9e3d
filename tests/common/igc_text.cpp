#include "tests/common/igc_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

/// Degrees and minutes x 1000 of |v|, then the hemisphere letter.
std::string position(double v, int deg_width, char pos, char neg) {
    const double a = std::fabs(v);
    const int deg = static_cast<int>(a);
    const long min = std::lround((a - deg) * 60000.0);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*d%05ld%c", deg_width, deg, min, v > 0 ? pos : neg);
    return buf;
}

}  // namespace

std::string igc_text_b_record(const igc_text_fix& p) {
    const int32_t t = ((p.t % 86400) + 86400) % 86400;
    char head[16];
    std::snprintf(head, sizeof head, "B%02d%02d%02d", t / 3600, t % 3600 / 60, t % 60);
    char tail[32];
    std::snprintf(tail, sizeof tail, "A%05d%05d005%03d", p.alt, p.alt, p.enl);
    return head + position(p.lat, 2, 'N', 'S') + position(p.lon, 3, 'E', 'W') + tail;
}

std::vector<std::string> igc_text_header(const std::string& c_date, const std::string& compid) {
    return {"ACSS00001",
            "HFFXA050",
            "HFDTE" + c_date,
            "HFPLTPILOT:Jo Bloggs",
            "HFGTYGLIDERTYPE:ASW28",
            "HFGIDGLIDERID:D-1234",
            "HFDTM100DATUM:WGS-1984",
            "HFGPSGPS:CCSS_SOFTWARE_GPS",
            "HFFTYFRTYPE:CCSS",
            "HFRFWFIRMWAREVERSION:1.0",
            "HFRHWHARDWAREVERSION:0.0",
            "HFCIDCOMPETITIONID:" + compid,
            "HFCCLCOMPETITIONCLASS:Club",
            "I023638FXA3941ENL"};
}

std::vector<std::string> igc_text_declaration(const std::vector<igc_text_fix>& points,
                                              const std::vector<std::string>& names) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "C150623123000150623000%02d", static_cast<int>(points.size() % 100) - 2);
    std::vector<std::string> lines{buf};
    for (std::size_t i = 0; i < points.size(); ++i)
        lines.push_back("C" + position(points[i].lat, 2, 'N', 'S') + position(points[i].lon, 3, 'E', 'W') +
                        (i < names.size() ? names[i] : ""));
    if (!points.empty()) lines.push_back(lines.back());
    return lines;
}

std::vector<igc_text_fix> igc_text_flight(int32_t t0, int32_t n) {
    std::vector<igc_text_fix> v;
    for (int32_t i = 0; i < n; ++i)
        v.push_back({t0 + i, 46.5 + 0.0001 * i, 9.25 + 0.00015 * i, 800 + i % 400, 0});
    return v;
}

std::vector<std::string> igc_text_trailer() {
    return {"LCONFlightInfoRaceID=0",         "LCONFlightInfoStartTime=12:30:00",
            "LCONFlightInfoFlightTime=01:00:00", "LCONFlightInfoTaskStart=12:35:00",
            "LCONFlightInfoTaskTime=00:55:00",  "LCONFlightInfoPlayerStatus=Finished",
            "LCONFlightInfoDistanceFlown=52.3 km", "LCONFlightInfoAverageSpeed=95.1 km/h",
            "LCONFlightInfoPenaltyPoints=0",     "LCONFlightInfoGhostCount=0",
            "LCONFBREMALOInterpolation=Next point (Condor default)   "};
}

std::string igc_text_log(const std::vector<igc_text_fix>& fixes, const std::vector<std::string>& l_records) {
    std::vector<std::string> lines = igc_text_header();
    const std::vector<igc_text_fix> task{{0, 46.5, 9.25, 0, 0}, {0, 46.6, 9.4, 0, 0}};
    for (const std::string& c : igc_text_declaration(task, {"Start", "Finish"})) lines.push_back(c);
    for (const igc_text_fix& p : fixes) lines.push_back(igc_text_b_record(p));
    lines.insert(lines.end(), l_records.begin(), l_records.end());
    for (const std::string& l : igc_text_trailer()) lines.push_back(l);
    return igc_text_join(lines);
}

std::string igc_text_join(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\r\n";
    return s;
}
