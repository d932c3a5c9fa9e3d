// The IGC reader on logs that the IGC writer made from test tracks.

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/condor_install.h"
#include "taskmodel/task_model.h"
#include "tests/common/console_capture.h"
#include "tests/tracks/igc_fixture.h"
#include "tracks/igc_reader.h"

namespace {

class IgcRoundTrip : public InIgcFrame {
protected:
    void read(const std::string& name, bool qconv = false) {
        std::vector<std::string> hdr(100);
        int32_t nhdr = 0;
        console = capture_console([&] { status = read_igc(tmp.file(name), qconv, false, ppp, hdr, nrec, nhdr); });
    }
    std::vector<igc_fix> ppp;
    int32_t nrec = -1;
    int32_t status = -1;
};

TEST_F(IgcRoundTrip, EveryFixOfTheConverterComesBack) {
    for (int32_t version : {2500, 3000, 3040}) {
        const std::vector<track_fix> ppsec = convert_test_track(interop_track(version), tmp.file("t.igc"));
        const std::vector<expected_fix> exp = expected_fixes(ppsec);
        ASSERT_FALSE(exp.empty());
        read("t.igc");
        ASSERT_EQ(status, 0) << version;
        ASSERT_EQ(nrec, static_cast<int32_t>(exp.size())) << version << console;
        for (std::size_t i = 0; i < exp.size(); ++i) {
            // The log passes midnight: its times of day are read on past 86400.
            const float t = static_cast<float>(exp[i].second + (exp[i].second < exp[0].second ? 86400 : 0));
            EXPECT_EQ(ppp[i][igc_t], t) << version << " fix " << i;
            // Minutes are written to a thousandth: within 1/120000 degree.
            EXPECT_NEAR(ppp[i][igc_lat], exp[i].lat, 8.5e-6) << version << " fix " << i;
            EXPECT_NEAR(ppp[i][igc_lon], exp[i].lon, 8.5e-6) << version << " fix " << i;
            EXPECT_EQ(ppp[i][igc_alt], static_cast<float>(exp[i].alt)) << version << " fix " << i;
        }
        EXPECT_EQ(rdigc000.cn, "B9") << version;
        EXPECT_TRUE(rdigc001.qcndr) << version;
        EXPECT_EQ(inst00.condor_version, version / 1000);
        EXPECT_EQ(rd_fpl_2.landscape, "TestLand") << version;
        EXPECT_EQ(rd_fpl_0.nb_wp, 2) << version;
        EXPECT_EQ(rd_fpl_2.tpnam[1], "Goal") << version;
    }
}

TEST_F(IgcRoundTrip, LandscapeCoordinatesComeBackNearTheTrack) {
    const track_desc d = interop_track(3040);
    const std::vector<track_fix> ppsec = convert_test_track(d, tmp.file("t.igc"));
    read("t.igc", true);
    ASSERT_EQ(nrec, static_cast<int32_t>(ppsec.size()));
    for (std::size_t i = 0; i < ppsec.size(); ++i) {
        // A thousandth of a minute is under 2 m.
        EXPECT_NEAR(ppp[i][igc_lat], ppsec[i][fix_x], 2.0) << i;
        EXPECT_NEAR(ppp[i][igc_lon], ppsec[i][fix_y], 2.0) << i;
    }
}

// The log with the line ends `ends` in turn in place of its CR LF.
std::string with_line_ends(const std::string& text, const std::vector<std::string>& ends) {
    std::string r;
    std::size_t n = 0;
    for (const std::string& l : crlf_lines(text)) r += l + ends[n++ % ends.size()];
    return r;
}

TEST_F(IgcRoundTrip, EveryLineEndGivesTheSameFixesAndTask) {
    track_desc d = interop_track(3040);
    d.tps[1].radius = 750;
    convert_test_track(d, tmp.file("t.igc"));
    read("t.igc");
    ASSERT_GT(nrec, 0);
    const std::vector<igc_fix> want = ppp;
    const std::string text = tmp.read("t.igc");
    const std::vector<std::vector<std::string>> cases = {{"\n"}, {"\r"}, {"\r", "\r\n"}, {"\r", "\n", "\r\n", "\r"}};
    for (const std::vector<std::string>& ends : cases) {
        const std::string what = ::testing::PrintToString(ends);
        tmp.write("e.igc", with_line_ends(text, ends));
        init_read_fpl();
        init_wp();
        read("e.igc");
        EXPECT_EQ(status, 0) << what;
        ASSERT_EQ(ppp.size(), want.size()) << what << console;
        for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(ppp[i], want[i]) << what << " fix " << i;
        // The flight plan after the fixes is read with the same line ends.
        EXPECT_EQ(rd_fpl_0.fpl_vers, 3) << what;
        EXPECT_EQ(rd_fpl_2.tpnam[1], "Goal") << what;
        EXPECT_EQ(rd_fpl_1.tprad[1], 750) << what;
    }
}

TEST_F(IgcRoundTrip, TheVersionThreeTaskLandsInTheTaskModel) {
    track_desc d = interop_track(3040);
    d.tps[1].radius = 750;
    d.tps[1].z = 420.0f;
    convert_test_track(d, tmp.file("t.igc"));
    init_read_fpl();
    init_wp();
    read("t.igc");
    EXPECT_EQ(rd_fpl_0.fpl_vers, 3);
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Start");
    EXPECT_EQ(rd_fpl_1.tprad[1], 750);
    EXPECT_EQ(rd_fpl_1.tpz[1], 420.0f);
    EXPECT_NE(console.find(" condor_version 3 call read_fpl\n"), std::string::npos) << console;
}

}  // namespace
