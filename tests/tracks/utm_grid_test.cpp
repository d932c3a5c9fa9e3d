// The UTM frame of an elevation grid: the largest 90 m rectangle inside the
// grid's latitude/longitude box.
#include "tracks/utm.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "tests/tracks/terrain_fixtures.h"
#include "tests/tracks/utm_fixtures.h"
#include "tests/tracks/utm_reference.h"

namespace {

// 90 m as degrees of latitude, and of longitude at 50 degrees.
constexpr double step_lat_deg = 90.0 / 111000.0;
constexpr double step_lon_deg = 90.0 / (111000.0 * 0.64);

class UtmGrid : public InFreshUtm {
protected:
    int32_t set_up_dem(const DemFields& d, float& rxm, float& rym) {
        tmp.write("grid.dem", dem_bytes(d));
        return utm_init("grid.dem", rxm, rym);
    }

    // The landscape must lie inside the box and reach to within about one
    // step of each of its sides.
    void expect_fills_box(const DemFields& d, float rxm, float rym) {
        EXPECT_GT(rxm, 0.0f);
        EXPECT_GT(rym, 0.0f);
        EXPECT_EQ(std::fmod(rxm, 90.0f), 0.0f);
        EXPECT_EQ(std::fmod(rym, 90.0f), 0.0f);
        EXPECT_EQ(utm000.xmax, rxm);
        EXPECT_EQ(utm000.ymax, rym);
        EXPECT_EQ(utm000.ori, 90.0f);

        // The straight edge towards the pole lies on the poleward parallel
        // where that parallel is furthest from the pole: at the longitude of
        // the box nearest the central meridian.  Measured against the exact
        // projection, to within a float32 step of the northing.
        const double lon0 = central_meridian(utm000.nzon);
        const double lon_near = std::clamp(lon0, d.lonmin, d.lonmax);
        double ex = 0, ey = 0;
        if (utm000.zlat == 'N') {
            exact_utm().Forward(lon0, d.latmax, lon_near, ex, ey);
            EXPECT_NEAR(utm000.orig_n + rym, ey, 1.0);
        } else {
            exact_utm().Forward(lon0, d.latmin, lon_near, ex, ey);
            EXPECT_NEAR(utm000.orig_n, ey + 10000000.0, 1.0);
        }

        double lat_lo = 1e9, lat_hi = -1e9, lon_lo = 1e9, lon_hi = -1e9;
        double south_best = 1e9, north_best = -1e9, east_best = -1e9, west_best = 1e9;
        for (int i = 0; i <= 200; ++i) {
            const float t = static_cast<float>(i) / 200.0f;
            float lat = 0, lon = 0;
            // Southern and northern edges.
            for (float y : {0.0f, rym}) {
                ASSERT_EQ(xytolatlon(t * rxm, y, lat, lon), 1);
                lat_lo = std::min<double>(lat_lo, lat);
                lat_hi = std::max<double>(lat_hi, lat);
                lon_lo = std::min<double>(lon_lo, lon);
                lon_hi = std::max<double>(lon_hi, lon);
                if (y == 0.0f) south_best = std::min<double>(south_best, lat);
                else north_best = std::max<double>(north_best, lat);
            }
            // Eastern (X = 0) and western edges.
            for (float x : {0.0f, rxm}) {
                ASSERT_EQ(xytolatlon(x, t * rym, lat, lon), 1);
                lat_lo = std::min<double>(lat_lo, lat);
                lat_hi = std::max<double>(lat_hi, lat);
                lon_lo = std::min<double>(lon_lo, lon);
                lon_hi = std::max<double>(lon_hi, lon);
                if (x == 0.0f) east_best = std::max<double>(east_best, lon);
                else west_best = std::min<double>(west_best, lon);
            }
        }
        const double eps = 1e-5;  // float32 positions
        EXPECT_GE(lat_lo, d.latmin - eps);
        EXPECT_LE(lat_hi, d.latmax + eps);
        EXPECT_GE(lon_lo, d.lonmin - eps);
        EXPECT_LE(lon_hi, d.lonmax + eps);
        EXPECT_LT(south_best - d.latmin, 1.5 * step_lat_deg);
        EXPECT_LT(d.latmax - north_best, 1.5 * step_lat_deg);
        EXPECT_LT(d.lonmax - east_best, 1.5 * step_lon_deg);
        EXPECT_LT(west_best - d.lonmin, 1.5 * step_lon_deg);
    }

    std::string run_log() const { return tmp.read("Logfile.txt"); }
};

}  // namespace

