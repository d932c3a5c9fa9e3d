#include "tracks/ftr_fixes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "support/console.h"
#include "support/ftext.h"
#include "support/number_fields.h"
#include "support/text_format.h"
#include "taskmodel/task_model.h"
#include "tracks/ftr_echo.h"
#include "tracks/ftr_file.h"
#include "tracks/track_records.h"

namespace {

/// One record as the readers use it.
struct raw_fix {
    float hours = 0;  // decimal hours (float64 times rounded to float32)
    float t = 0;      // seconds of the day
    float x = 0, y = 0, alt = 0, enl = 0;
    float extra[5] = {0, 0, 0, 0, 0};
};

/// Decodes the record at the read position; false (position moved to the
/// end of the file) when the file ends inside it.
bool next_record(bool wide, raw_fix& f) {
    const std::size_t size = wide ? ftr_fix_304_size : ftr_fix_size;
    if (ftr_remaining() < size) {
        ftr_file.pos = ftr_file.bytes.size();
        return false;
    }
    const LeFields b{ftr_view()};
    const std::size_t p = ftr_file.pos;
    if (wide) {
        const double h = b.f64(p);
        f.hours = static_cast<float>(h);
        f.t = static_cast<float>(h * 3600.0);
    } else {
        f.hours = b.f32(p);
        f.t = f.hours * 3600.0f;
    }
    // The 64-byte record holds a float64 time, the 40-byte one a float32.
    const std::size_t q = p + (wide ? 8 : 4);
    f.x = b.f32(q);
    f.y = b.f32(q + 4);
    f.alt = b.f32(q + 8);
    f.enl = b.f32(q + 12);
    for (int k = 0; k < 5; ++k) f.extra[k] = b.f32(q + 16 + 4 * static_cast<std::size_t>(k));
    ftr_file.pos += size;
    return true;
}

/// A whole part of a float that may be far outside any integer range.
long long whole(float v) {
    if (!(std::fabs(v) < 1e15f)) return -1;
    return static_cast<long long>(v);
}

void print_fix(int32_t n, const raw_fix& f, float dt, bool wide) {
    const long long ih = whole(f.hours);
    const float rem = f.t - static_cast<float>(ih) * 3600.0f;
    const long long irem = whole(rem);
    // Built by appending: the same line with operator+ chains trips a false
    // -Wrestrict report of g++ 12.
    std::string line = int_field(n, 8);
    line += ' ';
    line += zero_padded_field(ih, 2);
    line += ':';
    line += zero_padded_field(irem < 0 ? -1 : irem / 60, 2);
    line += ':';
    line += zero_padded_field(irem < 0 ? -1 : irem % 60, 2);
    line += fixed_field(irem < 0 ? 0.0 : static_cast<double>(rem) - static_cast<double>(irem), 4, 3);
    auto add = [&line](const std::string& field) {
        line += ' ';
        line += field;
    };
    add(fixed_field(f.t, 12, 3));
    add(fixed_field(dt, 12, 6));
    add(fixed_field(f.x, 12, 2));
    add(fixed_field(f.y, 12, 2));
    add(fixed_field(f.alt, 12, 2));
    if (!wide) add(exp_field(f.enl, 12, 5));
    for (float e : f.extra) add(exp_field(e, 12, 5));
    console_line(line);
}

/// Fixes of `size` bytes the rest of the open track can hold, at most npts,
/// at least 1.
int32_t capacity(int32_t npts, std::size_t size) {
    const std::size_t room = ftr_remaining() / size;
    const std::size_t want = npts > 0 ? static_cast<std::size_t>(npts) : 0;
    return static_cast<int32_t>(std::max<std::size_t>(1, std::min(want, room)));
}

void read_fixes(std::vector<track_fix>& pp5, int32_t& nrec, int32_t npts, bool qverb, bool wide) {
    const float first = pp5.empty() ? 0.0f : pp5[0][fix_t];
    console_free("QVERB=", qverb, first);
    int32_t nmod = 200;
    if (qverb && first >= 10000.0f) {
        const float q = std::min(first, 1.0e7f) * 0.0001f;
        nmod = static_cast<int32_t>(std::clamp(std::lround(q), 1L, 200L));
        pp5[0][fix_t] = 0.0f;
        console_free("NMOD=", nmod);
    }
    if (!wide) console_free("NMAX=", 10);

    // Never more room than the announced count, nor than the file holds.
    const int32_t cap = capacity(npts, wide ? ftr_fix_304_size : ftr_fix_size);
    if (pp5.size() < static_cast<std::size_t>(cap)) pp5.resize(static_cast<std::size_t>(cap), track_fix{});

    nrec = 0;
    rd_ftr_2.dtmin = 1.0e30f;
    rd_ftr_2.dtmax = -1.0e30f;
    float sum = 0.0f;
    float tprev = 0.0f;
    raw_fix f;
    while (nrec < npts && static_cast<std::size_t>(nrec) < pp5.size() && next_record(wide, f)) {
        ++nrec;
        track_fix& c = pp5[static_cast<std::size_t>(nrec - 1)];
        c[fix_x] = f.x;
        c[fix_y] = f.y;
        c[fix_alt] = f.alt;
        c[fix_enl] = f.enl;
        float dt = 0.0f;
        if (nrec > 1) {
            dt = f.t - tprev;
            rd_ftr_2.dtmin = std::min(rd_ftr_2.dtmin, dt);
            rd_ftr_2.dtmax = std::max(rd_ftr_2.dtmax, dt);
            sum += dt;
        }
        c[fix_t] = f.t;
        tprev = f.t;
        if (qverb && (nrec == 1 || nrec % nmod == 0 || nrec > static_cast<int64_t>(npts) - 2))
            print_fix(nrec, f, dt, wide);
    }
    // Fewer records than announced: the file ended inside the fixes, and
    // nothing of it is left for events or trailer.
    if (nrec < npts) ftr_file.pos = ftr_file.bytes.size();

    if (qverb) {
        // With no fix read there is no step to average.
        const float ave = nrec > 0 ? sum / static_cast<float>(nrec) : 0.0f;
        console_free("dt min, max, ave ", rd_ftr_2.dtmin, rd_ftr_2.dtmax, ave);
        const float threshold = ave + std::min(ave, (rd_ftr_2.dtmax - ave) * 0.5f);
        for (int32_t n = 2; n <= nrec; ++n) {
            const float tn = pp5[static_cast<std::size_t>(n - 1)][fix_t];
            const float dt = tn - pp5[static_cast<std::size_t>(n - 2)][fix_t];
            if (dt > threshold) console_free(n, tn, std::string(trim_right(t2b(tn / 3600.0f))), dt);
        }
    }
    if (nrec != npts) console_free("Number of fixes read does not match :", nrec, npts);
}

}  // namespace

