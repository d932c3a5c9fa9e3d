// Resampling of the raw fixes to whole seconds.
#include "tracks/resample.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "support/console.h"

namespace {

/// A time in seconds truncated toward zero, held inside the int32 range
/// (NaN gives 0), so that a hostile time never overflows a conversion.
int64_t trunc_seconds(float t) {
    if (std::isnan(t)) return 0;
    const double d = std::trunc(static_cast<double>(t));
    if (d >= 2147483647.0) return 2147483647;
    if (d <= -2147483648.0) return -2147483648LL;
    return static_cast<int64_t>(d);
}

/// The raw fix count that may be read: nrec within the array.
std::size_t usable(int32_t nrec, const std::vector<track_fix>& pp5) {
    if (nrec <= 0) return 0;
    return std::min(static_cast<std::size_t>(nrec), pp5.size());
}

/// Value rows written: 1 .. min(nvar, 4).
int last_row(int32_t nvar) { return static_cast<int>(std::clamp<int32_t>(nvar, 0, fix_enl)); }

/// Whether the diagnostic lines are printed for 1-based entry n.
bool shown(int64_t n, int64_t ntot, int64_t period) { return n % period == 1 || ntot - n <= 19; }

float linear_value(const track_fix& a, const track_fix& b, int row, float tcur) {
    const float dt = b[fix_t] - a[fix_t];
    if (dt == 0.0f) return a[row];
    const float f = (tcur - a[fix_t]) / dt;
    return a[row] + (b[row] - a[row]) * f;
}

/// The first of the three fixes of the parabola for raw index p (0-based),
/// n raw fixes (n >= 3).
std::size_t parabola_start(const std::vector<track_fix>& pp5, std::size_t p, std::size_t n, float tcur) {
    if (p == 0) return 0;
    if (p + 2 >= n) return n - 3;
    const float after = std::fabs(pp5[p + 2][fix_t] - tcur);
    const float before = std::fabs(pp5[p - 1][fix_t] - tcur);
    return after > before ? p - 1 : p;
}

float parabolic_value(const std::vector<track_fix>& pp5, std::size_t s, std::size_t p, std::size_t n, int row,
                      float tcur) {
    const track_fix& f0 = pp5[s];
    const track_fix& f1 = pp5[s + 1];
    const track_fix& f2 = pp5[s + 2];
    const float x[3] = {0.0f, f1[fix_t] - f0[fix_t], f2[fix_t] - f0[fix_t]};
    if (x[1] == 0.0f || x[2] == 0.0f || x[2] == x[1]) {
        // Two of the three fixes share a time: no parabola through them.
        return p + 1 < n ? linear_value(pp5[p], pp5[p + 1], row, tcur) : pp5[p][row];
    }
    const float y[3] = {0.0f, f1[row] - f0[row], f2[row] - f0[row]};
    float a, b, c;
    parabo(x, y, a, b, c);
    const float xc = tcur - f0[fix_t];
    return f0[row] + a * (xc * xc) + b * xc + c;
}

}  // namespace

void parabo(const float x[3], const float y[3], float& a, float& b, float& c) {
    const float s12 = (y[1] - y[0]) / (x[1] - x[0]);
    a = (y[2] - y[0]) / (x[2] - x[0]) / (x[2] - x[1]) - s12 / (x[2] - x[1]);
    b = s12 - a * (x[0] + x[1]);
    c = y[0] - a * (x[0] * x[0]) - b * x[0];
}

void ftr2igc(int32_t nrec, int32_t ntot, const std::vector<track_fix>& pp5, std::vector<track_fix>& ppsec,
             int32_t nsch_int, int32_t nvar, bool qdbg) {
    if (ntot <= 0) return;
    if (ppsec.size() < static_cast<std::size_t>(ntot)) ppsec.resize(static_cast<std::size_t>(ntot));
    const std::size_t n_raw = usable(nrec, pp5);
    if (n_raw == 0) return;
    const int rows = last_row(nvar);
    const int64_t ndeb = trunc_seconds(pp5[0][fix_t]);

    ppsec[0] = pp5[0];
    ppsec[0][fix_t] = static_cast<float>(ndeb);

    const bool scheme_known = nsch_int >= scheme_previous && nsch_int <= scheme_parabolic;
    const int64_t period = nsch_int == scheme_parabolic ? 200 : 2000;
    std::size_t p = 0;
    for (int64_t n = 2; n <= ntot; ++n) {
        const float tcur = static_cast<float>(ndeb + n - 1);
        // The last raw fix at or before tcur: forward over the earlier
        // fixes, then back over any later one.
        while (p + 1 < n_raw && pp5[p][fix_t] < tcur) ++p;
        while (p > 0 && pp5[p][fix_t] > tcur) --p;

        track_fix& out = ppsec[static_cast<std::size_t>(n - 1)];
        out[fix_t] = tcur;
        if (!scheme_known) continue;

        const track_fix& v0 = pp5[p];
        const bool last = p + 1 >= n_raw;
        const track_fix& v1 = last ? v0 : pp5[p + 1];
        const bool show = qdbg && shown(n, ntot, period);
        if (show) {
            console_line("");
            console_free(v0[fix_t], v1[fix_t], "--", tcur);
        }
        const bool parabola = nsch_int == scheme_parabolic && n_raw >= 3;
        const std::size_t s = parabola ? parabola_start(pp5, p, n_raw, tcur) : 0;
        for (int row = fix_x; row <= rows; ++row) {
            float v = v0[row];
            if (parabola) {
                v = parabolic_value(pp5, s, p, n_raw, row, tcur);
            } else if (!last) {
                if (nsch_int == scheme_nearest) {
                    v = std::fabs(v0[fix_t] - tcur) < std::fabs(v1[fix_t] - tcur) ? v0[row] : v1[row];
                } else if (nsch_int == scheme_linear) {
                    v = linear_value(v0, v1, row, tcur);
                }
            }
            out[static_cast<std::size_t>(row)] = v;
            if (show) console_free(v0[row], v1[row], "--", v);
        }
    }
}

void resample_next_point(int32_t nrec, int32_t& ntot, const std::vector<track_fix>& pp5,
                         std::vector<track_fix>& ppsec, bool qdbg) {
    const int32_t room = std::max(ntot, 0);
    if (ppsec.size() < static_cast<std::size_t>(room)) ppsec.resize(static_cast<std::size_t>(room));
    const std::size_t n_raw = usable(nrec, pp5);
    int32_t kept = 0;
    int64_t last_second = 0;
    for (std::size_t i = 0; i < n_raw && kept < room; ++i) {
        const int64_t s = trunc_seconds(pp5[i][fix_t]);
        if (i > 0 && s <= last_second) continue;
        ++kept;
        last_second = s;
        track_fix& out = ppsec[static_cast<std::size_t>(kept - 1)];
        out = pp5[i];
        out[fix_t] = static_cast<float>(s);
        if (qdbg && shown(kept, ntot, 2000)) {
            console_line("");
            console_free(pp5[i][fix_t], "--", out[fix_t]);
            for (int row = fix_x; row <= fix_enl; ++row) console_free(pp5[i][row], "--", out[row]);
        }
    }
    ntot = std::min(ntot, kept);
}

void resample_by_scheme(int32_t nsch_int, int32_t nrec, int32_t& ntot, const std::vector<track_fix>& pp5,
                        std::vector<track_fix>& ppsec, bool qdbg) {
    if (nsch_int == scheme_next)
        resample_next_point(nrec, ntot, pp5, ppsec, qdbg);
    else
        ftr2igc(nrec, ntot, pp5, ppsec, nsch_int, 4, qdbg);
}
