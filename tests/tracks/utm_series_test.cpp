// The transverse Mercator series against an independent exact projection.
#include "tracks/utm_series.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/tracks/utm_fixtures.h"
#include "tests/tracks/utm_reference.h"

namespace {

// The series' own departure from the exact projection (its ellipsoid
// constants and truncated terms) is about 6 mm at most; a wrong coefficient
// or term shows as more.
constexpr double tolerance_m = 0.01;

const int zones[] = {1, 31, 32, 60};
const double latitudes[] = {-80.0, -60.0, -46.5, -20.0, -0.5, 0.5, 20.0, 46.5, 60.0, 80.0};
const double offsets[] = {-3.0, -1.7, 0.0, 0.4, 2.25, 3.0};

// Runs `check(lon0, lat, lon)` on every point of the table: each zone, each
// latitude, each offset from the central meridian.
template <typename Check>
void for_each_point(Check check) {
    for (int zone : zones)
        for (double lat : latitudes)
            for (double off : offsets) {
                SCOPED_TRACE(testing::Message() << "zone " << zone << " lat " << lat << " offset " << off);
                const double lon0 = central_meridian(zone);
                check(lon0, lat, lon0 + off);
            }
}

}  // namespace

TEST(TmSeries, ForwardAgreesWithExactProjection) {
    for_each_point([](double lon0, double lat, double lon) {
        double x = 0, y = 0;
        exact_utm().Forward(lon0, lat, lon, x, y);
        double east_km = 0, north_km = 0;
        tm_series_forward(lat, lon, lon0, east_km, north_km);
        EXPECT_NEAR(east_km * 1000.0, x, tolerance_m);
        EXPECT_NEAR(north_km * 1000.0, y, tolerance_m);
    });
}

TEST(TmSeries, InverseAgreesWithExactProjection) {
    for_each_point([](double lon0, double lat, double lon) {
        double x = 0, y = 0;
        exact_utm().Forward(lon0, lat, lon, x, y);
        double rlat = 0, rlon = 0;
        tm_series_inverse(x / 1000.0, y / 1000.0, lon0, rlat, rlon);
        // The error measured on the ground: the series' point projected
        // exactly, against the point it came from.
        double x2 = 0, y2 = 0;
        exact_utm().Forward(lon0, rlat, rlon, x2, y2);
        EXPECT_LT(std::hypot(x2 - x, y2 - y), tolerance_m);
    });
}

TEST(TmSeries, WorkedPointZone32) {
    double east_km = 0, north_km = 0;
    tm_series_forward(46.5, 9.3, 9.0, east_km, north_km);
    EXPECT_NEAR(east_km * 1000.0 + 500000.0, 523019.56, 0.005);
    EXPECT_NEAR(north_km * 1000.0, 5149647.07, 0.005);
}

TEST(TmSeries, RoundTripWithinAMillimetre) {
    for_each_point([](double lon0, double lat, double lon) {
        double east_km = 0, north_km = 0, rlat = 0, rlon = 0;
        tm_series_forward(lat, lon, lon0, east_km, north_km);
        tm_series_inverse(east_km, north_km, lon0, rlat, rlon);
        const double metres_per_deg = 111320.0;
        EXPECT_NEAR(rlat, lat, 0.001 / metres_per_deg);
        EXPECT_NEAR((rlon - lon) * std::cos(lat * utm_const::degrad), 0.0, 0.001 / metres_per_deg);
    });
}
