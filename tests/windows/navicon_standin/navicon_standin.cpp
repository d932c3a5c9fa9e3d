// A stand-in for the simulator's coordinate library NaviCon.dll, of known
// behaviour, for the tests of trackdiff's binding to it
// (trackdiff/navicon_library.h): the five functions that the binding looks
// up, by the names and with the types it expects.  Built twice: whole, and
// with NAVICON_STANDIN_WITHOUT_MAX_Y without GetMaxY, an incomplete library
// that the binding must refuse.
//
// Its landscape is a plain linear map, far from any projection, so that a
// result tells at once which library gave it: longitude 7 + X / 10000,
// latitude 46 + Y / 20000 (degrees, X and Y in metres) over 30 km by 20 km.
#include <cstdint>
#include <cstring>

#define STANDIN_EXPORT extern "C" __declspec(dllexport)

/// 1000 plus the length of the terrain file's name: shows that the name
/// came through.
STANDIN_EXPORT int32_t NaviConInit(const char* trn_file) {
    return 1000 + (trn_file ? static_cast<int32_t>(std::strlen(trn_file)) : 0);
}

STANDIN_EXPORT float XYToLon(float x, float) { return 7.0f + x / 10000.0f; }

STANDIN_EXPORT float XYToLat(float, float y) { return 46.0f + y / 20000.0f; }

STANDIN_EXPORT float GetMaxX() { return 30000.0f; }

#ifndef NAVICON_STANDIN_WITHOUT_MAX_Y
STANDIN_EXPORT float GetMaxY() { return 20000.0f; }
#endif
