// Damaged fix times converted end to end: the damaged fixes are left out
// and told, the rest of the flight comes out as from the undamaged track,
// under every scheme.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include <gtest/gtest.h>

#include "tests/common/igc_strict.h"
#include "tests/common/temp_dir.h"
#include "tests/converter/bremalo_sandbox.h"

namespace {

const char* const schemes[] = {"-next", "-prev", "-near", "-linr", "-para"};

// The B records of an IGC text by their second of the day.
std::map<int, std::string> b_records(const std::string& igc) {
    std::map<int, std::string> by_second;
    for (const std::string& line : file_lines(igc)) {
        if (line.size() < 7 || line[0] != 'B') continue;
        const int s = std::stoi(line.substr(1, 2)) * 3600 + std::stoi(line.substr(3, 2)) * 60 +
                      std::stoi(line.substr(5, 2));
        by_second[s] = line;
    }
    return by_second;
}

// Every B record of `damaged` is a second that `sound` has, and every
// second more than three seconds from `from` .. `to` (seconds of the day)
// is the same record in both.
void expect_same_flight(const std::string& sound, const std::string& damaged, double from, double to,
                        const std::string& what) {
    const std::map<int, std::string> want = b_records(sound);
    const std::map<int, std::string> got = b_records(damaged);
    ASSERT_FALSE(want.empty()) << what;
    for (const auto& [second, line] : got)
        EXPECT_TRUE(want.count(second)) << what << ": a second added: " << line;
    for (const auto& [second, line] : want) {
        if (second >= from - 3.0 && second <= to + 3.0) continue;
        const auto it = got.find(second);
        EXPECT_TRUE(it != got.end() && it->second == line)
            << what << ": second " << second << " should be " << line
            << (it == got.end() ? std::string(", missing") : ", is " + it->second);
    }
}

void expect_same_flight(const std::string& sound, const std::string& damaged, double place,
                        const std::string& what) {
    expect_same_flight(sound, damaged, place, place, what);
}

// The line that tells one fix left out of `track`, as the console shows it.
std::string one_left_out(const std::string& track) { return track + " : 1 fix left out, its time is damaged"; }

class BremaloFixTimes : public ::testing::Test {
protected:
    void SetUp() override { box.terrain("Slovenia3"); }
    // Runs the converter on `args` with an empty error log; the error log
    // written comes back in `errors`.
    Bremalo_run run(const std::vector<std::string>& args, std::string& errors) {
        fs::remove(box.program() / "ErrorLog.txt");
        const Bremalo_run r = box.run(args);
        errors = box.read(box.program() / "ErrorLog.txt");
        return r;
    }
    Bremalo_sandbox box;
};

// Two fixes a second over half a minute, on a curve, so that every scheme
// gives its own values.
track_desc curved_track() {
    track_desc d = e2e_track(3040, 0);
    for (int i = 0; i < 61; ++i) {
        tw_fix f;
        f.hours = (45000.25 + 0.5 * i) / 3600.0;
        f.x = 1000.0f + 10.0f * static_cast<float>(i) + 0.3f * static_cast<float>(i * i);
        f.y = 2000.0f + 5.0f * static_cast<float>(i);
        f.alt = 600.0f + static_cast<float>(i);
        d.fixes.push_back(f);
    }
    return d;
}

// An hour of fixes every half second, on a curve.
track_desc hour_track() {
    track_desc d = e2e_track(3040, 0);
    for (int i = 0; i < 7200; ++i) {
        tw_fix f;
        f.hours = (45000.25 + 0.5 * i) / 3600.0;
        f.x = 1000.0f + 300.0f * static_cast<float>(std::sin(i * 0.002)) + 2.0f * static_cast<float>(i);
        f.y = 2000.0f + 200.0f * static_cast<float>(std::cos(i * 0.003));
        f.alt = 600.0f + static_cast<float>(i % 500);
        d.fixes.push_back(f);
    }
    return d;
}

// The sample track's bytes (version 3040: 64-byte fixes from the end of the
// header, the time a float64 of decimal hours at the start of each).
std::vector<unsigned char> sample_bytes() {
    std::ifstream in(fs::path(BREMALO_SOURCE_DIR) / "samples" / "sample.ftr", std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

double sample_hours(const std::vector<unsigned char>& bytes, std::size_t fix) {
    double h = 0;
    std::memcpy(&h, bytes.data() + tw_v3_header_size + fix * 64, sizeof h);
    return h;
}

void set_sample_hours(std::vector<unsigned char>& bytes, std::size_t fix, double h) {
    std::memcpy(bytes.data() + tw_v3_header_size + fix * 64, &h, sizeof h);
}

void write_bytes(const fs::path& p, const std::vector<unsigned char>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

// One fix time moved a quarter of an hour ahead, four hours behind or not a
// number, at the first, a middle and the last fix: that fix alone is left
// out, with a line that says so, and the track converts.
TEST_F(BremaloFixTimes, OneDamagedTimeCostsOnlyItsFix) {
    const track_desc sound = curved_track();
    box.track("sound.ftr", sound);
    struct Damage {
        const char* name;
        double hours;  // added to the fix's time; NaN: the time is NaN
    } damages[] = {{"ahead", 0.4}, {"behind", -4.0}, {"nan", NAN}};
    struct Place {
        const char* name;
        std::size_t fix;
    } places[] = {{"first", 0}, {"middle", 30}, {"last", 60}};
    std::vector<std::string> args;
    for (const Damage& d : damages)
        for (const Place& p : places) {
            track_desc t = sound;
            double& h = t.fixes[p.fix].hours;
            h = std::isnan(d.hours) ? NAN : h + d.hours;
            args.push_back(box.track(std::string(p.name) + "_" + d.name + ".ftr", t));
        }
    for (const char* scheme : schemes) {
        std::vector<std::string> run_args = {scheme, "sound.ftr"};
        run_args.insert(run_args.end(), args.begin(), args.end());
        std::string errors;
        const Bremalo_run r = run(run_args, errors);
        EXPECT_EQ(r.status, 0) << scheme << "\n" << r.both();
        const std::string want = box.read("sound.igc");
        EXPECT_EQ(errors.find("sound.ftr"), std::string::npos) << errors;
        for (const Place& p : places)
            for (const Damage& d : damages) {
                const std::string name = std::string(p.name) + "_" + d.name;
                const std::string what = std::string(scheme) + " " + name;
                EXPECT_NE(r.out.find("\n" + one_left_out(name + ".ftr") + "\n"), std::string::npos)
                    << what << "\n" << r.out;
                EXPECT_NE(errors.find(one_left_out(name + ".ftr") + "\r\n"), std::string::npos)
                    << what << "\n" << errors;
                const std::string got = box.read(name + ".igc");
                EXPECT_EQ(igc_strict_file_problem(got), "") << what;
                expect_same_flight(want, got, 45000.25 + 0.5 * static_cast<double>(p.fix), what);
            }
        // The closing line counts the fixes read, the damaged one among them.
        EXPECT_NE(r.out.find("\n    61 fixes and  2 turn points read\n"), std::string::npos) << r.out;
    }
}

// A fix whose time steps back by less than a second: its second came
// before, so the next-point scheme drops it as it always has, and the file
// is the one of the track without that fix, byte for byte.
TEST_F(BremaloFixTimes, SmallStepBackKeepsTheNextPointFile) {
    track_desc stepped = e2e_track(3040, 20);
    stepped.fixes[8].hours = stepped.fixes[7].hours - 0.3 / 3600.0;
    box.track("stepped.ftr", stepped);
    track_desc without = stepped;
    without.fixes.erase(without.fixes.begin() + 8);
    box.track("without.ftr", without);
    std::string errors;
    const Bremalo_run r = run({"-next", "stepped.ftr", "without.ftr"}, errors);
    EXPECT_EQ(r.status, 0) << r.both();
    const std::string want = box.read("without.igc");
    EXPECT_EQ(count_prefixed(file_lines(want), "B"), 19u);
    EXPECT_EQ(box.read("stepped.igc"), want);
    EXPECT_NE(r.out.find("\n" + one_left_out("stepped.ftr") + "\n"), std::string::npos) << r.out;
}

// The user's report: the sample's 128th fix at 13.5 h, and its last fix a
// hundred hours on.  Both convert to the whole flight, 13:05:00 to 13:09:59,
// but for the last second, which only the last fix has.
TEST_F(BremaloFixTimes, ReportedSampleDamage) {
    fs::copy_file(fs::path(BREMALO_SOURCE_DIR) / "samples" / "LandscapeFiles" / "Sample.trn",
                  box.program() / "LandscapeFiles" / "Sample.trn");
    const std::vector<unsigned char> sound = sample_bytes();
    ASSERT_GT(sound.size(), tw_v3_header_size + 600 * 64);
    write_bytes(box.work() / "sample.ftr", sound);
    struct Case {
        const char* name;
        std::size_t fix;
        double hours;
        std::size_t seconds;  // B records written
        const char* last;     // the last of them, up to its time
    } cases[] = {{"fix128", 127, 13.5, 300, "B130959"},
                 {"last100h", 599, sample_hours(sound, 599) + 100.0, 299, "B130958"}};
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes = sound;
        set_sample_hours(bytes, c.fix, c.hours);
        write_bytes(box.work() / (std::string(c.name) + ".ftr"), bytes);
    }
    for (const char* scheme : schemes) {
        std::string errors;
        const Bremalo_run r = run({scheme, "sample.ftr", "fix128.ftr", "last100h.ftr"}, errors);
        EXPECT_EQ(r.status, 0) << scheme << "\n" << r.both();
        const std::string want = box.read("sample.igc");
        for (const Case& c : cases) {
            const std::string what = std::string(scheme) + " " + c.name;
            EXPECT_NE(r.out.find("\n" + one_left_out(std::string(c.name) + ".ftr") + "\n"), std::string::npos)
                << what << "\n" << r.out;
            EXPECT_NE(errors.find(one_left_out(std::string(c.name) + ".ftr") + "\r\n"), std::string::npos)
                << what << "\n" << errors;
            const std::string got = box.read(std::string(c.name) + ".igc");
            const std::map<int, std::string> b = b_records(got);
            ASSERT_EQ(b.size(), c.seconds) << what;
            EXPECT_EQ(b.begin()->second.substr(0, 7), "B130500") << what;
            EXPECT_EQ(b.rbegin()->second.substr(0, 7), c.last) << what;
            expect_same_flight(want, got, sample_hours(sound, c.fix) * 3600.0, what);
            if (std::string(scheme) == "-next")
                expect_readable_igc(box.work() / (std::string(c.name) + ".igc"), c.seconds);
        }
    }
}

// Records left as zero bytes by a crash or an interrupted copy, at the
// head, in the middle and at the tail, and a last fix moved 450 s ahead:
// each costs only its own fixes, counted, and every other B record is the
// one of the sound track.
TEST_F(BremaloFixTimes, ZeroedBlocksAndAStrayEndCostOnlyThemselves) {
    const track_desc sound = hour_track();
    box.track("sound.ftr", sound);
    struct Case {
        const char* name;
        std::size_t first, count;  // fixes zeroed; count 0: the last fix moved
        int left_out;
    } cases[] = {{"zero_head", 0, 3240, 3240},
                 {"zero_middle", 1620, 3960, 3960},
                 {"zero_tail", 3240, 3960, 3960},
                 {"last_ahead", 7199, 0, 1}};
    std::vector<std::string> args = {"sound.ftr"};
    for (const Case& c : cases) {
        track_desc t = sound;
        if (c.count == 0)
            t.fixes[c.first].hours += 450.0 / 3600.0;
        for (std::size_t i = c.first; i < c.first + c.count; ++i) t.fixes[i] = tw_fix{};
        args.push_back(box.track(std::string(c.name) + ".ftr", t));
    }
    for (const char* scheme : schemes) {
        std::vector<std::string> run_args = {scheme};
        run_args.insert(run_args.end(), args.begin(), args.end());
        std::string errors;
        const Bremalo_run r = run(run_args, errors);
        EXPECT_EQ(r.status, 0) << scheme << "\n" << r.both();
        const std::string want = box.read("sound.igc");
        for (const Case& c : cases) {
            const std::string what = std::string(scheme) + " " + c.name;
            const std::string line = std::string(c.name) + ".ftr : " + std::to_string(c.left_out) +
                                     (c.left_out == 1 ? " fix left out, its time is damaged"
                                                      : " fixes left out, their times are damaged");
            EXPECT_NE(r.out.find("\n" + line + "\n"), std::string::npos) << what << "\n" << r.out;
            EXPECT_NE(errors.find(line + "\r\n"), std::string::npos) << what << "\n" << errors;
            const std::string got = box.read(std::string(c.name) + ".igc");
            EXPECT_EQ(igc_strict_file_problem(got), "") << what;
            const std::size_t last = c.first + std::max<std::size_t>(c.count, 1) - 1;
            expect_same_flight(want, got, 45000.25 + 0.5 * static_cast<double>(c.first),
                               45000.25 + 0.5 * static_cast<double>(last), what);
        }
    }
}

// A clock that stuck: every fix at 13:00:00, the glider moving.  One time
// is no flight: the track is not converted, and an IGC file of that name
// from an earlier run stays.
TEST_F(BremaloFixTimes, StuckClockIsNotConverted) {
    track_desc stuck = hour_track();
    for (tw_fix& f : stuck.fixes) f.hours = 13.0;
    box.track("stuck.ftr", stuck);
    box.write("stuck.igc", "an earlier IGC file\n");
    std::string errors;
    const Bremalo_run r = run({"stuck.ftr"}, errors);
    EXPECT_EQ(r.status, 1) << r.both();
    EXPECT_EQ(box.read("stuck.igc"), "an earlier IGC file\n");
    EXPECT_NE(r.out.find(" >>> stuck.ftr : damaged track, all its fix times are damaged, skipped\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(box.read("Logfile.txt").find("stuck.ftr : damaged track, all its fix times are damaged, skipped\r\n"),
              std::string::npos);
}

// A gap of 11, 30 or 90 minutes half way: both parts are flight, nothing is
// left out, and each part's B records are those of the part converted
// alone (but at the gap's edges); the next-point scheme writes no second
// in the gap.
TEST_F(BremaloFixTimes, GapsKeepBothParts) {
    const track_desc sound = hour_track();
    track_desc before = sound, after = sound;
    before.fixes.resize(600);
    after.fixes.assign(sound.fixes.begin() + 600, sound.fixes.begin() + 1200);
    const double first_after = 45000.25 + 0.5 * 600;
    std::vector<std::string> args;
    for (const int minutes : {11, 30, 90}) {
        track_desc gapped = before, shifted = after;
        for (tw_fix& f : shifted.fixes) f.hours += minutes / 60.0;
        gapped.fixes.insert(gapped.fixes.end(), shifted.fixes.begin(), shifted.fixes.end());
        args.push_back(box.track("after" + std::to_string(minutes) + ".ftr", shifted));
        args.push_back(box.track("gap" + std::to_string(minutes) + ".ftr", gapped));
    }
    args.push_back(box.track("before.ftr", before));
    for (const char* scheme : schemes) {
        std::vector<std::string> run_args = {scheme};
        run_args.insert(run_args.end(), args.begin(), args.end());
        std::string errors;
        const Bremalo_run r = run(run_args, errors);
        EXPECT_EQ(r.status, 0) << scheme << "\n" << r.both();
        EXPECT_EQ(r.out.find("left out"), std::string::npos) << scheme << "\n" << r.out;
        const std::map<int, std::string> first_part = b_records(box.read("before.igc"));
        for (const int minutes : {11, 30, 90}) {
            const std::string what = std::string(scheme) + " gap of " + std::to_string(minutes) + " minutes";
            const std::string got_text = box.read("gap" + std::to_string(minutes) + ".igc");
            EXPECT_EQ(igc_strict_file_problem(got_text), "") << what;
            const std::map<int, std::string> got = b_records(got_text);
            const std::map<int, std::string> second_part = b_records(box.read("after" + std::to_string(minutes) + ".igc"));
            const double gap_from = first_after - 0.5, gap_to = first_after + minutes * 60.0;
            for (const auto* part : {&first_part, &second_part})
                for (const auto& [second, line] : *part) {
                    if (second >= gap_from - 3.0 && second <= gap_to + 3.0) continue;
                    const auto it = got.find(second);
                    EXPECT_TRUE(it != got.end() && it->second == line) << what << ": second " << second;
                }
            if (std::string(scheme) == "-next")
                EXPECT_EQ(got.size(), first_part.size() + second_part.size()) << what;
            else
                EXPECT_EQ(got.size(), static_cast<std::size_t>(second_part.rbegin()->first - first_part.begin()->first + 1))
                    << what;
        }
    }
}
