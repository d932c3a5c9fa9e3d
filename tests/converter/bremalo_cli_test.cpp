// The converter's command line, run as a user runs it: usage, unknown
// options, the chooser without a user, wildcards the shell left, and the
// exit statuses a script relies on.
#include <gtest/gtest.h>

#include "converter/bremalo.h"
#include "tests/converter/bremalo_sandbox.h"

namespace {

// The usage line as the user reads it, byte for byte.
const std::string usage =
    "Bremalo [-debug] [-help] [-para|-next|-prev|-near|-linr] [-rftr] [-rigc] [-ustr:STRING] file(s)\n";

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

// What a run prints of its own: the flags and the banner with the scheme's
// name in 30 characters before the first track; each argument numbered
// (options too), the block that opens a track or refuses its name; with
// "-debug" the counts of fixes and seconds; the IGC file's name and the
// closing line of a converted track.
TEST(BremaloCli, ConsoleLinesOfTheRun) {
    const std::string rule(52, '-');
    const auto banner = [&](const std::string& flags, const std::string& scheme) {
        return " qdbg ,qsmooth, qwrite  " + flags + "\n" + rule + "\n\nInterpolation scheme : " + scheme +
               std::string(30 - scheme.size(), ' ') + "\n\n";
    };
    const std::string closing = "\n    20 fixes and  2 turn points read\n\n";
    struct Case {
        std::vector<std::string> args;
        std::string startup;             // the output's beginning
        std::vector<std::string> later;  // texts that follow, in this order
    } cases[] = {
        {{"t.ftr"},
         banner("F F F", "Next point (Condor default)"),
         {"\n 1 t.ftr\n" + rule + "\n\n t.ftr\n\n", "\n t.igc\n", closing}},
        {{"-debug", "-sm:3", "-linr", "t"},
         banner("T T F", "Linear"),
         {"\n 1 -debug\n 2 -sm:3\n 3 -linr\n 4 t\n" + rule + "\n\n t.ftr\n\n", "\n 20\n",
          "\n nrec,npts 20 20\n", "\n ndeb,nfin,ntot,nrec 45000 45019 20 20\n", "\n t.igc\n",
          "\n 45000 20 20\n", closing}},
        {{"-wr", "-prev", "notes.txt"},
         banner("F F T", "Previous point"),
         {"\n 1 -wr\n 2 -prev\n 3 notes.txt\n" + rule + "\n\n notes.txt : not a Condor flight track, skipped\n\n"}},
    };
    for (const Case& c : cases) {
        Bremalo_sandbox box;
        box.terrain("Slovenia3");
        box.track("t.ftr", e2e_track(3040));
        box.write("notes.txt", "");
        const Bremalo_run r = box.run(c.args);
        EXPECT_EQ(r.status, 0) << r.both();
        EXPECT_EQ(r.out.substr(0, c.startup.size()), c.startup) << c.args[0];
        std::size_t at = c.startup.size();
        for (const std::string& text : c.later) {
            at = r.out.find(text, at);
            ASSERT_NE(at, std::string::npos) << c.args[0] << ": " << text << "\n" << r.out;
        }
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
// written; an error's message in its box (standard error without a
// display) and in the error log.
TEST(BremaloCli, ExitStatuses) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
        bool terrain;
        TrnFields trn;
        int status;
        std::string error;  // the error message's last line, if any
    } cases[] = {
        {"converted", {"t.ftr"}, true, {}, 0, ""},
        {"terrain header missing", {"t.ftr"}, false, {}, 0, "File not found"},
        {"track missing", {"none.ftr"}, true, {}, 0, ""},
        {"help", {"-help"}, true, {}, 0, ""},
        {"unrecognized option", {"-nope", "t.ftr"}, true, {}, 1, ""},
        {"no UTM frame from the terrain header", {"t.ftr"}, true, TrnFields{.zone = 0}, 1,
         "*** Impossible to initialize coordinates conversion ***"},
        {"IGC file cannot be written", {"t.ftr"}, true, {}, 2, ""},
    };
    for (const Case& c : cases) {
        Bremalo_sandbox box;
        if (c.terrain) box.terrain("Slovenia3", c.trn);
        box.track("t.ftr", e2e_track(3040));
        if (c.status == 2) fs::create_directory(box.work() / "t.igc");
        const Bremalo_run r = box.run(c.args);
        EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.both();
        if (!c.error.empty()) {
            EXPECT_NE(r.err.find(c.error + "\n"), std::string::npos) << c.what << "\n" << r.both();
            const std::string errors = box.read(box.program() / "ErrorLog.txt");
            EXPECT_NE(errors.find(c.error + "\r\n"), std::string::npos) << c.what << "\n" << errors;
        }
    }
}
