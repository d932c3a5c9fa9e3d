// The IGC files the writer produces, read by two independent IGC readers
// (tests/common/igc_readers.h): gpsbabel and the igc-parser package in its
// strict mode.  Both must accept every file and report the times,
// positions (to the file's 0.001 minute) and altitudes expected.  A missing
// reader skips these tests, except with CI=true in the environment, where
// it fails them.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <cstdio>
#include <iterator>
#include <map>
#include <utility>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "taskmodel/task_model.h"
#include "tests/common/console_capture.h"
#include "tests/common/igc_readers.h"
#include "tests/common/igc_sandbox.h"
#include "tests/common/igc_strict.h"
#include "tests/tracks/igc_fixture.h"
#include "tracks/igc_reader.h"
#include "tracks/track_records.h"
#include "tracks/utm.h"

namespace {

// The written minutes are rounded to 0.001 minute; gpsbabel prints six
// decimals of a degree.
constexpr double minute_step = 0.0005 / 60.0;
constexpr double pos_tol = minute_step + 1.0e-6;

std::string hhmmss(int32_t t) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d:%02d:%02d", t / 3600, t % 3600 / 60, t % 60);
    return b;
}

/// Tracks the readers are given: both layouts of version 3 and version 2,
/// with two, one and no task points.
struct TrackCase {
    int32_t version;
    std::size_t points;
};
constexpr TrackCase track_cases[] = {{2500, 2}, {3040, 2}, {3000, 1}, {2500, 0}};

/// One converted track and what the readers should report.
struct Converted {
    std::string file;
    std::vector<track_fix> ppsec;
    std::vector<expected_fix> fixes;
    std::vector<float> tplat, tplon;
    std::string what;
};

class IgcReaders : public InIgcFrame {
protected:
    std::vector<Converted> convert_all() {
        std::vector<Converted> all;
        for (const TrackCase& c : track_cases) {
            track_desc d = interop_track(c.version);
            d.tps.resize(c.points);
            Converted k;
            k.what = "version " + std::to_string(c.version) + ", " + std::to_string(c.points) + " task points";
            k.file = tmp.file("v" + std::to_string(c.version) + "_" + std::to_string(c.points) + ".igc");
            k.ppsec = convert_test_track(d, k.file);
            k.fixes = expected_fixes(k.ppsec);
            for (std::size_t i = 0; i < c.points; ++i) {
                k.tplat.push_back(rd_fpl_1.tplat[i]);
                k.tplon.push_back(rd_fpl_1.tplon[i]);
            }
            EXPECT_EQ(k.fixes.size(), 8u) << k.what;
            all.push_back(k);
        }
        return all;
    }
};

// The check has teeth: a record that a reader cannot read makes it refuse
// the file, and the helpers report the refusal.
TEST_F(IgcReaders, RefuseRecordsTheyCannotRead) {
    const std::string head = "ACSS00001\r\nHFDTE150623\r\nI023638FXA3941ENL\r\n";
    const std::string fix = "B1234564630000N00915000EA0081200812005000\r\n";
    struct Case {
        const char* what;
        std::string text;
    };
    const Case cases[] = {
        {"altitude of asterisks", head + fix + "B1234574630000N00915000EA**********005000\r\n"},
        {"turnpoint count of asterisks", head + "C1506231230001506230000**\r\nC4630000N00915000EStart\r\n" + fix},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tmp.write("bad.igc", c.text);
        const gpsbabel_reading g = read_with_gpsbabel(tmp.file("bad.igc"));
        const igc_parser_reading p = read_with_igc_parser(tmp.file("bad.igc"));
        if (!igc_reader_present(g) || !igc_reader_present(p)) GTEST_SKIP();
        EXPECT_FALSE(g.accepted);
        EXPECT_FALSE(p.accepted);
        EXPECT_NE(p.problem, "");
    }
}

using GpsbabelReads = IgcReaders;

