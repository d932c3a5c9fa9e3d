// The IGC reader: the records of one log dispatched on their first
// character, then the end steps (the flight-plan hand-over, the summary).
#include "tracks/igc_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "support/condor_install.h"
#include "support/console.h"
#include "support/ftext.h"
#include "support/number_fields.h"
#include "support/platform.h"
#include "support/program_settings.h"
#include "support/stop.h"
#include "taskmodel/fpl_input.h"
#include "taskmodel/read_fpl.h"
#include "taskmodel/task_model.h"
#include "tracks/igc_parse.h"
#include "tracks/utm.h"

Rdigc000 rdigc000;
Rdigc001 rdigc001;

namespace {

/// Loop status after a record whose last field could not be read.
constexpr int32_t igc_bad_field = 5010;
/// A fix time this far below the previous one has passed midnight.
constexpr int64_t half_day = 43200;
constexpr int64_t one_day = 86400;

/// Opens the log for reading; 0 or the system's error number.  Only a
/// regular file is opened: a pipe would block the open and a device such as
/// /dev/zero would never end.
int32_t open_log(const std::string& name, Fpl_input& input) {
    const Path_entry entry = path_entry(name);
    if (entry.kind == Entry_kind::none) return entry.error != 0 ? entry.error : ENOENT;
    if (entry.kind == Entry_kind::folder) return EISDIR;
    if (entry.kind != Entry_kind::file) return EINVAL;
    errno = 0;
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) return errno > 0 ? errno : EIO;
    fpl_input_adopt(input, f, name);
    // Loggers end their lines in CR LF, LF or CR alone; the flight plan
    // the log hands on is read with the same line ends.
    input.cr_ends_line = true;
    return 0;
}

/// State of one call.
struct Igc_read {
    bool qconv = false;
    bool qgpsa = false;
    std::vector<igc_fix>* ppp = nullptr;
    std::vector<std::string>* igc_hdr = nullptr;
    int32_t nhdr = 0;

    Igc_extensions ext;
    Igc_i_fields i_fields;
    Igc_b_fields b_fields;
    Igc_c_fields c_fields;
    int32_t ntp = 0;            ///< turn points of the declaration line
    int32_t nc = 0;             ///< C records read
    bool fix_seen = false;
    int64_t prev_t = -999999;   ///< time of the previous B record kept or skipped
    int64_t day_offset = 0;     ///< seconds added for the midnights passed
    int64_t last_stored_t = 0;  ///< time of the last stored fix
    float dtmin = 36000.0f;
    float dtmax = 0.0f;
    int32_t nskip = 0;
    int32_t nnot_fix = 0;       ///< lines beginning with "B" that are no B record
    bool handover = false;      ///< the log declared version 3
};

/// A B record read by read_b_record: one fix, unless it repeats the
/// previous fix's time.
void on_b_record(Igc_read& r, const std::string& line) {
    const Igc_b_fields& f = r.b_fields;
    int64_t t = f.t + r.day_offset;
    while (t < r.prev_t - half_day) {
        r.day_offset += one_day;
        t += one_day;
    }
    if (t == r.prev_t) {
        ++r.nskip;
        r.fix_seen = true;
        return;
    }
    std::vector<igc_fix>& ppp = *r.ppp;
    igc_fix fx{};
    fx[igc_t] = static_cast<float>(t);
    if (!ppp.empty()) {
        const float step = static_cast<float>(t - r.last_stored_t);
        r.dtmin = std::min(r.dtmin, step);
        r.dtmax = std::max(r.dtmax, step);
    } else {
        bool& gps = rdigc001.qgps_alt;
        if (!gps) {
            const bool p0 = f.alt_press == 0;
            const bool g0 = f.alt_gnss == 0;
            // Only one altitude given decides; otherwise the caller's choice.
            if (p0 && !g0) gps = true;
            else if (p0 == g0) gps = r.qgpsa;
        }
        console_free("qgps_alt", r.qgpsa, f.alt_press, f.alt_gnss, gps);
    }
    fx[igc_alt] = static_cast<float>(rdigc001.qgps_alt ? f.alt_gnss : f.alt_press);
    const float thr = rdigc001.enl_thr;
    fx[igc_eng] = (thr <= static_cast<float>(f.enl) || thr <= static_cast<float>(f.mop)) ? 999.0f : 0.0f;
    const float lat = f.latitude;
    const float lon = f.longitude;
    if (r.qconv) {
        float x = 0.0f, y = 0.0f;
        const int32_t res = latlontoxy(lat, lon, x, y);
        if (res != 1) {
            console_free(res, ppp.size() + 1, igc_columns(line, 1, 30), f.lat_hemi, f.lon_hemi, lat, lon, x, y,
                         f.validity, f.alt_press);
            console_line("*** conversion failed ***");
            stop_run(exit_error);
        }
        fx[igc_lat] = x;
        fx[igc_lon] = y;
    } else {
        fx[igc_lat] = lat;
        fx[igc_lon] = lon;
    }
    ppp.push_back(fx);
    r.last_stored_t = t;
    r.prev_t = t;
    r.fix_seen = true;
}

