#include "tracks/landscape_box.h"

#include "tracks/terrain_headers.h"
#include "tracks/utm.h"

int32_t get_latlon_lim(std::string_view trnfil, float& rlatmin1, float& rlatmax1, float& rlonmin1,
                       float& rlonmax1) {
    auto holds = [&](std::string_view lower, std::string_view upper) { return name_holds(trnfil, lower, upper); };
    if (holds(".trn", ".TRN")) return get_trn_lim(trnfil, rlatmin1, rlatmax1, rlonmin1, rlonmax1);

    double latmin = 0, latmax = 0, lonmin = 0, lonmax = 0;
    int32_t ncol = 0, nrow = 0, nzon = 0;
    char zlat = ' ';
    int32_t status;
    if (holds(".asc", ".ASC"))
        status = read_ascdem_hdr(trnfil, latmin, latmax, lonmin, lonmax, ncol, nrow, nzon, zlat);
    else if (holds(".dem", ".DEM"))
        status = read_dem_hdr(trnfil, latmin, latmax, lonmin, lonmax, ncol, nrow, nzon, zlat);
    else
        return 1;
    if (status != 0) return status;
    rlatmin1 = static_cast<float>(latmin);
    rlatmax1 = static_cast<float>(latmax);
    rlonmin1 = static_cast<float>(lonmin);
    rlonmax1 = static_cast<float>(lonmax);
    return 0;
}

int32_t get_trn_lim(std::string_view trnfil, float& rlatmin1, float& rlatmax1, float& rlonmin1, float& rlonmax1) {
    float rxm = 0, rym = 0;
    if (utm_init(trnfil, rxm, rym) == 0) return 1;

    // The extent again from the header, as the frame may have been set up
    // before from the same name without reading it.
    float xs = 0, ys = 0, orig_e = 0, orig_n = 0, orien = 0;
    int32_t nlon = 0;
    char zlat = ' ';
    if (read_trn_hdr(trnfil, xs, ys, orig_e, orig_n, orien, nlon, zlat) != 0) return 1;

    // Comparisons written so that a NaN position leaves a bound unchanged.
    auto lower = [](float& bound, float v) {
        if (v < bound) bound = v;
    };
    auto raise = [](float& bound, float v) {
        if (v > bound) bound = v;
    };

    float latmin = 100000.0f, latmax = -100000.0f, lonmin = 100000.0f, lonmax = -100000.0f;
    const float corner_x[4] = {0.0f, xs, xs, 0.0f};
    const float corner_y[4] = {0.0f, 0.0f, ys, ys};
    for (int c = 0; c < 4; ++c) {
        float lat = 0, lon = 0;
        xytolatlon(corner_x[c], corner_y[c], lat, lon);
        lower(latmin, lat);
        raise(latmax, lat);
        lower(lonmin, lon);
        raise(lonmax, lon);
    }

    // The box is narrowed to what every point of the edges encloses.
    for (int i = 0; i <= 100; ++i) {
        const float x = 0.01f * xs * static_cast<float>(i);
        float lat = 0, lon = 0;
        xytolatlon(x, 0.0f, lat, lon);
        raise(latmin, lat);
        xytolatlon(x, ys, lat, lon);
        lower(latmax, lat);
    }
    for (int j = 0; j <= 100; ++j) {
        const float y = 0.01f * ys * static_cast<float>(j);
        float lat = 0, lon = 0;
        xytolatlon(xs, y, lat, lon);
        raise(lonmin, lon);
        xytolatlon(0.0f, y, lat, lon);
        lower(lonmax, lon);
    }
    rlatmin1 = latmin;
    rlatmax1 = latmax;
    rlonmin1 = lonmin;
    rlonmax1 = lonmax;
    return 0;
}