TEST_F(GpsbabelReads, FixesTimesPositionsAndAltitudes) {
    for (const Converted& k : convert_all()) {
        SCOPED_TRACE(k.what);
        const gpsbabel_reading g = read_with_gpsbabel(k.file);
        if (!igc_reader_present(g)) GTEST_SKIP() << g.problem;
        EXPECT_TRUE(g.accepted) << g.problem;
        // One track from the pressure altitudes and one from the GNSS
        // altitudes, the same fixes in each.
        const auto& r = g.rows;
        ASSERT_EQ(r.size(), 2 * k.fixes.size());
        for (std::size_t i = 0; i < r.size(); ++i) {
            const std::size_t j = i % k.fixes.size();
            const expected_fix& e = k.fixes[j];
            auto row = r[i];  // a copy: absent columns read as empty
            EXPECT_EQ(row["Time"], hhmmss(e.second)) << i;
            const bool next_day = k.ppsec[j][fix_t] >= 86400.0f;
            EXPECT_EQ(row["Date"], next_day ? "2023/03/16" : "2023/03/15") << i;
            EXPECT_NEAR(std::stod(row["Latitude"]), e.lat, pos_tol) << i;
            EXPECT_NEAR(std::stod(row["Longitude"]), e.lon, pos_tol) << i;
            // An altitude field of 00000 means "no altitude" to IGC readers.
            const std::string alt = e.alt == 0 ? "" : std::to_string(e.alt) + ".0";
            EXPECT_EQ(row["Altitude"], alt) << i;
        }
    }
}

TEST_F(GpsbabelReads, TaskPoints) {
    for (const Converted& k : convert_all()) {
        SCOPED_TRACE(k.what);
        const gpsbabel_reading g = read_with_gpsbabel(k.file, gpsbabel_data::routes);
        if (!igc_reader_present(g)) GTEST_SKIP() << g.problem;
        EXPECT_TRUE(g.accepted) << g.problem;
        const auto& r = g.rows;
        // The task's points and the last one repeated; nothing without a task.
        const std::size_t n = k.tplat.size();
        ASSERT_EQ(r.size(), n == 0 ? 0 : n + 1);
        for (std::size_t i = 0; i < r.size(); ++i) {
            const std::size_t p = std::min(i, n - 1);
            auto row = r[i];
            EXPECT_NEAR(std::stod(row["Latitude"]), k.tplat[p], pos_tol) << i;
            EXPECT_NEAR(std::stod(row["Longitude"]), k.tplon[p], pos_tol) << i;
        }
        if (n > 0) {
            auto first = r[0];
            EXPECT_EQ(first["Latitude"], "47.000000");  // just below 47 degrees, carried
        }
    }
}

// gpsbabel reads the declaration as a route: take-off, start, the
// declared turnpoints, finish and landing, by the turnpoint count.
TEST_F(GpsbabelReads, DeclaredTurnpoints) {
    struct Case {
        std::vector<std::string> points;
        std::vector<std::string> route;
    };
    const Case cases[] = {
        // The sample's task.
        {{"Airfield", "Start", "North Ridge", "East Valley", "Airfield"},
         {"TAKEOFF", "START", "TURN01", "TURN02", "FINISH", "LANDING"}},
        {{"T", "S", "P1", "P2", "P3", "P4", "P5", "F"},
         {"TAKEOFF", "START", "TURN01", "TURN02", "TURN03", "TURN04", "TURN05", "FINISH", "LANDING"}},
    };
    for (const Case& c : cases) {
        track_desc d = interop_track(3040);
        d.tps.resize(c.points.size());
        for (std::size_t i = 0; i < c.points.size(); ++i) {
            d.tps[i].name = c.points[i];
            latlontoxy(46.0f + 0.05f * static_cast<float>(i), 9.0f + 0.03f * static_cast<float>(i), d.tps[i].x,
                       d.tps[i].y);
        }
        const std::string file = tmp.file("task.igc");
        convert_test_track(d, file);
        const gpsbabel_reading g = read_with_gpsbabel(file, gpsbabel_data::routes);
        if (!igc_reader_present(g)) GTEST_SKIP() << g.problem;
        EXPECT_TRUE(g.accepted) << g.problem;
        std::vector<std::string> names, descriptions;
        // unicsv quotes its texts.
        const auto unquoted = [](std::string t) {
            if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = t.substr(1, t.size() - 2);
            return t;
        };
        for (auto row : g.rows) {
            names.push_back(unquoted(row["Name"]));
            descriptions.push_back(unquoted(row["Description"]));
        }
        EXPECT_EQ(names, c.route);
        std::vector<std::string> with_landing = c.points;
        with_landing.push_back(c.points.back());
        EXPECT_EQ(descriptions, with_landing);
    }
}

