#include "tests/tracks/igc_fixture.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "taskmodel/task_model.h"
#include "tests/common/console_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/tracks/terrain_fixtures.h"
#include "tracks/ftr_file.h"
#include "tracks/ftr_header.h"
#include "tracks/igc_records.h"
#include "tracks/igc_writer.h"
#include "tracks/resample.h"
#include "tracks/track_records.h"
#include "tracks/utm.h"

bool igc_test_frame(const std::string& trn) {
    {
        std::ofstream out(trn, std::ios::binary | std::ios::trunc);
        const std::string b = trn_bytes(TrnFields{});
        out.write(b.data(), static_cast<std::streamsize>(b.size()));
    }
    float rxm = 0, rym = 0;
    int32_t ok = 0;
    capture_console([&] { ok = utm_init(trn, rxm, rym); });
    return ok == 1;
}

void InIgcFrame::SetUp() {
    InIgcSandbox::SetUp();
    init_read_fpl();
    init_glider();
    ASSERT_TRUE(igc_test_frame(tmp.file("land.trn")));
}

std::vector<track_fix> convert_test_track(const track_desc& d, const std::string& igc, int32_t scheme,
                                          Igc_written* written) {
    std::vector<track_fix> ppsec;
    capture_console([&] {
        int32_t npts = 0;
        read_ftr_hdr_bytes("test.ftr", build_track(d), npts);
        if (npts == 0) return;
        std::vector<track_fix> pp5(static_cast<std::size_t>(npts));
        int32_t nrec = 0;
        if (rd_fpl_0.fpl_vers <= 3039)
            read_ftr_fixes(pp5, nrec, npts, false);
        else
            read_ftr_fixes_304(pp5, nrec, npts, false);
        read_ftr_trl();
        if (nrec == 0) return;
        rd_ftr_2.start_rec = pp5[0][fix_t] / 3600.0f;
        const auto whole = [](float t) { return static_cast<int32_t>(std::trunc(t)); };
        int32_t ntot = whole(pp5[static_cast<std::size_t>(nrec - 1)][fix_t]) - whole(pp5[0][fix_t]) + 1;
        resample_by_scheme(scheme, nrec, ntot, pp5, ppsec, false);
        ppsec.resize(static_cast<std::size_t>(std::max(ntot, 0)));
        rd_ftr_2.nwp = rd_fpl_0.nb_wp;
        rd_ftr_2.ndeg_int = scheme;
        const Igc_written w = write_igc(igc, ppsec, 4, whole(pp5[0][fix_t]), ntot, 1, 0, {std::string(80, ' ')});
        if (written) *written = w;
    });
    return ppsec;
}

void igc_test_xy(float lat, float lon, float& x, float& y) {
    latlontoxy(lat, lon, x, y);
    // Walk Y one float32 step at a time towards the latitude wanted.
    for (int i = 0; i < 2000; ++i) {
        float la = 0, lo = 0;
        xytolatlon(x, y, la, lo);
        if (la == lat) return;
        y = std::nextafter(y, la < lat ? INFINITY : -INFINITY);
    }
}

std::vector<expected_fix> expected_fixes(const std::vector<track_fix>& ppsec) {
    std::vector<expected_fix> out;
    for (const track_fix& f : ppsec) {
        float lat = 0, lon = 0;
        xytolatlon(f[fix_x], f[fix_y], lat, lon);
        int32_t t = static_cast<int32_t>(std::lround(f[fix_t])) % 86400;
        if (t < 0) t += 86400;
        out.push_back({t, lat, lon, b_round(f[fix_alt]),
                       std::clamp(static_cast<int32_t>(std::lround(f[fix_enl])), 0, 999)});
    }
    return out;
}

track_desc interop_track(int32_t version) {
    track_desc d = tw_sample(version);
    d.compno = "B9";
    d.landscape = "TestLand";
    float x = 0, y = 0;
    // The start point just below 47 degrees north: its minutes round to 60.
    igc_test_xy(std::nextafter(47.0f, 0.0f), 9.5f, x, y);
    d.tps[0].x = x;
    d.tps[0].y = y;
    d.tps[0].name = "Start";
    d.tps[1].name = "Goal";
    d.fixes.clear();
    const float alts[] = {812.4f, 15.0f, -0.4f, -0.6f, -12.4f, -250.0f, 3.5f, 1999.5f};
    const float enls[] = {0.0f, 0.4f, 12.0f, 250.4f, 999.0f, 1500.0f, 998.6f, 500.0f};
    for (int i = 0; i < 8; ++i) {
        tw_fix f;
        // 23:59:56.25 and on, one fix a second, across midnight.
        f.hours = (86396.25 + i) / 3600.0;
        float fx = 0, fy = 0;
        if (i == 3) {
            igc_test_xy(std::nextafter(47.0f, 0.0f), 9.4f, fx, fy);  // also just below a whole degree
        } else {
            latlontoxy(46.5f + 0.001f * static_cast<float>(i), 9.25f - 0.002f * static_cast<float>(i), fx, fy);
        }
        f.x = fx;
        f.y = fy;
        f.alt = alts[i];
        f.enl = enls[i];
        d.fixes.push_back(f);
    }
    return d;
}

std::vector<std::string> crlf_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t b = 0;
    while (b < text.size()) {
        std::size_t e = text.find("\r\n", b);
        if (e == std::string::npos) {
            lines.push_back(text.substr(b));
            break;
        }
        lines.push_back(text.substr(b, e - b));
        b = e + 2;
    }
    return lines;
}
