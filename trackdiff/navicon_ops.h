// The operations of a coordinate library: the simulator's NaviCon.dll or the
// program's own substitute offer the same five.
#pragma once

#include <cstdint>

/// The five operations of the library.
struct NaviCon_library {
    /// Prepares the conversions for the terrain of the ".trn" file named
    /// (NUL-terminated); an integer status that the caller only stores.
    int32_t (*NaviConInit)(const char* trn_file) = nullptr;
    /// Longitude and latitude (degrees) of landscape X, Y (metres): smooth
    /// functions of X and Y over the terrain.
    float (*XYToLon)(float x, float y) = nullptr;
    float (*XYToLat)(float x, float y) = nullptr;
    /// Largest X and Y of the terrain, metres.
    float (*GetMaxX)() = nullptr;
    float (*GetMaxY)() = nullptr;
};