TEST_F(UtmGrid, DemBoxInTheNorth) {
    const DemFields d;  // 44 to 48 N, 6 to 12 E
    float rxm = 0, rym = 0;
    ASSERT_EQ(set_up_dem(d, rxm, rym), 1);
    EXPECT_EQ(utm000.nzon, 32);
    EXPECT_EQ(utm000.zlat, 'N');
    EXPECT_EQ(utm000.n0, 0.0);
    EXPECT_EQ(fich_old, "grid.dem");
    expect_fills_box(d, rxm, rym);
    // 6 degrees of longitude at 48 N are about 448 km; the rectangle's foot
    // lies where the 44th parallel meets its side edges, some 4.4 km above
    // its northing on the central meridian, which leaves 440.5 km of the
    // 445 km between the parallels.
    EXPECT_NEAR(rxm, 447750.0, 500.0);
    EXPECT_NEAR(rym, 440550.0, 500.0);

    // X grows towards the west, Y towards the north.
    float x = 0, y = 0;
    ASSERT_EQ(latlontoxy(46.0f, 9.0f, x, y), 1);
    EXPECT_GT(x, 0.0f);
    EXPECT_LT(x, rxm);
    EXPECT_GT(y, 0.0f);
    EXPECT_LT(y, rym);
    float xe = 0, yn = 0;
    latlontoxy(46.0f, 10.0f, xe, y);
    latlontoxy(47.0f, 9.0f, x, yn);
    EXPECT_LT(xe, x);
    EXPECT_GT(yn, y);
}

TEST_F(UtmGrid, AsciiGridOfTheSameBox) {
    tmp.write("grid.asc", asc_text(7200, 4800, "6.0", "44.0", "8.3333333333333E-04"));
    float rxm = 0, rym = 0;
    ASSERT_EQ(utm_init("grid.asc", rxm, rym), 1);
    EXPECT_EQ(utm000.nzon, 32);
    EXPECT_EQ(utm000.zlat, 'N');
    DemFields d;
    expect_fills_box(d, rxm, rym);

    // The same box as a binary grid gives the same frame.
    const double orig_e = utm000.orig_e, orig_n = utm000.orig_n;
    float rxm2 = 0, rym2 = 0;
    ASSERT_EQ(set_up_dem(d, rxm2, rym2), 1);
    EXPECT_EQ(rxm2, rxm);
    EXPECT_EQ(rym2, rym);
    EXPECT_NEAR(utm000.orig_e, orig_e, 0.01);
    EXPECT_NEAR(utm000.orig_n, orig_n, 0.01);

    // ".dem" is looked for before ".asc": binary grid bytes under a name
    // holding both are read as a binary grid.
    tmp.write("grid.asc.dem", dem_bytes(d));
    float rxm3 = 0, rym3 = 0;
    EXPECT_EQ(utm_init("grid.asc.dem", rxm3, rym3), 1);
    EXPECT_EQ(rxm3, rxm);
}