using IgcParserReads = IgcReaders;

TEST_F(IgcParserReads, StrictModeAcceptsEveryFile) {
    for (const Converted& k : convert_all()) {
        SCOPED_TRACE(k.what);
        const igc_parser_reading parsed = read_with_igc_parser(k.file);
        if (!igc_reader_present(parsed)) GTEST_SKIP() << parsed.problem;
        EXPECT_TRUE(parsed.accepted) << parsed.problem;
        const auto& recs = parsed.records;
        ASSERT_FALSE(recs.empty());
        EXPECT_EQ(recs[0], (std::vector<std::string>{"date", "2023-03-15"}));

        std::vector<std::vector<std::string>> fixes, points;
        const std::vector<std::string>* task = nullptr;
        for (const auto& r : recs) {
            if (r[0] == "fix") fixes.push_back(r);
            if (r[0] == "point") points.push_back(r);
            if (r[0] == "task") task = &r;
        }
        const std::size_t n = k.tplat.size();
        if (n == 0) {
            EXPECT_EQ(task, nullptr);
        } else {
            ASSERT_NE(task, nullptr);
            EXPECT_EQ((*task)[1], "0");  // fewer than two points declare 00
            EXPECT_EQ((*task)[2], std::to_string(n + 1));
            ASSERT_EQ(points.size(), n + 1);
            for (std::size_t i = 0; i <= n; ++i) {
                const std::size_t p = std::min(i, n - 1);
                EXPECT_NEAR(std::stod(points[i][1]), k.tplat[p], pos_tol);
                EXPECT_NEAR(std::stod(points[i][2]), k.tplon[p], pos_tol);
            }
            EXPECT_EQ(points[0][3], "Start");
        }

        ASSERT_EQ(fixes.size(), k.fixes.size());
        long long previous = 0;
        for (std::size_t j = 0; j < fixes.size(); ++j) {
            const auto& f = fixes[j];
            const expected_fix& e = k.fixes[j];
            ASSERT_EQ(f.size(), 8u);
            EXPECT_EQ(f[1], hhmmss(e.second)) << j;
            // Across midnight the parser's clock goes on into the next day.
            const long long ts = std::stoll(f[2]);
            if (j > 0) {
                EXPECT_EQ(ts - previous, 1000) << j;
            }
            previous = ts;
            EXPECT_NEAR(std::stod(f[3]), e.lat, pos_tol) << j;
            EXPECT_NEAR(std::stod(f[4]), e.lon, pos_tol) << j;
            const std::string alt = e.alt == 0 ? "null" : std::to_string(e.alt);
            EXPECT_EQ(f[5], alt) << j;
            EXPECT_EQ(f[6], alt) << j;
            EXPECT_EQ(f[7], std::to_string(e.enl)) << j;
        }
    }
}

// The reader of this system against the two others, on records of other
// loggers: hours 00 to 99 (no wrap at midnight), every field at its limits,
// LAD and LOD of 1 to 3 columns, each line end.  igc-parser reads the
// finer digits and any hours but only lines ending LF or CR LF; gpsbabel
// reads lines ending CR alone and counts hours past 23 into the next days,
// but not the finer digits.
struct ReaderFix {
    std::string time;  // hh:mm:ss, the hours as written
    double lat = 0, lon = 0;
    int32_t alt = 0;
};

class IgcReaderAgainstOthers : public InIgcSandbox {
protected:
    /// The fixes this system's reader reads in `name`.
    std::vector<ReaderFix> read_ours(const std::string& name) {
        std::vector<igc_fix> ppp;
        std::vector<std::string> hdr(100);
        int32_t nrec = 0, nhdr = 0;
        console = capture_console([&] { read_igc(tmp.file(name), false, false, ppp, hdr, nrec, nhdr); });
        std::vector<ReaderFix> r;
        for (const igc_fix& f : ppp)
            r.push_back({hhmmss(static_cast<int32_t>(f[igc_t])), f[igc_lat], f[igc_lon],
                         static_cast<int32_t>(f[igc_alt])});
        return r;
    }
};

