// The IGC reader over whole logs.

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/condor_install.h"
#include "taskmodel/task_model.h"
#include "taskmodel/write_fpl_v3.h"
#include "tests/common/console_capture.h"
#include "tests/common/igc_text.h"
#include "tests/common/igc_sandbox.h"
#include "tests/tracks/terrain_fixtures.h"
#include "tracks/igc_reader.h"
#include "tracks/utm.h"

namespace {

class IgcReader : public InIgcSandbox {
protected:
    void SetUp() override {
        InIgcSandbox::SetUp();
        init_read_fpl();
        init_glider();
        rdigc000 = Rdigc000{};
        rdigc001 = Rdigc001{};
        hdr.assign(100, std::string());
    }

    /// Writes `text` as "t.igc" and reads it.
    int32_t read(const std::string& text, bool qconv = false, bool qgpsa = false) {
        tmp.write("t.igc", text);
        return read_file("t.igc", qconv, qgpsa);
    }
    int32_t read_file(const std::string& name, bool qconv = false, bool qgpsa = false) {
        int32_t status = -99;
        console = capture_console([&] { status = read_igc(name, qconv, qgpsa, ppp, hdr, nrec, nhdr); });
        return status;
    }
    std::vector<igc_fix> ppp;
    std::vector<std::string> hdr;
    int32_t nrec = -1;
    int32_t nhdr = -1;
};

TEST_F(IgcReader, ConverterLogGivesItsFixesHeaderAndDeclaration) {
    const std::vector<igc_text_fix> fixes = igc_text_flight(45000, 5);
    ASSERT_EQ(read(igc_text_log(fixes)), 0);
    ASSERT_EQ(nrec, 5);
    ASSERT_EQ(ppp.size(), 5u);
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        EXPECT_EQ(ppp[i][igc_t], static_cast<float>(fixes[i].t));
        EXPECT_NEAR(ppp[i][igc_lat], fixes[i].lat, 1e-5);
        EXPECT_NEAR(ppp[i][igc_lon], fixes[i].lon, 1e-5);
        EXPECT_EQ(ppp[i][igc_alt], static_cast<float>(fixes[i].alt));
        // With the threshold 0.0 every fix with an ENL of 0 or more counts.
        EXPECT_EQ(ppp[i][igc_eng], 999.0f);
    }
    // Every header line up to the I record, in file order.
    EXPECT_EQ(nhdr, 14);
    EXPECT_EQ(hdr[0], "ACSS00001");
    EXPECT_EQ(hdr[13], "I023638FXA3941ENL");
    EXPECT_EQ(rdigc000.cn, "AB1");
    EXPECT_EQ(rdigc000.fldate, "150623");
    EXPECT_TRUE(rdigc001.qcndr);
    EXPECT_TRUE(rdigc001.qgps_alt);
    EXPECT_FALSE(rdigc001.qcndrtrk);
    // Declaration: two points and the last one repeated.
    EXPECT_EQ(rdigc001.nb_igcwp, 3);
    EXPECT_FLOAT_EQ(rdigc001.wp_pp[0][1], 46.6f);
    EXPECT_FLOAT_EQ(rdigc001.wp_pp[1][1], 9.4f);
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Start");
    EXPECT_EQ(rd_fpl_0.nb_wp, 2);
    EXPECT_TRUE(printed(" 5 fixes read 1 1 1 HDR 14\n")) << console;
    EXPECT_TRUE(printed(" qgps_alt F 800 800 T\n")) << console;
}

TEST_F(IgcReader, TheConsoleLinesOfALogInTheirOrder) {
    const std::string log = igc_text_join({
        "AXXX",
        "I013638ENL",
        "C150623123000150623000002",
        "C4630000N00915000EStart",
        "C4636000N00924000EGoal",
        "B1200004630000N00915000EA00800008100",
        "B1200004630000N00915000EA00800008100",
        "B1200024630000N00915000EA00805008150",
        "LCONFPLLandscape=Alps",
        "LCONFPLName=LS8",
    });
    ASSERT_EQ(read(log), 0);
    EXPECT_EQ(console,
              "\n"
              " t.igc 0\n"
              " 1\n"                    // the I record's count
              " ENL, MOP 36 38 0 0\n"
              " 02\n"                   // the declaration's columns 24-25 ...
              " 2\n"                    // ... read as the number of turn points
              " 46.5 9.25\n"            // one line per waypoint: latitude, longitude
              " 46.5999985 9.39999962\n"
              " qgps_alt F 800 810 F\n"
              " 2 fixes read 2 2 2 HDR 2\n"
              " 1 fixes skipped\n"
              " Landscape, glider : Alps LS8\n"
              " 1\n"                    // the task points: their count, then one line each
              " 0 0 0 0 1 90 3000 Start\n"
              "\n");
}

