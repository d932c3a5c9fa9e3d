// The console lines of the comparison.

#include <string>

#include <gtest/gtest.h>

#include "trackdiff/diff_console.h"

namespace {

/// The text in columns first..last (1-based) of a line.
std::string cols(const std::string& s, std::size_t first, std::size_t last) {
    return s.substr(first - 1, last - first + 1);
}

TEST(DiffConsole, CountLines) {
    EXPECT_EQ(count_line("time matches", 3600), " time matches        = 3600");
    EXPECT_EQ(count_line("data matches", 0), " data matches        =    0");
    // Counts too wide for their five columns are printed whole.
    const struct {
        int64_t count;
        const char* line;
    } wide[] = {
        {99999, " time matches        =99999"},
        {100000, " time matches        =100000"},
        {1000000, " time matches        =1000000"},
        {2147483647, " time matches        =2147483647"},
    };
    for (const auto& c : wide) EXPECT_EQ(count_line("time matches", c.count), c.line);
    Match_result r;
    r.nsom = 7;
    r.nsom_m = 5;
    const std::vector<std::string> l = count_lines(r);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0], " time matches        =    7");
    EXPECT_EQ(l[2], " different fixes     =    2");
}

TEST(DiffConsole, TableOfDifferences) {
    Match_result r;
    r.nsom = 4;
    r.emin = {0.0f, 1.234e-7f, 0.0f};
    r.emax = {1.2345e-4f, 2e-6f, 12.5f};
    r.esom = {4e-8f, 0.0f, 4.0f};
    const std::vector<std::string> l = difference_lines(r);
    ASSERT_EQ(l.size(), 7u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1], "Differences :");
    EXPECT_EQ(l[2], "");
    const std::string& h = l[3];
    EXPECT_EQ(cols(h, 7, 14), "Lat(deg)");
    EXPECT_EQ(cols(h, 18, 25), "Lat(sec)");
    EXPECT_EQ(cols(h, 29, 36), "Lon(deg)");
    EXPECT_EQ(cols(h, 40, 47), "Lon(sec)");
    EXPECT_EQ(cols(h, 52, 57), "Alt(m)");
    EXPECT_EQ(l[4], "Min  0.000E+00    0.00000  1.234E-07    0.00044    0.00000");
    EXPECT_EQ(l[5], "RMS  1.000E-04    0.36000  0.000E+00    0.00000    1.00000");
    // 1.2345e-4f is just below 1.2345e-4.
    EXPECT_EQ(l[6], "Max  1.234E-04    0.44442  2.000E-06    0.00720   12.50000");
}

TEST(DiffConsole, ArcSecondsAreTheSinglePrecisionProducts) {
    // The exact products are 8.1604247... and 6.1591850...; rounded to single
    // precision they are 8.1604251... and 6.1591849...
    const std::string row = difference_row("Max", 0.0022667846642434597f, 0.0017108847387135029f, 0.0f);
    EXPECT_EQ(cols(row, 16, 25), "   8.16043");
    EXPECT_EQ(cols(row, 38, 47), "   6.15918");
}

TEST(DiffConsole, AValueTooWideForItsColumnsShowsAsterisks) {
    const std::string row = difference_row("Max", 1.0f, 0.0f, 123456.0f);
    EXPECT_EQ(cols(row, 16, 25), "3600.00000");
    EXPECT_EQ(cols(row, 49, 58), "**********");
}

}  // namespace
