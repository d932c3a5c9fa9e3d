// What a latitude or longitude of an IGC record may be: the one rule that
// the writer of B and C records and the reader of B records share, so that
// the reader takes every position the writer writes and nothing that lies
// off the globe.
#pragma once

#include <cstdint>

/// Largest whole degrees of a latitude and of a longitude.
inline constexpr int32_t igc_lat_max_deg = 90;
inline constexpr int32_t igc_lon_max_deg = 180;

/// One coordinate as a record holds it: whole degrees, thousandths of
/// minutes, and the further digits of the minutes that a logger may add
/// (the LAD and LOD extensions; 0 when there are none).
struct igc_angle {
    int32_t deg = 0;
    int32_t mmin = 0;
    int32_t finer = 0;
};

/// True when `a` is a coordinate of at most `max_deg` degrees
/// (igc_lat_max_deg or igc_lon_max_deg): minutes below 60, and the limit
/// itself only with every digit of its minutes 0.
inline bool igc_angle_fits(const igc_angle& a, int32_t max_deg) {
    if (a.deg < 0 || a.mmin < 0 || a.mmin >= 60000 || a.finer < 0) return false;
    return a.deg < max_deg || (a.deg == max_deg && a.mmin == 0 && a.finer == 0);
}