TEST_F(IgcReader, RepeatedTimesAreSkippedAndCounted) {
    std::vector<igc_text_fix> f = igc_text_flight(1000, 3);
    std::vector<igc_text_fix> with_dups{f[0], f[1], f[1], f[1], f[2]};
    with_dups[2].alt = 5000;  // a repeated time is skipped whatever it holds
    ASSERT_EQ(read(igc_text_log(with_dups)), 0);
    ASSERT_EQ(nrec, 3);
    EXPECT_EQ(ppp[1][igc_alt], static_cast<float>(f[1].alt));
    EXPECT_TRUE(printed(" 2 fixes skipped\n")) << console;
}

TEST_F(IgcReader, ALogAcrossMidnightKeepsIncreasingTimes) {
    // Two midnights: 23:59:58 .. 00:00:01, then a day later again.
    std::vector<igc_text_fix> f;
    for (int32_t t : {86398, 86399, 86400, 86401, 86400 + 43000, 86400 + 86000, 2 * 86400 + 5})
        f.push_back({t, 46.5, 9.25, 900, 0});
    ASSERT_EQ(read(igc_text_log(f)), 0);
    ASSERT_EQ(nrec, 7);
    for (std::size_t i = 0; i < f.size(); ++i) EXPECT_EQ(ppp[i][igc_t], static_cast<float>(f[i].t)) << i;
}

TEST_F(IgcReader, HoursPastMidnightWrappedOrNotGiveTheSameTimes) {
    // A day from 08:00: the converter writes the hours after midnight as
    // 00 to 07, a logger that counts on as 24 to 31; both read as one
    // increasing day.
    const std::vector<igc_text_fix> day = igc_text_flight(8 * 3600, 86400);
    const std::string wrapped = igc_text_log(day);
    std::string counted = wrapped;
    for (std::size_t p = counted.find("\r\nB"); p != std::string::npos; p = counted.find("\r\nB", p + 2)) {
        const int32_t h = (counted[p + 3] - '0') * 10 + (counted[p + 4] - '0');
        if (h < 8) {
            counted[p + 3] = static_cast<char>('0' + (h + 24) / 10);
            counted[p + 4] = static_cast<char>('0' + (h + 24) % 10);
        }
    }
    ASSERT_NE(counted, wrapped);
    ASSERT_NE(counted.find("\r\nB315959"), std::string::npos);
    for (const std::string& text : {wrapped, counted}) {
        ASSERT_EQ(read(text), 0);
        ASSERT_EQ(nrec, 86400);
        EXPECT_EQ(ppp.front()[igc_t], 8.0f * 3600);
        EXPECT_EQ(ppp.back()[igc_t], 32.0f * 3600 - 1);
        for (std::size_t i = 1; i < ppp.size(); ++i) ASSERT_EQ(ppp[i][igc_t] - ppp[i - 1][igc_t], 1.0f) << i;
        EXPECT_FALSE(printed("no fix")) << console;
    }
}

