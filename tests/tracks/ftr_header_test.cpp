// Track header reader: opening, magic and version, both header layouts.

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "support/condor_install.h"
#include "taskmodel/task_model.h"
#include "tests/common/temp_dir.h"
#include "tests/common/track_writer.h"
#include "tests/common/console_capture.h"
#include "tracks/ftr_file.h"
#include "tracks/ftr_header.h"
#include "tracks/igc_records.h"
#include "tracks/track_records.h"

namespace {

class FtrHeader : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        init_read_fpl();
        init_glider();
    }
    void TearDown() override {
        ftr_close();
        InTempDir::TearDown();
    }
    /// Writes the track and reads its header; the console output is kept.
    int32_t read(const track_desc& d, const std::string& name = "t.ftr") {
        EXPECT_TRUE(write_track(tmp.file(name), d));
        int32_t npts = -7;
        console = capture_console([&] { read_ftr_hdr(tmp.file(name), npts); });
        return npts;
    }
    int32_t read_bytes(std::vector<unsigned char> b) {
        int32_t npts = -7;
        console = capture_console([&] { read_ftr_hdr_bytes("mem.ftr", std::move(b), npts); });
        return npts;
    }
    std::string run_log() const { return read_file("Logfile.txt"); }
    std::string console;
};

// ---------------------------------------------------------------------------
// Opening, magic and version

TEST_F(FtrHeader, VersionSelectsReaderOrIsRejected) {
    struct Case {
        int32_t version;
        bool usable;
        int32_t major;
    } cases[] = {{2000, true, 2}, {2999, true, 2}, {3000, true, 3}, {3039, true, 3}, {3040, true, 3},
                 {3999, true, 3}, {1999, false, 1}, {4000, false, 4}, {-2500, false, -2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        inst00.condor_version = 99;
        rd_fpl_0.fpl_vers = 0;
        std::remove("Logfile.txt");
        int32_t npts = read(tw_sample(c.version));
        EXPECT_EQ(inst00.condor_version, c.major);
        if (c.usable) {
            EXPECT_EQ(npts, 4);
            EXPECT_EQ(rd_fpl_0.fpl_vers, c.version);
            EXPECT_TRUE(ftr_file.open);
            EXPECT_EQ(ftr_file.pos, c.version < 3000 ? ftr_v2_first_fix : ftr_v3_first_fix);
            EXPECT_EQ(run_log(), "");
        } else {
            EXPECT_EQ(npts, 0);
            EXPECT_FALSE(ftr_file.open);
            EXPECT_NE(run_log().find(tmp.file("t.ftr") + ": Unrecognised Condor version #\r\n"), std::string::npos)
                << run_log();
        }
    }
}

TEST_F(FtrHeader, UnusableFilesAreReportedInTheRunLog) {
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;  // empty name: no file at all
        bool exists;
        const char* message;
    } cases[] = {
        {"missing", {}, false, ": Error opening"},
        {"wrong magic", {'F', 'T', 'X', 0xB8, 0x0B, 0, 0}, true, ": Not a Condor FTR file"},
        {"text file", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}, true, ": Not a Condor FTR file"},
        {"empty", {}, true, ": Not a Condor FTR file (truncated)"},
        {"inside the magic", {'F', 'T'}, true, ": Not a Condor FTR file (truncated)"},
        {"inside the version", {'F', 'T', 'R', 0xB8, 0x0B}, true, ": Not a Condor FTR file (truncated)"},
        {"short other file", {'X', 'Y'}, true, ": Not a Condor FTR file"},
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::remove("Logfile.txt");
        std::string name = "f";
        name += std::to_string(i++);
        name += ".ftr";
        if (c.exists) tmp.write(name, std::string(c.bytes.begin(), c.bytes.end()));
        int32_t npts = -7;
        console = capture_console([&] { read_ftr_hdr(tmp.file(name) + "   ", npts); });
        EXPECT_EQ(npts, 0);
        EXPECT_FALSE(ftr_file.open);
        EXPECT_EQ(run_log(), tmp.file(name) + c.message + "\r\n");
    }
}

TEST_F(FtrHeader, AFolderIsNotATrack) {
    int32_t npts = -7;
    console = capture_console([&] { read_ftr_hdr(tmp.path().string(), npts); });
    EXPECT_EQ(npts, 0);
    EXPECT_FALSE(ftr_file.open);
    EXPECT_NE(run_log().find(": Error opening"), std::string::npos);
}