TEST_F(UtmGrid, BoxesInBothHemispheres) {
    struct Case {
        const char* what;
        DemFields d;
        int zone;
        char zlat;
    };
    const Case cases[] = {
        {"southern, zone 55", {144.0, 150.0, -34.0, -38.0, 1.0 / 1200, 4800, 7200}, 55, 'S'},
        {"southern, west of the meridian", {-71.5, -70.0, -20.0, -21.0, 1.0 / 1200, 1200, 1800}, 19, 'S'},
        {"centred on the equator", {30.0, 32.0, 1.0, -1.0, 1.0 / 1200, 2400, 2400}, 36, 'S'},
        {"northern, zone 1", {-179.0, -176.0, 66.0, 64.0, 1.0 / 1200, 2400, 3600}, 1, 'N'},
        {"northern, zone 60", {175.0, 178.0, 45.0, 44.0, 1.0 / 1200, 1200, 3600}, 60, 'N'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        utm001.initialized = false;
        float rxm = 0, rym = 0;
        ASSERT_EQ(set_up_dem(c.d, rxm, rym), 1);
        EXPECT_EQ(utm000.nzon, c.zone);
        EXPECT_EQ(utm000.zlat, c.zlat);
        EXPECT_EQ(utm000.n0, c.zlat == 'S' ? 10000000.0 : 0.0);
        expect_fills_box(c.d, rxm, rym);
    }
}

// Headers from which no frame can be built fail the set-up in an orderly
// way and in little time: none may loop or leave an edge unset.
TEST_F(UtmGrid, UnusableGridBoxesFail) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        DemFields d;
    };
    auto box = [](double lonmin, double lonmax, double latmin, double latmax, int32_t ncol, int32_t nrow) {
        return DemFields{lonmin, lonmax, latmax, latmin, 1.0 / 1200, nrow, ncol};
    };
    const Case cases[] = {
        {"lower than one step", box(9.0, 9.5, 46.0, 46.0005, 600, 1)},
        {"narrower than one step", box(9.0, 9.0005, 46.0, 46.5, 1, 600)},
        {"southern, lower than one step", box(9.0, 9.5, -46.0005, -46.0, 600, 1)},
        // So low that the side edge's top already lies south of the box.
        {"too low for the first step of the bottom walk", box(9.0, 12.0, 46.0, 46.00001, 3600, 1)},
        {"too low for the first step of the top walk", box(9.0, 12.0, -46.00001, -46.0, 3600, 1)},
        {"no height", box(9.0, 9.5, 46.0, 46.0, 600, 600)},
        {"no width", box(9.0, 9.0, 46.0, 46.5, 600, 600)},
        {"upside down", box(9.0, 9.5, 46.5, 46.0, 600, 600)},
        {"east and west swapped", box(9.5, 9.0, 46.0, 46.5, 600, 600)},
        {"NaN latitude", box(9.0, 9.5, nan, 46.5, 600, 600)},
        {"NaN longitude", box(nan, 9.5, 46.0, 46.5, 600, 600)},
        {"infinite longitude", box(9.0, inf, 46.0, 46.5, 600, 600)},
        {"absurd longitudes", box(1e300, 2e300, 46.0, 46.5, 600, 600)},
        {"zone above 60", box(190.0, 191.0, 46.0, 46.5, 600, 600)},
        {"zone 0", box(-200.0, -199.0, 46.0, 46.5, 600, 600)},
        {"latitude beyond the pole", box(9.0, 9.5, 46.0, 95.0, 600, 600)},
        {"no columns", box(9.0, 9.5, 46.0, 46.5, 0, 600)},
        {"negative columns", box(9.0, 9.5, 46.0, 46.5, -600, 600)},
        {"no rows", box(9.0, 9.5, 46.0, 46.5, 600, 0)},
        {"columns too fine to sample", box(9.0, 9.5, 46.0, 46.5, 2000000000, 600)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::remove("Logfile.txt");
        const auto start = std::chrono::steady_clock::now();
        float rxm = 0, rym = 0;
        EXPECT_EQ(set_up_dem(c.d, rxm, rym), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_FALSE(utm001.initialized);
        EXPECT_TRUE(fich_old.empty());
        EXPECT_NE(run_log().find("UTM unable to read grid.dem"), std::string::npos);
    }
}

// A box reaching a pole or spanning most of the globe is no landscape: its
// set-up ends, and fails.
TEST_F(UtmGrid, ExtremeBoxesFail) {
    const DemFields cases[] = {
        {9.0, 10.0, 90.0, 89.0, 1.0 / 1200, 1200, 1200},
        {9.0, 10.0, -89.0, -90.0, 1.0 / 1200, 1200, 1200},
        {-179.0, 179.0, 60.0, -60.0, 0.1, 1200, 3580},
    };
    for (const DemFields& d : cases) {
        SCOPED_TRACE(testing::Message() << d.latmin << ".." << d.latmax << " " << d.lonmin << ".." << d.lonmax);
        utm001.initialized = false;
        const auto start = std::chrono::steady_clock::now();
        float rxm = 0, rym = 0;
        EXPECT_EQ(set_up_dem(d, rxm, rym), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_FALSE(utm001.initialized);
    }
}

TEST_F(UtmGrid, UnreadableGridHeaders) {
    const std::string full = dem_bytes(DemFields{});
    for (std::size_t n = 0; n < full.size(); n += 7) {
        SCOPED_TRACE(n);
        tmp.write("short.dem", full.substr(0, n));
        float rxm = 0, rym = 0;
        EXPECT_EQ(utm_init("short.dem", rxm, rym), 0);
    }
    tmp.write("keys.asc", "NCOLS 10\nNROWS 10\nXLLCORNER 6\nYLLCORNER 44\nCELLSIZE 0.1\n\n");
    float rxm = 0, rym = 0;
    EXPECT_EQ(utm_init("keys.asc", rxm, rym), 0);
    EXPECT_NE(run_log().find("UTM unable to read keys.asc"), std::string::npos);
}
