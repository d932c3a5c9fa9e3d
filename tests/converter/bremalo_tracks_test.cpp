// Tracks converted end to end: both track layouts, every scheme, the names
// a user gives, tracks that cannot be converted among others, the terrain
// header without a simulator installation (bremalo_installation_test.cpp
// has it with one), the dumps.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "tests/common/igc_readers.h"
#include "tests/common/temp_dir.h"
#include "tests/converter/bremalo_sandbox.h"
#include "tracks/ftr_header.h"

namespace {

// The IGC file's lines.
std::vector<std::string> igc(const Bremalo_sandbox& box, const fs::path& p) { return file_lines(box.read(p)); }

class BremaloTracks : public ::testing::Test {
protected:
    void SetUp() override { box.terrain("Slovenia3"); }
    Bremalo_sandbox box;
};

}  // namespace

TEST_F(BremaloTracks, BothLayoutsOfBothVersions) {
    for (int32_t version : {2500, 3000, 3040}) {
        const std::string name = "v" + std::to_string(version);
        box.track(name + ".ftr", e2e_track(version, 30));
        const Bremalo_run r = box.run({name + ".ftr"});
        EXPECT_EQ(r.status, 0) << r.both();
        const std::vector<std::string> lines = igc(box, name + ".igc");
        EXPECT_EQ(count_prefixed(lines, "B"), 30u) << version;
        EXPECT_EQ(count_prefixed(lines, "LCONFBREMALOInterpolation=Next point (Condor default)"), 1u) << version;
        EXPECT_GT(count_prefixed(lines, "LCONFPL"), 0u) << version;
        EXPECT_NE(r.out.find("    30 fixes and  2 turn points read\n"), std::string::npos) << r.out;
        EXPECT_TRUE(box.read("ErrorLog.txt").empty());
        expect_readable_igc(box.work() / (name + ".igc"), 30);
    }
}

// Every scheme option names its scheme in the IGC file; two raw fixes a
// second give one fix per second by every scheme.
TEST_F(BremaloTracks, EverySchemeOption) {
    struct Case {
        const char* option;
        const char* scheme;
    } cases[] = {
        {"-next", "Next point (Condor default)"}, {"-prev", "Previous point"}, {"-near", "Nearest point"},
        {"-linr", "Linear"},                      {"-para", "Parabolic (closest)"},
    };
    track_desc d = e2e_track(3040, 0);
    for (int i = 0; i < 41; ++i) {
        tw_fix f;
        f.hours = (45000.25 + 0.5 * i) / 3600.0;
        f.x = 1000.0f + 10.0f * static_cast<float>(i);
        f.y = 2000.0f;
        f.alt = 600.0f + static_cast<float>(i);
        d.fixes.push_back(f);
    }
    box.track("t.ftr", d);
    for (const Case& c : cases) {
        const Bremalo_run r = box.run({"-para", c.option, "t.ftr"});
        EXPECT_EQ(r.status, 0) << r.both();
        EXPECT_NE(r.out.find(std::string("Interpolation scheme : ") + c.scheme), std::string::npos) << c.option;
        const std::vector<std::string> lines = igc(box, "t.igc");
        EXPECT_EQ(count_prefixed(lines, "B"), 21u) << c.option;
        EXPECT_EQ(count_prefixed(lines, std::string("LCONFBREMALOInterpolation=") + c.scheme), 1u) << c.option;
        expect_readable_igc(box.work() / "t.igc", 21);
    }
}