#ifndef _WIN32
TEST_F(FtrHeader, OnlyARegularFileIsOpened) {
    // A pipe with no writer would block the open, a device without an end
    // would be read for ever: both are refused at once.
    const std::string fifo = tmp.file("pipe.ftr");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        std::remove("Logfile.txt");
        int32_t npts = -7;
        console = capture_console([&] { read_ftr_hdr(path, npts); });
        EXPECT_EQ(npts, 0);
        EXPECT_FALSE(ftr_file.open);
        EXPECT_EQ(run_log(), path + ": Error opening\r\n");
    }
}
#endif

TEST_F(FtrHeader, NoAnnouncedFixSkipsTheTrack) {
    for (int32_t n : {0, -5}) {
        track_desc d = tw_sample(3040);
        d.npts = n;
        EXPECT_EQ(read(d), 0) << n;
        EXPECT_FALSE(ftr_file.open);
    }
}

TEST_F(FtrHeader, TaskPointsAreResetBeforeEveryTrack) {
    rd_fpl_1.tprad[20] = 77;
    rd_fpl_2.tpnam[20] = "stale";
    track_desc d = tw_sample(2500);
    d.magic = {'B', 'A', 'D'};
    read(d);
    EXPECT_EQ(rd_fpl_1.tprad[20], 3000);
    EXPECT_EQ(rd_fpl_2.tpnam[20], "");
}

// ---------------------------------------------------------------------------
// Date word

// The high word of a float64 day count, as a track's header holds it.
int32_t date_word(double days) { return static_cast<int32_t>(std::bit_cast<uint64_t>(days) >> 32); }

TEST(FtrDate, DayCountAndDateText) {
    EXPECT_EQ(ftr_day_count(0x40E5F918), 45000);
    struct Case {
        const char* what;
        double days;
        const char* c_date;
    };
    const Case cases[] = {
        {"2023-03-15 and a time of day", 45000.75, "150323"},
        {"the first day a word gives, 1989-09-17", 32768.0, "170989"},
        {"the last day, 2079-06-04", 65535.99, "040679"},
        {"1995-06-15", 34865.0, "150695"},
        {"1999-12-31", 36525.0, "311299"},
        {"2000-01-01", 36526.0, "010100"},
        // No day count: a damaged date.
        {"the day before the first", 32767.99, "000000"},
        {"the day after the last", 65536.0, "000000"},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), "000000"},
        {"+infinity", std::numeric_limits<double>::infinity(), "000000"},
        {"-infinity", -std::numeric_limits<double>::infinity(), "000000"},
        {"1e300", 1e300, "000000"},
        {"0", 0.0, "000000"},
        {"a negative day", -45000.0, "000000"},
    };
    for (const Case& c : cases) EXPECT_EQ(ftr_c_date(ftr_day_count(date_word(c.days))), c.c_date) << c.what;
    // Every word outside the range, as a damaged header may hold any.
    std::mt19937 rng(23);
    for (int i = 0; i < 100000; ++i) {
        const int32_t w = static_cast<int32_t>(rng());
        const int32_t day = ftr_day_count(w);
        const std::string text = ftr_c_date(day);
        if (day < ftr_first_day || day > ftr_last_day)
            EXPECT_EQ(text, "000000") << std::hex << w;
        else
            ASSERT_TRUE(igc_date_valid(text)) << std::hex << w;
    }
}

// ---------------------------------------------------------------------------
// Version-3 header

track_desc full_v3() {
    track_desc d = tw_sample(3040);
    d.starttime = 12.25f;
    d.racestartdelay = 0.1f;
    d.starttimewindow = 0.75f;
    d.aattime = 2.5f;
    d.iconsvisiblerange = 11;
    d.thermalhelpersrange = 12;
    d.turnpointhelpersrange = 13;
    d.qaat = 1;
    d.allowbugwipers = 2;
    d.allowpda = 0;
    d.allowrealtimescoring = 1;
    d.allowexternalview = 0;
    d.allowpadlockview = 1;
    d.allowsmoke = 0;
    d.allowplanerecovery = 1;
    d.allowheightrecovery = 0;
    d.allowmidaircollisionrecovery = 255;
    d.penaltycloudflying = 1;
    d.penaltyplanerecovery = 2;
    d.penaltyheightrecovery = 3;
    d.penaltywrongwindowenterance = 4;
    d.penaltywindowcollision = 5;
    d.penaltyairspaceenterance = 6;
    d.penaltypenaltyzoneenterance = 7;
    d.penaltythermalhelpers = 8;
    d.maxstartgroundspeed = 9;
    d.penaltystartspeed = 10;
    d.penaltyhighstart = 11;
    d.penaltylowfinish = 12;
    d.randseed = -13;
    d.starttype = 14;
    d.startheight = 15;
    d.breakprob = 16;
    d.ropelength = 17.5f;
    d.maxwingloading = 18;
    d.maxteams = 19;
    d.team = 20;
    d.acroflight = 0xFF;  // -1 as a signed byte
    d.iseat = 2;
    d.icgbias = -4;
    d.iwater = 150;
    d.ifixedmass = 12;
    d.bbugwipers = 1;
    d.randomize = 1;
    d.rcncolor = 0x00ABCDEF;
    return d;
}

