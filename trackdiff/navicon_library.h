// The simulator's coordinate library, NaviCon.dll, and the wrappers that
// the landscape inversion calls it through.
//
// The library converts landscape X/Y (metres) of the terrain it was set up
// for to latitude and longitude (degrees).  It is bound when the inversion
// first needs it, not when the program starts, so the comparison runs
// without it: "NaviCon.dll" is loaded through the platform when it is
// there (on Linux it never is), else the program's own substitute serves
// (trackdiff/navicon_substitute.h).
#pragma once

#include <cstdint>

#include "trackdiff/navicon_ops.h"

/// The library in use, bound on the first call: "NaviCon.dll" when the
/// platform loads it and it exports all five operations, else the
/// substitute.  One console line says which.
const NaviCon_library& navicon();

/// Binds `lib` (all five operations set) in place of the library for every
/// later call, such as a library of known behaviour in a test.
void navicon_use(const NaviCon_library& lib);

/// Prints "NaviConInit: TRNFile : " and the name, then sets the library up
/// for the terrain file `TRNFile` (NUL-terminated) and stores its status,
/// uninterpreted, into `istat`.
void myNaviConInit(int32_t& istat, const char* TRNFile);

/// The library's longitude (degrees) of X, Y (metres), with two console
/// lines: "LON : " with X and Y before the call, and with X, Y and the
/// result after it (six decimals each, a blank after each value).
float myXYToLon(const float& x, const float& y);

/// The same for the latitude, the lines beginning "Lat : ".
float myXYToLat(const float& x, const float& y);
