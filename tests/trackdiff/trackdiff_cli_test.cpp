// The built trackdiff run from its command line, as a user runs it, on logs
// that the built converter wrote: its exit status, the report beside the
// first log and the counts on the console.
#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/error_note.h"
#include "tests/converter/bremalo_sandbox.h"

#ifndef TRACKDIFF_EXE
#error "TRACKDIFF_EXE must name the built trackdiff"
#endif
#ifndef BREMALO_SOURCE_DIR
#error "BREMALO_SOURCE_DIR must name the source tree"
#endif

namespace {

// A sandbox with trackdiff installed beside the converter and the logs
// "t.igc" of e2e_track(3040) and "u.igc" of the same track with one fix
// 10 m higher and one moved 500 m, both written by the converter.
class TrackdiffCli : public ::testing::Test {
protected:
    void SetUp() override {
        trackdiff = box.add_program(TRACKDIFF_EXE);
        box.terrain("Slovenia3");
        track_desc d = e2e_track(3040);
        box.track("t.ftr", d);
        d.fixes[3].alt += 10.0f;
        d.fixes[7].x += 500.0f;
        box.track("u.ftr", d);
        const Bremalo_run r = box.run({"t.ftr", "u.ftr"});
        ASSERT_EQ(r.status, 0) << r.both();
        ASSERT_TRUE(box.exists("t.igc") && box.exists("u.igc")) << r.both();
    }

    Bremalo_run diff(const std::vector<std::string>& args) const { return box.run_installed(trackdiff, args); }

    // The B records of a log.
    std::vector<std::string> fixes(const std::string& log) const {
        std::vector<std::string> b;
        for (const std::string& l : file_lines(box.read(log)))
            if (l.compare(0, 1, "B") == 0) b.push_back(l);
        return b;
    }

    // The B records of u.igc that differ from those of t.igc.
    std::vector<std::string> changed() const {
        const std::vector<std::string> t = fixes("t.igc");
        const std::vector<std::string> u = fixes("u.igc");
        EXPECT_EQ(u.size(), t.size());
        std::vector<std::string> c;
        for (std::size_t i = 0; i < t.size() && i < u.size(); ++i)
            if (t[i] != u[i]) c.push_back(t[i]);
        return c;
    }

