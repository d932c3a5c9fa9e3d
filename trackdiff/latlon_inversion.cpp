#include "trackdiff/latlon_inversion.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "support/console.h"
#include "support/number_fields.h"
#include "trackdiff/navicon_library.h"

namespace {

/// Offset of the forward differences, metres.
constexpr float jacobian_offset = 20.0f;
/// Steps taken at full length, and the most steps taken.
constexpr int32_t full_steps = 10;
constexpr int32_t max_steps = 20;

std::string sci(double v) { return sci_field(v, 14, 6); }

}  // namespace

void m22inv(const Mat22& a, Mat22& inv, bool& ok) {
    const long double det_ext =
        static_cast<long double>(a[0][0]) * a[1][1] - static_cast<long double>(a[0][1]) * a[1][0];
    const double d = static_cast<double>(det_ext);
    if (!(std::fabs(d) > 1e-20)) {
        inv = Mat22{};
        ok = false;
        return;
    }
    inv = Mat22{{{a[1][1] / d, -a[0][1] / d}, {-a[1][0] / d, a[0][0] / d}}};
    ok = true;
}

int32_t latlon2xy(float lat, float lon, float epsl, float& tpx0, float& tpy0, int32_t ndebug) {
    const NaviCon_library& lib = navicon();
    if (ndebug != 0) console_free(lat, lon, epsl, tpx0, tpy0, ndebug);
    double urf = 1.0;
    const float xmax = lib.GetMaxX();
    const float ymax = lib.GetMaxY();
    tpx0 = std::min(std::max(tpx0, 0.0f), xmax);
    tpy0 = std::min(std::max(tpy0, 0.0f), ymax);

    int32_t niter = 0;
    double ddx = 0.0, ddy = 0.0;
    for (;;) {
        const float lon0 = myXYToLon(tpx0, tpy0);
        const float lat0 = myXYToLat(tpx0, tpy0);
        const double e_lon = static_cast<double>(lon0) - lon;
        const double e_lat = static_cast<double>(lat0) - lat;
        if (ndebug != 0) console_line("Lat/Lon errors : " + sci(e_lat) + " " + sci(e_lon));
        if (std::fabs(e_lon) <= epsl && std::fabs(e_lat) <= epsl) {
            if (ndebug != 0) {
                console_line("");
                console_line(std::to_string(niter) + " iterations - Lon. err = " + sci(e_lon) +
                             " Lat. err = " + sci(e_lat) + " last DX = " + sci(ddx) + " DY = " + sci(ddy));
                console_line("");
            }
            return 1;
        }
        ++niter;

        const float x1 = tpx0 + jacobian_offset;
        const float y2 = tpy0 + jacobian_offset;
        const float lon1 = myXYToLon(x1, tpy0);
        const float lat1 = myXYToLat(x1, tpy0);
        const float lon2 = myXYToLon(tpx0, y2);
        const float lat2 = myXYToLat(tpx0, y2);
        const double h = jacobian_offset;
        const Mat22 jacob{{{(static_cast<double>(lon1) - lon0) / h, (static_cast<double>(lon2) - lon0) / h},
                           {(static_cast<double>(lat1) - lat0) / h, (static_cast<double>(lat2) - lat0) / h}}};
        Mat22 jacob_inv{};
        bool ok = false;
        m22inv(jacob, jacob_inv, ok);
        // No step can be taken from a singular Jacobian, and the point would
        // stay where it is: give up as for no convergence.
        if (!ok) return 0;

        ddx = -(jacob_inv[0][0] * e_lon + jacob_inv[0][1] * e_lat);
        ddy = -(jacob_inv[1][0] * e_lon + jacob_inv[1][1] * e_lat);
        if (ndebug != 0) {
            console_line("");
            console_free(niter, tpx0, xmax, ddx, tpy0, ymax, ddy);
            console_free(lon0, lon, e_lon, lat0, lat, e_lat);
        }
        tpx0 = static_cast<float>(tpx0 + urf * ddx);
        tpy0 = static_cast<float>(tpy0 + urf * ddy);
        if (niter >= full_steps) {
            urf = std::max(urf - static_cast<double>(0.1f), 0.25);
            if (ndebug != 0) console_line("Under-relaxation factor : " + std::to_string(urf));
        }
        if (niter >= max_steps) return 0;
    }
}
