// Track fixes, flight events and trailer.

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/text_format.h"
#include "taskmodel/task_model.h"
#include "tests/common/temp_dir.h"
#include "tests/common/track_writer.h"
#include "tests/common/console_capture.h"
#include "tracks/ftr_file.h"
#include "tracks/ftr_fixes.h"
#include "tracks/ftr_header.h"
#include "tracks/track_records.h"

namespace {

class FtrFixes : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        init_read_fpl();
    }
    void TearDown() override {
        ftr_close();
        InTempDir::TearDown();
    }
    /// Header and fixes of the track, the console output kept; pp5 starts
    /// with one fix whose time is `first` (the print interval).
    void read(const std::vector<unsigned char>& bytes, bool qverb = false, float first = 0.0f) {
        pp5.assign(1, track_fix{});
        pp5[0][fix_t] = first;
        console = capture_console([&] {
            read_ftr_hdr_bytes("t.ftr", bytes, npts);
            if (npts == 0) return;
            if (rd_fpl_0.fpl_vers <= 3039)
                read_ftr_fixes(pp5, nrec, npts, qverb);
            else
                read_ftr_fixes_304(pp5, nrec, npts, qverb);
        });
    }
    void read(const track_desc& d, bool qverb = false, float first = 0.0f) { read(build_track(d), qverb, first); }
    void trailer() {
        console = capture_console([] { read_ftr_trl(); });
    }
    /// The console lines that show a fix (number, then hh:mm:ss).
    std::vector<int> printed_fixes() const {
        std::vector<int> n;
        std::istringstream in(console);
        std::string line;
        static const std::regex fix_line(R"(^ *(\d+) \d\d:\d\d:\d\d\.\d\d\d .*)");
        std::smatch m;
        while (std::getline(in, line))
            if (std::regex_match(line, m, fix_line)) n.push_back(std::stoi(m[1]));
        return n;
    }
    std::vector<track_fix> pp5;
    int32_t npts = 0, nrec = -1;
    std::string console;
};

track_desc with_times(int32_t version, std::vector<double> hours) {
    track_desc d = tw_sample(version);
    d.fixes.clear();
    for (std::size_t i = 0; i < hours.size(); ++i) {
        tw_fix f;
        f.hours = hours[i];
        f.x = 100.0f + i;
        f.y = -200.0f - i;
        f.alt = 1000.0f + i;
        f.enl = 10.0f * i;
        f.extra[0] = 1.0f;
        d.fixes.push_back(f);
    }
    return d;
}

// ---------------------------------------------------------------------------
// Both record layouts

TEST_F(FtrFixes, RecordsFillTheFixArray) {
    for (int32_t version : {2500, 3000, 3039, 3040, 3500}) {
        SCOPED_TRACE(version);
        read(with_times(version, {12.5, 12.5 + 1 / 3600.0, 12.5 + 3 / 3600.0}));
        ASSERT_EQ(npts, 3);
        ASSERT_EQ(nrec, 3);
        ASSERT_GE(pp5.size(), 3u);
        EXPECT_EQ(pp5[0][fix_t], 45000.0f);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(pp5[i][fix_x], 100.0f + i);
            EXPECT_EQ(pp5[i][fix_y], -200.0f - i);
            EXPECT_EQ(pp5[i][fix_alt], 1000.0f + i);
            EXPECT_EQ(pp5[i][fix_enl], 10.0f * i);
        }
        EXPECT_NEAR(rd_ftr_2.dtmin, 1.0f, 0.01f);
        EXPECT_NEAR(rd_ftr_2.dtmax, 2.0f, 0.01f);
        EXPECT_EQ(console.find("Number of fixes read does not match"), std::string::npos);
        EXPECT_EQ(console.find(" NMAX= 10\n") != std::string::npos, version < 3040);
        // The trailer follows the fixes (and the events).
        trailer();
        EXPECT_EQ(rd_ftr_2.d_fl, 123456.0f);
        EXPECT_EQ(rd_ftr_2.av_s, 98765.0f);
        EXPECT_FALSE(ftr_file.open);
    }
}