    Bremalo_sandbox box;
    fs::path trackdiff;
};

// The three count lines as the console shows them.
std::string counts(std::size_t time, std::size_t data) {
    const auto line = [](const std::string& label, std::size_t n) {
        const std::string v = std::to_string(n);
        return " " + label + std::string(20 - label.size(), ' ') + "=" + std::string(5 - v.size(), ' ') + v + "\n";
    };
    return line("time matches", time) + line("data matches", data) + line("different fixes", time - data);
}

// The number of times `what` occurs in `text`.
std::size_t count_of(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

// Seconds of the day of a B record's time.
int b_seconds(const std::string& b) {
    return std::stoi(b.substr(1, 2)) * 3600 + std::stoi(b.substr(3, 2)) * 60 + std::stoi(b.substr(5, 2));
}

TEST_F(TrackdiffCli, AConverterLogAgainstACopyAndAChangedCopy) {
    const std::vector<std::string> t = fixes("t.igc");
    ASSERT_EQ(t.size(), 20u);
    fs::copy_file(box.work() / "t.igc", box.work() / "copy.igc");

    const Bremalo_run same = diff({"t.igc", "copy.igc"});
    EXPECT_EQ(same.status, 0) << same.both();
    EXPECT_TRUE(box.exists("t-copy_igc_diff.txt")) << same.both();
    EXPECT_EQ(box.read("t-copy_igc_diff.txt"), "");
    EXPECT_NE(same.out.find(counts(20, 20)), std::string::npos) << same.out;
    EXPECT_EQ(same.out.find("different number of fixes"), std::string::npos) << same.out;
    // Without the simulator the flight-plan reader of each version-3 log
    // finds no airspace file: an error in the program folder's error log,
    // and the comparison goes on.
    const std::string log = box.read(box.program() / "ErrorLog.txt");
    EXPECT_EQ(count_of(log, "Slovenia3.air\r\nAirspace file : error opening\r\n"), 2u) << log;
    EXPECT_FALSE(box.exists("ErrorLog.txt"));

    // One report line per B record that differs, at that record's time.
    const std::vector<std::string> moved = changed();
    ASSERT_GE(moved.size(), 2u);
    const Bremalo_run r = diff({"t.igc", "u.igc"});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_NE(r.out.find(counts(20, 20 - moved.size())), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nDifferences :\n"), std::string::npos) << r.out;
    const std::string text = box.read("t-u_igc_diff.txt");
    const std::vector<std::string> report = file_lines(text);
    ASSERT_EQ(report.size(), moved.size()) << text;
    bool ten_metres_lower = false;
    for (std::size_t i = 0; i < report.size(); ++i) {
        ASSERT_EQ(report[i].size(), 68u) << report[i];
        EXPECT_EQ(std::stof(report[i].substr(1, 16)), static_cast<float>(b_seconds(moved[i]))) << report[i];
        ten_metres_lower = ten_metres_lower || report[i].substr(52) == " -10.0000000    ";
    }
    EXPECT_TRUE(ten_metres_lower) << text;
    EXPECT_EQ(text.size(), 70u * report.size()) << "lines end CR LF";
}

// The flight plan's description in a converter log runs from its "Text"
// line to the end of the log: every line after it is taken raw, the flight
// information included, each read with status 0, then the end of the input
// gives -1, and the reader's last line repeats it (eleven lines for the
// converter's logs).
TEST_F(TrackdiffCli, TheDescriptionOfAConverterLogRunsToItsEnd) {
    const std::vector<std::string> lines = file_lines(box.read("t.igc"));
    const auto text = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& l) { return l.rfind("LCONFPLText=", 0) == 0; });
    ASSERT_NE(text, lines.end());
    const std::size_t after = static_cast<std::size_t>(lines.end() - text - 1);
    ASSERT_GT(std::count_if(text, lines.end(), [](const std::string& l) { return l.rfind("LCONFlightInfo", 0) == 0; }),
              1);
    fs::copy_file(box.work() / "t.igc", box.work() / "copy.igc");
    const Bremalo_run r = diff({"t.igc", "copy.igc"});
    EXPECT_EQ(r.status, 0) << r.both();
    std::string reads;
    for (std::size_t i = 0; i < after; ++i) reads += " IOS= 0\n";
    reads += " IOS= -1\n";
    EXPECT_EQ(count_of(r.out, "\n" + reads), 2u) << after << "\n" << r.out;
    EXPECT_EQ(count_of(r.out, " IOS= -1\n"), 4u) << r.out;
    EXPECT_EQ(count_of(r.out, " IOS="), 2 * (after + 2)) << r.out;
}

// A log whose flight plan declares more than 30 turnpoints ends the
// comparison after the reader's message, with status 1 and no report.
TEST_F(TrackdiffCli, AFlightPlanOfMoreThanThirtyTurnpointsEndsTheRun) {
    std::string big;
    int counts_seen = 0;
    for (const std::string& l : file_lines(box.read("t.igc"))) {
        const bool count = l.rfind("LCONFPLCount=", 0) == 0;
        counts_seen += count;
        big += (count ? std::string("LCONFPLCount=32") : l) + "\r\n";
    }
    ASSERT_EQ(counts_seen, 1);
    box.write("big.igc", big);
    const Bremalo_run r = diff({"t.igc", "big.igc"});
    EXPECT_EQ(r.status, 1) << r.both();
    EXPECT_NE(r.both().find("XCSoar does not support more than 30 turnpoints"), std::string::npos) << r.both();
    EXPECT_EQ(r.out.find("time matches"), std::string::npos) << r.out;
    EXPECT_FALSE(box.exists("t-big_igc_diff.txt"));
}

// The README saved under an IGC name, as a user did: its lines beginning
// with "B" ("Both build and run ...") are text, not fixes, so the log holds
// no fix and nothing is compared.
TEST_F(TrackdiffCli, TextWithLinesBeginningWithBHoldsNoFix) {
    const std::string readme = box.read(fs::path(BREMALO_SOURCE_DIR) / "README.md");
    ASSERT_GT(count_prefixed(file_lines(readme), "B"), 0u) << readme;
    box.write("n.igc", readme);
    const Bremalo_run r = diff({"t.igc", "n.igc"});
    EXPECT_EQ(r.status, 1) << r.both();
    // The reader's lines of both logs, its summary ending in an empty line,
    // then the error line alone.
    EXPECT_NE(r.out.find(" 0 fixes read HDR "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" lines beginning with B are no fix, passed over\n"), std::string::npos) << r.out;
    EXPECT_TRUE(r.out.ends_with("\n\ntrackdiff : n.igc holds no fix\n")) << r.out;
    for (const char* line : {"time matches", "data matches", "different fixes", "different number of fixes"})
        EXPECT_EQ(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    EXPECT_FALSE(box.exists("t-n_igc_diff.txt"));
}

// A log with damaged B lines among its fixes: they are passed over, every
// other fix is compared, and the flight plan after the fixes is still read.
TEST_F(TrackdiffCli, BadBLinesAmongTheFixesArePassedOver) {
    std::string damaged;
    int b_seen = 0;
    for (const std::string& l : file_lines(box.read("t.igc"))) {
        if (l.compare(0, 1, "B") == 0 && ++b_seen == 10) {
            damaged += "Bad signal from here\r\n";
            damaged += l.substr(0, 9) + "x" + l.substr(10) + "\r\n";  // a letter in the latitude
        }
        damaged += l + "\r\n";
    }
    box.write("damaged.igc", damaged);
    const Bremalo_run r = diff({"damaged.igc", "t.igc"});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_NE(r.out.find(" 2 lines beginning with B are no fix, passed over\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("different number of fixes"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(counts(20, 20)), std::string::npos) << r.out;
    EXPECT_EQ(count_of(r.out, "call read_fpl"), 2u) << r.out;
    EXPECT_EQ(box.read("damaged-t_igc_diff.txt"), "");
}

// The exit statuses a script relies on, the line that says why a run
// failed, and where the report goes.
TEST_F(TrackdiffCli, StatusAndReportOfEachCommandLine) {
    fs::create_directories(box.work() / "flights");
    fs::copy_file(box.work() / "t.igc", box.work() / "flights" / "a.igc");
    fs::copy_file(box.work() / "u.igc", box.work() / "flights" / "b.igc");
    // A folder in the report's place: the report cannot be written.
    fs::create_directories(box.work() / "u-t_igc_diff.txt");
    // Logs that open but hold no fix: an empty file, a text file, a binary
    // flight track under an IGC name, and the converter's log without its
    // B records.
    box.write("empty.igc", "");
    box.write("notes.igc", "Flight of Saturday\r\nthermals were weak\r\n");
    fs::copy_file(box.work() / "t.ftr", box.work() / "track.igc");
    std::string no_b;
    for (const std::string& l : file_lines(box.read("t.igc")))
        if (l.compare(0, 1, "B") != 0) no_b += l + "\r\n";
    box.write("nob.igc", no_b);
    // Earlier reports of failing pairs, which the runs leave as they were.
    const std::string earlier = "earlier report\r\n";
    for (const char* r : {"t-missing_igc_diff.txt", "t-empty_igc_diff.txt"}) box.write(r, earlier);
    // The system's reason for the folder, as opening it for writing gives it.
#ifdef _WIN32
    const std::string folder_note = errno_note(EACCES);
#else
    const std::string folder_note = errno_note(EISDIR);
#endif
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string report;  // written by the run; empty: none
        std::string said;    // a console line of the run
    } cases[] = {
        {{"flights/a.igc", "flights/b.igc"}, 0, "flights/a-b_igc_diff.txt", " time matches        =   20\n"},
        {{"t.igc", "missing.igc"}, 1, "", "\ntrackdiff : cannot read missing.igc (error 2: No such file or directory)\n"},
        {{"t.igc", "empty.igc"}, 1, "", "\ntrackdiff : empty.igc holds no fix\n"},
        {{"notes.igc", "t.igc"}, 1, "", "\ntrackdiff : notes.igc holds no fix\n"},
        {{"track.igc", "t.igc"}, 1, "", "\ntrackdiff : track.igc holds no fix\n"},
        {{"t.igc", "nob.igc"}, 1, "", "\ntrackdiff : nob.igc holds no fix\n"},
        {{}, 1, "", "trackdiff : the names of both IGC files are missing\ntrackdiff FILE1 FILE2\n"},
        {{"t.igc"}, 1, "", "trackdiff : the name of the second IGC file is missing\ntrackdiff FILE1 FILE2\n"},
        {{"t.igc", ""}, 1, "", "\ntrackdiff : cannot read  (error 2: No such file or directory)\n"},
        {{"u.igc", "t.igc"}, 2, "", "\ntrackdiff : cannot write the report u-t_igc_diff.txt" + folder_note + "\n"},
    };
    for (const Case& c : cases) {
        std::string line = "trackdiff";
        for (const std::string& a : c.args) line += " " + a;
        const Bremalo_run r = diff(c.args);
        EXPECT_EQ(r.status, c.status) << line << "\n" << r.both();
        EXPECT_NE(r.out.find(c.said), std::string::npos) << line << "\n" << r.out;
        if (!c.report.empty()) {
            EXPECT_TRUE(box.exists(c.report)) << line;
            EXPECT_EQ(file_lines(box.read(c.report)).size(), changed().size()) << line;
        }
        // Without two names nothing is read: the two lines are all.
        if (c.args.size() < 2) {
            EXPECT_EQ(r.out, c.said) << line;
        }
    }
    for (const char* r : {"t-missing_igc_diff.txt", "t-empty_igc_diff.txt"}) EXPECT_EQ(box.read(r), earlier) << r;
    // No other report (the folder in the report's place and the earlier
    // reports apart): none for a log that could not be read or holds no
    // fix, and none of the subfolder's logs in the working folder.
    std::vector<std::string> reports;
    for (const auto& e : fs::recursive_directory_iterator(box.work()))
        if (e.path().string().ends_with("_igc_diff.txt"))
            reports.push_back(fs::relative(e.path(), box.work()).generic_string());
    std::sort(reports.begin(), reports.end());
    EXPECT_EQ(reports, (std::vector<std::string>{"flights/a-b_igc_diff.txt", "t-empty_igc_diff.txt",
                                                 "t-missing_igc_diff.txt", "u-t_igc_diff.txt"}));
}

}  // namespace
