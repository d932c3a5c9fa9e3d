// The UTM frame of a landscape and the conversions between landscape X/Y
// and latitude/longitude.
//
// Landscape X/Y are metres: X = orig_e - UTM easting (X grows towards the
// west, 0 on the landscape's eastern edge); Y = UTM northing, false northing
// included, - orig_n (Y grows towards the north, 0 on the southern edge).
// The frame is set up once per landscape from its terrain header
// (utm_init); the conversions then serve any number of calls.  All the
// arithmetic is float64; only the arguments and results are float32.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// Central meridian of UTM zone `zone` (1 to 60), degrees: 6 zone - 183.
double zone_central_meridian(int32_t zone);

/// False northing of a hemisphere letter, m: 10000000 for 'S' (southern),
/// 0 for any other letter.
double hemisphere_false_northing(char zlat);

/// Landscape X, Y (m) of a landscape whose origin lies at UTM easting
/// `orig_e` and northing `orig_n` (m, false northing `n0` included) to the
/// transverse Mercator series' coordinates: `x_km` east of the central
/// meridian, `y_km` north of the equator (km, no false easting or
/// northing).  Exact in float64 for any finite input.
void landscape_to_series_km(double orig_e, double orig_n, double n0, double rx, double ry, double& x_km,
                            double& y_km);

/// The UTM frame.
struct Utm000 {
    double xmax = 0;    ///< landscape extent along X, m (returned again by a repeated set-up)
    double ymax = 0;    ///< landscape extent along Y, m
    double orig_e = 0;  ///< UTM easting of the landscape origin, m
    double orig_n = 0;  ///< UTM northing of the landscape origin, m (false northing included)
    double n0 = 0;      ///< false northing: 10000000 in the southern hemisphere, else 0
    double rlon0 = 0;   ///< central meridian of the zone, degrees: 6 nzon - 183
    double raddeg = 0;  ///< degrees per radian
    double degrad = 0;  ///< radians per degree
    float ori = 0;      ///< landscape orientation: the ".trn" header's, 90 for a grid
    int32_t nzon = 0;   ///< UTM zone number, 1 to 60 once set up
    char zlat = ' ';    ///< hemisphere letter: 'S' southern; for grids 'N' northern
};
extern Utm000 utm000;

/// The frame's switches.
struct Utm001 {
    bool initialized = false;  ///< true only after a successful set-up
    bool debug = false;        ///< diagnostic lines on
};
extern Utm001 utm001;

/// Name of the last terrain header that set the frame up successfully
/// (a 256-character text; blank at start).
extern std::string fich_old;

/// Sets the frame up from a terrain header: ".trn"/".TRN" (the landscape's
/// own origin and extent), ".dem"/".DEM" or ".asc"/".ASC" (an elevation grid:
/// the frame is the largest rectangle on a 90 m step inside the grid's
/// latitude/longitude box, its south-eastern corner the origin).  The type is
/// found by searching the name for these endings in that order.  Out: the
/// landscape extent along X and Y (m).  Result 1 on success; 0 for an
/// unrecognised type, an unreadable header, a zone outside 1 to 60 or a
/// header from which no frame can be built (the frame is then unusable until
/// the next successful set-up).  A repeated call with the name of the frame
/// in force reads nothing and returns the stored extents.
int32_t utm_init(std::string_view fich, float& rxm, float& rym);

/// utm_init for a NUL-terminated name (taken whole, cut to 256 characters).
int32_t utm_init_c(const char* fich, float& rxm, float& rym);

/// Landscape X, Y (m) to latitude, longitude (degrees; south and west
/// negative).  Result 1, or 0 with the outputs unchanged when no frame is set
/// up.  Any input is converted; far from the central meridian accuracy drops.
int32_t xytolatlon(float rx, float ry, float& rlat, float& rlon);

/// Latitude, longitude (degrees) to landscape X, Y (m).  Result 1, or 0 with
/// the outputs unchanged when no frame is set up.
int32_t latlontoxy(float rlat, float rlon, float& rx, float& ry);

/// Non-zero switches the diagnostic lines on, zero off; the change is noted
/// in the run log.
void utm_debug(int32_t flag);

/// The frame's origin (easting, northing in m), hemisphere letter and zone.
void utm_get_ori(float& xo, float& yo, char& zla, int8_t& zlo);
