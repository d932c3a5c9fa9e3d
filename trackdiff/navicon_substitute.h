// The program's own coordinate library, serving where the simulator's
// NaviCon.dll is not there.
//
// It keeps a frame of its own, apart from the converter's UTM frame
// (tracks/utm.h): the UTM zone, hemisphere, origin and extent of a
// landscape's ".trn" terrain header.  Landscape X/Y convert as the
// simulator places them: X = origin easting - UTM easting, Y = UTM
// northing (false northing included) - origin northing, through the
// transverse Mercator series of tracks/utm_series.h.
#pragma once

#include <cstdint>

#include "trackdiff/navicon_ops.h"

/// Sets the frame up from the ".trn" header `trn_file` (NUL-terminated).
/// 1 when the header was read and names a UTM zone 1..60; else 0, and the
/// frame is unusable until the next successful set-up.
int32_t navicon_sub_init(const char* trn_file);

/// Longitude and latitude (degrees, south and west negative) of landscape
/// X, Y (metres); single precision, the arithmetic in double.  0 without a
/// frame.  Far outside the landscape the series loses accuracy.
float navicon_sub_xy_to_lon(float x, float y);
float navicon_sub_xy_to_lat(float x, float y);

/// The landscape's extent along X and Y (metres, the header's); 0 without
/// a frame.
float navicon_sub_max_x();
float navicon_sub_max_y();

/// The five operations above as a library.
NaviCon_library navicon_substitute();
