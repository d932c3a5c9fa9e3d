// The report's name and lines.

#include <string>

#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"
#include "trackdiff/diff_report.h"

namespace {

TEST(DiffReport, NameFromBothLogs) {
    struct Case {
        const char* ff1;
        const char* ff2;
        const char* name;
    };
    const Case cases[] = {
        {"run1.igc", "run2.igc", "run1-run2_igc_diff.txt"},
        {"a.IGC", "b.IGC", "-_igc_diff.txt"},               // the search is case-sensitive
        {"a.igc", "b", "a-_igc_diff.txt"},
        {"a.igc.bak", "b.igc.old", "a-b_igc_diff.txt"},     // up to the first ".igc"
        {"run1.igc   ", "run2.igc  ", "run1-run2_igc_diff.txt"},
        // The report lands beside the first log: the second log's folders
        // do not count.
        {"flights/a.igc", "flights/b.igc", "flights/a-b_igc_diff.txt"},
        {"/x/y/a.igc", "../other/b.igc", "/x/y/a-b_igc_diff.txt"},
        {"a.igc", "x.igc/b.igc", "a-b_igc_diff.txt"},
        {"", "", "-_igc_diff.txt"},
    };
    // Written with "/", checked with the platform's separator.
    for (const Case& c : cases)
        EXPECT_EQ(report_name(native_path(c.ff1), native_path(c.ff2)), native_path(c.name)) << c.ff1 << " " << c.ff2;
}

TEST(DiffReport, ASlashSeparatesFoldersOnEveryPlatform) {
    // Windows takes "/" as well as its own separator, so the second log's
    // folders typed with "/" do not count there either.
    EXPECT_EQ(report_name("flights/a.igc", "flights/b.igc"), "flights/a-b_igc_diff.txt");
    EXPECT_EQ(report_name("a.igc", "../other/b.igc"), "a-b_igc_diff.txt");
    EXPECT_EQ(report_name("a.igc", "x/"), "a-_igc_diff.txt");
    EXPECT_EQ(report_name(native_path("x/a.igc"), native_path("y/z/b.igc")), native_path("x/a-b_igc_diff.txt"));
}

TEST(DiffReport, FieldsOfNineSignificantDigits) {
    struct Case {
        float v;
        const char* text;
    };
    const Case cases[] = {
        {43200.0f, "      43200.0000    "},
        {0.0f, "      0.00000000    "},
        {0.5f, "     0.500000000    "},
        {0.001f, "      1.00000005E-03"},
        {-2.5e-6f, "     -2.49999994E-06"},
        {-812.5f, "     -812.500000    "},
        {2e9f, "      2.00000000E+09"},
    };
    for (const Case& c : cases) EXPECT_EQ("    " + report_field(c.v), c.text) << c.v;
}

TEST(DiffReport, LineOfFourFields) {
    const std::string l = report_line({43200.0f, 0.001f, -2.5e-6f, 0.5f});
    EXPECT_EQ(l.size(), 68u);
    EXPECT_EQ(l, "   43200.0000       1.00000005E-03  -2.49999994E-06  0.500000000    ");
}

}  // namespace
