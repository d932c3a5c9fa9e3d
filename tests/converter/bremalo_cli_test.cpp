// The converter's command line, run as a user runs it: usage, unknown
// options, the chooser without a user, wildcards the shell left, and the
// exit statuses a script relies on.
#include <gtest/gtest.h>

#include "converter/bremalo.h"
#include "converter/run_options.h"
#include "tests/converter/bremalo_sandbox.h"

namespace {

const std::string usage = std::string(hlpstr) + "\n";

}  // namespace

TEST(BremaloCli, HelpPrintsTheUsageAndNothingElse) {
    Bremalo_sandbox box;
    box.terrain("Slovenia3");
    box.track("t.ftr", e2e_track(3040));
    const Bremalo_run r = box.run({"-debug", "-help", "t.ftr"});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_EQ(r.out, usage);
    EXPECT_FALSE(box.exists("t.igc"));
    EXPECT_FALSE(box.exists("Logfile.txt"));
}

TEST(BremaloCli, UnrecognizedOptionsStopWithStatus1) {
    for (const char* option : {"-x", "-WR", "-sm", "-ustr"}) {
        Bremalo_sandbox box;
        box.terrain("Slovenia3");
        box.track("t.ftr", e2e_track(3040));
        const Bremalo_run r = box.run({"-para", option, "t.ftr"});
        EXPECT_EQ(r.status, 1) << option << r.both();
        EXPECT_EQ(r.out, std::string(" ") + option + " : unrecognized option\n" + usage) << option;
        EXPECT_FALSE(box.exists("t.igc")) << option;
    }
}

// Without a track on the command line the chooser opens; with no user to
// answer it, it tells so and the run ends normally, converting nothing.
TEST(BremaloCli, ChooserAnsweringNothingEndsTheRun) {
    Bremalo_sandbox box;
    const Bremalo_run r = box.run({"-linr"});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_NE(r.err.find("No file specification returned"), std::string::npos) << r.both();
    EXPECT_EQ(r.out.find("Interpolation scheme"), std::string::npos) << r.out;
}

TEST(BremaloCli, ChosenTrackNames) {
    EXPECT_EQ(chosen_tracks("/a/x.ftr"), std::vector<std::string>{"/a/x.ftr"});
    EXPECT_EQ(chosen_tracks("/a/x.ftr|/b/y z.ftr|"), (std::vector<std::string>{"/a/x.ftr", "/b/y z.ftr", ""}));
    EXPECT_EQ(chosen_tracks(std::string("x\0y|z\0", 6)), (std::vector<std::string>{"x y", "z"}));
}

// A pattern the shell did not expand (quoted, as a script passes it, and
// always on Windows) is expanded by the program; one that matches nothing
// stays as typed.
TEST(BremaloCli, WildcardsOfTheCommandLine) {
    Bremalo_sandbox box;
    box.terrain("Slovenia3");
    box.track("a.ftr", e2e_track(3040));
    box.track("b.ftr", e2e_track(2500));
    const Bremalo_run r = box.run({"*.ftr", "none*.ftr"});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_TRUE(box.exists("a.igc"));
    EXPECT_TRUE(box.exists("b.igc"));
    EXPECT_NE(r.out.find(" 1 a.ftr\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" 2 b.ftr\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" >>> none*.ftr : file not found, skipped\n"), std::string::npos) << r.out;
}

// The statuses a script sees: 0 for a normal end (also when a track was
// skipped), 1 for every stop on an error, 2 for an IGC file that cannot be
// written.
TEST(BremaloCli, ExitStatuses) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
        bool terrain;
        TrnFields trn;
        int status;
    } cases[] = {
        {"converted", {"t.ftr"}, true, {}, 0},
        {"terrain header missing", {"t.ftr"}, false, {}, 0},
        {"track missing", {"none.ftr"}, true, {}, 0},
        {"help", {"-help"}, true, {}, 0},
        {"unrecognized option", {"-nope", "t.ftr"}, true, {}, 1},
        {"no UTM frame from the terrain header", {"t.ftr"}, true, TrnFields{.zone = 0}, 1},
        {"IGC file cannot be written", {"t.ftr"}, true, {}, 2},
    };
    for (const Case& c : cases) {
        Bremalo_sandbox box;
        if (c.terrain) box.terrain("Slovenia3", c.trn);
        box.track("t.ftr", e2e_track(3040));
        if (c.status == 2) fs::create_directory(box.work() / "t.igc");
        const Bremalo_run r = box.run(c.args);
        EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.both();
    }
}
