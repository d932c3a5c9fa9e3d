// The version-2 track header (simulator versions 2000 to 2999): a block of
// fixed positions, the first 2003 bytes of the file, kept whole in
// rd_ftr_h.hdr for the L-record writer and decoded from there.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "support/console.h"
#include "support/ftext.h"
#include "taskmodel/task_model.h"
#include "tracks/ftr_echo.h"
#include "tracks/ftr_file.h"
#include "tracks/ftr_header.h"
#include "tracks/track_records.h"

namespace {

/// Field readers on the block as kept in hdr.
struct V2 : LeFields {
    V2() : LeFields{LeBytes(rd_ftr_h.hdr.data(), rd_ftr_h.hdr.size())} {}
    /// The text whose unsigned length byte is at `o`: that many bytes after
    /// it, running on into the following fields when the length exceeds the
    /// field's area, but never past the end of hdr.
    std::string text(std::size_t o) const {
        std::size_t n = static_cast<std::size_t>(u8(o));
        std::size_t start = o + 1;
        if (start > b.size()) return {};
        n = std::min(n, b.size() - start);
        std::string s;
        b.bytes(start, n, s);
        return s;
    }
};

/// The word-by-word dump of the block ("-hdr").
void dump_header(const V2& r) {
    const auto& h = rd_ftr_h.hdr;
    std::size_t ff = 0;
    for (std::size_t k = 0; k + 4 <= h.size(); ++k) {
        if (h[k] == 0xFF && h[k + 1] == 0xFF && h[k + 2] == 0xFF && h[k + 3] == 0xFF) {
            ff = k + 1;
            break;
        }
    }
    console_free(ff);
    for (std::size_t k = 3; k + 4 <= ftr_v2_block; k += 4) {
        console_line(ftr_word_line(static_cast<long long>(k + 1), &h[k]));
    }
    for (std::size_t o : {std::size_t{157}, std::size_t{182}, std::size_t{1761}}) {
        console_free(o + 1, r.u8(o), r.text(o));
    }
}

void read_task_point(const V2& r, int i) {
    const std::size_t p = 215 + 56 * static_cast<std::size_t>(i);
    auto& t = rd_fpl_1;
    if (rd_ftr_2.qhdr) console_free(p + 1, r.u8(p), r.text(p));
    rd_fpl_2.tpnam[i] = fit(r.text(p), tpnam_len);
    t.tpx[i] = r.f32(p + 17);
    t.tpy[i] = r.f32(p + 21);
    t.tpz[i] = r.f32(p + 25);
    t.tpair[i] = r.u8(p + 29);
    t.tpsec[i] = r.u8(p + 30);
    t.tprad[i] = r.i32(p + 32);
    t.tpang[i] = r.i32(p + 36);
    t.tpalt[i] = r.f32(p + 40);
    t.tpwid[i] = r.f32(p + 44);
    t.tphei[i] = r.f32(p + 48);
    t.tpazi[i] = r.f32(p + 52);
    console_free("read_ftr", i, t.tpair[i], t.tpsec[i]);
    if (rd_ftr_2.qhdr) {
        ftr_echo e;
        e << i << t.tpx[i] << t.tpy[i] << t.tpz[i] << t.tpair[i] << t.tpsec[i] << t.tprad[i] << t.tpang[i]
          << t.tpalt[i] << t.tpwid[i] << t.tphei[i] << t.tpazi[i] << t.tplat[i] << t.tplon[i];
        e.put();
    }
}

}  // namespace

void read_ftr_hdr_c2(int32_t& npts) {
    init_wp();
    const std::vector<unsigned char>& file = ftr_file.bytes;
    if (file.size() < ftr_v2_first_fix) {
        ftr_header_truncated(npts);
        return;
    }
    // A very short track may end inside the block (the block runs into the
    // first fixes): what is missing is zero, never an earlier track's bytes.
    const std::size_t n = std::min(file.size(), ftr_v2_block);
    std::memcpy(rd_ftr_h.hdr.data(), file.data(), n);
    std::fill(rd_ftr_h.hdr.begin() + static_cast<std::ptrdiff_t>(n),
              rd_ftr_h.hdr.begin() + static_cast<std::ptrdiff_t>(ftr_v2_block), 0);
    const V2 r;
    if (rd_ftr_2.qhdr) dump_header(r);

    rd_fpl_0.fpl_vers = r.i32(3);
    rd_ftr_2.nndate = ftr_day_count(r.i32(31));
    rd_ftr_c.c_date = ftr_c_date(rd_ftr_2.nndate);

    rd_ftr_c.pilot_name = fit(r.text(123) + " " + r.text(140), ftr_id_len);
    ggg001.glider = fit(r.text(1744), glider_len);
    rd_ftr_c.gliderid = fit(r.text(174), ftr_id_len);
    rd_ftr_c.compid = fit(r.text(182), ftr_id_len);
    rd_fpl_2.landscape = fit(r.text(191), landscape_len);
    rd_ftr_c.compclass = fit(r.text(1727), ftr_id_len);

    gggmas.wmass = static_cast<float>(r.i32(1795));
    gggmas.fmass = static_cast<float>(r.i32(1799));
    const int32_t count = r.i32(1875);

    // One weather block for the whole task, unconverted.
    auto& w = rd_fpl_wz1;
    for (int z = 0; z <= maxwz; ++z) {
        w.thermalstemp[z] = r.f32(1655);
        w.winddir[z] = r.f32(1631);
        w.windspeed[z] = r.f32(1635);
        w.windupperspeed[z] = r.f32(1639);
    }
    rd_fpl_4.pressure = r.f32(1715);
    {
        ftr_echo e;
        e << "P,T" << rd_fpl_4.pressure;
        for (int z = 0; z <= maxwz; ++z) e << w.thermalstemp[z];
        for (int z = 0; z <= maxwz; ++z) e << w.winddir[z];
        for (int z = 0; z <= maxwz; ++z) e << w.windspeed[z];
        for (int z = 0; z <= maxwz; ++z) e << w.windupperspeed[z];
        e.put();
    }

    rd_ftr_2.nwp = ftr_clamp_count(r.i32(211), maxtp + 1, "Task-point count");
    console_free(rd_ftr_2.nwp, " Turn points");
    if (rd_ftr_2.qdbg) console_free(count);
    rd_fpl_0.nb_wp = rd_ftr_2.nwp;
    for (int i = 0; i < rd_ftr_2.nwp; ++i) read_task_point(r, i);

    ftr_file.pos = ftr_v2_first_fix;
    compute_dist();
    npts = ftr_announced_fixes(count);
}