int32_t ftr_fix_capacity(int32_t npts) {
    return capacity(npts, rd_fpl_0.fpl_vers >= 3040 ? ftr_fix_304_size : ftr_fix_size);
}

void read_ftr_fixes(std::vector<track_fix>& pp5, int32_t& nrec, int32_t npts, bool qverb) {
    read_fixes(pp5, nrec, npts, qverb, false);
}

void read_ftr_fixes_304(std::vector<track_fix>& pp5, int32_t& nrec, int32_t npts, bool qverb) {
    read_fixes(pp5, nrec, npts, qverb, true);
    LeBytes b = ftr_view();
    int32_t count = 0;
    if (!b.i32(ftr_file.pos, count)) {
        ftr_file.pos = ftr_file.bytes.size();
        console_free("iNumFlightEvents", 0);
        return;
    }
    ftr_file.pos += 4;
    console_free("iNumFlightEvents", count);
    // Each event needs its 12 bytes: a count beyond the file ends with it.
    for (int32_t n = 1; n <= count; ++n) {
        int32_t code = 0;
        float a = 0, c = 0;
        const std::size_t p = ftr_file.pos;
        if (!b.has(p, 12)) {
            ftr_file.pos = ftr_file.bytes.size();
            break;
        }
        b.i32(p, code);
        b.f32(p + 4, a);
        b.f32(p + 8, c);
        ftr_file.pos += 12;
        console_free(n, code, a, c);
    }
}

void read_ftr_trl() {
    // Cleared for every track, so that a short trailer never shows the
    // fields of an earlier track's trailer.
    rd_ftr_h.trl.fill(0);
    int32_t n = 0;
    std::size_t dropped = 0;
    while (ftr_remaining() >= 4) {
        const unsigned char* p = ftr_file.bytes.data() + ftr_file.pos;
        ftr_file.pos += 4;
        if (static_cast<std::size_t>(n) * 4 >= ftr_trl_len) {
            dropped += 4;
            continue;
        }
        std::copy(p, p + 4, rd_ftr_h.trl.begin() + 4 * n);
        ++n;
        if (rd_ftr_2.qhdr) console_line(ftr_word_line(n, p));
    }
    if (dropped > 0) console_free("Trailer longer than", ftr_trl_len, "bytes:", dropped, "bytes ignored");
    ftr_close();
    LeBytes t(rd_ftr_h.trl.data(), rd_ftr_h.trl.size());
    t.f32(24, rd_ftr_2.d_fl);
    t.f32(28, rd_ftr_2.av_s);
}
