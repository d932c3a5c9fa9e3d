// The latitude/longitude box of a landscape or an elevation grid.
//
// For a ".trn" landscape the box comes through the UTM frame (the frame is
// set up from the file); for a grid it is the header's own box.
#pragma once

#include <cstdint>
#include <string_view>

/// The latitude/longitude box (degrees) of a terrain file chosen by its name:
/// ".trn"/".TRN" through get_trn_lim, else ".asc"/".ASC" and ".dem"/".DEM"
/// through their header readers (the header's limits).  Result: that
/// routine's status, or 1 for a name of none of these types.  Outputs are
/// untouched on failure.
int32_t get_latlon_lim(std::string_view trnfil, float& rlatmin1, float& rlatmax1, float& rlonmin1,
                       float& rlonmax1);

/// The largest latitude/longitude box (degrees) inside a ".trn" landscape.
/// Sets up the UTM frame from the file (utm_init) and samples the
/// landscape's edges.  Result 0, or 1 when the frame cannot be set up or the
/// header cannot be read again.
int32_t get_trn_lim(std::string_view trnfil, float& rlatmin1, float& rlatmax1, float& rlonmin1, float& rlonmax1);
