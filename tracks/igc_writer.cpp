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
/// points' latitude and longitude are kept in the task model.  Empty
/// without a task point; false, with `lines` empty, when a record cannot
/// be made.
bool task_lines(std::string_view flight_date, std::vector<std::string>& lines) {
    lines.clear();
    const int32_t nwp = std::clamp<int32_t>(rd_ftr_2.nwp, 0, maxtp + 1);
    if (nwp == 0) return true;
    std::string line;
    bool ok = igc_c_declaration(flight_date, rd_ftr_2.start_rec, nwp, line);
    if (ok) lines.push_back(line);
    // Every point is converted, so that the task model holds the positions
    // of all of them even when the declaration is left out.
    for (int32_t i = 0; i < nwp; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        float lat = 0.0f, lon = 0.0f;
        xytolatlon(rd_fpl_1.tpx[k], rd_fpl_1.tpy[k], lat, lon);
        rd_fpl_1.tplat[k] = lat;
        rd_fpl_1.tplon[k] = lon;
        if (igc_c_point(lat, lon, rd_fpl_2.tpnam[k], line))
            lines.push_back(line);
        else
            ok = false;
    }
    if (!ok) {
        lines.clear();
        return false;
    }
    lines.push_back(lines.back());
    return true;
}

/// The B record of `fix` into b (igc_b_len characters); false when it
/// cannot be made.
bool fix_record(char* b, const track_fix& fix) {
    float lat = 0.0f, lon = 0.0f;
    xytolatlon(fix[fix_x], fix[fix_y], lat, lon);
    return put_igc_b_record(b, fix, lat, lon);
}

void write_l_records(Igc_output& out, int32_t nhdr) {
    const int32_t nvers = rd_fpl_0.fpl_vers / 1000;
    console_free(nvers);
    if (nvers == 2) {
        if (nhdr == 0) write_igc_fpl(out, false);
    } else if (nvers == 3) {
        int32_t iost = 0;
        write_fpl_v3(out.file.f, iost, true, rd_fpl_2.landscape);
        if (iost != 0) igc_write_failed(out, File_error{iost, false});
        write_igc_fpl(out, true);
    }
}

}  // namespace

Igc_written write_igc(std::string_view fich, const std::vector<track_fix>& ppsec, int32_t /*nvar*/,
                      int32_t /*ndeb*/, int32_t ntot, int32_t /*icnv*/, int32_t nhdr,
                      const std::vector<std::string>& igc_hdr) {
    console_free("WRITE_IGC " + std::string(trim_right(fich)), nhdr);
    Igc_written result;

    // The first fix that can be written: its day is the log's date.
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(ntot, 0)), ppsec.size());
    char b[igc_b_len];
    std::size_t j = 0;
    while (j < n && !fix_record(b, ppsec[j])) ++j;
    Rd_ftr_c id = rd_ftr_c;
    id.c_date = igc_flight_date(rd_ftr_c.c_date, j < n ? ppsec[j][fix_t] : rd_ftr_2.start_rec * 3600.0f);

    std::vector<std::string> header;
    if (!igc_header_lines(nhdr, igc_hdr, id, ggg001.glider, header)) {
        result.refused = Igc_refusal::bad_date;
        return result;
    }
    std::vector<std::string> task;
    if (nhdr == 0) result.task_left_out = !task_lines(id.c_date, task);

    // The file is opened only once a fix is known to be writable, so that a
    // track of which nothing can be written leaves an earlier file alone.
    if (n > 0 && j == n) {
        result.refused = Igc_refusal::no_fix;
        result.fixes_left_out = static_cast<int32_t>(n);
        return result;
    }
    result.fixes_left_out = static_cast<int32_t>(j);

    Igc_output out;
    igc_open(out, fich);
    for (const std::string& l : header) igc_put_line(out, l);
    for (const std::string& l : task) igc_put_line(out, l);
    if (j < n) {
        igc_put_line(out, std::string_view(b, igc_b_len));
        for (++j; j < n; ++j) {
            if (fix_record(b, ppsec[j]))
                igc_put_line(out, std::string_view(b, igc_b_len));
            else
                ++result.fixes_left_out;
        }
    }
    write_l_records(out, nhdr);
    igc_close(out);
    return result;
}