TEST_F(FtrFixes, TimesInSeconds) {
    // 40-byte records: float32 hours times 3600 in float32.
    read(with_times(3000, {23.9999999}));
    EXPECT_EQ(pp5[0][fix_t], 23.9999999f * 3600.0f);
    // 64-byte records: the float64 product, rounded to float32.
    read(with_times(3040, {23.9999999}));
    EXPECT_EQ(pp5[0][fix_t], 86400.0f);
    EXPECT_EQ(pp5[0][fix_t], static_cast<float>(23.9999999 * 3600.0));
}

TEST_F(FtrFixes, StepStatistics) {
    // One fix: no step at all.
    read(with_times(3040, {10.0}));
    EXPECT_EQ(rd_ftr_2.dtmin, 1.0e30f);
    EXPECT_EQ(rd_ftr_2.dtmax, -1.0e30f);
    // Equal times give a step of 0.
    read(with_times(3040, {10.0, 10.0, 10.0 + 2 / 3600.0}));
    EXPECT_EQ(rd_ftr_2.dtmin, 0.0f);
    EXPECT_FLOAT_EQ(rd_ftr_2.dtmax, 2.0f);
}

TEST_F(FtrFixes, FileEndingBeforeTheAnnouncedFixes) {
    struct Case {
        int32_t version;
        std::size_t cut;  // bytes of the 4th record kept
    } cases[] = {{3000, 0}, {3000, 17}, {2000, 39}, {3040, 0}, {3040, 63}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + " +" + std::to_string(c.cut));
        track_desc d = with_times(c.version, {1, 2, 3, 4, 5});
        std::vector<unsigned char> b = build_track(d);
        const std::size_t first = c.version < 3000 ? ftr_v2_first_fix : ftr_v3_first_fix;
        const std::size_t size = c.version >= 3040 ? 64 : 40;
        b.resize(first + 3 * size + c.cut);
        read(b);
        EXPECT_EQ(npts, 5);
        EXPECT_EQ(nrec, 3);
        EXPECT_NE(console.find(" Number of fixes read does not match : 3 5\n"), std::string::npos) << console;
        EXPECT_EQ(ftr_file.pos, b.size());
        // No trailer: an earlier track's trailer does not show through.
        rd_ftr_h.trl.fill(0x11);
        rd_ftr_2.d_fl = 5.0f;
        trailer();
        EXPECT_EQ(rd_ftr_2.d_fl, 0.0f);
        EXPECT_EQ(rd_ftr_h.trl[0], 0);
    }
}

TEST_F(FtrFixes, AnnouncedCountFarBeyondTheFile) {
    track_desc d = with_times(3040, {1, 2, 3});
    d.npts = 2000000000;
    std::vector<unsigned char> b = build_track(d);
    pp5.clear();
    console = capture_console([&] { read_ftr_hdr_bytes("big.ftr", b, npts); });
    ASSERT_EQ(npts, 2000000000);
    // Events (16 bytes) and trailer (40) are still there: they fit no fix
    // beyond the third's.
    EXPECT_EQ(ftr_fix_capacity(npts), 3);
    console = capture_console([&] { read_ftr_fixes_304(pp5, nrec, npts, true); });
    EXPECT_EQ(nrec, 3);
    EXPECT_EQ(pp5.size(), 3u);
    EXPECT_NE(console.find("Number of fixes read does not match : 3 2000000000"), std::string::npos);

    // The 40-byte reader on a track of 64-byte records reads more, shorter
    // records: its array grows to what it reads.
    track_desc wide = with_times(3040, {1, 2, 3});
    wide.npts = 1000;
    console = capture_console([&] { read_ftr_hdr_bytes("t.ftr", build_track(wide), npts); });
    pp5.clear();
    console = capture_console([&] { read_ftr_fixes(pp5, nrec, npts, false); });
    EXPECT_EQ(nrec, static_cast<int32_t>((3 * 64 + 16 + 40) / 40));
    EXPECT_GE(pp5.size(), static_cast<std::size_t>(nrec));

    // A caller's array already larger is not shrunk.
    console = capture_console([&] { read_ftr_hdr_bytes("t.ftr", build_track(with_times(3000, {1, 2})), npts); });
    pp5.assign(10, track_fix{});
    console = capture_console([&] { read_ftr_fixes(pp5, nrec, npts, false); });
    EXPECT_EQ(pp5.size(), 10u);
    EXPECT_EQ(nrec, 2);
}

