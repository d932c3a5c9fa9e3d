// Shared pieces of the UTM tests: an independent exact transverse Mercator
// to measure the series against, and a fixture that starts each test with
// the frame as it is at program start.
#pragma once

#include <GeographicLib/Constants.hpp>
#include <GeographicLib/TransverseMercatorExact.hpp>

#include "tests/common/temp_dir.h"
#include "tracks/utm.h"

/// The exact transverse Mercator on WGS-1984 with UTM's scale factor; its
/// eastings carry no false easting, its northings no false northing.
inline const GeographicLib::TransverseMercatorExact& exact_utm() {
    static const GeographicLib::TransverseMercatorExact tm(GeographicLib::Constants::WGS84_a(),
                                                           GeographicLib::Constants::WGS84_f(), 0.9996);
    return tm;
}

/// Central meridian of a UTM zone, degrees.
inline double central_meridian(int zone) { return 6.0 * zone - 183.0; }

/// Each test in its own working folder, with no frame set up, debug off and
/// no remembered terrain header.
class InFreshUtm : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        utm000 = Utm000{};
        utm001 = Utm001{};
        fich_old.clear();
    }
};
