// One fix of an IGC log as the IGC reader returns it.
#pragma once

#include <array>

/// Five single-precision values; index with the igc_* constants:
///   igc_t    time of day in seconds (hours x 3600 + minutes x 60 +
///            seconds), never wrapped back at midnight: a log that passes
///            midnight goes on above 86400;
///   igc_lat  latitude in degrees (south negative), or landscape X in
///            metres when the caller asked for landscape coordinates;
///   igc_lon  longitude in degrees (west negative), or landscape Y in metres;
///   igc_alt  altitude in metres (pressure or GNSS altitude);
///   igc_eng  engine flag: 999.0 (engine noise at or above the threshold)
///            or 0.0.
using igc_fix = std::array<float, 5>;
inline constexpr int igc_t = 0;
inline constexpr int igc_lat = 1;
inline constexpr int igc_lon = 2;
inline constexpr int igc_alt = 3;
inline constexpr int igc_eng = 4;
