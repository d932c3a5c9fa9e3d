#include "tracks/utm.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "support/console.h"
#include "support/ftext.h"
#include "support/messages.h"
#include "support/paths.h"
#include "support/text_format.h"
#include "tracks/terrain_headers.h"
#include "tracks/utm_series.h"

Utm000 utm000;
Utm001 utm001;
std::string fich_old;

namespace {

constexpr std::size_t name_width = 256;
constexpr float grid_step = 90.0f;
// The walks of the grid search normally take a few hundred steps; a walk
// past 45000 km, or a longitude sampling past 2 million columns, comes from
// a header no frame can be built from, and must not keep the program busy.
constexpr long max_walk_steps = 500000;
constexpr long max_lon_samples = 2000000;

bool valid_zone(int32_t nzon) { return nzon >= 1 && nzon <= 60; }

void fail_unreadable(std::string_view name) {
    utm001.initialized = false;
    // The run log breaks its lines at "/": the path is escaped to stay whole.
    log_message_f("UTM unable to read " + escape_path_for_message(name));
}

// The box of a grid header, as the search needs it.
struct GridBox {
    double latmin, latmax, lonmin, lonmax;
    int32_t ncol, nrow;
};

bool box_usable(const GridBox& g) {
    return std::isfinite(g.latmin) && std::isfinite(g.latmax) && std::isfinite(g.lonmin) &&
           std::isfinite(g.lonmax) && g.latmin >= -90.0 && g.latmax <= 90.0 && g.latmin < g.latmax &&
           g.lonmin < g.lonmax && g.ncol > 0 && g.nrow > 0;
}

// Steps x by `step` until the inverse longitude at (x, y) passes the test;
// false when the walk makes no progress or runs past its bound.
template <typename Stop>
bool walk_x(float& x, float y, float step, Stop stop) {
    for (long n = 0;; ++n) {
        float lat = 0, lon = 0;
        xytolatlon(x, y, lat, lon);
        if (stop(lon)) return true;
        const float next = x + step;
        if (next == x || !std::isfinite(next) || n >= max_walk_steps) return false;
        x = next;
    }
}

// Walks y from `y` by `step` while the inverse latitude at (x, y) passes the
// test; `last` gets the last y that passed.  False when not even the first
// point passes (the box is too small for one step), or the walk makes no
// progress or runs past its bound.
template <typename Inside>
bool walk_y(float x, float y, float step, float& last, Inside inside) {
    bool have = false;
    for (long n = 0;; ++n) {
        float lat = 0, lon = 0;
        xytolatlon(x, y, lat, lon);
        if (!inside(lat)) return have;
        last = y;
        have = true;
        const float next = y + step;
        if (next == y || !std::isfinite(next) || n >= max_walk_steps) return false;
        y = next;
    }
}

// The northing of the box's northern (north = true, smallest) or southern
// (largest) edge over the longitude samples lonmax, lonmax - dlon, ... up to
// and including the first one at or below lonmin.
bool edge_northing(const GridBox& g, float lat, bool north, float& edge) {
    const float dlon = static_cast<float>((g.lonmax - g.lonmin) / g.ncol);
    float lon = static_cast<float>(g.lonmax);
    for (long n = 0;; ++n) {
        float x = 0, y = 0;
        latlontoxy(lat, lon, x, y);
        if (north ? y < edge : y > edge) edge = y;
        if (lon <= g.lonmin) return true;
        const float next = lon - dlon;
        if (!(next < lon) || n >= max_lon_samples) return false;
        lon = next;
    }
}

// The largest rectangle on a 90 m step inside the grid's latitude/longitude
// box.  Needs the frame's zone, hemisphere and central meridian, with
// orig_e = orig_n = 0, and the conversions enabled.
bool grid_rectangle(const GridBox& g, float& rxm, float& rym) {
    const float flatmin = static_cast<float>(g.latmin), flatmax = static_cast<float>(g.latmax);
    const float flonmin = static_cast<float>(g.lonmin), flonmax = static_cast<float>(g.lonmax);

    utm000.orig_e = 0.0;
    utm000.orig_n = 0.0;
    console_free("latmin, latmax, lonmin, lonmax", g.latmin, g.latmax, g.lonmin, g.lonmax);
    console_free("cell size (arc seconds)", (g.latmax - g.latmin) * 3600.0 / g.nrow,
                 (g.lonmax - g.lonmin) * 3600.0 / g.ncol);
    if (utm001.debug) {
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        latlontoxy(flatmin, flonmax, x1, y1);
        latlontoxy(flatmax, flonmin, x2, y2);
        console_free("Orig_e, orig_n", x1, y1, utm000.nzon, utm000.rlon0, utm000.zlat);
        console_free("Orig_e, orig_n", x2, y2, utm000.nzon, utm000.rlon0, utm000.zlat);
        console_free("DX, DY", x2 - x1, y2 - y1);
    }

    auto east_inside = [&](float lon) { return lon < g.lonmax; };
    auto west_inside = [&](float lon) { return lon > g.lonmin; };
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;

    if (utm000.zlat == 'N') {
        float sex = 0, sey = 0, swx = 0, swy = 0;
        latlontoxy(flatmin, flonmax, sex, sey);
        latlontoxy(flatmin, flonmin, swx, swy);
        ymax = 10000000.0f;
        if (!edge_northing(g, flatmax, true, ymax)) return false;
        xmin = sex;
        if (!walk_x(xmin, ymax, grid_step, east_inside)) return false;
        xmax = swx;
        if (!walk_x(xmax, ymax, -grid_step, west_inside)) return false;
        const float xb = sey > swy ? xmin : xmax;
        if (!walk_y(xb, ymax, -grid_step, ymin, [&](float lat) { return lat > g.latmin; })) return false;
    } else {
        float nex = 0, ney = 0, nwx = 0, nwy = 0;
        latlontoxy(flatmax, flonmax, nex, ney);
        latlontoxy(flatmax, flonmin, nwx, nwy);
        ymin = -10000000.0f;
        if (!edge_northing(g, flatmin, false, ymin)) return false;
        xmin = nex;
        if (!walk_x(xmin, ymin, grid_step, east_inside)) return false;
        xmax = nwx;
        if (!walk_x(xmax, ymin, -grid_step, west_inside)) return false;
        const float xt = nwy > ney ? xmin : xmax;
        if (!walk_y(xt, ymin, grid_step, ymax, [&](float lat) { return lat < g.latmax; })) return false;
    }

    rxm = std::trunc((xmax - xmin) / grid_step) * grid_step;
    rym = std::trunc((ymax - ymin) / grid_step) * grid_step;
    // A box narrower or lower than one step, or walks that crossed, give no
    // landscape.
    if (!(rxm >= grid_step) || !(rym >= grid_step) || !std::isfinite(rxm) || !std::isfinite(rym)) return false;

    utm000.orig_e = -static_cast<double>(xmin);
    utm000.orig_n = ymin;
    utm000.xmax = rxm;
    utm000.ymax = rym;
    utm000.ori = 90.0f;

    const float cx[4] = {0.0f, rxm, rxm, 0.0f};
    const float cy[4] = {0.0f, 0.0f, rym, rym};
    for (int c = 0; c < 4; ++c) {
        float lat = 0, lon = 0;
        xytolatlon(cx[c], cy[c], lat, lon);
        if (utm001.debug) console_free("corner", cx[c], cy[c], lat, lon);
    }
    console_free("rxm, rym", rxm, rym);
    if (utm001.debug)
        console_free("UTM_INIT", utm000.orig_e, utm000.orig_n, utm000.xmax, utm000.ymax, utm000.nzon, utm000.rlon0,
                     utm000.zlat);
    return true;
}

}  // namespace

