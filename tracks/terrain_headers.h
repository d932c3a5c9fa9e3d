// Terrain file headers: the simulator's ".trn" terrain file, the binary
// elevation grid ".dem" and the ASCII elevation grid ".asc".
//
// Only the headers are read: the ".trn" header gives a landscape's UTM origin,
// zone and extent; a grid header gives a latitude/longitude box.  Each reader
// opens the named file itself, reads the header and closes the file again.
//
// Status results of the readers:
//   0                  success;
//   io_end_of_file     (negative) the file ended before the header did;
//   positive           the system's error number of a failing open or read
//                      (a missing file, a folder, ...), or io_bad_value for a
//                      header value that is not a number of its kind;
//   io_missing_keys    (9999) an ASCII grid whose first six lines do not give
//                      the five header values.
#pragma once

#include <cstdint>
#include <string_view>

inline constexpr int32_t io_end_of_file = -1;
inline constexpr int32_t io_bad_value = 5010;
inline constexpr int32_t io_missing_keys = 9999;

/// Reads the 36-byte ".trn" header.  Out: `xmax` = |columns x west-east cell
/// size| and `ymax` = |rows x south-north cell size| (metres, product formed
/// in float32), `orig_e`/`orig_n` the UTM easting/northing of the landscape
/// origin (m), `orien` the landscape orientation, `nlon` the zone byte
/// sign-extended (so 0xE0 gives -32), `zlat` the hemisphere letter ('S'
/// southern, anything else northern).  On a non-zero status the outputs are
/// left as they were.
int32_t read_trn_hdr(std::string_view fich, float& xmax, float& ymax, float& orig_e, float& orig_n, float& orien,
                     int32_t& nlon, char& zlat);

/// Reads the 48-byte ".dem" header.  Out: the box limits in degrees, `long_`
/// columns and `larg` rows, and the derived UTM zone `nzon` and hemisphere
/// `zlat` ('N' when the box centre lies north of the equator, else 'S').  A
/// box centre that gives no representable zone (non-finite or absurd
/// longitudes) yields `nzon` 0, which is no UTM zone.  On a non-zero status
/// the outputs are left as they were.
int32_t read_dem_hdr(std::string_view fich, double& latmin, double& latmax, double& lonmin, double& lonmax,
                     int32_t& long_, int32_t& larg, int32_t& nzon, char& zlat);

/// Reads an ASCII grid header (keys "ncols", "nrows", "xllcorner",
/// "yllcorner", "cellsize" in lower case among its first six lines).  The
/// same outputs as read_dem_hdr, with lonmax = lonmin + columns x cell size
/// and latmax = latmin + rows x cell size.  io_missing_keys unless each of
/// the five keys gave its value exactly once; io_end_of_file when the file
/// ends before its sixth line even though all keys were read.
int32_t read_ascdem_hdr(std::string_view fich, double& latmin, double& latmax, double& lonmin, double& lonmax,
                        int32_t& long_, int32_t& larg, int32_t& nzon, char& zlat);

/// True when `name` holds `lower` or `upper` anywhere (case-sensitive): the
/// test by which a terrain file's type is taken from its name.
bool name_holds(std::string_view name, std::string_view lower, std::string_view upper);

/// The UTM zone and hemisphere of a grid box (both grid readers use it).
/// `quotient` receives the unrounded ((lonmin + lonmax)/2 + 177)/6.
void grid_zone(double latmin, double latmax, double lonmin, double lonmax, int32_t& nzon, char& zlat,
               double& quotient);
