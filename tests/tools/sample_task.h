// The task flown in the sample landscape "Sample" by the tracks that the
// tools write: take-off at the airfield, the start, two turn points and the
// finish back at the airfield.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/common/track_writer.h"

/// A task point of the sample landscape (sector type 0, 1500 m altitude).
inline tw_tp sample_point(const char* name, float x, float y, float z, int32_t radius, int32_t angle) {
    tw_tp p;
    p.name = name;
    p.x = x;
    p.y = y;
    p.z = z;
    p.radius = radius;
    p.angle = angle;
    p.alt = 1500.0f;
    return p;
}

/// The five task points.
inline std::vector<tw_tp> sample_task() {
    return {sample_point("Airfield", 52000.0f, 41000.0f, 310.0f, 3000, 90),
            sample_point("Start", 50000.0f, 45000.0f, 420.0f, 3000, 180),
            sample_point("North Ridge", 45000.0f, 62000.0f, 1210.0f, 500, 90),
            sample_point("East Valley", 20000.0f, 50000.0f, 640.0f, 500, 90),
            sample_point("Airfield", 52000.0f, 41000.0f, 310.0f, 3000, 360)};
}