int32_t utm_init(std::string_view fich, float& rxm, float& rym) {
    const std::string name(trim_right(fich));
    console_line("utm_init " + name);

    if (utm001.initialized && name == fich_old) {
        console_free("utm_init : ALREADY INITIALIZED", utm001.initialized);
        rxm = static_cast<float>(utm000.xmax);
        rym = static_cast<float>(utm000.ymax);
        return 1;
    }

    utm000.raddeg = utm_const::raddeg;
    utm000.degrad = utm_const::degrad;
    if (utm001.debug) console_line(name);

    const bool is_trn = name_holds(name, ".trn", ".TRN");
    const bool is_dem = !is_trn && name_holds(name, ".dem", ".DEM");
    const bool is_asc = !is_trn && !is_dem && name_holds(name, ".asc", ".ASC");
    if (!is_trn && !is_dem && !is_asc) {
        console_line("unrecognised file type " + name);
        log_plain_line("UTM unrecognised file type " + name);
        utm001.initialized = false;
        return 0;
    }

    if (is_trn) {
        float o_e = 0, o_n = 0;
        const int32_t status = read_trn_hdr(name, rxm, rym, o_e, o_n, utm000.ori, utm000.nzon, utm000.zlat);
        if (utm001.debug) console_free("trn header", rxm, rym, o_e, o_n, utm000.ori, utm000.nzon, utm000.zlat);
        // A zone outside 1 to 60 or a non-finite origin or extent would put
        // every fix at a meaningless position.
        if (status != 0 || !valid_zone(utm000.nzon) || !std::isfinite(o_e) || !std::isfinite(o_n) ||
            !std::isfinite(rxm) || !std::isfinite(rym)) {
            fail_unreadable(name);
            return 0;
        }
        utm000.rlon0 = zone_central_meridian(utm000.nzon);
        utm000.n0 = hemisphere_false_northing(utm000.zlat);
        utm000.orig_e = o_e;
        utm000.orig_n = o_n;
        utm000.xmax = rxm;
        utm000.ymax = rym;
        utm001.initialized = true;
        fich_old = fit(name, name_width);
        if (utm001.debug)
            console_free("Orig_e, orig_n", utm000.orig_e, utm000.orig_n, utm000.nzon, utm000.rlon0, utm000.zlat);
        return 1;
    }

    GridBox g{};
    const int32_t status = is_dem ? read_dem_hdr(name, g.latmin, g.latmax, g.lonmin, g.lonmax, g.ncol, g.nrow,
                                                 utm000.nzon, utm000.zlat)
                                  : read_ascdem_hdr(name, g.latmin, g.latmax, g.lonmin, g.lonmax, g.ncol, g.nrow,
                                                    utm000.nzon, utm000.zlat);
    if (utm001.debug)
        console_free("grid header", g.latmin, g.latmax, g.lonmin, g.lonmax, g.ncol, g.nrow, utm000.nzon,
                     utm000.zlat);
    if (status != 0 || !valid_zone(utm000.nzon) || !box_usable(g)) {
        fail_unreadable(name);
        return 0;
    }

    utm000.rlon0 = zone_central_meridian(utm000.nzon);
    utm000.n0 = hemisphere_false_northing(utm000.zlat);
    // The search converts with the frame it is building.
    utm001.initialized = true;
    float gx = 0, gy = 0;
    if (!grid_rectangle(g, gx, gy)) {
        fail_unreadable(name);
        return 0;
    }
    rxm = gx;
    rym = gy;
    fich_old = fit(name, name_width);
    return 1;
}