/// The fixed 35 columns of the records, and how their finer digits go.
enum class Finer {
    inside,  // "987...": on the globe
    zero,    // "000...": at the limit, on the globe
    one,     // "...001": beyond the limit only by its finer digits
    beyond,  // "000...", and beyond the limit without them
};
struct LoggerRecord {
    const char* fixed;
    Finer finer;
};
constexpr LoggerRecord logger_records[] = {
    {"B0000004630000N00915000EA0081200812", Finer::inside},
    {"B0959590000000S00000000WV0000000000", Finer::inside},
    {"B2300018959999S17959999WA-9999-9999", Finer::inside},
    {"B2400009000000N18000000EA9999999999", Finer::zero},
    {"B2400019000000N18000000EA0081200812", Finer::one},
    {"B3100005959999N00000001EA0010000100", Finer::inside},
    {"B4500009059999N18059999EA0081200812", Finer::beyond},  // 90 59.999, 180 59.999
    {"B5959590000001S18000000WA0000100001", Finer::zero},
    {"B9959599000000S18000000WA0000100001", Finer::zero},
};

/// The finer digits of `n` columns a record is given.
std::string finer_digits(Finer f, int32_t n) {
    if (n == 0) return "";
    if (f == Finer::inside) return std::string("987").substr(0, static_cast<std::size_t>(n));
    return std::string(static_cast<std::size_t>(n - 1), '0') + (f == Finer::one ? "1" : "0");
}

/// Whether this system's reader places the record on the globe.
bool on_globe(Finer f, int32_t lad, int32_t lod) {
    return f == Finer::inside || f == Finer::zero || (f == Finer::one && lad + lod == 0);
}

/// Two decimal digits.
std::string two(int32_t v) { return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)}; }

// The log of the records with LAD of `lad` and LOD of `lod` columns (none
// for 0), each line ended by `ends` in turn.
std::string logger_log(int32_t lad, int32_t lod, const std::vector<std::string>& ends) {
    std::vector<std::string> lines = {"AXXX001", "HFDTE150623"};
    if (lad + lod > 0)
        lines.push_back("I02" + two(36) + two(35 + lad) + "LAD" + two(36 + lad) + two(35 + lad + lod) + "LOD");
    for (const LoggerRecord& r : logger_records)
        lines.push_back(r.fixed + finer_digits(r.finer, lad) + finer_digits(r.finer, lod));
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += lines[i] + ends[i % ends.size()];
    return text;
}

TEST_F(IgcReaderAgainstOthers, LoggerRecordsReadAsIgcParserReadsThem) {
    for (const auto& [lad, lod] : std::vector<std::pair<int32_t, int32_t>>{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {2, 3}}) {
        SCOPED_TRACE("LAD " + std::to_string(lad) + ", LOD " + std::to_string(lod));
        tmp.write("crlf.igc", logger_log(lad, lod, {"\r\n"}));
        const std::vector<ReaderFix> ours = read_ours("crlf.igc");
        const igc_parser_reading p = read_with_igc_parser(tmp.file("crlf.igc"));
        if (!igc_reader_present(p)) GTEST_SKIP() << p.problem;
        ASSERT_TRUE(p.accepted) << p.problem;
        // igc-parser takes any position; this reader none off the globe.
        std::vector<std::vector<std::string>> theirs;
        std::size_t k = 0;
        for (const auto& r : p.records)
            if (r[0] == "fix" && on_globe(logger_records[k++].finer, lad, lod)) theirs.push_back(r);
        ASSERT_EQ(k, std::size(logger_records));
        ASSERT_EQ(ours.size(), theirs.size()) << console;
        for (std::size_t i = 0; i < ours.size(); ++i) {
            EXPECT_EQ(ours[i].time, theirs[i][1]) << i;
            // Single precision: a few steps of a float near 180.
            EXPECT_NEAR(ours[i].lat, std::stod(theirs[i][3]), 2e-5) << i;
            EXPECT_NEAR(ours[i].lon, std::stod(theirs[i][4]), 4e-5) << i;
            EXPECT_EQ(ours[i].alt, theirs[i][5] == "null" ? 0 : std::stoi(theirs[i][5])) << i;
        }
        // Every line end reads as CR LF does.
        for (const std::vector<std::string>& ends :
             std::vector<std::vector<std::string>>{{"\n"}, {"\r"}, {"\r", "\n", "\r\n"}}) {
            tmp.write("ends.igc", logger_log(lad, lod, ends));
            const std::vector<ReaderFix> again = read_ours("ends.igc");
            ASSERT_EQ(again.size(), ours.size()) << ::testing::PrintToString(ends);
            for (std::size_t i = 0; i < ours.size(); ++i) {
                EXPECT_EQ(again[i].time, ours[i].time);
                EXPECT_EQ(again[i].lat, ours[i].lat);
                EXPECT_EQ(again[i].lon, ours[i].lon);
            }
        }
    }
}