/// A C record: the declaration line first, then one waypoint each.
void on_c_record(Igc_read& r, const std::string& line) {
    ++r.nc;
    if (r.nc == 1) {
        const std::string cols = igc_columns(line, 24, 25);
        console_free(cols);
        if (parse_c_declaration(line, r.ntp)) console_free(r.ntp);
        return;
    }
    float lat = 0.0f, lon = 0.0f;
    std::string name;
    (void)parse_c_waypoint(line, r.c_fields, lat, lon, name);
    console_free(lat, lon);
    const int32_t k = rdigc001.nb_igcwp;
    // A declaration of more waypoints than the table holds: the surplus is
    // dropped.
    if (k <= igc_max_wp) {
        rdigc001.wp_pp[0][static_cast<std::size_t>(k)] = lat;
        rdigc001.wp_pp[1][static_cast<std::size_t>(k)] = lon;
        rd_fpl_2.tpnam[static_cast<std::size_t>(k)] = name;
        rdigc001.nb_igcwp = k + 1;
    }
}

/// A line before the first fix: a header line (L records apart), the I
/// record, then the H key tests.
void on_header_line(Igc_read& r, const std::string& line) {
    if (line.empty() || line[0] != 'L') {
        std::vector<std::string>& hdr = *r.igc_hdr;
        // More header lines than the caller's array holds: the surplus is
        // dropped.
        if (static_cast<std::size_t>(r.nhdr) < hdr.size())
            hdr[static_cast<std::size_t>(r.nhdr++)] = fit(line, igc_hdr_len);
        if (!line.empty() && line[0] == 'I') {
            (void)parse_i_record(line, r.i_fields, r.ext);
            console_free(r.i_fields.count);
            console_free("ENL, MOP", r.ext.enl_first, r.ext.enl_last, r.ext.mop_first, r.ext.mop_last);
        }
    }
    std::string key, val;
    igc_key_val(line, key, val);
    switch (igc_h_key(key, line)) {
        case Igc_h_key::competition_id:
            rdigc000.cn = fit(val, igc_cn_len);
            break;
        case Igc_h_key::gps:
            rdigc001.qcndr = same_text(val, "CCSS_SOFTWARE_GPS");
            rdigc001.qgps_alt = rdigc001.qcndr;
            break;
        case Igc_h_key::recorder_type:
            rdigc001.qcndr = same_text(val, "CCSS");
            rdigc001.qcndrtrk = val.find("CondorTracker") != std::string::npos;
            rdigc001.qgps_alt = rdigc001.qcndr || rdigc001.qcndrtrk;
            break;
        case Igc_h_key::date:
            rdigc000.fldate = fit(val, igc_fldate_len);
            break;
        case Igc_h_key::date_columns:
            rdigc000.fldate = fit(igc_columns(line, 6, 13), igc_fldate_len);
            break;
        case Igc_h_key::none:
            break;
    }
}