TEST_F(FtrHeader, Version3GameOptionsAndIdentity) {
    ASSERT_EQ(read(full_v3()), 4);
    const auto& g = rd_fpl_6;
    EXPECT_EQ(rd_fpl_0.fpl_vers, 3040);
    EXPECT_EQ(g.starttime, 12.25f);
    EXPECT_EQ(g.racestartdelay, 0.1f);
    EXPECT_EQ(g.starttimewindow, 0.75f);
    EXPECT_EQ(g.taskdate, 45000);
    EXPECT_EQ(rd_ftr_c.c_date, "150323");
    EXPECT_EQ(g.aattime, 2.5f);
    EXPECT_EQ(g.iconsvisiblerange, 11);
    EXPECT_EQ(g.thermalhelpersrange, 12);
    EXPECT_EQ(g.turnpointhelpersrange, 13);
    const bool flags[] = {g.qaat,       g.allowbugwipers,     g.allowpda,           g.allowrealtimescoring,
                          g.allowexternalview, g.allowpadlockview, g.allowsmoke, g.allowplanerecovery,
                          g.allowheightrecovery, g.allowmidaircollisionrecovery};
    const bool want[] = {true, true, false, true, false, true, false, true, false, true};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(flags[i], want[i]) << "flag " << i;
    const int32_t ints[] = {g.penaltycloudflying,   g.penaltyplanerecovery,       g.penaltyheightrecovery,
                            g.penaltywrongwindowenterance, g.penaltywindowcollision, g.penaltyairspaceenterance,
                            g.penaltypenaltyzoneenterance, g.penaltythermalhelpers, g.maxstartgroundspeed,
                            g.penaltystartspeed,    g.penaltyhighstart,           g.penaltylowfinish};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(ints[i], i + 1) << "penalty " << i;
    EXPECT_EQ(g.randseed, -13);
    EXPECT_EQ(g.starttype, 14);
    EXPECT_EQ(g.startheight, 15);
    EXPECT_EQ(g.breakprob, 16);
    EXPECT_EQ(g.ropelength, 17.5f);
    EXPECT_EQ(g.maxwingloading, 18);
    EXPECT_EQ(g.maxteams, 19);
    EXPECT_EQ(g.team, 20);
    EXPECT_EQ(g.acroflight, -1);

    EXPECT_EQ(rd_ftr_c.pilot_name, "Jane Doe");
    EXPECT_EQ(rd_ftr_c.gliderid, "D-1234");
    EXPECT_EQ(rd_ftr_c.compid, "XY");
    EXPECT_EQ(rd_fpl_2.landscape, "Slovenia3");
    EXPECT_EQ(ggg001.glclass, "Standard");
    EXPECT_EQ(rd_ftr_c.compclass, "Standard");
    EXPECT_EQ(ggg001.glider, "Discus");
    EXPECT_EQ(ggg001.glskin, "Default");
    EXPECT_EQ(gggmas.wmass, 150.0f);
    EXPECT_EQ(gggmas.fmass, 12.0f);
    EXPECT_EQ(ggg002.cgbias, -4.0f);
    EXPECT_EQ(ggg002.glseat, 2);
    EXPECT_TRUE(ggg002.qbugwipers);
    EXPECT_TRUE(rd_fpl_wz2.randomizeweatheroneachflight);

    // The name lines show the text, its length byte and the codes of the
    // whole area; the colour shows its value and its 8 hexadecimal digits.
    for (const char* label :
         {" FirstName   Jane 4 74 97 110 101 0 0 0 0 0 0 0 0 0 0 0 0\n", " sSecondName Doe 3 68 111 101 0 ",
          " sLandscape   Slovenia3 9 83 108 ", " iRCNColor 11259375 00ABCDEF\n", " Landscape:  Slovenia3", " PZ 1",
                              " iDisabledAirspaceBlocksCount 0", " last_dis_AS -1", " WZ 1",
                              " iNumFlightTrackItems 4"})
        EXPECT_NE(console.find(label), std::string::npos) << label;
}

