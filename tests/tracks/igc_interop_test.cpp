// The IGC files the writer produces, read by two independent IGC readers
// (tests/common/igc_readers.h): gpsbabel and the igc-parser package in its
// strict mode.  Both must accept every file and report the times,
// positions (to the file's 0.001 minute) and altitudes expected.  A missing
// reader skips these tests, except with CI=true in the environment, where
// it fails them.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "taskmodel/task_model.h"
#include "tests/common/igc_readers.h"
#include "tests/tracks/igc_fixture.h"
#include "tracks/track_records.h"

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

}  // namespace
