// The comparison program from its command line to its report and console.

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/error_note.h"
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

// Every fix of the first log finds its partner wherever it stands in the
// second log, and the counts, statistics and report are those of the
// second log in time order.
TEST_F(Trackdiff, PairsAreFoundWhateverTheOrderOfTheSecondLog) {
    // From 08:16:00, every tenth second missing from the second log (those
    // whose count from the start ends in 9), and some fixes changed.
    const std::vector<igc_text_fix> first = igc_text_flight(8 * 3600 + 16 * 60, 120);
    std::vector<igc_text_fix> ordered;
    for (const igc_text_fix& p : first)
        if (p.t % 10 != 9) ordered.push_back(p);
    for (std::size_t i = 0; i < ordered.size(); i += 13) ordered[i].alt += 2;
    for (std::size_t i = 5; i < ordered.size(); i += 17) ordered[i].lon -= 0.001;
    tmp.write("first.igc", igc_text_log(first));
    tmp.write("ordered.igc", igc_text_log(ordered));
    ASSERT_EQ(run("first.igc", "ordered.igc"), 0);
    ASSERT_TRUE(printed(" time matches        =  108\n data matches        =   93\n different fixes     =   15\n"))
        << console;
    const std::string counts = console.substr(console.find(" time matches"));
    const std::string report = tmp.read("first-ordered_igc_diff.txt");

    std::vector<igc_text_fix> step_back = ordered, shuffled = ordered, reversed(ordered.rbegin(), ordered.rend());
    // 08:16:41 written before 08:16:40.
    const auto at_40 = std::find_if(step_back.begin(), step_back.end(),
                                    [](const igc_text_fix& p) { return p.t == 8 * 3600 + 16 * 60 + 40; });
    std::iter_swap(at_40, at_40 + 1);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    const struct {
        const char* name;
        const std::vector<igc_text_fix>& fixes;
    } cases[] = {{"step_back", step_back}, {"shuffled", shuffled}, {"reversed", reversed}};
    for (const auto& c : cases) {
        tmp.write(std::string(c.name) + ".igc", igc_text_log(c.fixes));
        ASSERT_EQ(run("first.igc", std::string(c.name) + ".igc"), 0) << c.name;
        EXPECT_EQ(console.substr(console.find(" time matches")), counts) << c.name;
        EXPECT_EQ(tmp.read("first-" + std::string(c.name) + "_igc_diff.txt"), report) << c.name;
    }
}

// More than 27.7 hours at one fix a second: counts too wide for their five
// columns are printed whole, those that fit keep their columns.
TEST_F(Trackdiff, CountsBeyondFiveDigitsArePrintedWhole) {
    std::vector<igc_text_fix> day = igc_text_flight(43200, 100001);
    tmp.write("a.igc", igc_text_log(day));
    day[5].alt += 1;
    tmp.write("b.igc", igc_text_log(day));
    ASSERT_EQ(run("a.igc", "b.igc"), 0);
    EXPECT_TRUE(printed(" time matches        =100001\n data matches        =100000\n different fixes     =    1\n"))
        << console.substr(console.size() - std::min<std::size_t>(console.size(), 600));
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
    // Both logs' reader lines, then the error alone: no comparison's line.
    EXPECT_TRUE(printed(" 60 fixes read")) << console;
    EXPECT_TRUE(console.ends_with("\n\ntrackdiff : cannot read missing.igc (error 2: No such file or directory)\n"))
        << console;
    EXPECT_FALSE(printed("different number of fixes")) << console;
    EXPECT_FALSE(printed("time matches")) << console;
    EXPECT_FALSE(printed("cannot read a.igc"));
    EXPECT_EQ(tmp.read("a-missing_igc_diff.txt"), "earlier report\r\n");

    ASSERT_EQ(run("gone.igc", "a.igc"), exit_error);
    EXPECT_TRUE(printed("trackdiff : cannot read gone.igc (error 2: No such file or directory)\n")) << console;
    EXPECT_FALSE(exists("gone-a_igc_diff.txt"));
}