TEST_F(FtrHeader, Version3LeavesVersion2OnlyMembersAlone) {
    rd_fpl_4.pressure = 98000.0f;
    rd_ftr_2.nwp = 9;
    rd_ftr_2.nndate = 123;
    rd_fpl_wz1.winddir[12] = 45.0f;
    rd_ftr_h.hdr[100] = 0xAB;
    ASSERT_EQ(read(full_v3()), 4);
    EXPECT_EQ(rd_fpl_4.pressure, 98000.0f);
    EXPECT_EQ(rd_ftr_2.nwp, 9);
    EXPECT_EQ(rd_ftr_2.nndate, 123);
    EXPECT_EQ(rd_fpl_wz1.winddir[12], 45.0f);
    EXPECT_EQ(rd_ftr_h.hdr[100], 0xAB);
}

TEST_F(FtrHeader, Version3TextFields) {
    struct Case {
        const char* what;
        tw_text first, second;
        std::string pilot;
    } cases[] = {
        {"plain", "Jane", "Doe", "Jane Doe"},
        {"both empty", "", "", ""},
        {"empty first name", "", "Doe", " Doe"},
        {"negative length", tw_text("Jane", -1 & 0xFF), "Doe", " Doe"},
        {"16 + 16 cut to 32", "ABCDEFGHIJKLMNOP", "abcdefghijklmnop", "ABCDEFGHIJKLMNOP abcdefghijklmno"},
        {"length above the area", tw_text("ABCDEFGHIJKLMNOP", 40), "x", "ABCDEFGHIJKLMNOP x"},
        {"length shorter than text", tw_text("Janet", 3), "Doe", "Jan Doe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        track_desc d = tw_sample(3000);
        d.firstname = c.first;
        d.secondname = c.second;
        ASSERT_EQ(read(d), 4);
        EXPECT_EQ(rd_ftr_c.pilot_name, c.pilot);
    }
    // Short areas: registration 7, competition number 3, landscape 16.
    track_desc d = tw_sample(3000);
    d.registration = tw_text("ABCDEFG", 100);
    d.compno = tw_text("ABC", 127);
    d.landscape = tw_text("ABCDEFGHIJKLMNOP", 16);
    d.skin = tw_text(std::string(32, 'S'), 33);
    ASSERT_EQ(read(d), 4);
    EXPECT_EQ(rd_ftr_c.gliderid, "ABCDEFG");
    EXPECT_EQ(rd_ftr_c.compid, "ABC");
    EXPECT_EQ(rd_fpl_2.landscape, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(ggg001.glskin, std::string(32, 'S'));
}

TEST_F(FtrHeader, Version3TaskPoints) {
    track_desc d = tw_sample(3040);
    d.nb_wp = 3;
    tw_tp t;
    t.name = "Point <3>";
    t.x = -1.5f;
    t.y = 2.5f;
    t.z = 300.0f;
    t.sectype = 0xFE;  // -2 signed
    t.secdir = -5;
    t.radius = 1200;
    t.angle = 180;
    t.alt = 1500.0f;
    t.wid = 20.0f;
    t.hei = 30.0f;
    t.azi = 1.25f;
    t.airport = 200;  // -56 signed
    d.tps.resize(16);
    d.tps[2] = t;
    d.tps[15].name = "Last";
    d.tps[15].radius = 77;
    ASSERT_EQ(read(d), 4);
    EXPECT_EQ(rd_fpl_0.nb_wp, 3);
    const auto& p = rd_fpl_1;
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Takeoff");
    EXPECT_EQ(p.tpx[0], 1000.0f);
    EXPECT_EQ(p.tpair[0], 1);
    EXPECT_EQ(rd_fpl_2.tpnam[2], "Point <3>");
    EXPECT_EQ(p.tpx[2], -1.5f);
    EXPECT_EQ(p.tpy[2], 2.5f);
    EXPECT_EQ(p.tpz[2], 300.0f);
    EXPECT_EQ(p.tpsec[2], -2);
    EXPECT_EQ(p.tpsecdir[2], -5);
    EXPECT_EQ(p.tprad[2], 1200);
    EXPECT_EQ(p.tpang[2], 180);
    EXPECT_EQ(p.tpalt[2], 1500.0f);
    EXPECT_EQ(p.tpwid[2], 20.0f);
    EXPECT_EQ(p.tphei[2], 30.0f);
    EXPECT_EQ(p.tpazi[2], 1.25f);
    EXPECT_EQ(p.tpair[2], -56);
    // All 16 records are read whatever the count; point 16 on keeps the reset.
    EXPECT_EQ(rd_fpl_2.tpnam[15], "Last");
    EXPECT_EQ(p.tprad[15], 77);
    EXPECT_EQ(p.tprad[3], 0);
    EXPECT_EQ(p.tprad[16], 3000);
}

TEST_F(FtrHeader, Version3PenaltyAndWeatherZones) {
    track_desc d = tw_sample(3040);
    tw_pz z;
    for (int k = 0; k < 4; ++k) {
        z.corner[k][0] = 10.0f * k + 1;
        z.corner[k][1] = 10.0f * k + 2;
        z.corner[k][2] = 999.0f;
    }
    z.base = 100;
    z.top = 200;
    z.factor = 3;
    d.pzs.resize(8);
    d.pzs[7] = z;
    tw_wz w;
    w.name = tw_text("A weather zone of 24 char", 30);
    w.pointcount = 16;
    for (int k = 0; k < 16; ++k) {
        w.pts[k][0] = 100.0f + k;
        w.pts[k][1] = 200.0f + k;
        w.pts[k][2] = 7.0f;
    }
    w.movespeed = 1;
    w.borderwidth = 2;
    w.movedir = 3;
    w.winddir = 4;
    w.windspeed = 5;
    w.windupperspeed = 6;
    w.winddirvariation = 7;
    w.windspeedvariation = 8;
    w.windturbulence = 9;
    w.thermalstemp = 20.0f;
    w.thermalstempvariation = 10;
    w.thermalsdew = 11;
    w.thermalsstrength = 12;
    w.thermalsstrengthvariation = 13;
    w.thermalsinversionheight = 14;
    w.thermalsoverdevelopment = 15;
    w.thermalswidth = 16;
    w.thermalswidthvariation = 17;
    w.thermalsactivity = 18;
    w.thermalsactivityvariation = 19;
    w.thermalsturbulence = 20;
    w.thermalsflatsactivity = 21;
    w.thermalsstreeting = 22;
    w.thermalsbugs = 23;
    w.wavesstability = 24;
    w.wavesmoisture = 25;
    w.highcloudscoverage = 26;
    d.wzs.resize(8);
    d.wzs[7] = w;
    d.wzs[6].thermalstemp = -273.15f;
    d.wzcount = 8;
    rd_fpl_wz1.winddir[8] = 55.0f;  // zones 8 on are not in a version-3 track
    ASSERT_EQ(read(d), 4);

    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(rd_fpl_1.pzp[0][k][7], 10.0f * k + 1);
        EXPECT_EQ(rd_fpl_1.pzp[1][k][7], 10.0f * k + 2);
    }
    EXPECT_EQ(rd_fpl_1.pza[0][7], 100.0f);
    EXPECT_EQ(rd_fpl_1.pza[1][7], 200.0f);
    EXPECT_EQ(rd_fpl_1.pza[2][7], 3.0f);
    EXPECT_EQ(rd_fpl_1.pza[0][0], 100.0f);

    const auto& w1 = rd_fpl_wz1;
    const auto& w2 = rd_fpl_wz2;
    EXPECT_EQ(w2.wzcount, 8);
    EXPECT_EQ(rd_fpl_2.wznam[7], "A weather zone of 24 cha");
    EXPECT_EQ(w2.pointcount[7], 16);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(rd_fpl_1.wzp[0][k][7], 100.0f + k);
        EXPECT_EQ(rd_fpl_1.wzp[1][k][7], 200.0f + k);
    }
    EXPECT_EQ(w1.movespeed[7], 1.0f);
    EXPECT_EQ(w1.borderwidth[7], 2.0f);
    EXPECT_EQ(w1.movedir[7], 3.0f);
    EXPECT_EQ(w1.winddir[7], 4.0f);
    EXPECT_EQ(w1.windspeed[7], 5.0f);
    EXPECT_EQ(w1.windupperspeed[7], 6.0f);
    EXPECT_EQ(w2.winddirvariation[7], 7);
    EXPECT_EQ(w2.windspeedvariation[7], 8);
    EXPECT_EQ(w2.windturbulence[7], 9);
    EXPECT_EQ(w1.thermalstemp[7], 20.0f + 273.15f);
    EXPECT_NEAR(w1.thermalstemp[7], 293.15f, 1e-4);
    EXPECT_EQ(w1.thermalstemp[0], 20.0f + 273.15f);
    EXPECT_EQ(w1.thermalstemp[6], -273.15f + 273.15f);
    EXPECT_EQ(w2.thermalstempvariation[7], 10);
    EXPECT_EQ(w1.thermalsdew[7], 11.0f);
    EXPECT_EQ(w2.thermalsstrength[7], 12);
    EXPECT_EQ(w2.thermalsstrengthvariation[7], 13);
    EXPECT_EQ(w1.thermalsinversionheight[7], 14.0f);
    EXPECT_EQ(w2.thermalsoverdevelopment[7], 15.0f);
    const int32_t tail[] = {w2.thermalswidth[7],      w2.thermalswidthvariation[7], w2.thermalsactivity[7],
                            w2.thermalsactivityvariation[7], w2.thermalsturbulence[7], w2.thermalsflatsactivity[7],
                            w2.thermalsstreeting[7],  w2.thermalsbugs[7],          w2.wavesstability[7],
                            w2.wavesmoisture[7],      w2.highcloudscoverage[7]};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(tail[i], 16 + i) << i;
    EXPECT_EQ(w1.winddir[8], 55.0f);
}