TEST_F(IgcReaderAgainstOthers, LinesEndingInCrAloneReadAsGpsbabelReadsThem) {
    tmp.write("cr.igc", logger_log(0, 0, {"\r"}));
    const std::vector<ReaderFix> ours = read_ours("cr.igc");
    const gpsbabel_reading g = read_with_gpsbabel(tmp.file("cr.igc"));
    if (!igc_reader_present(g)) GTEST_SKIP() << g.problem;
    ASSERT_TRUE(g.accepted) << g.problem;
    std::vector<std::map<std::string, std::string>> theirs;
    for (std::size_t k = 0; k < g.fixes; ++k)
        if (on_globe(logger_records[k].finer, 0, 0)) theirs.push_back(g.rows[k]);
    ASSERT_EQ(g.fixes, std::size(logger_records));
    ASSERT_EQ(ours.size(), theirs.size()) << console;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        auto row = theirs[i];
        // gpsbabel counts the hours past 23 as days after the log's date.
        const int32_t day = std::stoi(row["Date"].substr(8, 2)) - 15;
        const int32_t h = std::stoi(row["Time"].substr(0, 2)) + 24 * day;
        EXPECT_EQ(ours[i].time, (h < 10 ? "0" : "") + std::to_string(h) + row["Time"].substr(2)) << i;
        EXPECT_NEAR(ours[i].lat, std::stod(row["Latitude"]), 2e-5) << i;
        EXPECT_NEAR(ours[i].lon, std::stod(row["Longitude"]), 4e-5) << i;
    }
}

// Damaged values in a track never cost the log: every file stays one that
// both readers take in full.  A fix that cannot be written (also one that
// took the damage from a neighbour through the interpolation) is left out
// and counted, the other fixes are written; a task point that cannot be
// written leaves the declaration out.
class DamagedTracks : public IgcReaders {
protected:
    // 20 fixes half a second into each second from 12:30:00, a task of two
    // points.
    static track_desc track() {
        track_desc d = tw_sample(3040);
        d.fixes.clear();
        for (int i = 0; i < 20; ++i) {
            tw_fix f;
            f.hours = (45000.5 + i) / 3600.0;
            f.x = 1000.0f + 20.0f * static_cast<float>(i);
            f.y = 2000.0f + 15.0f * static_cast<float>(i);
            f.alt = 500.0f + static_cast<float>(i);
            d.fixes.push_back(f);
        }
        return d;
    }
    // The file passes the strict record check, and both readers take it
    // whole: `fixes` fixes, a task or none.
    void expect_read_whole(const std::string& file, std::size_t fixes, bool task) {
        EXPECT_EQ(igc_strict_file_problem(tmp.read(std::filesystem::path(file).filename().string())), "");
        const gpsbabel_reading g = read_with_gpsbabel(file);
        const igc_parser_reading p = read_with_igc_parser(file);
        if (!igc_reader_present(g) || !igc_reader_present(p)) return;
        EXPECT_TRUE(g.accepted) << g.problem;
        EXPECT_EQ(g.fixes, fixes);
        EXPECT_TRUE(p.accepted) << p.problem;
        EXPECT_EQ(p.fixes, fixes);
        bool has_task = false;
        for (const auto& r : p.records) has_task = has_task || r[0] == "task";
        EXPECT_EQ(has_task, task);
    }
};

