// The UTM frame set up from a ".trn" terrain header, and the float32
// conversions through it.
#include "tracks/utm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "tests/common/console_capture.h"
#include "tests/tracks/terrain_fixtures.h"
#include "tests/tracks/utm_fixtures.h"
#include "tests/tracks/utm_reference.h"

namespace {

// One float32 step at the value's magnitude.
float f32_step(double v) {
    const float f = static_cast<float>(std::fabs(v));
    return std::nextafter(f, std::numeric_limits<float>::infinity()) - f;
}

// For an angle, the step at one degree at least: near 0 the float32 steps
// become finer than any projection's accuracy.
float angle_step(double v) { return f32_step(std::max(std::fabs(v), 1.0)); }

class UtmFrame : public InFreshUtm {
protected:
    // Writes a ".trn" header under `name` and sets the frame up from it.
    int32_t set_up(const std::string& name, const TrnFields& h, float& rxm, float& rym) {
        tmp.write(name, trn_bytes(h));
        return utm_init(name, rxm, rym);
    }

    std::string run_log() const { return tmp.read("Logfile.txt"); }
};

}  // namespace

TEST_F(UtmFrame, TrnHeaderSetsTheFrame) {
    struct Case {
        uint8_t zone;
        char letter;
        double rlon0;
        double n0;
    };
    const Case cases[] = {
        {32, 'N', 9.0, 0.0},          {1, 'S', -177.0, 10000000.0}, {31, 'S', 3.0, 10000000.0},
        {60, 'N', 177.0, 0.0},        {32, 's', 9.0, 0.0},          {32, ' ', 9.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "zone " << int(c.zone) << " letter '" << c.letter << "'");
        TrnFields h;
        h.zone = c.zone;
        h.letter = c.letter;
        h.orien = 12.5f;
        const std::string name = "z" + std::to_string(c.zone) + std::string(1, c.letter == ' ' ? 'b' : c.letter) + ".trn";
        float rxm = 0, rym = 0;
        ASSERT_EQ(set_up(name, h, rxm, rym), 1);
        EXPECT_EQ(rxm, 9000.0f);
        EXPECT_EQ(rym, 7200.0f);
        EXPECT_TRUE(utm001.initialized);
        EXPECT_EQ(utm000.nzon, c.zone);
        EXPECT_EQ(utm000.zlat, c.letter);
        EXPECT_EQ(utm000.rlon0, c.rlon0);
        EXPECT_EQ(utm000.n0, c.n0);
        EXPECT_EQ(utm000.orig_e, 600000.0);
        EXPECT_EQ(utm000.orig_n, 5100000.0);
        EXPECT_EQ(utm000.xmax, 9000.0);
        EXPECT_EQ(utm000.ymax, 7200.0);
        EXPECT_EQ(utm000.ori, 12.5f);
        EXPECT_EQ(fich_old, name);

        float xo = 0, yo = 0;
        char zla = 0;
        int8_t zlo = 0;
        utm_get_ori(xo, yo, zla, zlo);
        EXPECT_EQ(xo, 600000.0f);
        EXPECT_EQ(yo, 5100000.0f);
        EXPECT_EQ(zla, c.letter);
        EXPECT_EQ(zlo, c.zone);
    }
}

// Longitudes differ by a whole turn at the antimeridian.
static double lon_difference(double a, double b) { return std::remainder(a - b, 360.0); }

// Through the float32 interface a position is the exact one to within one
// float32 step.  The frame's origin is at (0, 0) so that X = -easting and
// Y = northing (false northing included).
TEST_F(UtmFrame, ConversionsWithinOneFloatStepOfExact) {
    const int zones[] = {1, 31, 32, 60};
    const float latitudes[] = {-80.0f, -46.5f, -20.0f, -0.5f, 0.5f, 20.0f, 46.5f, 80.0f};
    const float offsets[] = {-3.0f, -1.7f, 0.0f, 2.25f, 3.0f};
    for (int zone : zones)
        for (float lat : latitudes) {
            TrnFields h;
            h.zone = static_cast<uint8_t>(zone);
            h.letter = lat < 0 ? 'S' : 'N';
            h.orig_e = 0.0f;
            h.orig_n = 0.0f;
            float rxm = 0, rym = 0;
            ASSERT_EQ(set_up("z" + std::to_string(zone) + "_" + std::to_string(lat) + ".trn", h, rxm, rym), 1);
            const double n0 = lat < 0 ? 10000000.0 : 0.0;
            const double lon0 = central_meridian(zone);
            for (float off : offsets) {
                const float lon = static_cast<float>(lon0 + off);
                SCOPED_TRACE(testing::Message() << "zone " << zone << " lat " << lat << " lon " << lon);
                double x = 0, y = 0;
                exact_utm().Forward(lon0, lat, lon, x, y);
                const double want_x = -(x + 500000.0), want_y = y + n0;
                float rx = 0, ry = 0;
                ASSERT_EQ(latlontoxy(lat, lon, rx, ry), 1);
                EXPECT_LE(std::fabs(rx - want_x), f32_step(want_x));
                EXPECT_LE(std::fabs(ry - want_y), f32_step(want_y));

                // Backwards from the float32 position: the exact inverse of
                // that very position.
                double back_lat = 0, back_lon = 0;
                exact_utm().Reverse(lon0, -double(rx) - 500000.0, double(ry) - n0, back_lat, back_lon);
                float rlat = 0, rlon = 0;
                ASSERT_EQ(xytolatlon(rx, ry, rlat, rlon), 1);
                EXPECT_LE(std::fabs(rlat - back_lat), angle_step(back_lat));
                EXPECT_LE(std::fabs(lon_difference(rlon, back_lon)), angle_step(back_lon));
            }
        }
}

