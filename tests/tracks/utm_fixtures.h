// Shared pieces of the UTM tests: zone meridians and a fixture that starts
// each test with the frame as it is at program start.  The independent
// exact transverse Mercator is in tests/tracks/utm_reference.h.
#pragma once

#include "tests/common/temp_dir.h"
#include "tracks/utm.h"

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