TEST_F(DamagedTracks, FixesThatCannotBeWrittenAreLeftOut) {
    enum Field { x, y, alt };
    const float values[] = {NAN, INFINITY, -INFINITY, 1.0e30f, -1.0e30f};
    const char* value_names[] = {"NaN", "+inf", "-inf", "1e30", "-1e30"};
    const Field fields[] = {x, y, alt};
    const char* field_names[] = {"X", "Y", "altitude"};
    // Seconds that use the damaged raw fix 10 (at 12:30:10.5): the next,
    // previous and nearest point take it for one second each; the linear
    // scheme for the seconds on either side of it; the parabola for the
    // three whose closer span holds it.
    struct Scheme {
        int32_t code;
        int32_t left_out;
    };
    const Scheme schemes[] = {{-2, 1}, {-1, 1}, {0, 1}, {1, 2}, {2, 3}};
    for (const Scheme& sc : schemes)
        for (const Field f : fields)
            for (std::size_t k = 0; k < std::size(values); ++k) {
                const float v = values[k];
                const std::string what = std::string(field_names[f]) + " " + value_names[k] + ", scheme " +
                                         std::to_string(sc.code);
                SCOPED_TRACE(what);
                track_desc d = track();
                tw_fix& bad = d.fixes[10];
                (f == x ? bad.x : f == y ? bad.y : bad.alt) = v;
                Igc_written w;
                w.fixes_left_out = -1;
                const std::string file = tmp.file("damaged.igc");
                const std::vector<track_fix> ppsec = convert_test_track(d, file, sc.code, &w);
                EXPECT_EQ(w.refused, Igc_refusal::none);
                EXPECT_FALSE(w.task_left_out);
                EXPECT_EQ(w.fixes_left_out, sc.left_out);
                std::size_t b = 0;
                for (const std::string& l : crlf_lines(tmp.read("damaged.igc"))) b += !l.empty() && l[0] == 'B';
                EXPECT_EQ(b + static_cast<std::size_t>(w.fixes_left_out), ppsec.size());
                expect_read_whole(file, b, true);
            }
}

TEST_F(DamagedTracks, TaskPointThatCannotBeWrittenLeavesTheDeclarationOut) {
    for (const float v : {NAN, INFINITY, -1.0e30f}) {
        SCOPED_TRACE(v);
        track_desc d = track();
        d.tps[1].x = v;
        Igc_written w;
        const std::string file = tmp.file("task.igc");
        convert_test_track(d, file, -2, &w);
        EXPECT_EQ(w.refused, Igc_refusal::none);
        EXPECT_TRUE(w.task_left_out);
        EXPECT_EQ(w.fixes_left_out, 0);
        for (const std::string& l : crlf_lines(tmp.read("task.igc"))) EXPECT_NE(l.substr(0, 1), "C") << l;
        expect_read_whole(file, 20, false);
    }
}

// A track whose date is no calendar day, or of which no fix can be written,
// gives no file: an earlier file of that name stays as it was.
TEST_F(DamagedTracks, NothingWrittenLeavesAnEarlierFile) {
    track_desc undated = track();
    undated.date = 0.0;
    track_desc nowhere = track();
    for (tw_fix& f : nowhere.fixes) f.y = NAN;
    struct Case {
        const char* what;
        track_desc d;
        Igc_refusal refused;
    };
    const Case cases[] = {{"no calendar day", undated, Igc_refusal::bad_date},
                          {"no fix can be written", nowhere, Igc_refusal::no_fix}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tmp.write("kept.igc", "an earlier log\r\n");
        Igc_written w;
        convert_test_track(c.d, tmp.file("kept.igc"), -2, &w);
        EXPECT_EQ(w.refused, c.refused);
        EXPECT_EQ(tmp.read("kept.igc"), "an earlier log\r\n");
    }
}

}  // namespace