// In a landscape-sized frame, X/Y are fine enough for a round trip to give
// back the latitude and longitude to within one float32 step.
TEST_F(UtmFrame, RoundTripInsideALandscape) {
    struct Case {
        int zone;
        float lat, lon;
    };
    const Case cases[] = {{32, 46.5f, 9.3f}, {32, 44.1f, 6.2f}, {1, -45.2f, -179.5f}, {31, 0.3f, 0.5f},
                          {60, 64.0f, 179.9f}, {60, -33.3f, 175.1f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "zone " << c.zone << " lat " << c.lat << " lon " << c.lon);
        const double lon0 = central_meridian(c.zone);
        const double n0 = c.lat < 0 ? 10000000.0 : 0.0;
        double x = 0, y = 0;
        exact_utm().Forward(lon0, c.lat, c.lon, x, y);
        TrnFields h;
        h.zone = static_cast<uint8_t>(c.zone);
        h.letter = c.lat < 0 ? 'S' : 'N';
        // Origin some tens of kilometres to the south-east.
        h.orig_e = static_cast<float>(std::round((x + 500000.0) / 1000.0) * 1000.0 + 30000.0);
        h.orig_n = static_cast<float>(std::round((y + n0) / 1000.0) * 1000.0 - 40000.0);
        float rxm = 0, rym = 0;
        ASSERT_EQ(set_up("z" + std::to_string(c.zone) + "_" + std::to_string(c.lat) + ".trn", h, rxm, rym), 1);
        float rx = 0, ry = 0, rlat = 0, rlon = 0;
        ASSERT_EQ(latlontoxy(c.lat, c.lon, rx, ry), 1);
        EXPECT_GT(rx, 0.0f);
        EXPECT_GT(ry, 0.0f);
        ASSERT_EQ(xytolatlon(rx, ry, rlat, rlon), 1);
        EXPECT_LE(std::fabs(rlat - c.lat), angle_step(c.lat));
        EXPECT_LE(std::fabs(rlon - c.lon), angle_step(c.lon));
    }
}

TEST_F(UtmFrame, WorkedPointInLandscapeCoordinates) {
    TrnFields h;
    h.orig_e = 523000.0f;
    h.orig_n = 5149000.0f;
    float rxm = 0, rym = 0;
    ASSERT_EQ(set_up("alps.trn", h, rxm, rym), 1);
    float rx = 0, ry = 0;
    ASSERT_EQ(latlontoxy(46.5f, 9.3f, rx, ry), 1);
    // 9.3 as a float32 lies 1.9e-7 degrees east of 9.3: 1.5 cm here.
    EXPECT_NEAR(rx, 523000.0 - 523019.56 - 0.0146, 0.003);
    EXPECT_NEAR(ry, 5149647.07 - 5149000.0, 0.003);
    float rlat = 0, rlon = 0;
    ASSERT_EQ(xytolatlon(rx, ry, rlat, rlon), 1);
    EXPECT_FLOAT_EQ(rlat, 46.5f);
    EXPECT_FLOAT_EQ(rlon, 9.3f);
}