/// 17 weather values, one per zone.
bool read_weather(std::string_view val, wz_table<float>& table) {
    return read_real_list(val, table.data(), table.size());
}

/// A line after the first fix: the simulator's L records.
bool on_l_line(Igc_read& r, const std::string& line) {
    std::string key, val;
    igc_key_val(line, key, val);
    const Igc_l_key k = igc_l_key(key, line);
    const std::size_t n = static_cast<std::size_t>(k.n);
    Rd_fpl_1& g = rd_fpl_1;
    switch (k.kind) {
        case Igc_l_kind::none:
            return true;
        case Igc_l_kind::version_section:
            rdigc001.qcndr = true;
            return true;
        case Igc_l_kind::condor_version: {
            int32_t v = 0;
            if (!read_int(val, v)) return false;
            inst00.condor_version = v / 1000;
            console_free("condor_version", inst00.condor_version);
            r.handover = inst00.condor_version == 3;
            return true;
        }
        case Igc_l_kind::landscape:
            rd_fpl_2.landscape = fit(val, landscape_len);
            return true;
        case Igc_l_kind::glider:
            ggg001.glider = fit(val, glider_len);
            return true;
        case Igc_l_kind::winddir:
            return read_weather(val, rd_fpl_wz1.winddir);
        case Igc_l_kind::windspeed:
            return read_weather(val, rd_fpl_wz1.windspeed);
        case Igc_l_kind::thermalstemp:
            // The log holds degrees Celsius, the task model kelvin; a line
            // that cannot be read leaves the model as it was.
            if (!read_weather(val, rd_fpl_wz1.thermalstemp)) return false;
            for (float& t : rd_fpl_wz1.thermalstemp) t += 273.15f;
            return true;
        case Igc_l_kind::water:
            return read_real(val, gggmas.wmass);
        case Igc_l_kind::fixedmass:
            return read_real(val, gggmas.fmass);
        case Igc_l_kind::count:
            return read_int(val, rd_fpl_0.nb_wp);
        case Igc_l_kind::tp_name:
            rd_fpl_2.tpnam[n] = fit(val, tpnam_len);
            return true;
        case Igc_l_kind::tp_posx:
            return read_real(val, g.tpx[n]);
        case Igc_l_kind::tp_posy:
            return read_real(val, g.tpy[n]);
        case Igc_l_kind::tp_posz:
            return read_real(val, g.tpz[n]);
        case Igc_l_kind::tp_airport:
            return read_int(val, g.tpair[n]);
        case Igc_l_kind::tp_sectortype:
            return read_int(val, g.tpsec[n]);
        case Igc_l_kind::tp_radius:
            return read_int(val, g.tprad[n]);
        case Igc_l_kind::tp_angle:
            return read_int(val, g.tpang[n]);
        case Igc_l_kind::tp_altitude:
            return read_real(val, g.tpalt[n]);
        case Igc_l_kind::tp_width:
            return read_real(val, g.tpwid[n]);
        case Igc_l_kind::tp_height:
            return read_real(val, g.tphei[n]);
        case Igc_l_kind::tp_azimuth:
            return read_real(val, g.tpazi[n]);
    }
    return true;
}

