// The comparison program from its command line to its report and console.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/stop.h"
#include "tests/common/console_capture.h"
#include "tests/common/igc_text.h"
#include "tests/common/igc_sandbox.h"
#include "trackdiff/trackdiff_run.h"

namespace {

class Trackdiff : public InIgcSandbox {
protected:
    int32_t run(const std::string& a, const std::string& b) {
        int32_t status = -99;
        console = capture_console([&] { status = trackdiff_run(a, b); });
        return status;
    }
    static bool exists(const std::string& p) { return std::filesystem::exists(p); }
};

const std::vector<igc_text_fix> flight = igc_text_flight(43200, 60);

TEST_F(Trackdiff, ALogAgainstItselfMatchesEveryFix) {
    tmp.write("a.igc", igc_text_log(flight));
    tmp.write("b.igc", igc_text_log(flight));
    ASSERT_EQ(run("a.igc", "b.igc"), 0);
    EXPECT_TRUE(exists("a-b_igc_diff.txt"));
    EXPECT_EQ(tmp.read("a-b_igc_diff.txt"), "");
    // The counts, an empty line and the table end the output.
    EXPECT_TRUE(console.ends_with(" time matches        =   60\n data matches        =   60\n different fixes     =    0\n"
                                  "\nDifferences :\n\n      Lat(deg)   Lat(sec)   Lon(deg)   Lon(sec)    Alt(m)\n"
                                  "Min  0.000E+00    0.00000  0.000E+00    0.00000    0.00000\n"
                                  "RMS  0.000E+00    0.00000  0.000E+00    0.00000    0.00000\n"
                                  "Max  0.000E+00    0.00000  0.000E+00    0.00000    0.00000\n"))
        << console;
    EXPECT_FALSE(printed("different number of fixes"));
    // The coordinate library is not bound by a comparison.
    EXPECT_FALSE(printed("NaviCon"));
}

TEST_F(Trackdiff, AChangedCopyReportsTheChangedFixes) {
    std::vector<igc_text_fix> changed = flight;
    changed[10].alt += 3;     // 43210
    changed[20].lat += 0.01;  // 43220
    tmp.write("a.igc", igc_text_log(flight));
    tmp.write("b.igc", igc_text_log(changed));
    ASSERT_EQ(run("a.igc", "b.igc"), 0);
    const std::string report = tmp.read("a-b_igc_diff.txt");
    // Two lines of 68 characters and CR LF, in the first log's order; the
    // latitude difference is that of the two single-precision latitudes.
    ASSERT_EQ(report.size(), 2u * 70u) << report;
    EXPECT_EQ(report.substr(0, 70),
              "   43210.0000       0.00000000       0.00000000      -3.00000000    \r\n");
    EXPECT_EQ(report.substr(70, 25), "   43220.0000      -1.000");
    EXPECT_EQ(report.substr(70 + 34), "   0.00000000       0.00000000    \r\n");
    EXPECT_TRUE(printed(" time matches        =   60\n data matches        =   58\n different fixes     =    2\n"))
        << console;
    EXPECT_TRUE(printed("\nMax  1.000E-02   36.0") && printed("0.000E+00    0.00000    3.00000\n")) << console;
}

TEST_F(Trackdiff, MissingTimesAndAnEarlierStart) {
    std::vector<igc_text_fix> gap;
    for (const igc_text_fix& p : flight)
        if (p.t != 43230) gap.push_back(p);
    const std::vector<igc_text_fix> late(flight.begin() + 15, flight.end());
    tmp.write("a.igc", igc_text_log(flight));
    tmp.write("gap.igc", igc_text_log(gap));
    tmp.write("late.igc", igc_text_log(late));
    ASSERT_EQ(run("a.igc", "gap.igc"), 0);
    EXPECT_TRUE(printed(" different number of fixes\n"));
    // A line of its own after both logs were read, just before the counts.
    const std::size_t line = console.find("\n different number of fixes\n time matches");
    ASSERT_NE(line, std::string::npos) << console;
    EXPECT_GT(line, console.rfind(" fixes read")) << console;
    EXPECT_TRUE(printed(" time matches        =   59\n data matches        =   59\n")) << console;
    EXPECT_EQ(tmp.read("a-gap_igc_diff.txt"), "");
    ASSERT_EQ(run("a.igc", "late.igc"), 0);
    EXPECT_TRUE(printed("\n different number of fixes\n")) << console;
    EXPECT_TRUE(printed(" time matches        =   45\n data matches        =   45\n")) << console;
}

TEST_F(Trackdiff, NoCommonTimePrintsTheCountsAlone) {
    tmp.write("a.igc", igc_text_log(igc_text_flight(1000, 5)));
    tmp.write("b.igc", igc_text_log(igc_text_flight(5000, 5)));
    ASSERT_EQ(run("a.igc", "b.igc"), 0);
    EXPECT_TRUE(printed(" time matches        =    0\n data matches        =    0\n different fixes     =    0\n"));
    EXPECT_FALSE(printed("Differences"));
}

TEST_F(Trackdiff, ALogAcrossMidnightMatchesItself) {
    const std::vector<igc_text_fix> night = igc_text_flight(86400 - 30, 60);
    tmp.write("n1.igc", igc_text_log(night));
    tmp.write("n2.igc", igc_text_log(night));
    ASSERT_EQ(run("n1.igc", "n2.igc"), 0);
    EXPECT_TRUE(printed(" time matches        =   60\n data matches        =   60\n")) << console;
}

TEST_F(Trackdiff, TheReportIsReplacedAndNamedBesideTheFirstLog) {
    tmp.write("flights/a.igc", igc_text_log(flight));
    tmp.write("flights/b.igc", igc_text_log(flight));
    tmp.write("flights/a-b_igc_diff.txt", "old line\r\n");
    ASSERT_EQ(run(native_path("flights/a.igc"), native_path("flights/b.igc")), 0);
    EXPECT_TRUE(exists("flights/a-b_igc_diff.txt"));
    EXPECT_EQ(tmp.read("flights/a-b_igc_diff.txt"), "");

    tmp.write("a.IGC", igc_text_log(flight));
    tmp.write("b.IGC", igc_text_log(flight));
    ASSERT_EQ(run("a.IGC", "b.IGC"), 0);
    EXPECT_TRUE(exists("-_igc_diff.txt"));
}

TEST_F(Trackdiff, ALogThatCannotBeReadEndsWithAnError) {
    tmp.write("a.igc", igc_text_log(flight));
    tmp.write("a-missing_igc_diff.txt", "earlier report\r\n");
    ASSERT_EQ(run("a.igc", "missing.igc"), exit_error);
    EXPECT_TRUE(printed(" different number of fixes\n"));
    EXPECT_TRUE(printed(" time matches        =    0\n")) << console;
    EXPECT_TRUE(printed("trackdiff : cannot read missing.igc (status 2)\n")) << console;
    EXPECT_FALSE(printed("cannot read a.igc"));
    EXPECT_EQ(tmp.read("a-missing_igc_diff.txt"), "earlier report\r\n");

    ASSERT_EQ(run("gone.igc", "a.igc"), exit_error);
    EXPECT_TRUE(printed("trackdiff : cannot read gone.igc (status 2)\n")) << console;
    EXPECT_FALSE(exists("gone-a_igc_diff.txt"));
}

TEST_F(Trackdiff, MissingArgumentsAreBlankNamesThatCannotBeRead) {
    int32_t status = -99;
    const char* argv[] = {"trackdiff", nullptr};
    console = capture_console([&] { status = trackdiff_main(1, argv); });
    EXPECT_EQ(status, exit_error);
    EXPECT_TRUE(printed("trackdiff : cannot read  (status 2)\n")) << console;
}

TEST_F(Trackdiff, AReportThatCannotBeCreatedIsSaidAndTheStatisticsStillPrinted) {
    tmp.write("a.igc", igc_text_log(flight));
    tmp.write("b.igc", igc_text_log(flight));
    ASSERT_TRUE(std::filesystem::create_directory(tmp.file("a-b_igc_diff.txt")));
    ASSERT_EQ(run("a.igc", "b.igc"), exit_write_failed);
    EXPECT_TRUE(printed("trackdiff : cannot write the report a-b_igc_diff.txt\n")) << console;
    EXPECT_TRUE(printed(" time matches        =   60\n")) << console;
    EXPECT_TRUE(printed("Differences :")) << console;
}

}  // namespace