TEST_F(UtmFrame, HeaderTypeFromTheName) {
    struct Case {
        const char* name;
        int32_t result;
    };
    // The file always holds a valid ".trn" header: a name taken for a grid
    // fails to read it.
    const Case cases[] = {
        {"upper.TRN", 1},
        {"both.trn.asc", 1},
        {"both.asc.trn", 1},
        {"mixed.Trn", 0},
        {"plain.txt", 0},
        {"noext", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove("Logfile.txt");
        utm001.initialized = false;
        TrnFields h;
        float rxm = 0, rym = 0;
        begin_stdout_capture();
        EXPECT_EQ(set_up(c.name, h, rxm, rym), c.result);
        const std::string out = end_stdout_capture();
        EXPECT_NE(out.find(std::string("utm_init ") + c.name + "\n"), std::string::npos) << out;
        if (c.result == 0) {
            EXPECT_FALSE(utm001.initialized);
            EXPECT_NE(out.find(std::string("unrecognised file type ") + c.name + "\n"), std::string::npos) << out;
            EXPECT_EQ(run_log(), std::string("UTM unrecognised file type ") + c.name + "\r\n");
        }
    }
}

TEST_F(UtmFrame, SameNameIsNotReadAgain) {
    TrnFields h;
    float rxm = 0, rym = 0;
    ASSERT_EQ(set_up("land.trn", h, rxm, rym), 1);
    ASSERT_EQ(std::remove(tmp.file("land.trn").c_str()), 0);

    rxm = rym = 0;
    begin_stdout_capture();
    EXPECT_EQ(utm_init("land.trn   ", rxm, rym), 1);
    const std::string out = end_stdout_capture();
    EXPECT_NE(out.find("utm_init : ALREADY INITIALIZED T"), std::string::npos) << out;
    EXPECT_EQ(rxm, 9000.0f);
    EXPECT_EQ(rym, 7200.0f);
    // A different name is read, even when it differs only in case.
    EXPECT_EQ(utm_init("LAND.trn", rxm, rym), 0);
}

TEST_F(UtmFrame, FailedSetUpDisablesTheFrameAndKeepsTheOldName) {
    TrnFields h;
    float rxm = 0, rym = 0;
    ASSERT_EQ(set_up("land.trn", h, rxm, rym), 1);

    EXPECT_EQ(utm_init("sub/missing.trn", rxm, rym), 0);
    EXPECT_FALSE(utm001.initialized);
    EXPECT_EQ(fich_old, "land.trn");
    // The path stays whole on its line of the run log.
    EXPECT_NE(run_log().find("UTM unable to read sub/missing.trn\r\n"), std::string::npos) << run_log();

    // Without a frame the conversions refuse and leave their outputs alone.
    std::remove("Logfile.txt");
    float a = 1.5f, b = 2.5f;
    begin_stdout_capture();
    EXPECT_EQ(xytolatlon(0.0f, 0.0f, a, b), 0);
    EXPECT_EQ(latlontoxy(46.0f, 9.0f, a, b), 0);
    const std::string out = end_stdout_capture();
    EXPECT_EQ(a, 1.5f);
    EXPECT_EQ(b, 2.5f);
    EXPECT_EQ(out, "UTM NOT INITIALIZED\nUTM NOT INITIALIZED\n");
    EXPECT_EQ(run_log(), "UTM NOT INITIALIZED\r\nUTM NOT INITIALIZED\r\n");

    // The old name is read again, not taken as already set up.
    begin_stdout_capture();
    EXPECT_EQ(utm_init("land.trn", rxm, rym), 1);
    EXPECT_EQ(end_stdout_capture().find("ALREADY"), std::string::npos);
    EXPECT_TRUE(utm001.initialized);
}

TEST_F(UtmFrame, UnusableTrnHeadersFail) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        TrnFields h;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, auto change) {
        TrnFields h;
        change(h);
        cases.push_back({what, h});
    };
    add("zone 0", [](TrnFields& h) { h.zone = 0; });
    add("zone 61", [](TrnFields& h) { h.zone = 61; });
    add("zone byte 0xE0", [](TrnFields& h) { h.zone = 0xE0; });
    add("NaN easting", [&](TrnFields& h) { h.orig_e = nan; });
    add("infinite northing", [&](TrnFields& h) { h.orig_n = inf; });
    add("NaN cell size", [&](TrnFields& h) { h.rew = nan; });
    add("infinite cell size", [&](TrnFields& h) { h.rns = inf; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::remove("Logfile.txt");
        float rxm = 0, rym = 0;
        EXPECT_EQ(set_up("bad.trn", c.h, rxm, rym), 0);
        EXPECT_FALSE(utm001.initialized);
        EXPECT_NE(run_log().find("UTM unable to read bad.trn"), std::string::npos);
    }
}

TEST_F(UtmFrame, ShortTrnHeaderFailsAtEveryLength) {
    const std::string full = trn_bytes(TrnFields{});
    for (std::size_t n = 0; n < full.size(); ++n) {
        SCOPED_TRACE(n);
        tmp.write("short.trn", full.substr(0, n));
        float rxm = -1, rym = -1;
        EXPECT_EQ(utm_init("short.trn", rxm, rym), 0);
        EXPECT_FALSE(utm001.initialized);
    }
}

TEST_F(UtmFrame, DebugSwitchNotedInRunLogOnly) {
    begin_stdout_capture();
    utm_debug(7);
    EXPECT_TRUE(utm001.debug);
    utm_debug(0);
    EXPECT_FALSE(utm001.debug);
    EXPECT_EQ(end_stdout_capture(), "");
    EXPECT_EQ(run_log(), "UTM : Debug ACTIVATED\r\nUTM : Debug STOPPED\r\n");
}

TEST_F(UtmFrame, NulTerminatedName) {
    tmp.write("c.trn", trn_bytes(TrnFields{}));
    float rxm = 0, rym = 0;
    EXPECT_EQ(utm_init_c("c.trn", rxm, rym), 1);
    EXPECT_EQ(fich_old, "c.trn");
    EXPECT_EQ(rxm, 9000.0f);
    EXPECT_EQ(utm_init_c(nullptr, rxm, rym), 0);
}
