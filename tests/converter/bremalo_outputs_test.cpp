// Where the converter's outputs go and what they are named: the settings
// file, the output folder, the IGC file and the track named by the pattern,
// the renaming that never replaces a file.
#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"
#include "tests/converter/bremalo_sandbox.h"

namespace {

class BremaloOutputs : public ::testing::Test {
protected:
    void SetUp() override { box.terrain("Slovenia3"); }

    // A track of competition number XY in Slovenia3 with first task point
    // "Finish" (tw_sample's), modified on 2024-05-01 at 14:07 local time;
    // returns its name as the program takes it (the platform's separator).
    std::string dated_track(const std::string& rel, int32_t version = 3040) {
        box.track(rel, e2e_track(version));
        box.date_file(rel, LocalTime{2024, 5, 1, 14, 7, 0});
        return native_path(rel);
    }

    std::size_t fixes_in(const fs::path& igc) { return count_prefixed(file_lines(box.read(igc)), "B"); }

    void settings(const std::string& text) { box.write(box.program() / "Bremalo.ini", text); }

    Bremalo_sandbox box;
};

const std::string default_name = "2024_05_01_14_07_XY__Slovenia3_Finish";

}  // namespace

TEST_F(BremaloOutputs, OutputFolders) {
    const std::string track = dated_track("in/t.ftr");
    struct Case {
        std::string setting;  // the settings file's line
        fs::path igc;         // where the IGC file goes
    } cases[] = {
        {"Output Folder = IGC files", box.work() / "in/IGC files/t.igc"},
        {"Output Folder : " + native_path("deep/er"), box.work() / "in/deep/er/t.igc"},
        {"# Output Folder = ignored", box.work() / "in/t.igc"},
    };
    for (const Case& c : cases) {
        settings(c.setting + "\r\n");
        const Bremalo_run r = box.run({track});
        EXPECT_EQ(r.status, 0) << r.both();
        EXPECT_EQ(fixes_in(c.igc), 20u) << c.setting << "\n" << r.both();
        expect_readable_igc(c.igc, 20);
    }
    // An absolute folder: "/..." on Linux, a drive's "C:\..." on Windows.
    const fs::path absolute = box.root() / "elsewhere" / "igc";
    settings("Output Folder = " + absolute.string() + "\n");
    EXPECT_EQ(box.run({track}).status, 0);
    EXPECT_EQ(fixes_in(absolute / "t.igc"), 20u);
}

// An output folder that cannot be created skips the track (no IGC file, no
// renaming, the run's status 1); the next track is converted.
TEST_F(BremaloOutputs, OutputFolderThatCannotBeCreated) {
    const std::string t = dated_track("a/t.ftr");
    const std::string u = dated_track("b/u.ftr");
    box.write("a/out", "a file where the folder should be");
    fs::create_directory(box.work() / "b" / "out");
    settings("Output Folder = out\n");
    const Bremalo_run r = box.run({"-rftr", t, u});
    EXPECT_EQ(r.status, 1) << r.both();
    EXPECT_TRUE(box.exists("a/t.ftr"));
    EXPECT_FALSE(box.exists("a/" + default_name + ".ftr"));
    EXPECT_NE(r.err.find("ERROR CREATING"), std::string::npos) << r.both();
    const std::string line = t + " : output folder " + native_path("a/out") + " cannot be made, skipped";
    EXPECT_NE(box.read("Logfile.txt").find(line + "\r\n"), std::string::npos) << box.read("Logfile.txt");
    EXPECT_NE(r.out.find(" >>> " + line + "\n"), std::string::npos) << r.out;
    EXPECT_EQ(fixes_in("b/out/u.igc"), 20u);
    EXPECT_TRUE(box.exists("b/" + default_name + ".ftr"));
}

// "-rigc": the pattern names the IGC file, in the working folder, whatever
// the output folder says.
TEST_F(BremaloOutputs, IgcNamedByThePattern) {
    const std::string t = dated_track("in/t.ftr");
    settings("Output Folder = out\n");
    const Bremalo_run r = box.run({"-rigc", t});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_EQ(fixes_in(default_name + ".igc"), 20u) << r.both();
    EXPECT_FALSE(box.exists("in/out"));
    EXPECT_TRUE(box.exists("in/t.ftr"));
    expect_readable_igc(box.work() / (default_name + ".igc"), 20);
}

