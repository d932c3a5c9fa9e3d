// The latitude/longitude box of a landscape or an elevation grid.
#include "tracks/landscape_box.h"

#include <algorithm>
#include <cstdio>

#include <gtest/gtest.h>

#include "tests/tracks/terrain_fixtures.h"
#include "tests/tracks/utm_fixtures.h"
#include "tracks/utm.h"

namespace {
using LandscapeBox = InFreshUtm;
}  // namespace

TEST_F(LandscapeBox, LatLonBoxByFileType) {
    tmp.write("g.dem", dem_bytes(DemFields{}));
    tmp.write("g.ASC", asc_text(20, 10, "-71.5", "-21.0", "0.1"));
    tmp.write("g.dem.asc", asc_text(20, 10, "-71.5", "-21.0", "0.1"));
    struct Case {
        const char* name;
        int32_t status;
        float latmin, latmax, lonmin, lonmax;
    };
    const Case cases[] = {
        {"g.dem", 0, 44.0f, 48.0f, 6.0f, 12.0f},
        {"g.ASC", 0, -21.0f, -20.0f, -71.5f, -69.5f},
        {"g.dem.asc", 0, -21.0f, -20.0f, -71.5f, -69.5f},  // ".asc" is looked for before ".dem"
        {"g.txt", 1, -1, -1, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        float a = -1, b = -1, d = -1, e = -1;
        EXPECT_EQ(get_latlon_lim(c.name, a, b, d, e), c.status);
        EXPECT_FLOAT_EQ(a, c.latmin);
        EXPECT_FLOAT_EQ(b, c.latmax);
        EXPECT_FLOAT_EQ(d, c.lonmin);
        EXPECT_FLOAT_EQ(e, c.lonmax);
    }
    // A failing grid reader's status is passed on, the box left alone.
    float a = -1, b = -1, d = -1, e = -1;
    EXPECT_GT(get_latlon_lim("missing.dem", a, b, d, e), 0);
    EXPECT_EQ(a, -1.0f);
    EXPECT_EQ(get_latlon_lim("missing.trn", a, b, d, e), 1);
    EXPECT_EQ(a, -1.0f);

    // A frame already set up from the name, but the header gone when it is
    // read again for the box.
    tmp.write("gone.trn", trn_bytes(TrnFields{}));
    float rxm = 0, rym = 0;
    ASSERT_EQ(utm_init("gone.trn", rxm, rym), 1);
    ASSERT_EQ(std::remove("gone.trn"), 0);
    EXPECT_EQ(get_trn_lim("gone.trn", a, b, d, e), 1);
    EXPECT_EQ(a, -1.0f);
}

// The box of a ".trn" landscape is the largest one inside it: every corner
// of the box lies in the landscape, and each side touches its edge.
TEST_F(LandscapeBox, TrnLandscapeBox) {
    struct Case {
        const char* what;
        uint8_t zone;
        char letter;
        float orig_e, orig_n;
    };
    const Case cases[] = {
        {"north, east of the meridian", 32, 'N', 640000.0f, 5100000.0f},
        {"south, west of the meridian", 19, 'S', 420000.0f, 7700000.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TrnFields h;
        h.zone = c.zone;
        h.letter = c.letter;
        h.orig_e = c.orig_e;
        h.orig_n = c.orig_n;
        h.ncol = 1000;  // 90 km
        h.nrow = 800;   // 72 km
        h.rew = -90.0f;
        tmp.write("land.trn", trn_bytes(h));
        utm001.initialized = false;
        float latmin = 0, latmax = 0, lonmin = 0, lonmax = 0;
        ASSERT_EQ(get_latlon_lim("land.trn", latmin, latmax, lonmin, lonmax), 0);
        EXPECT_LT(latmin, latmax);
        EXPECT_LT(lonmin, lonmax);

        const float xs = 90000.0f, ys = 72000.0f, slack = 2.0f;  // metres; edges are sampled
        const float lats[] = {latmin, latmax};
        const float lons[] = {lonmin, lonmax};
        float x_lo = 1e9f, x_hi = -1e9f, y_lo = 1e9f, y_hi = -1e9f;
        for (float lat : lats)
            for (float lon : lons) {
                float x = 0, y = 0;
                ASSERT_EQ(latlontoxy(lat, lon, x, y), 1);
                EXPECT_GE(x, -slack);
                EXPECT_LE(x, xs + slack);
                EXPECT_GE(y, -slack);
                EXPECT_LE(y, ys + slack);
                x_lo = std::min(x_lo, x);
                x_hi = std::max(x_hi, x);
                y_lo = std::min(y_lo, y);
                y_hi = std::max(y_hi, y);
            }
        // Each side of the box reaches the landscape's edge at some corner.
        EXPECT_LT(x_lo, 100.0f);
        EXPECT_GT(x_hi, xs - 100.0f);
        EXPECT_LT(y_lo, 100.0f);
        EXPECT_GT(y_hi, ys - 100.0f);
    }
}