// ---------------------------------------------------------------------------
// Verbose output

TEST_F(FtrFixes, PrintInterval) {
    struct Case {
        bool qverb;
        float first;
        std::vector<int> printed;
    } cases[] = {
        {true, 10000.0f, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {true, 25000.0f, {1, 3, 6, 9, 10}},  // 2.5 rounds to 3; the last two always
        {true, 2000000.0f, {1, 9, 10}},
        {true, 3.0e9f, {1, 9, 10}},
        {true, 9999.0f, {1, 9, 10}},
        {false, 10000.0f, {}},
    };
    std::vector<double> hours;
    for (int i = 0; i < 10; ++i) hours.push_back(8.0 + i / 3600.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        read(with_times(3040, hours), c.qverb, c.first);
        EXPECT_EQ(printed_fixes(), c.printed) << console;
        EXPECT_NE(console.find(c.qverb ? " QVERB= T " : " QVERB= F "), std::string::npos);
        const bool reset = c.qverb && c.first >= 10000.0f;
        EXPECT_EQ(console.find(" NMOD= ") != std::string::npos, reset);
        // The first cell is the first fix's time all the same.
        EXPECT_EQ(pp5[0][fix_t], 8.0f * 3600.0f);
    }
}

TEST_F(FtrFixes, VerboseFixLines) {
    track_desc d = with_times(3040, {12.5 + 0.25 / 3600.0});
    d.fixes[0].x = 1000.5f;
    d.fixes[0].y = -2000.25f;
    d.fixes[0].alt = 500.0f;
    for (int k = 0; k < 5; ++k) d.fixes[0].extra[k] = static_cast<float>(k + 1);
    read(d, true, 10000.0f);
    EXPECT_NE(console.find("\n       1 12:30:00.250    45000.250     0.000000      1000.50     -2000.25       500.00"
                           "  0.10000E+01  0.20000E+01  0.30000E+01  0.40000E+01  0.50000E+01\n"),
              std::string::npos)
        << console;

    // 40-byte records show the ENL value before the five further values.
    d = with_times(2000, {12.5});
    d.fixes[0].enl = 250.0f;
    read(d, true, 10000.0f);
    EXPECT_NE(console.find("\n       1 12:30:00.000    45000.000     0.000000       100.00      -200.00      1000.00"
                           "  0.25000E+03  0.10000E+01  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00\n"),
              std::string::npos)
        << console;
}

TEST_F(FtrFixes, GapLines) {
    // Steps 1, 1, 1, 5 s: average 8/5, threshold 3.2, one gap at fix 5.
    read(with_times(3040, {10.0, 10.0 + 1 / 3600.0, 10.0 + 2 / 3600.0, 10.0 + 3 / 3600.0, 10.0 + 8 / 3600.0}), true,
         10000.0f);
    EXPECT_NE(console.find(" dt min, max, ave  1 5 1.60000002\n"), std::string::npos) << console;
    // The time of day as t2b makes it from decimal hours.
    EXPECT_NE(console.find("\n 5 36008 " + t2b(36008.0f / 3600.0f) + " 5\n"), std::string::npos) << console;
    std::regex gap(R"(\n \d+ [\d.]+ \d\d:\d\d:\d\d [\d.]+\n)");
    EXPECT_EQ(std::distance(std::sregex_iterator(console.begin(), console.end(), gap), std::sregex_iterator()), 1);
}

TEST_F(FtrFixes, VerboseWithoutFixes) {
    std::vector<unsigned char> b = build_track(with_times(3000, {1, 2}));
    b.resize(ftr_v3_first_fix + 10);
    read(b, true, 10000.0f);
    EXPECT_EQ(nrec, 0);
    EXPECT_NE(console.find(" dt min, max, ave  1.00000002e+30 -1.00000002e+30 0\n"), std::string::npos) << console;
}

// ---------------------------------------------------------------------------
// Flight events

TEST_F(FtrFixes, FlightEvents) {
    struct Case {
        const char* what;
        int32_t count;
        std::vector<tw_event> events;
        std::size_t trailer_words;
        int printed;
    } cases[] = {
        {"none", 0, {}, 10, 0},
        {"two", 2, {{3, 1.5f, -2.0f}, {9, 0.0f, 4.0f}}, 10, 2},
        // A count beyond the file reads events up to its end (the trailer's
        // 40 bytes among them), so no trailer is left.
        {"count beyond the file", 1000000, {{3, 1.5f, -2.0f}}, 0, 4},
        {"negative count", -4, {}, 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        track_desc d = with_times(3040, {1, 2});
        d.nevents = c.count;
        d.events = c.events;
        read(d);
        EXPECT_NE(console.find(" iNumFlightEvents " + std::to_string(c.count) + "\n"), std::string::npos);
        const std::string events = console.substr(console.find("iNumFlightEvents"));
        if (c.printed == 2) {
            EXPECT_NE(events.find("\n 2 9 0 4\n"), std::string::npos) << events;
        }
        EXPECT_EQ(events.find("\n " + std::to_string(c.printed + 1) + " "), std::string::npos) << events;
        if (c.printed > 0) {
            EXPECT_NE(events.find("\n " + std::to_string(c.printed) + " "), std::string::npos) << events;
        }
        trailer();
        EXPECT_EQ(rd_ftr_2.d_fl, c.trailer_words ? 123456.0f : 0.0f);
    }
    // The file ending inside the count: no events.
    std::vector<unsigned char> b = build_track(with_times(3040, {1}));
    b.resize(ftr_v3_first_fix + 64 + 2);
    read(b);
    EXPECT_NE(console.find(" iNumFlightEvents 0\n"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Trailer

TEST_F(FtrFixes, TrailerWords) {
    struct Case {
        const char* what;
        std::size_t bytes;
        std::size_t stored;  // bytes of trl taken from the trailer
    } cases[] = {
        {"empty", 0, 0},    {"one fragment", 3, 0},          {"one word and a fragment", 6, 4},
        {"ten fields", 40, 40}, {"exactly 2048 words", 8192, 8192}, {"longer", 8192 + 20, 8192},
        {"much longer", 100000, 8192},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        track_desc d = with_times(3040, {1});
        d.trailer.resize(c.bytes);
        for (std::size_t k = 0; k < c.bytes; ++k) d.trailer[k] = static_cast<unsigned char>(1 + k % 251);
        read(d);
        rd_ftr_h.trl.fill(0xEE);
        trailer();
        for (std::size_t k = 0; k < ftr_trl_len; ++k)
            ASSERT_EQ(rd_ftr_h.trl[k], k < c.stored ? d.trailer[k] : 0) << k;
        EXPECT_FALSE(ftr_file.open);
        EXPECT_EQ(console.find("Trailer longer than") != std::string::npos, c.bytes > 8192 + 3);
    }
}

TEST_F(FtrFixes, TrailerFieldsBelongToTheirOwnTrack) {
    read(tw_sample(3040));
    trailer();
    EXPECT_EQ(rd_ftr_2.d_fl, 123456.0f);
    EXPECT_EQ(rd_ftr_2.av_s, 98765.0f);
    // A second track with a trailer of two words only.
    track_desc d = tw_sample(3040);
    d.trailer.resize(8);
    read(d);
    trailer();
    EXPECT_EQ(rd_ftr_2.d_fl, 0.0f);
    EXPECT_EQ(rd_ftr_2.av_s, 0.0f);
    for (std::size_t k = 8; k < 40; ++k) EXPECT_EQ(rd_ftr_h.trl[k], 0) << k;
}

TEST_F(FtrFixes, TrailerDump) {
    read(tw_sample(3040));
    rd_ftr_2.qhdr = true;
    trailer();
    rd_ftr_2.qhdr = false;
    EXPECT_NE(console.find("     1 4D 00 00 00           77   0.107899982E-42 M...\n"), std::string::npos) << console;
    EXPECT_NE(console.find("     7 00 20 F1 47   1206984704   0.123456000E+06 . .G\n"), std::string::npos);
    EXPECT_NE(console.find("\n    10 "), std::string::npos);
    EXPECT_EQ(console.find("\n    11 "), std::string::npos);
}

}  // namespace