// Logs that open but give nothing to compare end as a log that cannot be
// opened: after the reader's lines each unusable log named, the first
// log's first, and no count.
TEST_F(Trackdiff, LogsWithoutAFixEndWithAnErrorAndNameEachOne) {
    tmp.write("a.igc", igc_text_log(flight));
    tmp.write("empty.igc", "");
    tmp.write("text.igc", "Not a flight log\r\nat all\r\n");
    std::vector<std::string> header = igc_text_header();
    for (const std::string& l : igc_text_trailer()) header.push_back(l);
    tmp.write("nob.igc", igc_text_join(header));
    struct Case {
        std::string ff1, ff2;
        std::string named;  // the lines that follow the counts
    } cases[] = {
        {"a.igc", "empty.igc", "trackdiff : empty.igc holds no fix\n"},
        {"nob.igc", "a.igc", "trackdiff : nob.igc holds no fix\n"},
        {"text.igc", "empty.igc", "trackdiff : text.igc holds no fix\ntrackdiff : empty.igc holds no fix\n"},
        {"missing.igc", "nob.igc",
         "trackdiff : cannot read missing.igc (error 2: No such file or directory)\n"
         "trackdiff : nob.igc holds no fix\n"},
    };
    for (const Case& c : cases) {
        // An earlier report of the pair, which the run leaves as it was.
        const std::string report = c.ff1.substr(0, c.ff1.size() - 4) + "-" + c.ff2.substr(0, c.ff2.size() - 4) +
                                   "_igc_diff.txt";
        tmp.write(report, "earlier report\r\n");
        EXPECT_EQ(run(c.ff1, c.ff2), exit_error) << report;
        // The reader's summary ends with an empty line.
        EXPECT_TRUE(console.ends_with("\n\n" + c.named)) << console;
        EXPECT_FALSE(printed("time matches")) << console;
        EXPECT_FALSE(printed("different number of fixes")) << console;
        EXPECT_EQ(tmp.read(report), "earlier report\r\n");
    }
}

// Fewer than two names: which one is missing and the usage, nothing read.
// An empty argument is a name given, one that cannot be opened.
TEST_F(Trackdiff, TheCommandLineNeedsTwoNames) {
    tmp.write("a.igc", igc_text_log(flight));
    tmp.write("b.igc", igc_text_log(flight));
    struct Case {
        std::vector<const char*> args;  // after the program name
        int32_t status;
        std::string said;
    } cases[] = {
        {{}, exit_error, "trackdiff : the names of both IGC files are missing\ntrackdiff FILE1 FILE2\n"},
        {{"a.igc"}, exit_error, "trackdiff : the name of the second IGC file is missing\ntrackdiff FILE1 FILE2\n"},
        {{"a.igc", ""}, exit_error, "trackdiff : cannot read  (error 2: No such file or directory)\n"},
        {{"a.igc", "b.igc", "c.igc"}, 0, " time matches        =   60\n"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"trackdiff"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        argv.push_back(nullptr);
        int32_t status = -99;
        console = capture_console([&] { status = trackdiff_main(static_cast<int>(argv.size() - 1), argv.data()); });
        EXPECT_EQ(status, c.status) << c.args.size();
        EXPECT_TRUE(printed(c.said)) << console;
        // Nothing read: no line of the reader before or after.
        if (c.args.size() < 2) {
            EXPECT_EQ(console, c.said);
        }
    }
}

TEST_F(Trackdiff, AReportThatCannotBeCreatedIsSaidAndTheStatisticsStillPrinted) {
    tmp.write("a.igc", igc_text_log(flight));
    tmp.write("b.igc", igc_text_log(flight));
    ASSERT_TRUE(std::filesystem::create_directory(tmp.file("a-b_igc_diff.txt")));
    ASSERT_EQ(run("a.igc", "b.igc"), exit_write_failed);
    // The system's reason, as opening the folder for writing gives it.
#ifdef _WIN32
    const std::string reason = errno_note(EACCES);
#else
    const std::string reason = errno_note(EISDIR);
#endif
    EXPECT_TRUE(printed("trackdiff : cannot write the report a-b_igc_diff.txt" + reason + "\n")) << console;
    EXPECT_TRUE(printed(" time matches        =   60\n")) << console;
    EXPECT_TRUE(printed("Differences :")) << console;
}

}  // namespace
