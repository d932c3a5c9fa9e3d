// Sequencing of the IGC file: header, task, fixes, L records.
#include "tracks/igc_writer.h"

#include <algorithm>

#include "support/console.h"
#include "support/ftext.h"
#include "taskmodel/task_model.h"
#include "taskmodel/write_fpl_v3.h"
#include "tracks/igc_lrecords.h"
#include "tracks/igc_output.h"
#include "tracks/track_records.h"
#include "tracks/utm.h"

namespace {

/// The task declaration and the task points, the last point repeated; the
/// points' latitude and longitude are kept in the task model.
void write_task(Igc_output& out) {
    const int32_t nwp = std::clamp<int32_t>(rd_ftr_2.nwp, 0, maxtp + 1);
    if (nwp == 0) return;
    igc_put_line(out, igc_c_declaration(rd_ftr_c.c_date, rd_ftr_2.start_rec, nwp));
    std::string point;
    for (int32_t i = 0; i < nwp; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        float lat = 0.0f, lon = 0.0f;
        xytolatlon(rd_fpl_1.tpx[k], rd_fpl_1.tpy[k], lat, lon);
        rd_fpl_1.tplat[k] = lat;
        rd_fpl_1.tplon[k] = lon;
        point = igc_c_point(lat, lon, rd_fpl_2.tpnam[k]);
        igc_put_line(out, point);
    }
    igc_put_line(out, point);
}

void write_fixes(Igc_output& out, const std::vector<track_fix>& ppsec, int32_t ntot) {
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(ntot, 0)), ppsec.size());
    char b[igc_b_len];
    for (std::size_t j = 0; j < n; ++j) {
        const track_fix& fix = ppsec[j];
        float lat = 0.0f, lon = 0.0f;
        xytolatlon(fix[fix_x], fix[fix_y], lat, lon);
        put_igc_b_record(b, fix, lat, lon);
        igc_put_line(out, std::string_view(b, igc_b_len));
    }
}

void write_l_records(Igc_output& out, int32_t nhdr) {
    const int32_t nvers = rd_fpl_0.fpl_vers / 1000;
    console_free(nvers);
    if (nvers == 2) {
        if (nhdr == 0) write_igc_fpl(out, false);
    } else if (nvers == 3) {
        int32_t iost = 0;
        write_fpl_v3(out.f, iost, true, rd_fpl_2.landscape);
        if (iost != 0) igc_write_failed(out, iost);
        write_igc_fpl(out, true);
    }
}

}  // namespace

void write_igc(std::string_view fich, const std::vector<track_fix>& ppsec, int32_t /*nvar*/, int32_t /*ndeb*/,
               int32_t ntot, int32_t /*icnv*/, int32_t nhdr, const std::vector<std::string>& igc_hdr) {
    console_free("WRITE_IGC " + std::string(trim_right(fich)), nhdr);
    Igc_output out;
    igc_open(out, fich);
    for (const std::string& l : igc_header_lines(nhdr, igc_hdr, rd_ftr_c, ggg001.glider)) igc_put_line(out, l);
    if (nhdr == 0) write_task(out);
    write_fixes(out, ppsec, ntot);
    write_l_records(out, nhdr);
    igc_close(out);
}
