// The ".trn", ".dem" and ASCII grid header readers.
#include "tracks/terrain_headers.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "tests/common/console_capture.h"
#include "tests/tracks/terrain_fixtures.h"
#include "tests/tracks/utm_fixtures.h"
#include "tracks/utm.h"

namespace {

using TerrainHeaders = InFreshUtm;

// The outputs of a grid reader, preset to marks that show what was stored.
struct GridOut {
    double latmin = -1, latmax = -1, lonmin = -1, lonmax = -1;
    int32_t ncol = -1, nrow = -1, nzon = -1;
    char zlat = '?';
};

int32_t read_asc(const std::string& name, GridOut& o) {
    return read_ascdem_hdr(name, o.latmin, o.latmax, o.lonmin, o.lonmax, o.ncol, o.nrow, o.nzon, o.zlat);
}
int32_t read_dem(const std::string& name, GridOut& o) {
    return read_dem_hdr(name, o.latmin, o.latmax, o.lonmin, o.lonmax, o.ncol, o.nrow, o.nzon, o.zlat);
}

}  // namespace

TEST_F(TerrainHeaders, TrnFields) {
    struct Case {
        int32_t ncol, nrow;
        float rew, rns;
        uint8_t zone;
        float xmax, ymax;
        int32_t nlon;
    };
    const Case cases[] = {
        {100, 80, 90.0f, 90.0f, 32, 9000.0f, 7200.0f, 32},
        {100, 80, -90.0f, -30.0f, 1, 9000.0f, 2400.0f, 1},
        {-100, 80, 90.0f, 30.0f, 60, 9000.0f, 2400.0f, 60},
        {100, 80, 90.0f, 90.0f, 0xE0, 9000.0f, 7200.0f, -32},
        {3, 7, 0.1f, 0.1f, 0xFF, 3 * 0.1f, 7 * 0.1f, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ncol << " x " << c.rew << ", " << c.nrow << " x " << c.rns);
        TrnFields h;
        h.ncol = c.ncol;
        h.nrow = c.nrow;
        h.rew = c.rew;
        h.rns = c.rns;
        h.zone = c.zone;
        h.orien = 3.25f;
        h.letter = 'S';
        tmp.write("t.trn", trn_bytes(h));
        float xmax = 0, ymax = 0, oe = 0, on = 0, orien = 0;
        int32_t nlon = 0;
        char zlat = 0;
        ASSERT_EQ(read_trn_hdr("t.trn", xmax, ymax, oe, on, orien, nlon, zlat), 0);
        EXPECT_EQ(xmax, c.xmax);
        EXPECT_EQ(ymax, c.ymax);
        EXPECT_EQ(oe, 600000.0f);
        EXPECT_EQ(on, 5100000.0f);
        EXPECT_EQ(orien, 3.25f);
        EXPECT_EQ(nlon, c.nlon);
        EXPECT_EQ(zlat, 'S');
    }
}

TEST_F(TerrainHeaders, ShortOrMissingBinaryHeaders) {
    const std::string trn = trn_bytes(TrnFields{});
    for (std::size_t n = 0; n < trn.size(); ++n) {
        SCOPED_TRACE(testing::Message() << "trn of " << n << " bytes");
        tmp.write("s.trn", trn.substr(0, n));
        float xmax = -1, ymax = -1, oe = -1, on = -1, orien = -1;
        int32_t nlon = -1;
        char zlat = '?';
        EXPECT_EQ(read_trn_hdr("s.trn", xmax, ymax, oe, on, orien, nlon, zlat), io_end_of_file);
        EXPECT_EQ(xmax, -1.0f);
        EXPECT_EQ(nlon, -1);
        EXPECT_EQ(zlat, '?');
    }
    const std::string dem = dem_bytes(DemFields{});
    for (std::size_t n = 0; n < dem.size(); ++n) {
        SCOPED_TRACE(testing::Message() << "dem of " << n << " bytes");
        tmp.write("s.dem", dem.substr(0, n));
        GridOut o;
        EXPECT_EQ(read_dem("s.dem", o), io_end_of_file);
        EXPECT_EQ(o.latmin, -1.0);
        EXPECT_EQ(o.nzon, -1);
    }

    // A missing file or a folder: a positive status, nothing stored.
    tmp.write("folder.dem/x", "");
    for (const char* name : {"missing.trn", "folder.dem"}) {
        SCOPED_TRACE(name);
        float xmax = -1, ymax = -1, oe = -1, on = -1, orien = -1;
        int32_t nlon = -1;
        char zlat = '?';
        EXPECT_GT(read_trn_hdr(name, xmax, ymax, oe, on, orien, nlon, zlat), 0);
        EXPECT_EQ(xmax, -1.0f);
        GridOut o;
        const int32_t status = read_dem(name, o);
        EXPECT_GT(status, 0);
        // The ASCII grid reports the same open failure, not missing keys.
        EXPECT_EQ(read_asc(name, o), status);
        EXPECT_EQ(o.nzon, -1);
    }
}

