// trackdiff's binding to the coordinate library NaviCon.dll
// (trackdiff/navicon_library.h) with a library there: a stand-in of known
// behaviour (navicon_standin/navicon_standin.cpp) put in the working folder,
// where the system looks for a library loaded by its bare name, is bound
// and used; one that lacks a function, and none at all, leave the built-in
// substitute.  The binding is made once per run: each case is a test of
// its own, and each test runs in a process of its own.
#include <windows.h>

#include <array>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "tests/common/console_capture.h"
#include "tests/common/temp_dir.h"
#include "trackdiff/latlon_inversion.h"
#include "trackdiff/navicon_library.h"
#include "trackdiff/navicon_substitute.h"

#if !defined(NAVICON_STANDIN) || !defined(NAVICON_STANDIN_INCOMPLETE)
#error "NAVICON_STANDIN and NAVICON_STANDIN_INCOMPLETE must name the built stand-ins"
#endif

namespace {

struct Library_case {
    const char* label;
    const char* dll;  // copied as NaviCon.dll into the working folder; null: none
    bool bound;       // the library is bound rather than the substitute
};

// Named by its label in the test list.
void PrintTo(const Library_case& c, std::ostream* os) { *os << c.label; }

using Functions = std::array<void*, 5>;

Functions functions(const NaviCon_library& l) {
    return {reinterpret_cast<void*>(l.NaviConInit), reinterpret_cast<void*>(l.XYToLon),
            reinterpret_cast<void*>(l.XYToLat), reinterpret_cast<void*>(l.GetMaxX),
            reinterpret_cast<void*>(l.GetMaxY)};
}

Functions exported(HMODULE h) {
    Functions f{};
    const char* names[] = {"NaviConInit", "XYToLon", "XYToLat", "GetMaxX", "GetMaxY"};
    for (std::size_t i = 0; i < f.size(); ++i) f[i] = reinterpret_cast<void*>(GetProcAddress(h, names[i]));
    return f;
}

class NaviConDll : public InTempDir, public ::testing::WithParamInterface<Library_case> {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        if (GetParam().dll) {
            ASSERT_TRUE(CopyFileA(GetParam().dll, "NaviCon.dll", TRUE)) << GetParam().dll;
        }
    }
    void TearDown() override {
        // Unloaded, so that its file goes with the folder.
        if (HMODULE h = GetModuleHandleA("NaviCon.dll")) FreeLibrary(h);
        InTempDir::TearDown();
    }
};

TEST_P(NaviConDll, BoundOnFirstUseOnlyWhenWhole) {
    const Library_case& c = GetParam();
    const std::string said = capture_console([] { (void)navicon(); });
    EXPECT_EQ(said, c.bound ? "NaviCon : NaviCon.dll bound\n"
                            : "NaviCon : NaviCon.dll not available, the built-in conversion serves\n");
    const Functions in_use = functions(navicon());
    if (!c.bound) {
        // All five of the substitute: none taken from an incomplete library.
        EXPECT_EQ(in_use, functions(navicon_substitute()));
        return;
    }
    const HMODULE h = GetModuleHandleA("NaviCon.dll");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(in_use, exported(h));

    // The wrappers and the inversion go through the library's own map.
    int32_t istat = 0;
    capture_console([&] { myNaviConInit(istat, "land.trn"); });
    EXPECT_EQ(istat, 1008);
    float lon = 0, lat = 0;
    const std::string lines = capture_console([&] {
        lon = myXYToLon(5000.0f, 2000.0f);
        lat = myXYToLat(5000.0f, 2000.0f);
    });
    EXPECT_FLOAT_EQ(lon, 7.5f);
    EXPECT_FLOAT_EQ(lat, 46.1f);
    EXPECT_NE(lines.find("LON : 5000.000000 2000.000000 7.500000 \n"), std::string::npos) << lines;
    // A start beyond the library's 30 km of X is first moved onto it.
    float x = 99999.0f, y = 100.0f;
    int32_t r = -1;
    capture_console([&] { r = latlon2xy(46.25f, 8.5f, 1e-4f, x, y, 0); });
    EXPECT_EQ(r, 1);
    EXPECT_NEAR(x, 15000.0f, 2.0f);
    EXPECT_NEAR(y, 5000.0f, 2.0f);
}

INSTANTIATE_TEST_SUITE_P(Libraries, NaviConDll,
                         ::testing::Values(Library_case{"Whole", NAVICON_STANDIN, true},
                                           Library_case{"WithoutGetMaxY", NAVICON_STANDIN_INCOMPLETE, false},
                                           Library_case{"None", nullptr, false}),
                         [](const ::testing::TestParamInfo<Library_case>& i) { return std::string(i.param.label); });

}  // namespace
