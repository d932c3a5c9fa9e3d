// The inversion of the coordinate library by Newton iteration, over
// libraries of known behaviour.

#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/console_capture.h"
#include "trackdiff/latlon_inversion.h"
#include "trackdiff/navicon_library.h"

namespace {

// A library of known behaviour: a linear map by default, counting its
// conversions and remembering the first point it was asked about.
struct FakeLib {
    static inline int conversions = 0;
    static inline float first_x = NAN, first_y = NAN;
    static inline bool constant = false;
    static void note(float x, float y) {
        if (conversions++ == 0) {
            first_x = x;
            first_y = y;
        }
    }
    static float lon(float x, float y) {
        note(x, y);
        return constant ? 1.0f : x / 1000.0f;
    }
    static float lat(float x, float y) {
        note(x, y);
        return constant ? 2.0f : y / 1000.0f;
    }
    static float max_x() { return 5000.0f; }
    static float max_y() { return 4000.0f; }
    static int32_t init(const char*) { return 42; }
};

class Inversion : public ::testing::Test {
protected:
    void SetUp() override {
        FakeLib::conversions = 0;
        FakeLib::first_x = FakeLib::first_y = NAN;
        FakeLib::constant = false;
        NaviCon_library lib;
        lib.NaviConInit = FakeLib::init;
        lib.XYToLon = FakeLib::lon;
        lib.XYToLat = FakeLib::lat;
        lib.GetMaxX = FakeLib::max_x;
        lib.GetMaxY = FakeLib::max_y;
        navicon_use(lib);
    }
    int32_t invert(float lat, float lon, float epsl, float& x, float& y, int32_t ndebug = 0) {
        int32_t r = -1;
        console = capture_console([&] { r = latlon2xy(lat, lon, epsl, x, y, ndebug); });
        return r;
    }
    std::string console;
};

TEST(M22inv, InverseOrSingular) {
    struct Case {
        Mat22 a;
        bool ok;
        Mat22 inv;
    };
    const Case cases[] = {
        {{{{1, 0}, {0, 1}}}, true, {{{1, 0}, {0, 1}}}},
        {{{{1, 2}, {2, 4}}}, false, {{{0, 0}, {0, 0}}}},
        {{{{2, 0}, {0, 4}}}, true, {{{0.5, 0}, {0, 0.25}}}},
        {{{{1, 2}, {3, 4}}}, true, {{{-2, 1}, {1.5, -0.5}}}},
        {{{{1e-11, 0}, {0, 1e-10}}}, false, {{{0, 0}, {0, 0}}}},  // determinant 1e-21
        {{{{NAN, 0}, {0, 1}}}, false, {{{0, 0}, {0, 0}}}},
    };
    for (const Case& c : cases) {
        Mat22 inv{{{9, 9}, {9, 9}}};
        bool ok = !c.ok;
        m22inv(c.a, inv, ok);
        EXPECT_EQ(ok, c.ok);
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) EXPECT_DOUBLE_EQ(inv[i][j], c.inv[i][j]) << i << j;
    }
}

TEST_F(Inversion, ALinearLibraryConvergesOnTheSecondPass) {
    float x = 100.0f, y = 100.0f;
    ASSERT_EQ(invert(2.5f, 1.25f, 1e-4f, x, y), 1);
    EXPECT_NEAR(x, 1250.0f, 0.05f);
    EXPECT_NEAR(y, 2500.0f, 0.05f);
    // Pass one: the point and the two offset points; pass two: the point.
    EXPECT_EQ(FakeLib::conversions, 8);
    // Every conversion prints its two lines.
    EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 16);
}