TEST_F(IgcReader, TheAltitudeFieldByLoggerKind) {
    struct Case {
        const char* type_line;  // the "HFFTYFRTYPE" or "HFGPSGPS" record
        int press, gnss;
        bool qgpsa;
        bool qgps_alt, qcndrtrk;
        float alt;
    };
    const Case cases[] = {
        {"HFFTYFRTYPE:LXNAV,LX8000F", 812, 0, true, false, false, 812.0f},  // pressure only
        {"HFFTYFRTYPE:LXNAV,LX8000F", 0, 900, false, true, false, 900.0f},  // GNSS only
        {"HFFTYFRTYPE:LXNAV,LX8000F", 812, 900, false, false, false, 812.0f},
        {"HFFTYFRTYPE:LXNAV,LX8000F", 812, 900, true, true, false, 900.0f},
        {"HFFTYFRTYPE:LXNAV,LX8000F", 0, 0, true, true, false, 0.0f},
        {"HFFTYFRTYPE:CCSS", 812, 900, false, true, false, 900.0f},
        {"HFFTYFRTYPE:CondorTracker 1.2", 812, 900, false, true, true, 900.0f},
        {"HFGPSGPS:CCSS_SOFTWARE_GPS", 812, 900, false, true, false, 900.0f},
        {"HFGPSGPS:uBLOX NEO-6M,16,max9000m", 812, 900, false, false, false, 812.0f},
    };
    for (const Case& c : cases) {
        char b[64];
        std::snprintf(b, sizeof b, "B1200004630000N00915000EA%05d%05d", c.press, c.gnss);
        ASSERT_EQ(read(igc_text_join({"AXXX", "HFDTE010124", c.type_line, b}), false, c.qgpsa), 0);
        ASSERT_EQ(nrec, 1) << c.type_line;
        EXPECT_EQ(rdigc001.qgps_alt, c.qgps_alt) << c.type_line << " " << c.press << " " << c.gnss;
        EXPECT_EQ(rdigc001.qcndrtrk, c.qcndrtrk) << c.type_line;
        EXPECT_EQ(ppp[0][igc_alt], c.alt) << c.type_line << " " << c.press << " " << c.gnss;
    }
}

TEST_F(IgcReader, OtherLoggerWithFinerPositionsAndEngineSensors) {
    const std::string log = igc_text_join({
        "ALXNABC",
        "HFDTEDATE:010724,01",
        "HFFTYFRTYPE:LXNAV,LX9000",
        "HFCIDCOMPETITIONID:Z9Q7",
        "I053636LAD3737LOD3840ENL4143MOP4446TAS",
        "B1000004630000N00915000EA00800008505500123045",
        "B1000014630001N00915001EA00801008519000000045",
    });
    ASSERT_EQ(read(log), 0);
    ASSERT_EQ(nrec, 2);
    EXPECT_FLOAT_EQ(ppp[0][igc_lat], 46.5000083f);  // 46 + 300005 / 600000
    EXPECT_FLOAT_EQ(ppp[0][igc_lon], 9.2500083f);
    EXPECT_FLOAT_EQ(ppp[1][igc_lat], 46.5000333f);  // 46 + 300019 / 600000
    EXPECT_EQ(ppp[0][igc_alt], 800.0f);              // pressure altitude
    EXPECT_EQ(rdigc000.cn, "Z9Q");
    EXPECT_EQ(rdigc000.fldate, "010724,0");
    EXPECT_FALSE(rdigc001.qcndr);
    EXPECT_TRUE(printed(" ENL, MOP 38 40 41 43\n")) << console;
}

TEST_F(IgcReader, AShortRecordHasNoEngineValueYetCountsAsEngine) {
    // ENL declared at 36-38 but the records end at column 35.
    ASSERT_EQ(read(igc_text_join({"AXXX", "I013638ENL", "B1200004630000N00915000EA0080000800",
                             "B1200014630000N00915000EA0080000800"})),
              0);
    ASSERT_EQ(nrec, 2);
    EXPECT_EQ(ppp[0][igc_eng], 999.0f);
}

TEST_F(IgcReader, ARecordCutShortIsPassedOverAndTheReadingGoesOn) {
    // GNSS altitude missing in the second record: no fix, and the third is read.
    ASSERT_EQ(read(igc_text_join({"AXXX", "B1200004630000N00915000EA0080000800", "B1200014630000N00915000EA00801",
                             "B1200024630000N00915000EA0080200802"})),
              0);
    ASSERT_EQ(nrec, 2);
    EXPECT_EQ(ppp[1][igc_t], 43202.0f);
    EXPECT_EQ(ppp[1][igc_alt], 802.0f);
    EXPECT_TRUE(printed(" 2 fixes read 2 2 2 HDR 1\n 1 line beginning with B is no fix, passed over\n")) << console;
}

