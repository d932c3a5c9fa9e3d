// Latitude/longitude to landscape X/Y by a damped Newton iteration over the
// coordinate library (trackdiff/navicon_library.h), which converts only
// the other way.  Nothing in the programs' road calls it.
#pragma once

#include <array>
#include <cstdint>

/// A 2 x 2 matrix, m[row][column].
using Mat22 = std::array<std::array<double, 2>, 2>;

/// Finds the landscape X/Y (metres) of `lat`, `lon` (degrees).
///
/// epsl    tolerance in degrees for both the longitude and the latitude
///         error; meaningful down to the single-precision resolution of
///         the library's results.
/// tpx0, tpy0  in: the start point, first moved onto the terrain
///         (0..GetMaxX, 0..GetMaxY); out: the last point reached.
/// ndebug  non-zero prints the iteration on the console.
///
/// Each pass converts the point (through myXYToLon and myXYToLat, two
/// console lines each), stops when both errors are within epsl, else takes
/// the Newton step of the Jacobian by forward differences of 20 m: at full
/// length for the first 10 steps, then shortened by 0.1 a step down to a
/// quarter from the 18th on.  Result: 1 converged; 0 after 20 steps
/// without convergence (the 20th step's point is returned untested) or
/// when the Jacobian is singular (the point where it was is returned).  At
/// most 120 conversions.
int32_t latlon2xy(float lat, float lon, float epsl, float& tpx0, float& tpy0, int32_t ndebug);

/// Inverse of the 2 x 2 matrix `a` into `inv`: ok true; when the
/// determinant (formed in extended precision) has a magnitude of at most
/// 1e-20 or is not a number, `inv` is all zeros and ok false.
void m22inv(const Mat22& a, Mat22& inv, bool& ok);