#ifndef _WIN32
// A pipe under a header's name is refused at once: opening it for reading
// would wait for a writer that never comes.
TEST_F(TerrainHeaders, PipeIsNoHeaderFile) {
    for (const char* name : {"pipe.trn", "pipe.dem", "pipe.asc"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(mkfifo(name, 0600), 0);
        float xmax = -1, ymax = -1, oe = -1, on = -1, orien = -1;
        int32_t nlon = -1;
        char zlat = '?';
        GridOut o;
        EXPECT_GT(read_trn_hdr(name, xmax, ymax, oe, on, orien, nlon, zlat), 0);
        EXPECT_GT(read_dem(name, o), 0);
        const int32_t status = read_asc(name, o);
        EXPECT_GT(status, 0);
        EXPECT_NE(status, io_missing_keys);
    }
}
#endif

TEST_F(TerrainHeaders, AsciiGridConsoleLines) {
    tmp.write("g.asc", "ncols 10   \nnrows 20\nxllcorner 6.5\nyllcorner 44.0\ncellsize 0.5\nNODATA_value -9999\n");
    GridOut o;
    begin_stdout_capture();
    const int32_t read_status = read_asc("g.asc", o);
    std::string out = end_stdout_capture();
    ASSERT_EQ(read_status, 0) << out;
    EXPECT_EQ(out.rfind("read_ascdem_hdr\nncols 10\nnrows 20\n", 0), 0u) << out;
    EXPECT_NE(out.find("\nNODATA_value -9999\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n NZON 32 6.5 11.5 "), std::string::npos) << out;
    EXPECT_EQ(out.substr(out.size() - 7), " IOS 0\n") << out;

    begin_stdout_capture();
    const int32_t status = read_asc("missing.asc", o);
    out = end_stdout_capture();
    EXPECT_GT(status, 0);
    EXPECT_EQ(out, "read_ascdem_hdr\n IOS " + std::to_string(status) + "\n");
}

TEST_F(TerrainHeaders, DemFieldsWithZoneAndHemisphere) {
    tmp.write("g.dem", dem_bytes(DemFields{}));
    GridOut o;
    ASSERT_EQ(read_dem("g.dem", o), 0);
    EXPECT_EQ(o.lonmin, 6.0);
    EXPECT_EQ(o.lonmax, 12.0);
    EXPECT_EQ(o.latmax, 48.0);
    EXPECT_EQ(o.latmin, 44.0);
    EXPECT_EQ(o.ncol, 7200);
    EXPECT_EQ(o.nrow, 4800);
    EXPECT_EQ(o.nzon, 32);
    EXPECT_EQ(o.zlat, 'N');
}

TEST(GridZone, FromTheBoxCentre) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double latmin, latmax, lonmin, lonmax;
        int32_t nzon;
        char zlat;
    };
    const Case cases[] = {
        {44.0, 48.0, 6.0, 12.0, 32, 'N'},   {46.0, 47.0, 9.0, 9.6, 32, 'N'},    // centre 9.3
        {-1.0, 1.0, -0.5, 0.5, 31, 'S'},    // centre 0: a halfway quotient rounds up; equator is south
        {10.0, 11.0, 5.0, 7.0, 32, 'N'},    // centre 6: a halfway quotient
        {-48.0, -44.0, 144.0, 150.0, 55, 'S'}, {-20.0, -19.0, -180.0, -178.0, 1, 'S'},
        {60.0, 61.0, 179.0, 180.0, 60, 'N'},
        {60.0, 61.0, 180.0, 181.0, 61, 'N'},  // beyond zone 60: the set-up refuses it
        {0.0, 1.0, nan, 1.0, 0, 'N'},       {nan, 1.0, 1.0, 2.0, 31, 'S'},
        {0.0, 1.0, 1e300, 1e300, 0, 'N'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.latmin << ".." << c.latmax << " " << c.lonmin << ".." << c.lonmax);
        int32_t nzon = -1;
        char zlat = '?';
        double q = 0;
        grid_zone(c.latmin, c.latmax, c.lonmin, c.lonmax, nzon, zlat, q);
        EXPECT_EQ(nzon, c.nzon);
        EXPECT_EQ(zlat, c.zlat);
    }
}

