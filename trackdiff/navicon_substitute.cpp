#include "trackdiff/navicon_substitute.h"

#include "tracks/terrain_headers.h"
#include "tracks/utm.h"
#include "tracks/utm_series.h"

namespace {

/// The substitute's own frame.
struct Frame {
    bool ready = false;
    double orig_e = 0;  ///< UTM easting of the landscape origin, m
    double orig_n = 0;  ///< UTM northing of the origin, m (false northing included)
    double n0 = 0;      ///< false northing, m
    double lon0 = 0;    ///< central meridian, degrees
    float xmax = 0;
    float ymax = 0;
};

Frame frame;

void to_lat_lon(float x, float y, double& lat, double& lon) {
    double x_km = 0, y_km = 0;
    landscape_to_series_km(frame.orig_e, frame.orig_n, frame.n0, x, y, x_km, y_km);
    tm_series_inverse(x_km, y_km, frame.lon0, lat, lon);
}

}  // namespace

int32_t navicon_sub_init(const char* trn_file) {
    frame.ready = false;
    float xmax = 0, ymax = 0, orig_e = 0, orig_n = 0, orien = 0;
    int32_t zone = 0;
    char zlat = ' ';
    if (trn_file == nullptr || read_trn_hdr(trn_file, xmax, ymax, orig_e, orig_n, orien, zone, zlat) != 0) return 0;
    if (zone < 1 || zone > 60) return 0;
    frame.orig_e = orig_e;
    frame.orig_n = orig_n;
    frame.n0 = hemisphere_false_northing(zlat);
    frame.lon0 = zone_central_meridian(zone);
    frame.xmax = xmax;
    frame.ymax = ymax;
    frame.ready = true;
    return 1;
}

float navicon_sub_xy_to_lon(float x, float y) {
    if (!frame.ready) return 0.0f;
    double lat = 0, lon = 0;
    to_lat_lon(x, y, lat, lon);
    return static_cast<float>(lon);
}

float navicon_sub_xy_to_lat(float x, float y) {
    if (!frame.ready) return 0.0f;
    double lat = 0, lon = 0;
    to_lat_lon(x, y, lat, lon);
    return static_cast<float>(lat);
}

float navicon_sub_max_x() { return frame.ready ? frame.xmax : 0.0f; }
float navicon_sub_max_y() { return frame.ready ? frame.ymax : 0.0f; }

NaviCon_library navicon_substitute() {
    NaviCon_library l;
    l.NaviConInit = navicon_sub_init;
    l.XYToLon = navicon_sub_xy_to_lon;
    l.XYToLat = navicon_sub_xy_to_lat;
    l.GetMaxX = navicon_sub_max_x;
    l.GetMaxY = navicon_sub_max_y;
    return l;
}