TEST_F(Inversion, AStartPointAlreadyOnTargetIsReturnedAfterTheClamp) {
    struct Case {
        float x0, y0, x, y;
    };
    const Case cases[] = {{1000, 2000, 1000, 2000}, {-500, 1e7f, 0, 4000}, {9000, -3, 5000, 0}};
    for (const Case& c : cases) {
        FakeLib::conversions = 0;
        float x = c.x0, y = c.y0;
        ASSERT_EQ(invert(c.y / 1000.0f, c.x / 1000.0f, 1e-4f, x, y), 1);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(FakeLib::first_x, c.x);
        EXPECT_EQ(FakeLib::first_y, c.y);
        EXPECT_EQ(FakeLib::conversions, 2);
    }
}

TEST_F(Inversion, NoConvergenceEndsAfterTwentyStepsWithTheStepsShortened) {
    // No error is within a negative tolerance.
    float x = 100.0f, y = 100.0f;
    ASSERT_EQ(invert(2.5f, 1.25f, -1.0f, x, y, 1), 0);
    EXPECT_EQ(FakeLib::conversions, 120);
    std::vector<std::string> urf;
    std::istringstream in(console);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("Under-relaxation factor : ", 0) == 0) urf.push_back(line.substr(26));
    const std::vector<std::string> expected{"0.900000", "0.800000", "0.700000", "0.600000",
                                            "0.500000", "0.400000", "0.300000", "0.250000",
                                            "0.250000", "0.250000", "0.250000"};
    EXPECT_EQ(urf, expected);
    EXPECT_NEAR(x, 1250.0f, 0.05f);
}

TEST_F(Inversion, ASingularJacobianGivesUpAtOnce) {
    FakeLib::constant = true;
    float x = 100.0f, y = 200.0f;
    ASSERT_EQ(invert(2.5f, 1.25f, 1e-4f, x, y), 0);
    EXPECT_EQ(x, 100.0f);
    EXPECT_EQ(y, 200.0f);
    EXPECT_EQ(FakeLib::conversions, 6);
}

TEST_F(Inversion, DiagnosticLines) {
    float x = 100.0f, y = 100.0f;
    ASSERT_EQ(invert(2.5f, 1.25f, 1e-4f, x, y, 1), 1);
    // The six arguments, then the first point's two conversions.
    EXPECT_EQ(console.substr(0, console.find("LON : ")), " 2.5 1.25 9.99999975e-05 100 100 1\n") << console;
    // The first point's errors, latitude first, in exponent notation.
    EXPECT_NE(console.find("\nLat/Lon errors :  -2.400000E+00  -1.150000E+00\n"), std::string::npos) << console;
    // The step: the step number, per axis the position, the extent and the
    // step; per quantity the value, the target and the error.
    EXPECT_TRUE(std::regex_search(console, std::regex("\n\n 1 100 5000 1150\\.[0-9]+ 100 4000 2400\\.[0-9]+\n"
                                                      " 0\\.100000001 1\\.25 -1\\.15 0\\.100000001 2\\.5 -2\\.4\n")))
        << console;
    const std::string e = " *-?[0-9]\\.[0-9]{6}E[-+][0-9]{2}";
    EXPECT_TRUE(std::regex_search(console, std::regex("\n\n1 iterations - Lon\\. err =" + e + " Lat\\. err =" + e +
                                                      " last DX = +1\\.15[0-9]{4}E\\+03 DY = +2\\.40[0-9]{4}E\\+03\n\n$")))
        << console;
}

TEST_F(Inversion, TheWrappersPrintAroundEachCall) {
    float r = 0;
    int32_t istat = 0;
    const std::string out = capture_console([&] {
        r = myXYToLon(1500.0f, 2000.0f);
        (void)myXYToLat(1500.0f, 2000.0f);
        myNaviConInit(istat, "land.trn");
    });
    EXPECT_EQ(r, 1.5f);
    EXPECT_EQ(istat, 42);
    EXPECT_EQ(out,
              "LON : 1500.000000 2000.000000 \n"
              "LON : 1500.000000 2000.000000 1.500000 \n"
              "Lat : 1500.000000 2000.000000 \n"
              "Lat : 1500.000000 2000.000000 2.000000 \n"
              "NaviConInit: TRNFile : land.trn\n");
}

}  // namespace