TEST_F(TerrainHeaders, AsciiGridHeader) {
    tmp.write("g.asc", asc_text(7200, 4800, "6.0", "44.0", "8.3333333333333E-04"));
    GridOut o;
    ASSERT_EQ(read_asc("g.asc", o), 0);
    EXPECT_EQ(o.ncol, 7200);
    EXPECT_EQ(o.nrow, 4800);
    EXPECT_EQ(o.lonmin, 6.0);
    EXPECT_EQ(o.latmin, 44.0);
    EXPECT_NEAR(o.lonmax, 12.0, 1e-9);
    EXPECT_NEAR(o.latmax, 48.0, 1e-9);
    EXPECT_EQ(o.nzon, 32);
    EXPECT_EQ(o.zlat, 'N');
}

TEST_F(TerrainHeaders, AsciiGridHeaderVariants) {
    const std::string five = "ncols 10\nnrows 20\nxllcorner 6.5\nyllcorner -44.0\ncellsize 0.5\n";
    struct Case {
        const char* what;
        std::string text;
        int32_t status;  // io_end_of_file stands for any negative status
    };
    const Case cases[] = {
        {"no-data line first", "NODATA_value -9999\n" + five, 0},
        {"CR LF line ends, values after commas", "ncols 10,\r\nnrows 20\r\nxllcorner 6.5\r\nyllcorner -44.0\r\n"
                                                 "cellsize 0.5\r\n\r\n", 0},
        {"last line without a line end", five + "NODATA_value -9999", 0},
        {"only the five key lines", five, io_end_of_file},
        {"upper-case keys", "NCOLS 10\nNROWS 20\nXLLCORNER 6.5\nYLLCORNER -44.0\nCELLSIZE 0.5\n\n", io_missing_keys},
        {"key in the seventh line", "a\nb\nncols 10\nnrows 20\nxllcorner 6.5\nyllcorner -44.0\ncellsize 0.5\n",
         io_missing_keys},
        {"key twice, another missing", "ncols 10\nncols 10\nnrows 20\nxllcorner 6.5\nyllcorner -44.0\n\n",
         io_missing_keys},
        {"key twice, all present", five + "ncols 10\n", io_missing_keys},
        {"integer written with a point", "ncols 10.0\nnrows 20\nxllcorner 6.5\nyllcorner -44.0\ncellsize 0.5\n\n",
         io_missing_keys},
        {"value not a number", "ncols ten\nnrows 20\nxllcorner 6.5\nyllcorner -44.0\ncellsize 0.5\n\n",
         io_missing_keys},
        {"value beyond column 80", "ncols 10\nnrows 20\nxllcorner 6.5\nyllcorner -44.0\ncellsize" +
                                       std::string(75, ' ') + "0.5\n\n", io_missing_keys},
        {"empty file", "", io_missing_keys},
        {"binary bytes", dem_bytes(DemFields{}), io_missing_keys},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tmp.write("v.asc", c.text);
        GridOut o;
        const int32_t status = read_asc("v.asc", o);
        if (c.status == io_end_of_file)
            EXPECT_LT(status, 0);
        else
            EXPECT_EQ(status, c.status);
        if (status == 0) {
            EXPECT_EQ(o.ncol, 10);
            EXPECT_EQ(o.nrow, 20);
            EXPECT_EQ(o.lonmin, 6.5);
            EXPECT_EQ(o.lonmax, 11.5);
            EXPECT_EQ(o.latmin, -44.0);
            EXPECT_EQ(o.latmax, -34.0);
            EXPECT_EQ(o.zlat, 'S');
            EXPECT_EQ(o.nzon, 32);
        } else {
            EXPECT_EQ(o.ncol, -1);
            EXPECT_EQ(o.nzon, -1);
        }
    }
}