TEST_F(FtrHeader, Version3DisabledAirspaces) {
    struct Case {
        const char* what;
        int32_t count;
        std::vector<int16_t> entries;
        std::vector<int> flagged;
        int32_t last;
    } cases[] = {
        {"none", 0, {5, 2}, {}, -1},
        {"three", 3, {5, 2, 9, 11}, {5, 2, 9}, 9},
        {"highest index", 1, {8192}, {8192}, 8192},
        {"entries outside the table are skipped", 4, {-1, 8193, 32767, 4}, {4}, 4},
        {"negative count", -3, {5}, {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rd_fpl_5.qas_disa.fill(true);
        rd_fpl_0.last_dis_as = 77;
        track_desc d = tw_sample(3040);
        d.ndisabled = c.count;
        d.disabled = c.entries;
        ASSERT_EQ(read(d), 4);
        int set = 0;
        for (bool f : rd_fpl_5.qas_disa) set += f;
        EXPECT_EQ(set, static_cast<int>(c.flagged.size()));
        for (int v : c.flagged) EXPECT_TRUE(rd_fpl_5.qas_disa[v]) << v;
        EXPECT_EQ(rd_fpl_0.last_dis_as, c.last);
    }
    // A count above the entry table reads the table's 8192 entries.
    track_desc d = tw_sample(3040);
    d.ndisabled = 100000;
    d.disabled.assign(8192, 0);
    d.disabled[8191] = 8000;
    ASSERT_EQ(read(d), 4);
    EXPECT_TRUE(rd_fpl_5.qas_disa[0]);
    EXPECT_TRUE(rd_fpl_5.qas_disa[8000]);
    EXPECT_EQ(rd_fpl_0.last_dis_as, 8000);
    EXPECT_NE(console.find("Disabled airspace count 100000 outside 0 to 8192"), std::string::npos);
}

TEST_F(FtrHeader, CountsBeyondTheirTablesAreClamped) {
    struct Case {
        int32_t nb_wp, nb_pz, wzcount, pointcount;
        int32_t want_wp, want_pz, want_wz, want_pc;
    } cases[] = {
        {3, 2, 1, 4, 3, 2, 1, 4},
        {31, 11, 17, 17, 31, 11, 17, 17},
        {32, 12, 18, 18, 31, 11, 17, 17},
        {1 << 30, INT32_MAX, 1000, 99999, 31, 11, 17, 17},
        {-1, -2, -3, -4, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nb_wp);
        track_desc d = tw_sample(3040);
        d.nb_wp = c.nb_wp;
        d.nb_pz = c.nb_pz;
        d.wzcount = c.wzcount;
        d.wzs[0].pointcount = c.pointcount;
        ASSERT_EQ(read(d), 4);
        EXPECT_EQ(rd_fpl_0.nb_wp, c.want_wp);
        EXPECT_EQ(rd_fpl_0.nb_pz, c.want_pz);
        EXPECT_EQ(rd_fpl_wz2.wzcount, c.want_wz);
        EXPECT_EQ(rd_fpl_wz2.pointcount[0], c.want_pc);
        const bool clamped = c.nb_wp != c.want_wp;
        EXPECT_EQ(console.find("Task-point count") != std::string::npos, clamped);
    }
}

// ---------------------------------------------------------------------------
// Version-2 header

TEST_F(FtrHeader, Version2Fields) {
    track_desc d = tw_sample(2500);
    d.v2_weather.thermalstemp = 20.0f;
    d.v2_weather.winddir = 90.0f;
    d.v2_weather.windspeed = 4.5f;
    d.v2_weather.windupperspeed = 7.0f;
    d.pressure = 99500.0f;
    d.iwater = 80;
    d.ifixedmass = -3;
    d.tps[1].airport = 200;
    d.tps[1].sectype = 250;
    d.tps[1].secdir = 5;  // not in a version-2 record
    d.tps[1].azi = 2.5f;
    d.tps[1].hei = 11.0f;
    d.tps[1].wid = 12.0f;
    d.tps[1].alt = 13.0f;
    rd_fpl_6.randseed = 31;  // game options stay as they were
    rd_fpl_0.nb_pz = 6;
    ggg001.glskin = "old skin";
    ASSERT_EQ(read(d), 4);

    EXPECT_EQ(rd_fpl_0.fpl_vers, 2500);
    EXPECT_EQ(rd_ftr_2.nndate, 45000);
    EXPECT_EQ(rd_ftr_c.c_date, "150323");
    EXPECT_EQ(rd_ftr_c.pilot_name, "Jane Doe");
    EXPECT_EQ(rd_ftr_c.gliderid, "D-1234");
    EXPECT_EQ(rd_ftr_c.compid, "XY");
    EXPECT_EQ(rd_ftr_c.compclass, "Standard");
    EXPECT_EQ(ggg001.glider, "Discus");
    EXPECT_EQ(rd_fpl_2.landscape, "Slovenia3");
    EXPECT_EQ(gggmas.wmass, 80.0f);
    EXPECT_EQ(gggmas.fmass, -3.0f);
    for (int z = 0; z <= maxwz; ++z) {
        EXPECT_EQ(rd_fpl_wz1.thermalstemp[z], 20.0f) << z;
        EXPECT_EQ(rd_fpl_wz1.winddir[z], 90.0f) << z;
        EXPECT_EQ(rd_fpl_wz1.windspeed[z], 4.5f) << z;
        EXPECT_EQ(rd_fpl_wz1.windupperspeed[z], 7.0f) << z;
    }
    EXPECT_EQ(rd_fpl_4.pressure, 99500.0f);
    EXPECT_EQ(rd_ftr_2.nwp, 2);
    EXPECT_EQ(rd_fpl_0.nb_wp, 2);
    EXPECT_EQ(rd_fpl_2.tpnam[1], "Finish");
    EXPECT_EQ(rd_fpl_1.tpx[1], 4000.0f);
    EXPECT_EQ(rd_fpl_1.tpy[1], 6000.0f);
    EXPECT_EQ(rd_fpl_1.tpz[1], 250.0f);
    EXPECT_EQ(rd_fpl_1.tpair[1], 200);
    EXPECT_EQ(rd_fpl_1.tpsec[1], 250);
    EXPECT_EQ(rd_fpl_1.tpsecdir[1], 0);
    EXPECT_EQ(rd_fpl_1.tprad[1], 500);
    EXPECT_EQ(rd_fpl_1.tpang[1], 360);
    EXPECT_EQ(rd_fpl_1.tpalt[1], 13.0f);
    EXPECT_EQ(rd_fpl_1.tpwid[1], 12.0f);
    EXPECT_EQ(rd_fpl_1.tphei[1], 11.0f);
    EXPECT_EQ(rd_fpl_1.tpazi[1], 2.5f);
    // Leg distances: the finish circle of 500 m shortens the only leg.
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[1], 5000.0f - 500.0f);
    EXPECT_EQ(rd_fpl_6.randseed, 31);
    EXPECT_EQ(rd_fpl_0.nb_pz, 6);
    EXPECT_EQ(ggg001.glskin, "old skin");
    EXPECT_NE(console.find(" P,T 99500"), std::string::npos);
    EXPECT_NE(console.find(" 2  Turn points"), std::string::npos);
    EXPECT_NE(console.find(" read_ftr 1 200 250"), std::string::npos);
}

TEST_F(FtrHeader, Version2KeepsTheRawBlock) {
    track_desc d = tw_sample(2100);
    std::vector<unsigned char> bytes = build_track(d);
    rd_ftr_h.hdr.fill(0x55);
    ASSERT_EQ(read(d), 4);
    for (std::size_t k = 0; k < ftr_v2_block; ++k) ASSERT_EQ(rd_ftr_h.hdr[k], bytes[k]) << k;
    for (std::size_t k = ftr_v2_block; k < ftr_hdr_len; ++k) ASSERT_EQ(rd_ftr_h.hdr[k], 0x55) << k;

    // A track shorter than the block: what is missing reads as zero.
    bytes.resize(1900);
    rd_ftr_h.hdr.fill(0x55);
    ASSERT_EQ(read_bytes(bytes), 4);
    for (std::size_t k = 0; k < 1900; ++k) ASSERT_EQ(rd_ftr_h.hdr[k], bytes[k]) << k;
    for (std::size_t k = 1900; k < ftr_v2_block; ++k) ASSERT_EQ(rd_ftr_h.hdr[k], 0) << k;
    EXPECT_EQ(ftr_file.pos, ftr_v2_first_fix);
}

TEST_F(FtrHeader, Version2TextsRunOnPastTheirArea) {
    track_desc d = tw_sample(2000);
    // Length 20: the 16-byte area, the second name's length byte and three
    // bytes of its area.
    d.firstname = tw_text("ABCDEFGHIJKLMNOP", 20);
    d.secondname = "xyzw";
    d.landscape = tw_text("ABCDEFGHIJKLMNOP", 16);
    ASSERT_EQ(read(d), 4);
    EXPECT_EQ(rd_ftr_c.pilot_name, std::string("ABCDEFGHIJKLMNOP") + '\x04' + "xyz xyzw");
    EXPECT_EQ(rd_fpl_2.landscape, "ABCDEFGHIJKLMNOP");

    d.firstname = "";
    d.secondname = "";
    ASSERT_EQ(read(d), 4);
    EXPECT_EQ(rd_ftr_c.pilot_name, "");

    // The longest texts stay inside hdr, wherever they start.
    d.patches = {{1744, {255}}, {123, {255}}, {191, {255}}};
    d.nb_wp = 31;
    d.patches.push_back({215 + 56 * 30, {255}});
    ASSERT_EQ(read(d), 4);
    EXPECT_EQ(ggg001.glider.size(), 32u);
    EXPECT_EQ(rd_fpl_2.landscape.size() <= 64u, true);
}

TEST_F(FtrHeader, Version2TaskPointCount) {
    struct Case {
        int32_t nwp;
        int32_t want;
    } cases[] = {{0, 0}, {2, 2}, {31, 31}, {32, 31}, {100000, 31}, {-1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nwp);
        track_desc d = tw_sample(2000);
        d.nb_wp = c.nwp;
        rd_fpl_4.dist_tot = 123.0f;
        ASSERT_EQ(read(d), 4);
        EXPECT_EQ(rd_ftr_2.nwp, c.want);
        EXPECT_EQ(rd_fpl_0.nb_wp, c.want);
        if (c.want == 0) {
            EXPECT_EQ(rd_fpl_4.dist_tot, 0.0f);
            EXPECT_EQ(console.find(" read_ftr "), std::string::npos);
        }
    }
}

TEST_F(FtrHeader, Version2HeaderDump) {
    track_desc d = tw_sample(2000);
    d.patches = {{600, {0xFF, 0xFF, 0xFF, 0xFF}}};
    rd_ftr_2.qhdr = true;
    ASSERT_EQ(read(d), 4);
    rd_ftr_2.qhdr = false;
    EXPECT_NE(console.find("\n 601\n"), std::string::npos);
    // Word lines for positions 4, 8, ... 2000.
    EXPECT_NE(console.find("\n     4 D0 07 00 00" + std::string(9, ' ') + "2000 "), std::string::npos) << console.substr(0, 400);
    EXPECT_NE(console.find("\n  2000 "), std::string::npos);
    EXPECT_EQ(console.find("\n  2004 "), std::string::npos);
    EXPECT_NE(console.find(" 158 6 Norway"), std::string::npos);
    EXPECT_NE(console.find(" 183 2 XY"), std::string::npos);
    EXPECT_NE(console.find(" 1762 7 Default"), std::string::npos);
}

}  // namespace