int32_t utm_init_c(const char* fich, float& rxm, float& rym) {
    std::string name;
    int32_t ls = 0;
    strcpy_c2f(fich ? fich : "", name, ls, name_width);
    return utm_init(name, rxm, rym);
}

double zone_central_meridian(int32_t zone) { return 6.0 * zone - 183.0; }

double hemisphere_false_northing(char zlat) { return zlat == 'S' ? 10000000.0 : 0.0; }

void landscape_to_series_km(double orig_e, double orig_n, double n0, double rx, double ry, double& x_km,
                            double& y_km) {
    x_km = (orig_e - rx) / 1000.0 - utm_const::false_easting_km;
    y_km = (ry + orig_n - n0) / 1000.0;
}

int32_t xytolatlon(float rx, float ry, float& rlat, float& rlon) {
    if (!utm001.initialized) {
        console_line("UTM NOT INITIALIZED");
        log_plain_line("UTM NOT INITIALIZED");
        return 0;
    }
    double x = 0, y = 0;
    landscape_to_series_km(utm000.orig_e, utm000.orig_n, utm000.n0, rx, ry, x, y);
    if (x > 1000000.0 || y > 1000000.0) console_free("xytolatlon: far outside the zone, x, y (km)", x, y);
    double lat = 0, lon = 0;
    tm_series_inverse(x, y, utm000.rlon0, lat, lon);
    rlat = static_cast<float>(lat);
    rlon = static_cast<float>(lon);
    return 1;
}

int32_t latlontoxy(float rlat, float rlon, float& rx, float& ry) {
    if (!utm001.initialized) {
        console_line("UTM NOT INITIALIZED");
        log_plain_line("UTM NOT INITIALIZED");
        return 0;
    }
    double east = 0, north = 0;
    tm_series_forward(rlat, rlon, utm000.rlon0, east, north);
    rx = static_cast<float>(utm000.orig_e - (east + utm_const::false_easting_km) * 1000.0);
    ry = static_cast<float>(north * 1000.0 + utm000.n0 - utm000.orig_n);
    return 1;
}

void utm_debug(int32_t flag) {
    utm001.debug = flag != 0;
    log_plain_line(utm001.debug ? "UTM : Debug ACTIVATED" : "UTM : Debug STOPPED");
}

void utm_get_ori(float& xo, float& yo, char& zla, int8_t& zlo) {
    xo = static_cast<float>(utm000.orig_e);
    yo = static_cast<float>(utm000.orig_n);
    zla = utm000.zlat;
    zlo = static_cast<int8_t>(utm000.nzon);
}
