// Transverse Mercator series on the WGS-1984 ellipsoid.
//
// The pure projection, in float64 throughout: no frame, no false easting or
// northing, no state.  Distances are kilometres, angles degrees.  The series
// is the one of USGS Professional Paper 1395 with the higher-order terms of
// DMA TM 8358.2; its constants are fixed numbers (not derived at run time)
// so that every build places a fix at the same spot.
#pragma once

namespace utm_const {
/// Semi-major axis, km.
inline constexpr double a = 6378.137;
/// First eccentricity squared.
inline constexpr double e2 = 0.006694381488639999;
/// Second eccentricity squared.
inline constexpr double ep2 = 0.006739498261041437;
/// a (1 - e2), km.
inline constexpr double a_1me2 = 6335.43931773519;
/// Central scale factor.
inline constexpr double k0 = 0.9996;
/// False easting, km.
inline constexpr double false_easting_km = 500.0;
/// Rectifying radius a (1 - e2/4 - 3 e2^2/64 - 5 e2^3/256), km.
inline constexpr double rect_radius = 6367.4491435653845;
/// e1 = (1 - sqrt(1 - e2)) / (1 + sqrt(1 - e2)).
inline constexpr double e1 = 0.0016792207635320776;
/// Meridian arc (times a): coefficients of phi, sin 2phi, sin 4phi, sin 6phi.
inline constexpr double m_phi = 0.9983242980772261;
inline constexpr double m_sin2 = -0.0025146076243454745;
inline constexpr double m_sin4 = 2.6390477787598745e-6;
inline constexpr double m_sin6 = -3.4180483819265186e-9;
/// Footpoint latitude: coefficients of sin 2mu, sin 4mu, sin 6mu, sin 8mu.
inline constexpr double fp_sin2 = 0.002518827150110556;
inline constexpr double fp_sin4 = 3.7009506980609384e-6;
inline constexpr double fp_sin6 = 7.44781878578177e-9;
inline constexpr double fp_sin8 = 1.703600854355413e-11;
/// Degrees per radian and radians per degree.
inline constexpr double raddeg = 57.29577951308232;
inline constexpr double degrad = 0.017453292519943295;
}  // namespace utm_const

/// Forward series.  `lat` and `lon` in degrees, `lon0` the central meridian
/// in degrees.  Out: `east_km`, the scaled distance east of the central
/// meridian (km, without the false easting), and `north_km`, the scaled
/// northing from the equator (km, without a false northing; negative in the
/// southern hemisphere).  Any input is accepted; far from the central
/// meridian the series loses accuracy, and at the poles it yields non-finite
/// values.
void tm_series_forward(double lat, double lon, double lon0, double& east_km, double& north_km);

/// Inverse series.  `x_km` east of the central meridian and `y_km` north of
/// the equator (both km, no false easting or northing), `lon0` the central
/// meridian in degrees.  Out: latitude and longitude in degrees.
void tm_series_inverse(double x_km, double y_km, double lon0, double& lat, double& lon);
