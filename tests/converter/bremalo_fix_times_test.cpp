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
// second more than three seconds from `place` (seconds of the day) is the
// same record in both.
void expect_same_flight(const std::string& sound, const std::string& damaged, double place,
                        const std::string& what) {
    const std::map<int, std::string> want = b_records(sound);
    const std::map<int, std::string> got = b_records(damaged);
    ASSERT_FALSE(want.empty()) << what;
    for (const auto& [second, line] : got)
        EXPECT_TRUE(want.count(second)) << what << ": a second added: " << line;
    for (const auto& [second, line] : want) {
        if (std::fabs(second - place) <= 3.0) continue;
        const auto it = got.find(second);
        EXPECT_TRUE(it != got.end() && it->second == line)
            << what << ": second " << second << " should be " << line
            << (it == got.end() ? std::string(", missing") : ", is " + it->second);
    }
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