// The settings file's keys shape the name: pattern, separator, blank
// substitute; invalid characters fall back.
TEST_F(BremaloOutputs, SettingsKeysShapeTheName) {
    struct Case {
        std::string ini;
        std::vector<std::string> args;
        std::string name;
        std::vector<std::string> notes;
    } cases[] = {
        {"File format = Y2MM-ID-US\nSeparator = -\n", {"-rigc", "-ustr:two words"}, "2405-XY-two words", {}},
        {"File format = ID_US\nWithespace substitute = _\n", {"-rigc", "-ustr:two words"}, "XY_two_words", {}},
        {"File format = ID_US\nWithespace substitute = +\n", {"-rigc", "-ustr:two words"}, "XY_two-words",
         {" + : invalid separator\n"}},
        {"File format = ID.LA\nSeparator = .\n", {"-rigc"}, "XY",
         {" . : invalid separator\n", " .L : unrecognized token\n", " A  : unrecognized token\n"}},
        {"File format =\n", {"-rigc"}, default_name, {}},
    };
    for (const Case& c : cases) {
        box.terrain("Slovenia3");
        dated_track("t.ftr");
        settings(c.ini);
        std::vector<std::string> args = c.args;
        args.push_back("t.ftr");
        const Bremalo_run r = box.run(args);
        EXPECT_EQ(r.status, 0) << r.both();
        EXPECT_EQ(fixes_in(c.name + ".igc"), 20u) << c.ini << "\n" << r.out;
        for (const std::string& note : c.notes) EXPECT_NE(r.out.find(note), std::string::npos) << c.ini << note;
        fs::remove(box.work() / (c.name + ".igc"));
    }
}

// The settings file is looked for beside the program name as given: a bare
// name (found on the PATH) reads it from the working folder.
TEST_F(BremaloOutputs, SettingsFileBesideTheNameAsGiven) {
    dated_track("t.ftr");
    box.write("Bremalo.ini", "File format = LA\n");
    settings("File format = ID\n");
    const Bremalo_run r = box.run_by_bare_name({"-rigc", "t.ftr"});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_TRUE(box.exists("Slovenia3.igc")) << r.both();
}

// "-rftr": the track takes its pattern name in its own folder, a taken
// name gives the first free numbered one, and nothing is ever replaced;
// with "-noigc" no IGC file is written and the track is renamed all the
// same.
TEST_F(BremaloOutputs, RenamedTracks) {
    const std::string t1 = dated_track("in/t1.ftr");
    box.write("in/" + default_name + ".ftr", "taken");
    const Bremalo_run r = box.run({"-rftr", t1});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_EQ(box.read("in/" + default_name + ".ftr"), "taken");
    EXPECT_EQ(file_lines(box.read("in/" + default_name + "_01.ftr")).empty(), false);
    EXPECT_FALSE(box.exists("in/t1.ftr"));
    EXPECT_EQ(fixes_in("in/t1.igc"), 20u);

    const std::string t2 = dated_track("in/t2.ftr");
    const Bremalo_run n = box.run({"-noigc", "-rftr", t2});
    EXPECT_EQ(n.status, 0) << n.both();
    EXPECT_FALSE(box.exists("in/t2.igc"));
    EXPECT_FALSE(box.exists("in/t2.ftr"));
    EXPECT_TRUE(box.exists("in/" + default_name + "_02.ftr"));

    // A track named with "/" (as given, also on Windows) keeps its folder.
    dated_track("in/t3.ftr");
    const Bremalo_run s = box.run({"-rftr", "in/t3.ftr"});
    EXPECT_EQ(s.status, 0) << s.both();
    EXPECT_FALSE(box.exists("in/t3.ftr"));
    EXPECT_TRUE(box.exists("in/" + default_name + "_03.ftr")) << s.both();
    EXPECT_EQ(fixes_in("in/t3.igc"), 20u);
}