// A field that cannot be read in an I record, a C record or a fix's
// extension costs that field alone: the fixes after it are all read.
TEST_F(IgcReader, AFieldThatCannotBeReadCostsOnlyItsRecord) {
    const std::string b0 = "B1200004630000N00915000EA0080000800";
    const std::string b2 = "B1200024630000N00915000EA0080200802";
    struct Case {
        const char* what;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"I record with a group cut short", {"AXXX", "I023638ENL39", b0, b2}},
        {"waypoint of a letter where its minutes stand",
         {"AXXX", "C150624130459150624000003", "C46x3383N01348639EAirfield", b0, b2}},
        {"fix whose ENL is not a number", {"AXXX", "I013638ENL", b0 + "ab!", b2 + "012"}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(read(igc_text_join(c.lines)), 0) << c.what;
        ASSERT_EQ(nrec, 2) << c.what << "\n" << console;
        EXPECT_EQ(ppp[0][igc_t], 43200.0f) << c.what;
        EXPECT_EQ(ppp[1][igc_t], 43202.0f) << c.what;
        EXPECT_EQ(ppp[1][igc_alt], 802.0f) << c.what;
        EXPECT_FLOAT_EQ(ppp[1][igc_lat], 46.5f) << c.what;
    }
}

// A text line that begins with "B", before the first fix, between fixes
// and after them: every fix and header line of the log is kept, the lines
// after it are read as before, and the summary counts it.
TEST_F(IgcReader, TextBeginningWithBIsNoFixWhereverItStands) {
    const std::string text = "Both build and run on Linux (where the simulator itself runs under Wine and";
    const std::vector<igc_text_fix> fixes = igc_text_flight(45000, 4);
    const std::vector<std::string> header = igc_text_header();
    struct Case {
        const char* where;
        std::size_t after_fixes;  // the text comes after this many fixes
        bool before_header_end;   // ... or before the header's last lines
    };
    const Case cases[] = {
        {"before the header's end", 0, true},
        {"before the first fix", 0, false},
        {"between fixes", 2, false},
        {"after the last fix", 4, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines(header.begin(), header.end() - 3);
        if (c.before_header_end) lines.push_back(text);
        lines.insert(lines.end(), header.end() - 3, header.end());
        for (std::size_t i = 0; i < fixes.size(); ++i) {
            if (i == c.after_fixes && !c.before_header_end) lines.push_back(text);
            lines.push_back(igc_text_b_record(fixes[i]));
        }
        if (c.after_fixes == fixes.size()) lines.push_back(text);
        lines.push_back("LCONFPLLandscape=Alps");
        ASSERT_EQ(read(igc_text_join(lines)), 0) << c.where;
        ASSERT_EQ(nrec, 4) << c.where;
        for (std::size_t i = 0; i < fixes.size(); ++i) EXPECT_EQ(ppp[i][igc_t], static_cast<float>(fixes[i].t)) << c.where;
        // The header lines, the competition id among them, and the I record
        // that declares the ENL of the fixes.
        ASSERT_EQ(nhdr, 14) << c.where;
        for (std::size_t i = 0; i < header.size(); ++i) EXPECT_EQ(hdr[i], header[i]) << c.where;
        EXPECT_EQ(rdigc000.cn, "AB1") << c.where;
        EXPECT_TRUE(printed(" ENL, MOP 39 41 0 0\n")) << c.where;
        // The L record after the fixes is still taken.
        EXPECT_EQ(rd_fpl_2.landscape, "Alps") << c.where;
        EXPECT_TRUE(printed(" 4 fixes read 1 1 1 HDR 14\n 1 line beginning with B is no fix, passed over\n"))
            << c.where << "\n" << console;
    }
}

TEST_F(IgcReader, LRecordsBeforeTheFirstFixAreNeitherKeptNorTaken) {
    ASSERT_EQ(read(igc_text_join({"AXXX", "LCONFPLLandscape=Alps", "LCONFPLCount=5", "HFCIDCOMPETITIONID:Q1",
                             "B1200004630000N00915000EA0080000800"})),
              0);
    EXPECT_EQ(nhdr, 2);
    EXPECT_EQ(hdr[1], "HFCIDCOMPETITIONID:Q1");
    EXPECT_EQ(rd_fpl_2.landscape, "");
    EXPECT_EQ(rd_fpl_0.nb_wp, 0);
    EXPECT_EQ(rdigc000.cn, "Q1");
}

TEST_F(IgcReader, NoCompetitionIdLeavesXxx) {
    rdigc000.cn = "OLD";
    ASSERT_EQ(read(igc_text_join({"AXXX", "B1200004630000N00915000EA0080000800"})), 0);
    EXPECT_EQ(rdigc000.cn, "XXX");
}

TEST_F(IgcReader, VersionTwoLRecordsUpToTheSingleValueWeatherLine) {
    const std::vector<std::string> l = {
        "LCONFPL[Version]",           "LCONFPLCondor version=2200", "LCONFPL[Task]",
        "LCONFPLLandscape=Slovenia",  "LCONFPLCount=2",
        "LCONFPLTPName0=Takeoff                         ",
        "LCONFPLTPPosX0=1000.5",      "LCONFPLTPPosY0=2000.25",   "LCONFPLTPRadius0=500",
        "LCONFPLTPAltitude1=700",     "LCONFPLTPName1=Goal",
        "LCONFPLPZCount=0",           "LCONFPL[Weather]",         "LCONFPLWindDir=180",
        "LCONFPL[Plane]",             "LCONFPLName=ASW28",        "LCONFPLWater=100",
    };
    ASSERT_EQ(read(igc_text_log(igc_text_flight(100, 3), l)), 0);
    EXPECT_EQ(inst00.condor_version, 2);
    EXPECT_TRUE(printed(" condor_version 2\n")) << console;
    EXPECT_TRUE(rdigc001.qcndr);
    EXPECT_EQ(rd_fpl_2.landscape, "Slovenia");
    EXPECT_EQ(rd_fpl_0.nb_wp, 2);
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Takeoff");
    EXPECT_EQ(rd_fpl_1.tpx[0], 1000.5f);
    EXPECT_EQ(rd_fpl_1.tpy[0], 2000.25f);
    EXPECT_EQ(rd_fpl_1.tprad[0], 500);
    EXPECT_EQ(rd_fpl_1.tpalt[1], 700.0f);
    EXPECT_EQ(rd_fpl_2.tpnam[1], "Goal");
    // The one-value "WindDir" fails its 17-value read: the reading ends there.
    EXPECT_EQ(ggg001.glider, "");
    EXPECT_EQ(gggmas.wmass, 0.0f);
    EXPECT_EQ(rd_fpl_wz1.winddir[0], 0.0f);
    EXPECT_TRUE(printed(" Landscape, glider : Slovenia \n")) << console;
    EXPECT_TRUE(printed(" 0 1000.5 2000.25 0 1 90 500 Takeoff\n")) << console;
}

TEST_F(IgcReader, SeventeenValueWeatherAndPlaneLines) {
    std::string list;
    for (int k = 0; k < 17; ++k) list += std::to_string(10 + k) + " ";
    const std::vector<std::string> l = {"LCONFPLWindDir=" + list, "LCONFPLWindSpeed=" + list,
                                        "LCONFPLThermalsTemp=" + list, "LCONFPLName=Discus",
                                        "LCONFPLWater=120.5", "LCONFPLFixedMass=7"};
    ASSERT_EQ(read(igc_text_log(igc_text_flight(100, 2), l)), 0);
    EXPECT_EQ(rd_fpl_wz1.winddir[16], 26.0f);
    EXPECT_EQ(rd_fpl_wz1.windspeed[3], 13.0f);
    EXPECT_FLOAT_EQ(rd_fpl_wz1.thermalstemp[0], 283.15f);
    EXPECT_EQ(ggg001.glider, "Discus");
    EXPECT_EQ(gggmas.wmass, 120.5f);
    EXPECT_EQ(gggmas.fmass, 7.0f);
}

TEST_F(IgcReader, AnUnreadableTemperatureLineLeavesTheKelvinValues) {
    rd_fpl_wz1.thermalstemp.fill(290.0f);
    ASSERT_EQ(read(igc_text_log(igc_text_flight(100, 2), {"LCONFPLThermalsTemp=20"})), 0);
    EXPECT_EQ(rd_fpl_wz1.thermalstemp[0], 290.0f);
}

TEST_F(IgcReader, VersionThreeLogHandsItsFlightPlanToTheTaskModel) {
    // The flight plan as the converter writes it after the fixes.
    init_read_fpl();
    init_wp();
    rd_fpl_0.nb_wp = 3;
    rd_fpl_2.landscape = "AA3";
    const char* names[] = {"Takeoff", "Start", "Finish"};
    for (int i = 0; i < 3; ++i) {
        rd_fpl_2.tpnam[i] = names[i];
        rd_fpl_1.tpx[i] = 1000.0f * (i + 1);
        rd_fpl_1.tpy[i] = 500.0f * (i + 1);
    }
    rd_fpl_1.tprad[2] = 1500;
    std::vector<std::string> lines = igc_text_header();
    for (const igc_text_fix& p : igc_text_flight(3600, 4)) lines.push_back(igc_text_b_record(p));
    std::FILE* f = std::fopen(tmp.file("v3.igc").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(igc_text_join(lines).c_str(), f);
    int32_t iost = 0;
    write_fpl_v3(f, iost, true, rd_fpl_2.landscape);
    std::fputs(igc_text_join(igc_text_trailer()).c_str(), f);
    std::fclose(f);

    // Whatever an earlier reader left in the model is replaced.
    init_read_fpl();
    init_wp();
    rd_fpl_2.landscape = "Other";
    rd_fpl_0.fpl_vers = 2040;
    ASSERT_EQ(read_file("v3.igc"), 0);
    EXPECT_EQ(nrec, 4);
    EXPECT_EQ(inst00.condor_version, 3);
    EXPECT_EQ(rd_fpl_0.fpl_vers, 3);
    EXPECT_EQ(rd_fpl_2.landscape, "AA3");
    EXPECT_EQ(rd_fpl_0.nb_wp, 3);
    EXPECT_EQ(rd_fpl_2.tpnam[2], "Finish");
    EXPECT_EQ(rd_fpl_1.tpx[1], 2000.0f);
    EXPECT_EQ(rd_fpl_1.tprad[2], 1500);
    EXPECT_TRUE(printed(" condor_version 3 call read_fpl\n")) << console;
    // The version line's own report comes directly before the hand-over's.
    EXPECT_TRUE(printed(" condor_version 3\n condor_version 3 call read_fpl\n")) << console;
    // The count the plan gave survives the end steps: its points are listed.
    EXPECT_TRUE(printed(" 2 3000 1500 0 1 90 1500 Finish\n")) << console;

    // The next log, without a version line, is not handed over.
    ASSERT_EQ(read(igc_text_log(igc_text_flight(100, 2))), 0);
    EXPECT_EQ(inst00.condor_version, 0);
    EXPECT_FALSE(printed("call read_fpl")) << console;
    EXPECT_EQ(rd_fpl_2.landscape, "");
}

#ifndef _WIN32
// A folder and a pipe under a log's name (Linux's own status codes).
TEST_F(IgcReader, ALogThatCannotBeOpenedIsReadAsEmptyAndSaysSo) {
    ASSERT_EQ(mkdir(tmp.file("folder.igc").c_str(), 0755), 0);
    ASSERT_EQ(mkfifo(tmp.file("pipe.igc").c_str(), 0644), 0);
    struct Case {
        const char* name;
        int32_t status;
    };
    const Case cases[] = {{"missing.igc", ENOENT}, {"folder.igc", EISDIR}, {"pipe.igc", EINVAL}, {"", ENOENT}};
    for (const Case& c : cases) {
        ppp.assign(3, igc_fix{});
        EXPECT_EQ(read_file(c.name), c.status) << c.name;
        EXPECT_EQ(nrec, 0);
        EXPECT_TRUE(ppp.empty());
        EXPECT_EQ(nhdr, 0);
        EXPECT_TRUE(printed(" 0 fixes read HDR 0\n")) << console;
    }
}
#endif

TEST_F(IgcReader, LimitsOfTheTablesDropTheSurplus) {
    std::vector<std::string> lines;
    for (int i = 0; i < 8; ++i) lines.push_back("HFXXX" + std::to_string(i) + ":" + std::string(100, 'h'));
    lines.push_back("C150623123000150623000040");
    for (int i = 0; i < 40; ++i) lines.push_back("C4630000N00915000EPoint" + std::to_string(i));
    lines.push_back("B1200004630000N00915000EA0080000800");
    lines.push_back("LCONFPLTPName31=Beyond");
    lines.push_back("LCONFPLTPPosX-1=5");
    lines.push_back("LCONFPLCount=99999");
    hdr.assign(3, std::string());
    ASSERT_EQ(read(igc_text_join(lines)), 0);
    EXPECT_EQ(nhdr, 3);
    EXPECT_EQ(hdr[2].size(), igc_hdr_len);
    EXPECT_EQ(rdigc001.nb_igcwp, 31);
    EXPECT_EQ(rd_fpl_2.tpnam[30], "Point30");
    EXPECT_EQ(rd_fpl_0.nb_wp, 31);
}

TEST_F(IgcReader, HostileTextEndsInOrder) {
    const std::string b = "B1200004630000N00915000EA0080000800";
    const std::string binary("B\0\xff\x80\x01\r\x1b" "1200004630000N00915000EA0080000800", 42);
    struct Case {
        const char* what;
        std::string text;
        int32_t nrec;
    };
    const Case cases[] = {
        {"empty file", "", 0},
        {"over-long header line", "A" + std::string(100000, 'H') + "\r\n" + b + "\r\n", 1},
        {"over-long fix, cut to 256 columns", b + std::string(5000, '9') + "\r\n" + b + "1\r\n", 1},
        {"binary bytes", binary + "\r\n" + b + "\n", 1},
        {"NUL bytes only", std::string(1000, '\0'), 0},
        {"truncated record is passed over", "B12\r\n" + b + "\r\n", 1},
        {"negative time fields are no fix", "B-9-9-94630000N00915000EA0080000800\r\n" + b + "\r\n", 1},
        {"huge extension count and columns",
         "I99" + std::string(300, '9') + "\r\nI049999ENL9999LAD9999LOD9999MOP\r\n" + b + "\r\n", 1},
        {"extension count beyond its groups is read as far as it goes", "I369999ENL\r\n" + b + "\r\n", 1},
        {"no line end", b, 1},
        {"carriage returns alone", std::string(5000, '\r') + "\n" + b + "\r\n", 1},
        {"huge L indices and counts",
         b + "\r\nLCONFPLTPName2147483647=X\r\nLCONFPLTPPosX-2147483648=1\r\nLCONFPLCount=-5\r\n", 1},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(read(c.text), 0) << c.what;
        EXPECT_EQ(nrec, c.nrec) << c.what;
        EXPECT_EQ(ppp.size(), static_cast<std::size_t>(c.nrec)) << c.what;
        EXPECT_GE(rd_fpl_0.nb_wp, 0) << c.what;
        EXPECT_LE(rd_fpl_0.nb_wp, 31) << c.what;
    }
}

TEST_F(IgcReader, LandscapeCoordinatesThroughTheFrame) {
    tmp.write("land.trn", trn_bytes(TrnFields{}));
    float rxm = 0, rym = 0;
    utm000 = Utm000{};
    utm001 = Utm001{};
    capture_console([&] { (void)utm_init(tmp.file("land.trn"), rxm, rym); });
    ASSERT_TRUE(utm001.initialized);
    ASSERT_EQ(read(igc_text_log(igc_text_flight(100, 2)), true), 0);
    ASSERT_EQ(nrec, 2);
    float x = 0, y = 0;
    ASSERT_EQ(latlontoxy(46.5f, 9.25f, x, y), 1);
    EXPECT_EQ(ppp[0][igc_lat], x);
    EXPECT_EQ(ppp[0][igc_lon], y);
}

TEST_F(IgcReader, ConversionWithoutAFrameStopsTheRun) {
    utm000 = Utm000{};
    utm001 = Utm001{};
    tmp.write("t.igc", igc_text_log(igc_text_flight(100, 2)));
    // Before the stop, the fix that failed: the conversion's result, the
    // fix number, columns 1-30 of the record, the hemisphere letters, the
    // position, X and Y as they stand, the validity and the pressure
    // altitude.
    EXPECT_EXIT(
        {
            // The console into the stream the death test looks at.
            stdout_into_stderr();
            read_igc("t.igc", true, false, ppp, hdr, nrec, nhdr);
            std::exit(0);
        },
        testing::ExitedWithCode(1),
        " 0 1 B0001404630000N00915000EA00800 N E 46\\.5 9\\.25 0 0 A 800\r?\n\\*\\*\\* conversion failed \\*\\*\\*");
}

}  // namespace
