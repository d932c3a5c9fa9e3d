// An independent exact transverse Mercator (GeographicLib's) to measure the
// projection against.
#pragma once

#include <GeographicLib/Constants.hpp>
#include <GeographicLib/TransverseMercatorExact.hpp>

/// The exact transverse Mercator on WGS-1984 with UTM's scale factor; its
/// eastings carry no false easting, its northings no false northing.
inline const GeographicLib::TransverseMercatorExact& exact_utm() {
    static const GeographicLib::TransverseMercatorExact tm(GeographicLib::Constants::WGS84_a(),
                                                           GeographicLib::Constants::WGS84_f(), 0.9996);
    return tm;
}