/// The summary of the fixes, the landscape and the task points.
void print_summary(const Igc_read& r) {
    const std::vector<igc_fix>& ppp = *r.ppp;
    const int32_t nrec = static_cast<int32_t>(ppp.size());
    if (nrec >= 2) {
        const float mean = (ppp.back()[igc_t] - ppp.front()[igc_t]) / static_cast<float>(nrec - 1);
        console_free(nrec, "fixes read", r.dtmin, mean, r.dtmax, "HDR", r.nhdr);
    } else {
        // No step between fewer than two fixes.
        console_free(nrec, "fixes read", "HDR", r.nhdr);
    }
    if (r.nskip > 0) console_free(r.nskip, "fixes skipped");
    if (r.nnot_fix == 1) console_free(r.nnot_fix, "line beginning with B is no fix, passed over");
    if (r.nnot_fix > 1) console_free(r.nnot_fix, "lines beginning with B are no fix, passed over");
    if (!is_blank(rd_fpl_2.landscape))
        console_line(" Landscape, glider : " + std::string(trim_right(rd_fpl_2.landscape)) + " " +
                     std::string(trim_right(ggg001.glider)));

    int32_t& nb_wp = rd_fpl_0.nb_wp;
    if (nb_wp == 0 && rdigc001.nb_igcwp >= 1) nb_wp = rdigc001.nb_igcwp - 1;
    // A count the log gave beyond the table: only the table's points exist.
    nb_wp = std::clamp(nb_wp, 0, maxtp + 1);
    console_free(nb_wp);
    const Rd_fpl_1& g = rd_fpl_1;
    for (int32_t i = 0; i < nb_wp; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        console_free(i, g.tpx[k], g.tpy[k], g.tpz[k], g.tpsec[k], g.tpang[k], g.tprad[k],
                     std::string(trim_right(rd_fpl_2.tpnam[k])));
    }
    console_line("");
}

}  // namespace

int32_t read_igc(std::string_view infile, bool qconv, bool qgpsa, std::vector<igc_fix>& ppp,
                 std::vector<std::string>& igc_hdr, int32_t& nrec, int32_t& nhdr) {
    const std::string name(trim_right(infile));
    Fpl_input input;
    const int32_t open_status = open_log(name, input);
    console_line("");
    console_free(name, open_status);

    ppp.clear();
    Igc_read r;
    r.qconv = qconv;
    r.qgpsa = qgpsa;
    r.ppp = &ppp;
    r.igc_hdr = &igc_hdr;
    rd_fpl_2.landscape.clear();
    ggg001.glider.clear();
    rdigc000.cn = "XXX";
    rdigc001.qgps_alt = false;
    rdigc001.qcndr = false;
    rdigc001.qcndrtrk = false;
    rdigc001.nb_igcwp = 0;
    // Each log declares its own version: one log's version never hands
    // another log to the flight-plan reader.
    inst00.condor_version = 0;
    init_wp();

    int32_t ios = open_status;
    std::string line;
    while (ios == 0) {
        ios = fpl_input_read_line(input, line, igc_line_len);
        if (ios != 0) break;
        bool ok = true;
        const char c = line.empty() ? ' ' : line[0];
        // A B, C or I record with a field that cannot be read costs only
        // that field: the fixes after it are read on.  Only the
        // simulator's L records after the fixes end the reading there (a
        // weather line of fewer than 17 values).
        if (c == 'B') {
            // Text that merely begins with "B" (a note, a README saved under
            // an IGC name) or a damaged record is no fix: it is passed over
            // and counted, so it neither ends the header nor the reading.
            // A fix whose extension cannot be read keeps its position.
            if (read_b_record(line, r.ext, r.b_fields))
                on_b_record(r, line);
            else
                ++r.nnot_fix;
        } else if (c == 'C')
            on_c_record(r, line);
        else if (!r.fix_seen)
            on_header_line(r, line);
        else
            ok = on_l_line(r, line);
        if (!ok) ios = igc_bad_field;
        if (r.handover) break;
    }

    if (r.handover) {
        console_free("condor_version", inst00.condor_version, "call read_fpl");
        rd_fpl_0.fpl_vers = 3;
        int32_t nl = 2;
        int32_t fpl_ios = 0;
        read_fpl(input, true, false, cmndta001.qfr, nl, fpl_ios);
    }
    nrec = static_cast<int32_t>(std::min<std::size_t>(ppp.size(), INT32_MAX));
    nhdr = r.nhdr;
    print_summary(r);
    fpl_input_close(input);
    return open_status;
}
