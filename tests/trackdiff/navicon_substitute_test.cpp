// The substitute coordinate library and the binding of the library.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "tests/common/console_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/tracks/terrain_fixtures.h"
#include "trackdiff/latlon_inversion.h"
#include "trackdiff/navicon_library.h"
#include "trackdiff/navicon_substitute.h"
#include "tracks/utm.h"

namespace {

class Substitute : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        TrnFields south;
        south.letter = 'S';
        south.zone = 19;
        south.orig_e = 400000.0f;
        south.orig_n = 6300000.0f;
        tmp.write("north.trn", trn_bytes(TrnFields{}));
        tmp.write("south.trn", trn_bytes(south));
        TrnFields no_zone;
        no_zone.zone = 0;
        tmp.write("nozone.trn", trn_bytes(no_zone));
    }
};

TEST_F(Substitute, ConvertsAsTheLandscapeFrameWithoutTouchingIt) {
    for (const char* name : {"north.trn", "south.trn"}) {
        const std::string trn = tmp.file(name);
        ASSERT_EQ(navicon_sub_init(trn.c_str()), 1) << name;
        EXPECT_FALSE(utm001.initialized) << "the converter's frame is not the substitute's";
        EXPECT_EQ(navicon_sub_max_x(), 9000.0f);
        EXPECT_EQ(navicon_sub_max_y(), 7200.0f);
        float rxm = 0, rym = 0;
        capture_console([&] { ASSERT_EQ(utm_init(trn, rxm, rym), 1); });
        for (float x : {0.0f, 4000.0f, 9000.0f})
            for (float y : {0.0f, 3000.0f, 7200.0f}) {
                float lat = 0, lon = 0;
                ASSERT_EQ(xytolatlon(x, y, lat, lon), 1);
                EXPECT_NEAR(navicon_sub_xy_to_lat(x, y), lat, 1e-6) << name << " " << x << " " << y;
                EXPECT_NEAR(navicon_sub_xy_to_lon(x, y), lon, 1e-6) << name << " " << x << " " << y;
            }
        utm001 = Utm001{};
        fich_old.clear();
    }
}

TEST_F(Substitute, AHeaderThatGivesNoFrameLeavesNone) {
    ASSERT_EQ(navicon_sub_init(tmp.file("north.trn").c_str()), 1);
    for (const std::string& name : {tmp.file("missing.trn"), tmp.file("nozone.trn")}) {
        EXPECT_EQ(navicon_sub_init(name.c_str()), 0) << name;
        EXPECT_EQ(navicon_sub_max_x(), 0.0f);
        EXPECT_EQ(navicon_sub_xy_to_lat(100.0f, 100.0f), 0.0f);
    }
    EXPECT_EQ(navicon_sub_init(nullptr), 0);
}

TEST_F(Substitute, WithoutTheDllTheSubstituteIsBoundOnFirstUse) {
    std::string out = capture_console([] { (void)navicon(); });
    EXPECT_EQ(out, "NaviCon : NaviCon.dll not available, the built-in conversion serves\n");
    out = capture_console([] { (void)navicon(); });
    EXPECT_EQ(out, "") << "bound once";

    int32_t istat = 0;
    const std::string trn = tmp.file("north.trn");
    capture_console([&] { myNaviConInit(istat, trn.c_str()); });
    EXPECT_EQ(istat, 1);
    EXPECT_EQ(navicon().GetMaxX(), 9000.0f);

    // The inversion over the substitute finds the point it converted.
    const float lat = navicon_sub_xy_to_lat(4000.0f, 3000.0f);
    const float lon = navicon_sub_xy_to_lon(4000.0f, 3000.0f);
    float x = 8000.0f, y = 500.0f;
    int32_t r = -1;
    capture_console([&] { r = latlon2xy(lat, lon, 1e-5f, x, y, 0); });
    EXPECT_EQ(r, 1);
    EXPECT_NEAR(x, 4000.0f, 2.0f);
    EXPECT_NEAR(y, 3000.0f, 2.0f);
}

}  // namespace
