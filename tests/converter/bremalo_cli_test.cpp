// The converter's command line, run as a user runs it: usage, unknown
// options, the chooser without a user, wildcards the shell left, and the
// exit statuses a script relies on.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

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
        int status = 0;
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
         {"\n 1 -wr\n 2 -prev\n 3 notes.txt\n" + rule + "\n\n >>> notes.txt : not a Condor flight track, skipped\n"
                                                    "notes.txt : not a Condor flight track, skipped\n\n"},
         1},
    };
    for (const Case& c : cases) {
        Bremalo_sandbox box;
        box.terrain("Slovenia3");
        box.track("t.ftr", e2e_track(3040));
        box.write("notes.txt", "");
        const Bremalo_run r = box.run(c.args);
        EXPECT_EQ(r.status, c.status) << r.both();
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
    EXPECT_EQ(r.status, 1) << r.both();  // none*.ftr was not converted
    EXPECT_TRUE(box.exists("a.igc"));
    EXPECT_TRUE(box.exists("b.igc"));
    EXPECT_NE(r.out.find(" 1 a.ftr\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" 2 b.ftr\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" >>> none*.ftr : file not found, skipped\n"), std::string::npos) << r.out;
}

// The statuses a script sees: 0 when every track named was converted (a
// track cut among its fixes is converted as far as it goes), 1 when any was
// not (after the others were converted) and for every stop on an error, 2
// for an IGC file that cannot be written; an error's message in its box
// (standard error without a display) and in the error log.
TEST(BremaloCli, ExitStatuses) {
    const std::vector<unsigned char> whole = build_track(e2e_track(3040));
    std::vector<unsigned char> cut_in_fixes = whole;
    cut_in_fixes.resize(tw_v3_header_size + 64 * 10 + 30);
    std::vector<unsigned char> cut_in_header = whole;
    cut_in_header.resize(1000);
    track_desc no_fix = e2e_track(3040);
    no_fix.npts = 0;
    track_desc undated = e2e_track(3040);
    undated.date = 0.0;  // a date word of no calendar day
    const auto bytes = [](const std::vector<unsigned char>& b) { return std::string(b.begin(), b.end()); };

    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::vector<std::pair<std::string, std::string>> files;  // written into the working folder
        int status;
        std::vector<std::string> igc;  // IGC files the run leaves, with its B records, and no others
        std::string out;               // a text of the console
        std::string error;             // the error message's last line, if any
        TrnFields trn = {};
        bool terrain = true;
    } cases[] = {
        {"converted", {"t.ftr"}, {}, 0, {"t.igc"}, "", ""},
        {"every track converted", {"t.ftr", "u.ftr"}, {{"u.ftr", bytes(whole)}}, 0, {"t.igc", "u.igc"}, "", ""},
        {"help", {"-help"}, {}, 0, {}, "", ""},
        {"no IGC file asked for", {"-noigc", "t.ftr"}, {}, 0, {}, "", ""},
        {"cut among its fixes: converted", {"cut.ftr"}, {{"cut.ftr", bytes(cut_in_fixes)}}, 0, {"cut.igc"},
         "Number of fixes read does not match", ""},
        {"track missing", {"nosuch.ftr"}, {}, 1, {}, " >>> nosuch.ftr : file not found, skipped\n", ""},
        {"a missing track among good ones", {"t.ftr", "nosuch.ftr", "u.ftr"}, {{"u.ftr", bytes(whole)}}, 1,
         {"t.igc", "u.igc"}, " >>> nosuch.ftr : file not found, skipped\n", ""},
        {"empty file", {"empty.ftr"}, {{"empty.ftr", ""}}, 1, {}, " >>> empty.ftr: Not a Condor FTR file (truncated)\n",
         ""},
        {"text file", {"text.ftr"}, {{"text.ftr", "no flight track\n"}}, 1, {}, "Not a Condor FTR file", ""},
        {"cut in its header", {"head.ftr"}, {{"head.ftr", bytes(cut_in_header)}}, 1, {}, "(truncated)", ""},
        {"a second point in the name", {"flight.v2.ftr"}, {{"flight.v2.ftr", bytes(whole)}}, 1, {},
         " flight.v2.ftr : not a Condor flight track, skipped\n", ""},
        {"no fix announced", {"nofix.ftr"}, {{"nofix.ftr", bytes(build_track(no_fix))}}, 1, {},
         " >>> nofix.ftr : no fix announced, skipped\n", ""},
        {"flight date no calendar day", {"undated.ftr"}, {{"undated.ftr", bytes(build_track(undated))}}, 1, {},
         " >>> undated.ftr : damaged track, its flight date 000000 is no calendar day, skipped\n", ""},
        {"no fix can be written", {"t.ftr"}, {}, 1, {}, " >>> t.ftr : damaged track, none of its fixes can be written, skipped\n",
         "", TrnFields{.orig_n = 1.0e30f}},
        {"terrain header missing", {"t.ftr"}, {}, 1, {}, "", "File not found", {}, false},
        {"unrecognized option", {"-nope", "t.ftr"}, {}, 1, {}, " -nope : unrecognized option\n", ""},
        {"no UTM frame from the terrain header", {"t.ftr"}, {}, 1, {}, "",
         "*** Impossible to initialize coordinates conversion ***", TrnFields{.zone = 0}},
        {"IGC file cannot be written", {"t.ftr"}, {}, 2, {}, "cannot be created", ""},
        {"a stop on an IGC file leaves the later tracks", {"t.ftr", "u.ftr"}, {{"u.ftr", bytes(whole)}}, 2, {},
         " >>> The run stops here: the tracks after this one are not converted\n", ""},
    };
    for (const Case& c : cases) {
        Bremalo_sandbox box;
        if (c.terrain) box.terrain("Slovenia3", c.trn);
        box.track("t.ftr", e2e_track(3040));
        for (const auto& [name, content] : c.files) box.write(name, content);
        if (c.status == 2) fs::create_directory(box.work() / "t.igc");
        const Bremalo_run r = box.run(c.args);
        EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.both();
        if (!c.out.empty()) {
            EXPECT_NE(r.out.find(c.out), std::string::npos) << c.what << ": " << c.out << "\n" << r.out;
        }
        std::vector<std::string> left;
        for (const fs::directory_entry& e : fs::directory_iterator(box.work()))
            if (e.path().extension() == ".igc" && e.is_regular_file()) left.push_back(e.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, c.igc) << c.what;
        for (const std::string& igc : c.igc) expect_readable_igc(box.work() / igc, igc == "cut.igc" ? 10 : 20);
        if (!c.error.empty()) {
            EXPECT_NE(r.err.find(c.error + "\n"), std::string::npos) << c.what << "\n" << r.both();
            const std::string errors = box.read(box.program() / "ErrorLog.txt");
            EXPECT_NE(errors.find(c.error + "\r\n"), std::string::npos) << c.what << "\n" << errors;
        }
    }
}
