// The IGC files the writer produces, read by two independent IGC readers:
// gpsbabel and the igc-parser package (strict mode, through
// tests/interop/igc_check.js).  Both must accept every file and report the
// times, positions (to the file's 0.001 minute) and altitudes expected.
//
// The readers are found at run time: gpsbabel and node in PATH, igc-parser
// in the build's interop folder (installed by scripts/install-deps.sh).  A
// missing reader skips these tests, except with CI=true in the
// environment, where it fails them.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "taskmodel/task_model.h"
#include "tests/common/child_process.h"
#include "tests/tracks/igc_fixture.h"
#include "tests/tracks/utm_fixtures.h"
#include "tracks/track_records.h"

#ifndef BREMALO_INTEROP_DIR
#define BREMALO_INTEROP_DIR ""
#endif
#ifndef BREMALO_INTEROP_SCRIPT
#define BREMALO_INTEROP_SCRIPT ""
#endif

namespace {

namespace fs = std::filesystem;

// The written minutes are rounded to 0.001 minute; gpsbabel prints six
// decimals of a degree.
constexpr double minute_step = 0.0005 / 60.0;
constexpr double pos_tol = minute_step + 1.0e-6;

bool in_ci() {
    const char* ci = std::getenv("CI");
    if (!ci) return false;
    const std::string v = ci;
    return !v.empty() && v != "0" && v != "false";
}

std::vector<std::string> split(const std::string& line, char sep) {
    std::vector<std::string> f;
    std::string item;
    std::istringstream in(line);
    while (std::getline(in, item, sep)) f.push_back(item);
    if (!line.empty() && line.back() == sep) f.emplace_back();
    return f;
}

std::vector<std::string> text_lines(const std::string& s) {
    std::vector<std::string> lines;
    std::istringstream in(s);
    std::string l;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

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

class IgcReaders : public InFreshUtm {
protected:
    void SetUp() override {
        InFreshUtm::SetUp();
        init_read_fpl();
        init_glider();
        ASSERT_TRUE(igc_test_frame(tmp.file("land.trn")));
    }

    /// Fails under CI, skips otherwise, when `found` is false.
    void require(bool found, const std::string& what) {
        if (found) return;
        if (in_ci()) FAIL() << what << " is missing: run scripts/install-deps.sh (CI=true)";
        GTEST_SKIP() << what << " is missing (scripts/install-deps.sh installs it)";
    }

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

class GpsbabelReads : public IgcReaders {
protected:
    void SetUp() override {
        IgcReaders::SetUp();
        gpsbabel = find_program("gpsbabel");
        require(!gpsbabel.empty(), "gpsbabel");
    }
    /// The unicsv rows gpsbabel makes of `file` with `mode` ("-t" tracks,
    /// "-r" routes), as column name -> value maps.
    std::vector<std::map<std::string, std::string>> rows(const std::string& file, const std::string& mode) {
        const std::string csv = file + (mode == "-t" ? ".trk.csv" : ".rte.csv");
        const program_result r = run_program({gpsbabel, mode, "-i", "igc", "-f", file, "-o", "unicsv", "-F", csv});
        EXPECT_TRUE(r.started);
        EXPECT_EQ(r.status, 0) << file << ": " << r.err;
        EXPECT_EQ(r.err, "") << file;
        std::vector<std::map<std::string, std::string>> out;
        const std::vector<std::string> lines = text_lines(tmp.read(fs::path(csv).filename().string()));
        if (lines.empty()) return out;
        const std::vector<std::string> head = split(lines[0], ',');
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (lines[i].empty()) continue;
            const std::vector<std::string> f = split(lines[i], ',');
            std::map<std::string, std::string> row;
            for (std::size_t k = 0; k < head.size() && k < f.size(); ++k) row[head[k]] = f[k];
            out.push_back(row);
        }
        return out;
    }
    std::string gpsbabel;
};

TEST_F(GpsbabelReads, FixesTimesPositionsAndAltitudes) {
    for (const Converted& k : convert_all()) {
        SCOPED_TRACE(k.what);
        // One track from the pressure altitudes and one from the GNSS
        // altitudes, the same fixes in each.
        const auto r = rows(k.file, "-t");
        ASSERT_EQ(r.size(), 2 * k.fixes.size());
        for (std::size_t i = 0; i < r.size(); ++i) {
            const std::size_t j = i % k.fixes.size();
            const expected_fix& e = k.fixes[j];
            auto row = r[i];
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
        const auto r = rows(k.file, "-r");
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

class IgcParserReads : public IgcReaders {
protected:
    void SetUp() override {
        IgcReaders::SetUp();
        node = find_program("node");
        if (node.empty()) node = find_program("nodejs");
        require(!node.empty(), "node");
        module_dir = BREMALO_INTEROP_DIR;
        require(!module_dir.empty() && fs::exists(fs::path(module_dir) / "node_modules" / "igc-parser" / "package.json"),
                "the igc-parser package (in " + module_dir + ")");
        require(fs::exists(BREMALO_INTEROP_SCRIPT), std::string("the script ") + BREMALO_INTEROP_SCRIPT);
    }
    std::vector<std::vector<std::string>> parse(const std::string& file) {
        const program_result r = run_program({node, BREMALO_INTEROP_SCRIPT, module_dir, file});
        EXPECT_TRUE(r.started);
        EXPECT_EQ(r.status, 0) << file << ": " << r.err;
        std::vector<std::vector<std::string>> out;
        for (const std::string& l : text_lines(r.out))
            if (!l.empty()) out.push_back(split(l, ','));
        return out;
    }
    std::string node, module_dir;
};

TEST_F(IgcParserReads, StrictModeAcceptsEveryFile) {
    for (const Converted& k : convert_all()) {
        SCOPED_TRACE(k.what);
        const auto recs = parse(k.file);
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