// How users name tracks: without the extension, "FTR" in capitals, through
// "./" (".\" on Windows), in a folder whose name holds a "." (such as a
// Wine prefix's), with a blank, by the full path (on Windows beginning with
// the drive).
TEST_F(BremaloTracks, NamesUsersGive) {
    struct Case {
        std::string file;
        std::string arg;
        std::string igc;
    } cases[] = {
        {"plain.ftr", "plain", "plain.igc"},
        {"upper.FTR", "upper.FTR", "upper.igc"},
        {"dot.ftr", native_path("./dot.ftr"), "dot.igc"},
        {".wine/drive_c/flights.2024/in.ftr", native_path(".wine/drive_c/flights.2024/in.ftr"),
         ".wine/drive_c/flights.2024/in.igc"},
        {"my flight.ftr", "my flight.ftr", "my flight.igc"},
        {"full.2024/path.ftr", (box.work() / "full.2024" / "path.ftr").string(), "full.2024/path.igc"},
        // As given, also on Windows, which takes "/" as a separator too.
        {"slash.2024/in.ftr", "slash.2024/in.ftr", "slash.2024/in.igc"},
    };
    for (const Case& c : cases) {
        box.track(c.file, e2e_track(3040));
        const Bremalo_run r = box.run({c.arg});
        EXPECT_EQ(r.status, 0) << r.both();
        EXPECT_EQ(count_prefixed(igc(box, c.igc), "B"), 20u) << c.arg << "\n" << r.both();
    }
    // The extension test: a second "." in the file name refuses it.
    box.track("flight.v2.ftr", e2e_track(3040));
    const Bremalo_run r = box.run({"flight.v2.ftr"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(" flight.v2.ftr : not a Condor flight track, skipped\n"), std::string::npos) << r.out;
    EXPECT_FALSE(box.exists("flight.v2.igc"));
    EXPECT_FALSE(box.exists("flight.igc"));
}

// Tracks that cannot be converted are reported and passed over; the other
// tracks of the run are converted all the same, and the run's status says
// that some were not.
TEST_F(BremaloTracks, BadTracksAmongGoodOnes) {
    box.track("good1.ftr", e2e_track(3040));
    box.track("good2.ftr", e2e_track(2500));
    // A header announcing twice the fixes the file holds: the reader takes
    // the trailer's bytes as fixes, whose times are no numbers; the track
    // converts without them.
    track_desc overlong = e2e_track(3040, 4);
    overlong.npts = 8;
    overlong.trailer = std::vector<unsigned char>(400, 0xff);
    box.track("overlong.ftr", overlong);
    // No fix time that can be used.
    track_desc unusable = e2e_track(3040, 3);
    for (tw_fix& f : unusable.fixes) f.hours = NAN;
    box.track("unusable.ftr", unusable);
    // Fixes ten minutes apart over more than 48 hours.
    track_desc too_long = e2e_track(3040, 0);
    for (int i = 0; i <= 48 * 6 + 1; ++i) {
        tw_fix f;
        f.hours = 1.0 + i / 6.0;
        too_long.fixes.push_back(f);
    }
    box.track("toolong.ftr", too_long);
    // A header announcing fixes the file does not hold at all.
    track_desc empty = e2e_track(3040, 0);
    empty.npts = 5;
    box.track("nofix.ftr", empty);
    box.write("text.ftr", "not a track at all\n");
    box.write("notes.txt", "");

    const Bremalo_run r = box.run({"good1.ftr", "missing.ftr", "overlong.ftr", "unusable.ftr", "toolong.ftr",
                                   "notes.txt", "nofix", "text.ftr", "good2.ftr"});
    EXPECT_EQ(r.status, 1) << r.both();
    EXPECT_EQ(count_prefixed(igc(box, "good1.igc"), "B"), 20u);
    EXPECT_EQ(count_prefixed(igc(box, "good2.igc"), "B"), 20u);
    EXPECT_EQ(count_prefixed(igc(box, "overlong.igc"), "B"), 4u);
    EXPECT_NE(r.out.find("\noverlong.ftr : 4 fixes left out, their times are damaged\n"), std::string::npos)
        << r.out;
    for (const char* none : {"missing.igc", "unusable.igc", "toolong.igc", "notes.igc", "nofix.igc", "text.igc"})
        EXPECT_FALSE(box.exists(none)) << none;
    const std::string log = box.read("Logfile.txt");
    EXPECT_NE(log.find("missing.ftr : file not found, skipped\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("unusable.ftr : damaged track, all its fix times are damaged, skipped\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("toolong.ftr : damaged track, its fixes span more than 48 hours, skipped\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("nofix.ftr : no fix could be read, skipped\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("text.ftr: Not a Condor FTR file"), std::string::npos) << log;
    EXPECT_NE(r.out.find(" notes.txt : not a Condor flight track, skipped\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" >>> missing.ftr : file not found, skipped\n"), std::string::npos) << r.out;
}

// Track names that begin as the run log's prefixes do ("{F}" stops the
// program, "{E}" logs an error, "CREATE" starts a new log) are only names in
// its messages: the run goes on to the next track.
TEST_F(BremaloTracks, NamesThatBeginLikeRunLogPrefixes) {
    box.track("t.ftr", e2e_track(3040));
    box.write("{E}text.ftr", "not a track at all\n");
    const Bremalo_run r = box.run({"{F}gone.ftr", "CREATE.ftr", "{E}text.ftr", "t.ftr"});
    EXPECT_EQ(r.status, 1) << r.both();  // three tracks not converted, none stopped the run
    EXPECT_EQ(count_prefixed(igc(box, "t.igc"), "B"), 20u);
    const std::string log = box.read("Logfile.txt");
    for (const char* line : {"./{F}gone.ftr : file not found, skipped\r\n", "./CREATE.ftr : file not found, skipped\r\n",
                             "./{E}text.ftr: Not a Condor FTR file\r\n"})
        EXPECT_NE(log.find(native_path(line)), std::string::npos) << line << "\n" << log;
    EXPECT_FALSE(box.exists(box.program() / "ErrorLog.txt"));
}

// A date word that gives no day count is a damaged date: the track is not
// converted.  Dates of the 1990s keep their year.
TEST_F(BremaloTracks, FlightDates) {
    struct Case {
        const char* name;
        int32_t version;
        double date;
        const char* hfdte;  // empty: not converted
    };
    const Case cases[] = {
        {"nan", 3040, std::numeric_limits<double>::quiet_NaN(), ""},
        {"inf", 2500, std::numeric_limits<double>::infinity(), ""},
        {"zero", 3000, 0.0, ""},
        {"y1999", 3040, 36525.5, "HFDTE311299"},
        {"y1995", 2500, 34865.0, "HFDTE150695"},
    };
    for (const Case& c : cases) {
        track_desc d = e2e_track(c.version);
        d.date = c.date;
        box.track(std::string(c.name) + ".ftr", d);
        const Bremalo_run r = box.run({std::string(c.name) + ".ftr"});
        const std::string igc_name = std::string(c.name) + ".igc";
        if (*c.hfdte == 0) {
            EXPECT_EQ(r.status, 1) << c.name;
            EXPECT_FALSE(box.exists(igc_name)) << c.name;
            const std::string line =
                std::string(c.name) + ".ftr : damaged track, its flight date 000000 is no calendar day, skipped";
            EXPECT_NE(box.read("Logfile.txt").find(line + "\r\n"), std::string::npos) << c.name;
        } else {
            EXPECT_EQ(r.status, 0) << c.name << r.both();
            const std::vector<std::string> lines = igc(box, igc_name);
            ASSERT_GT(lines.size(), 14u) << c.name;
            EXPECT_EQ(lines[2], c.hfdte) << c.name;
            expect_readable_igc(box.work() / igc_name, 20);
        }
    }
}

// Every track that is not converted has its line in the run log, printed
// on the console after ">>> " too; a damaged terrain header costs only the
// tracks of its landscape, as a missing one does.
TEST_F(BremaloTracks, EveryTrackNotConvertedIsTold) {
    box.track("my.flight.ftr", e2e_track(3040));
    box.track("c.Ftr", e2e_track(3040));
    track_desc nowhere = e2e_track(3040);
    nowhere.landscape = "Nowhere";
    box.track("nowhere.ftr", nowhere);
    TrnFields no_frame;
    no_frame.zone = 0;
    box.terrain("Damaged", no_frame);
    track_desc bad = e2e_track(3040);
    bad.landscape = "Damaged";
    box.track("bad.ftr", bad);
    box.track("good.ftr", e2e_track(3040));

    const Bremalo_run r = box.run({"my.flight.ftr", "c.Ftr", "nowhere.ftr", "bad.ftr", "good.ftr"});
    EXPECT_EQ(r.status, 1) << r.both();
    EXPECT_EQ(count_prefixed(igc(box, "good.igc"), "B"), 20u);
    for (const char* none : {"my.flight.igc", "my.igc", "c.igc", "nowhere.igc", "bad.igc"})
        EXPECT_FALSE(box.exists(none)) << none;
    const fs::path terrain = box.program() / "LandscapeFiles";
    const std::string log = box.read("Logfile.txt");
    for (const std::string& line :
         {std::string("my.flight.ftr : not a Condor flight track, skipped"),
          std::string("c.Ftr : not a Condor flight track, skipped"),
          "nowhere.ftr : terrain header " + (terrain / "Nowhere.trn").string() + " not found, skipped",
          "bad.ftr : terrain header " + (terrain / "Damaged.trn").string() + " gives no coordinate frame, skipped"}) {
        EXPECT_NE(log.find(line + "\r\n"), std::string::npos) << line << "\n" << log;
        EXPECT_NE(r.out.find(" >>> " + line + "\n"), std::string::npos) << line;
    }
    EXPECT_NE(r.err.find("*** Impossible to initialize coordinates conversion ***"), std::string::npos) << r.err;
}

// A track cut short among its fixes is converted with the fixes it holds;
// a warning names it and both counts, on the console and in the error log.
TEST_F(BremaloTracks, TrackCutShortIsTold) {
    for (int32_t version : {2500, 3040}) {
        track_desc d = e2e_track(version, 20);
        d.npts = 40;
        d.trailer.clear();  // nothing after the fixes that reads as one
        box.track("short.ftr", d);
        const Bremalo_run r = box.run({"short.ftr"});
        EXPECT_EQ(r.status, 0) << r.both();
        EXPECT_EQ(count_prefixed(igc(box, "short.igc"), "B"), 20u) << version;
        const std::string text = "short.ftr : track cut short, 20 of its 40 fixes read";
        EXPECT_NE(r.out.find("\n" + text + "\n"), std::string::npos) << version << "\n" << r.out;
        EXPECT_NE(box.read(box.program() / "ErrorLog.txt").find(text + "\r\n"), std::string::npos) << version;
        fs::remove(box.program() / "ErrorLog.txt");
    }
}

// Without a simulator the terrain header is looked for beside the program;
// a missing one is an error for that track only.
TEST_F(BremaloTracks, MissingTerrainHeader) {
    tracks_first_without_terrain(box);
    const Bremalo_run r = box.run({"other.ftr", "t.ftr"});
    EXPECT_EQ(r.status, 1) << r.both();
    EXPECT_FALSE(box.exists("other.igc"));
    EXPECT_TRUE(box.exists("t.igc"));
    const std::string path = (box.program() / "LandscapeFiles" / "Nowhere.trn").string();
    EXPECT_NE(r.err.find(path + "\nFile not found"), std::string::npos) << r.both();
    const std::string errors = box.read(box.program() / "ErrorLog.txt");
    EXPECT_NE(errors.find(path + "\r\nFile not found\r\n"), std::string::npos) << errors;
}

TEST_F(BremaloTracks, DumpsAndSmoothing) {
    box.track("FLIGHT.FTR", e2e_track(3040, 3));
    const Bremalo_run r = box.run({"-wr", "-sm:10", "FLIGHT.FTR"});
    EXPECT_EQ(r.status, 0) << r.both();
    const std::vector<std::string> raw = file_lines(box.read("FLIGHT_tXYZ.txt"));
    ASSERT_EQ(raw.size(), 4u);
    EXPECT_EQ(raw[0], " t X Y Z");
    EXPECT_EQ(raw[1], "  4.500050000E+04  1.000000000E+03  2.000000000E+03  5.000000000E+02");
    const std::vector<std::string> smooth = file_lines(box.read("FLIGHT_tXYZ_SMOOTH.txt"));
    ASSERT_EQ(smooth.size(), 4u);
    EXPECT_EQ(smooth[2], "  4.50015000000E+04  1.02000000000E+03  2.01500000000E+03  5.01000000000E+02");
    EXPECT_EQ(file_lines(box.read("fort.88")).size(), 1u);
    EXPECT_EQ(count_prefixed(igc(box, "FLIGHT.igc"), "B"), 3u);

    // A window that is not a number: a note, no smoothing, the track
    // converted.
    const Bremalo_run bad = box.run({"-sm:ten", "FLIGHT.FTR"});
    EXPECT_EQ(bad.status, 0);
    EXPECT_NE(bad.out.find(" -sm:ten : the smoothing window is not a number of seconds, no smoothing\n"),
              std::string::npos)
        << bad.out;
}

// The repository's sample converts beside itself, readable by both IGC
// readers.
TEST(BremaloSample, CommittedSampleConverts) {
    Bremalo_sandbox box;
    fs::copy_file(fs::path(BREMALO_SOURCE_DIR) / "samples" / "LandscapeFiles" / "Sample.trn",
                  box.program() / "LandscapeFiles" / "Sample.trn");
    fs::copy_file(fs::path(BREMALO_SOURCE_DIR) / "samples" / "sample.ftr", box.work() / "sample.ftr");
    const Bremalo_run r = box.run({"sample.ftr"});
    EXPECT_EQ(r.status, 0) << r.both();
    const std::vector<std::string> lines = file_lines(box.read("sample.igc"));
    ASSERT_GT(lines.size(), 20u);
    EXPECT_EQ(lines[0], "ACSS00001");
    EXPECT_EQ(lines[2], "HFDTE150624");
    // Take-off, start, two turnpoints, finish, landing.
    EXPECT_EQ(lines[14], "C150624130459150624000002");
    EXPECT_EQ(count_prefixed(lines, "B"), 300u);
    // The sample's trailer holds a real player status.
    EXPECT_EQ(count_prefixed(lines, "LCONFlightInfoPlayerStatus=Landed"), 1u);
    expect_readable_igc(box.work() / "sample.igc", 300);
#ifndef _WIN32
    const gpsbabel_reading g = read_with_gpsbabel((box.work() / "sample.igc").string(), gpsbabel_data::routes);
    if (igc_reader_present(g)) {
        std::string route;
        for (auto row : g.rows) route += row["Name"] + " ";
        EXPECT_EQ(route, "\"TAKEOFF\" \"START\" \"TURN01\" \"TURN02\" \"FINISH\" \"LANDING\" ");
    }
#endif
}

// What a damaged track's IGC file lacks is told, on the console and in the
// error log; the file holds every fix that can be written, and the run
// counts the track as converted.
TEST_F(BremaloTracks, DamagedValuesLeftOutAreTold) {
    track_desc d = e2e_track(3040);
    d.fixes[5].alt = 1.0e30f;
    d.fixes[12].y = NAN;
    d.tps[1].x = INFINITY;
    box.track("dam.ftr", d);
    const Bremalo_run r = box.run({"-linr", "dam.ftr"});
    EXPECT_EQ(r.status, 0) << r.both();
    for (const std::string text : {"dam.ftr : 4 seconds left out of the IGC file, their fixes cannot be written",
                                   "dam.ftr : task declaration left out of the IGC file, a task point cannot be "
                                   "written"}) {
        EXPECT_NE(r.out.find("\n" + text + "\n"), std::string::npos) << text << "\n" << r.out;
        const std::string errors = box.read(box.program() / "ErrorLog.txt");
        EXPECT_NE(errors.find(text + "\r\n"), std::string::npos) << text << "\n" << errors;
    }
    const std::vector<std::string> lines = igc(box, "dam.igc");
    EXPECT_EQ(count_prefixed(lines, "B"), 16u);
    EXPECT_EQ(count_prefixed(lines, "C"), 0u);
    expect_readable_igc(box.work() / "dam.igc", 16);
}
