#include "converter/smoothing.h"

#include <algorithm>
#include <memory>

#include "converter/output_files.h"
#include "support/console.h"
#include "support/number_fields.h"

namespace {

// The values of raw fix k (counted from 1): time, X, Y, altitude.
smooth_fix values_of(const track_fix& f) {
    return {static_cast<double>(f[fix_t]), static_cast<double>(f[fix_x]), static_cast<double>(f[fix_y]),
            static_cast<double>(f[fix_alt])};
}

std::string real_field(double v) { return " " + sci_field(v, 13, 6); }

std::string step_head(const Smooth_step& s) {
    std::string line = int_field(s.i, 5);
    for (int k = 0; k < 4; ++k) line += real_field(static_cast<double>(s.raw[static_cast<std::size_t>(k)]));
    line += int_field(s.i1, 5);
    line += int_field(s.i2, 5);
    return line;
}

std::string step_out(const Smooth_step& s) {
    std::string line;
    for (double v : s.out) line += real_field(v);
    return line;
}

// Whether this run has written the diagnostics file yet.
bool diag_started = false;

}  // namespace

void smooth(const std::vector<track_fix>& pp5, std::vector<smooth_fix>& ppsm4, int32_t npts, float t_sm,
            const std::function<void(const Smooth_step&)>& on_point) {
    const int32_t n = static_cast<int32_t>(std::min<std::size_t>(pp5.size(), npts > 0 ? npts : 0));
    ppsm4.assign(static_cast<std::size_t>(n), smooth_fix{});
    if (n == 0) return;
    auto t = [&](int32_t k) { return static_cast<double>(pp5[static_cast<std::size_t>(k - 1)][fix_t]); };
    ppsm4.front() = values_of(pp5.front());
    ppsm4.back() = values_of(pp5[static_cast<std::size_t>(n - 1)]);
    if (n < 3) return;

    const double half_window = 0.5 * static_cast<double>(t_sm);
    int32_t i1 = 2;
    for (int32_t i = 2; i <= n - 1; ++i) {
        int32_t i2 = 2 * i - i1;
        if (i2 >= n) {
            i2 = n - 1;
            i1 = 2 * i - (n - 1);
        }
        double w_sum = 0;
        smooth_fix s{};
        for (int32_t k = i1; k <= i2; ++k) {
            const double w = 0.5 * (t(k + 1) - t(k - 1));
            const smooth_fix p = values_of(pp5[static_cast<std::size_t>(k - 1)]);
            w_sum += w;
            for (std::size_t j = 0; j < 4; ++j) s[j] += w * p[j];
        }
        const track_fix& raw = pp5[static_cast<std::size_t>(i - 1)];
        smooth_fix out = values_of(raw);
        if (w_sum != 0)
            for (std::size_t j = 0; j < 4; ++j) out[j] = s[j] / w_sum;
        ppsm4[static_cast<std::size_t>(i - 1)] = out;
        if (on_point) {
            Smooth_step st;
            st.i = i;
            st.raw = raw;
            st.i1 = i1;
            st.i2 = i2;
            st.w = w_sum;
            st.span = t(i2) - t(i1);
            st.ratio = st.span != 0 ? w_sum / st.span : 0.0;
            st.out = out;
            on_point(st);
        }
        // The left edge of the next point's window.
        if (t_sm > 0) {
            const double edge = t(i + 1) - half_window;
            i1 = 2;
            for (int32_t k = i; k >= 3; --k) {
                if (t(k) <= edge) {
                    i1 = k;
                    break;
                }
            }
        } else {
            i1 = i + 1;
        }
    }
}

std::string smooth_diag_file_line(const Smooth_step& s) {
    return step_head(s) + real_field(s.w) + real_field(s.span) + real_field(s.ratio) + step_out(s);
}

std::string smooth_diag_console_line(const Smooth_step& s) { return step_head(s) + real_field(s.w) + step_out(s); }

void smooth_track(const std::vector<track_fix>& pp5, std::vector<smooth_fix>& ppsm4, int32_t npts, float t_sm) {
    std::unique_ptr<Output_file> diag;
    smooth(pp5, ppsm4, npts, t_sm, [&](const Smooth_step& s) {
        if (!diag) {
            diag = std::make_unique<Output_file>(smooth_diag_file, diag_started);
            diag_started = true;
        }
        diag->line(smooth_diag_file_line(s));
        if (s.i % 100 == 1) console_line(smooth_diag_console_line(s));
    });
    if (diag) diag->close();
}
