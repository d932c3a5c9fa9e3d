#include "converter/run_options.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    std::vector<std::string> args;
    int32_t scheme;
    Options_outcome outcome;
    std::string stopper;
    int32_t ntracks;
};

}  // namespace

TEST(RunOptions, SchemesStopsAndTrackCount) {
    const Case cases[] = {
        {{}, -2, Options_outcome::run, "", 0},
        {{"-para", "-next"}, -2, Options_outcome::run, "", 0},
        {{"-next", "-para"}, 2, Options_outcome::run, "", 0},
        {{"-linr", "a.ftr", "-near", "b"}, 0, Options_outcome::run, "", 2},
        {{"-prev"}, -1, Options_outcome::run, "", 0},
        {{"-para   "}, 2, Options_outcome::run, "", 0},  // trailing blanks do not count
        {{"-debug", "-help", "a.ftr"}, -2, Options_outcome::help, "-help", 0},
        {{"-linr", "-x", "-para"}, 1, Options_outcome::unrecognized, "-x", 0},
        {{"-WR"}, -2, Options_outcome::unrecognized, "-WR", 0},
        {{"-Para"}, -2, Options_outcome::unrecognized, "-Para", 0},
        {{"-"}, -2, Options_outcome::unrecognized, "-", 0},
        {{" -x", ""}, -2, Options_outcome::run, "", 2},  // not beginning with "-": tracks
    };
    for (const Case& c : cases) {
        Run_options opt;
        const Options_result r = parse_options(c.args, opt);
        std::string shown;
        for (const std::string& a : c.args) shown += "[" + a + "]";
        EXPECT_EQ(opt.nsch_int, c.scheme) << shown;
        EXPECT_EQ(r.outcome, c.outcome) << shown;
        EXPECT_EQ(r.stopper, c.stopper) << shown;
        EXPECT_EQ(r.ntracks, c.ntracks) << shown;
        EXPECT_TRUE(r.notes.empty()) << shown;
    }
}

TEST(RunOptions, FlagsAndTexts) {
    Run_options opt;
    const Options_result r =
        parse_options({"-wr", "-debug", "-hdr", "-rftr", "-rigc", "-noigc", "-ustr: two words  "}, opt);
    EXPECT_EQ(r.outcome, Options_outcome::run);
    EXPECT_TRUE(opt.qwrite && opt.qdbg && opt.qhdr && opt.qrftr && opt.qrigc);
    EXPECT_FALSE(opt.qwrigc);
    EXPECT_FALSE(opt.qsmooth);
    EXPECT_EQ(opt.usrstr, " two words");

    Run_options defaults;
    parse_options({"x.ftr"}, defaults);
    EXPECT_FALSE(defaults.qwrite || defaults.qdbg || defaults.qhdr || defaults.qrftr || defaults.qrigc);
    EXPECT_TRUE(defaults.qwrigc);
    EXPECT_EQ(defaults.fmtstr, "Y4_MM_DD_hh_mm_ID_GL_LA_ST");
    EXPECT_EQ(defaults.sep, '_');
    EXPECT_EQ(defaults.wsubs, ' ');
    EXPECT_TRUE(defaults.usrstr.empty() && defaults.targetfolder.empty());
}

// The argument is taken as its first 200 characters: the user text keeps
// 194 of them.
TEST(RunOptions, UserTextIsCutWithTheArgument) {
    Run_options opt;
    parse_options({"-ustr:" + std::string(300, 'u')}, opt);
    EXPECT_EQ(opt.usrstr, std::string(194, 'u'));
}

TEST(RunOptions, SmoothingWindow) {
    struct SmCase {
        const char* arg;
        bool smooth;
        float t_sm;
        bool note;
    } cases[] = {
        {"-sm:30", true, 30.0f, false},
        {"-sm: 30", true, 30.0f, false},
        {"-sm:2.5", true, 2.5f, false},
        {"-sm:-4", true, -4.0f, false},
        {"-sm:", false, 0.0f, true},
        {"-sm:ten", false, 0.0f, true},
        {"-sm:1e999", false, 0.0f, true},
    };
    for (const SmCase& c : cases) {
        Run_options opt;
        const Options_result r = parse_options({c.arg}, opt);
        EXPECT_EQ(r.outcome, Options_outcome::run) << c.arg;
        EXPECT_EQ(opt.qsmooth, c.smooth) << c.arg;
        if (c.smooth) {
            EXPECT_FLOAT_EQ(opt.t_sm, c.t_sm) << c.arg;
        }
        ASSERT_EQ(r.notes.size(), c.note ? 1u : 0u) << c.arg;
        if (c.note) {
            EXPECT_EQ(r.notes[0], std::string(" ") + c.arg +
                                      " : the smoothing window is not a number of seconds, no smoothing");
        }
    }
    // A value that cannot be read cancels an earlier window.
    Run_options opt;
    parse_options({"-sm:10", "-sm:x"}, opt);
    EXPECT_FALSE(opt.qsmooth);
}