// Names holding what a command interpreter would act on are only names:
// the track is renamed by the file system, never through a command.  The
// characters of a track's name and of the user text that a shell or cmd
// would act on differ by platform, and so do those that a file name cannot
// hold (the built name has them replaced by "_").
TEST_F(BremaloOutputs, ShellCharactersInNames) {
    struct Case {
        std::string source;   // the track's name
        std::string ustr;     // the user text
        std::string renamed;  // the track's name after "US_ID"
        std::string igc;      // its IGC file
    } cases[] = {
#ifdef _WIN32
        {"it's b&c; ^%PATH% (x) & mkdir y & rem .ftr", "&& type nul > z & rem \"q\" |",
         "&& type nul _ z & rem _q_ __XY.ftr", "it's b&c; ^%PATH% (x) & mkdir y & rem .igc"},
#else
        {"it's a \"b&c\"; $(touch x) `touch y`.ftr", "&& touch z;|", "&& touch z;|_XY.ftr",
         "it's a \"b&c\"; $(touch x) `touch y`.igc"},
#endif
    };
    for (const Case& c : cases) {
        const std::string source = dated_track(c.source);
        settings("");
        const Bremalo_run r = box.run({"-rftr", "-ustr:" + c.ustr, source});
        settings("File format = US_ID\n");
        const Bremalo_run r2 = box.run({"-rftr", "-ustr:" + c.ustr, default_name + ".ftr"});
        EXPECT_EQ(r.status, 0) << r.both();
        EXPECT_EQ(r2.status, 0) << r2.both();
        EXPECT_TRUE(box.exists(c.renamed)) << r2.both();
        EXPECT_EQ(fixes_in(c.igc), 20u) << r.both();
        for (const char* never : {"x", "y", "z"}) EXPECT_FALSE(box.exists(never)) << never;
    }
}

// Two tracks of one run that would get the same IGC name: the second takes
// the first numbered name this run has not written, with a console line,
// so that neither log is lost.  A file from an earlier run is replaced, so
// the same command run again gives the same files, not more.
TEST_F(BremaloOutputs, IgcNameTakenTwiceInOneRun) {
    // Tracks copied without their times: one pattern name for all.
    const std::string a = dated_track("a.ftr");
    const std::string b = dated_track("b.ftr", 2500);
    const std::string c = dated_track("c.ftr");
    for (int run = 0; run < 2; ++run) {
        const Bremalo_run r = box.run({"-rigc", a, b, c});
        EXPECT_EQ(r.status, 0) << r.both();
        EXPECT_NE(r.out.find(" " + default_name + ".igc : written already by this run, the IGC file is " +
                             default_name + "_01.igc\n"),
                  std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find(" " + default_name + ".igc : written already by this run, the IGC file is " +
                             default_name + "_02.igc\n"),
                  std::string::npos)
            << r.out;
        const std::vector<std::string> first = file_lines(box.read(default_name + ".igc"));
        const std::vector<std::string> second = file_lines(box.read(default_name + "_01.igc"));
        EXPECT_EQ(count_prefixed(first, "LCONFPL"), count_prefixed(file_lines(box.read(default_name + "_02.igc")),
                                                                   "LCONFPL"));
        // The version-2 track's log, not a copy of the first.
        EXPECT_NE(first, second);
        EXPECT_EQ(fixes_in(default_name + "_01.igc"), 20u);
        EXPECT_FALSE(box.exists(default_name + "_03.igc"));
    }

    // Two tracks of one name from different folders meet in an absolute
    // output folder.
    const fs::path out = box.root() / "all";
    settings("Output Folder = " + out.string() + "\n");
    const Bremalo_run r = box.run({dated_track("x/t.ftr"), dated_track("y/t.ftr")});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_EQ(fixes_in(out / "t.igc"), 20u);
    EXPECT_EQ(fixes_in(out / "t_01.igc"), 20u);
}

// A renaming that cannot be done (every numbered name taken) leaves the
// track as it was and the run's status 1; the IGC file is written.
TEST_F(BremaloOutputs, RenamingThatFailsIsAFailedRun) {
    const std::string t = dated_track("t.ftr");
    settings("File format = US\n");
    box.write("n.ftr", "taken");
    for (int i = 1; i <= 99; ++i) box.write("n_" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".ftr", "");
    const Bremalo_run r = box.run({"-rftr", "-ustr:n", t});
    EXPECT_EQ(r.status, 1) << r.both();
    const std::string line = t + " : not renamed, n.ftr and its _01 to _99 are all taken, the track keeps its name";
    EXPECT_NE(r.out.find(" >>> " + line + "\n"), std::string::npos) << r.out;
    EXPECT_NE(box.read("Logfile.txt").find(line + "\r\n"), std::string::npos);
    EXPECT_TRUE(box.exists("t.ftr"));
    EXPECT_EQ(box.read("n.ftr"), "taken");
    EXPECT_EQ(fixes_in("t.igc"), 20u);
}
