// Version-3 flight-plan writer: lines, order, number forms, the IGC form,
// and the plan read back by the reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/taskmodel/fpl_fixture.h"

namespace {

std::vector<std::string> split_crlf(const std::string& s) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = s.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(s.substr(start, at - start));
    EXPECT_EQ(start, s.size()) << "every line ends CR LF";
    return lines;
}

class WriteFpl : public FplFixture {
protected:
    void SetUp() override {
        FplFixture::SetUp();
        init_read_fpl();
        init_glider();
        init_wp();
        rd_fpl_2.landscape = "Land";
    }
    std::vector<std::string> plain() { return split_crlf(write_plan(false)); }
};

const std::vector<std::string> option_keys = {
    "TaskDate", "StartTime", "StartTimeWindow", "RaceStartDelay", "AATTime",
    "IconsVisibleRange", "ThermalHelpersRange", "TurnpointHelpersRange", "AAT",
    "AllowBugwipers", "AllowPDA", "AllowRealtimeScoring", "AllowExternalView",
    "AllowPadlockView", "AllowSmoke", "AllowPlaneRecovery", "AllowHeightRecovery",
    "AllowMidairCollisionRecovery", "PenaltyCloudFlying", "PenaltyPlaneRecovery",
    "PenaltyHeightRecovery", "PenaltyWrongWindowEnterance", "PenaltyWindowCollision",
    "PenaltyAirspaceEnterance", "PenaltyPenaltyZoneEnterance", "PenaltyThermalHelpers",
    "MaxStartGroundSpeed", "PenaltyStartSpeed", "PenaltyHighStart", "PenaltyLowFinish",
    "RandSeed", "StartType", "StartHeight", "BreakProb", "RopeLength", "MaxWingLoading",
    "MaxTeams", "AcroFlight"};

std::vector<std::string> empty_task_lines() {
    std::vector<std::string> l = {"[Version]", "Condor version=3000", " ", "[Task]",
                                  "Landscape=Land", "Count=0", "PZCount=0",
                                  "DisabledAirspaces=", " ", "[Weather]",
                                  "RandomizeWeatherOnEachFlight=0", "WZCount=0", " ",
                                  "[Plane]", "Class=", "Name=", "Skin=", "Water=0",
                                  "FixedMass=0", "CGBias=0", "Seat=1", "Bugwipers=0", " ",
                                  "[GameOptions]"};
    for (const std::string& k : option_keys) l.push_back(k + "=0");
    for (const char* s : {" ", "[Description]", "Text="}) l.push_back(s);
    return l;
}

TEST_F(WriteFpl, EmptyTaskPlainAndIgc) {
    EXPECT_EQ(plain(), empty_task_lines());
    EXPECT_EQ(iost, 0);

    std::vector<std::string> igc;
    for (const std::string& l : empty_task_lines())
        if (l != " ") igc.push_back("LCONFPL" + l);
    EXPECT_EQ(split_crlf(write_plan(true)), igc);
}

TEST_F(WriteFpl, TaskPointPenaltyZoneAndAirspaceLines) {
    Rd_fpl_1& g = rd_fpl_1;
    rd_fpl_0.nb_wp = 11;
    rd_fpl_2.tpnam[10] = "Ten  ";
    g.tpx[10] = 1234.5677f;
    g.tpy[10] = -2.75f;
    g.tpz[10] = 0.1f;
    g.tpair[10] = -17;
    g.tpsec[10] = 2;
    g.tpsecdir[10] = 3;
    g.tprad[10] = 0;   // not positive: written as it is
    g.tpang[10] = -5;
    g.tpalt[10] = 100.0f;
    g.tpwid[10] = 2.5e9f;
    g.tphei[10] = 3.1415927f;
    g.tpazi[10] = 90.0f;
    rd_fpl_0.nb_pz = 1;
    g.pzp[0][2][0] = 5.5f;
    g.pzp[1][3][0] = -1.0f;
    g.pza[0][0] = 99.5f;
    g.pza[1][0] = -0.5f;
    g.pza[2][0] = 2.4f;
    rd_fpl_5.qas_disa[3] = rd_fpl_5.qas_disa[7] = true;
    rd_fpl_0.last_dis_as = 7;

    const std::vector<std::string> l = plain();
    const auto at = [&](const std::string& s) {
        return std::find(l.begin(), l.end(), s) - l.begin();
    };
    ASSERT_LT(at("Count=11"), static_cast<long>(l.size()));
    const std::vector<std::string> point10 = {
        "TPName10=Ten", "TPPosX10=1234.56775", "TPPosY10=-2.75", "TPPosZ10=0.1",
        "TPAirport10=-17", "TPSectorType10=2", "TPSectorDirection10=3", "TPRadius10=0",
        "TPAngle10=-5", "TPAltitude10=100", "TPWidth10=2500000000", "TPHeight10=3.141593",
        "TPAzimuth10=90"};
    const long first = at("TPName10=Ten");
    ASSERT_EQ(first, at("Count=11") + 1 + 13 * 10);
    EXPECT_EQ(std::vector<std::string>(l.begin() + first, l.begin() + first + 13), point10);
    EXPECT_EQ(l[at("TPName0=") + 7], "TPRadius0=3000");
    EXPECT_EQ(l[at("TPName0=") + 8], "TPAngle0=90");

    const std::vector<std::string> zone0 = {
        "PZCount=1",     "PZPos0X0=0",   "PZPos0Y0=0",   "PZPos1X0=0", "PZPos1Y0=0",
        "PZPos2X0=5.5",  "PZPos2Y0=0",   "PZPos3X0=0",   "PZPos3Y0=-1", "PZBase0=100",
        "PZTop0=-1",     "PZPenaltyTimeFactor0=2", "DisabledAirspaces=3,7", " ", "[Weather]"};
    const long pz = at("PZCount=1");
    ASSERT_EQ(pz, first + 13);
    EXPECT_EQ(std::vector<std::string>(l.begin() + pz, l.begin() + pz + zone0.size()), zone0);
}

TEST_F(WriteFpl, DisabledAirspaceLine) {
    struct Case {
        std::vector<int> disabled;
        int32_t last;
        std::string line;
    };
    const Case cases[] = {
        {{}, -1, "DisabledAirspaces="},
        {{}, 0, "DisabledAirspaces="},
        {{0}, 0, "DisabledAirspaces=0"},
        {{3, 7}, 7, "DisabledAirspaces=3,7"},
        {{8192, 12}, 8192, "DisabledAirspaces=12,8192"},
        // Entries above the last index are not written.
        {{3, 9}, 5, "DisabledAirspaces=3,"},
        {{8192}, 100000, "DisabledAirspaces=8192"},
    };
    for (const Case& c : cases) {
        rd_fpl_5.qas_disa.fill(false);
        for (int n : c.disabled) rd_fpl_5.qas_disa[n] = true;
        rd_fpl_0.last_dis_as = c.last;
        const std::vector<std::string> l = plain();
        EXPECT_EQ(l[7], c.line);
    }
}

TEST_F(WriteFpl, WeatherZoneLines) {
    rd_fpl_wz2.randomizeweatheroneachflight = true;
    rd_fpl_wz2.wzcount = 2;
    rd_fpl_2.wznam[1] = "North";
    rd_fpl_wz2.pointcount[1] = 1;
    rd_fpl_1.wzp[0][0][1] = 1.5f;
    rd_fpl_1.wzp[1][0][1] = -2.0f;
    Rd_fpl_wz1& a = rd_fpl_wz1;
    Rd_fpl_wz2& b = rd_fpl_wz2;
    a.movedir[1] = 1;
    a.movespeed[1] = 2;
    a.borderwidth[1] = 3;
    a.winddir[1] = 270;
    a.windspeed[1] = 5.5f;
    a.windupperspeed[1] = 8;
    b.winddirvariation[1] = 9;
    b.windspeedvariation[1] = 10;
    b.windturbulence[1] = 11;
    a.thermalstemp[1] = 293.15f;
    b.thermalstempvariation[1] = 12;
    a.thermalsdew[1] = 8.5f;
    b.thermalsstrength[1] = 13;
    b.thermalsstrengthvariation[1] = 14;
    a.thermalsinversionheight[1] = 2000;
    b.thermalsoverdevelopment[1] = 0.25f;
    int v = 15;
    for (auto* t : {&b.thermalswidth, &b.thermalswidthvariation, &b.thermalsactivity,
                    &b.thermalsactivityvariation, &b.thermalsturbulence, &b.thermalsflatsactivity,
                    &b.thermalsstreeting, &b.thermalsbugs, &b.wavesstability, &b.wavesmoisture,
                    &b.highcloudscoverage})
        (*t)[1] = v++;

    const std::vector<std::string> l = plain();
    const long w = std::find(l.begin(), l.end(), "[Weather]") - l.begin();
    const std::vector<std::string> want = {
        "[Weather]", "RandomizeWeatherOnEachFlight=1", "WZCount=2", " ", "[WeatherZone0]",
        "Name=", "PointCount=0"};
    EXPECT_EQ(std::vector<std::string>(l.begin() + w, l.begin() + w + want.size()), want);
    const long z1 = std::find(l.begin(), l.end(), "[WeatherZone1]") - l.begin();
    EXPECT_EQ(l[z1 - 1], " ");
    const std::vector<std::string> zone1 = {
        "[WeatherZone1]", "Name=North", "PointCount=1", "Polygon0X=1.5", "Polygon0Y=-2",
        // The motion values go out in the track's order.
        "MoveDir=2", "MoveSpeed=3", "BorderWidth=1", "WindDir=270", "WindSpeed=5.5",
        "WindUpperSpeed=8", "WindDirVariation=9", "WindSpeedVariation=10", "WindTurbulence=11",
        "ThermalsTemp=20", "ThermalsTempVariation=12", "ThermalsDew=8.5", "ThermalsStrength=13",
        "ThermalsStrengthVariation=14", "ThermalsInversionheight=2000",
        "ThermalsOverdevelopment=0.25", "ThermalsWidth=15", "ThermalsWidthVariation=16",
        "ThermalsActivity=17", "ThermalsActivityVariation=18", "ThermalsTurbulence=19",
        "ThermalsFlatsActivity=20", "ThermalsStreeting=21", "ThermalsBugs=22",
        "WavesStability=23", "WavesMoisture=24", "HighCloudsCoverage=25", " ", "[Plane]"};
    ASSERT_LE(z1 + zone1.size(), l.size());
    EXPECT_EQ(std::vector<std::string>(l.begin() + z1, l.begin() + z1 + zone1.size()), zone1);
}

TEST_F(WriteFpl, PlaneOptionsAndDescription) {
    ggg001 = {"ASW28", "Standard", "Red"};
    gggmas.wmass = 100.5f;
    gggmas.fmass = 5;
    ggg002 = {-0.1f, 2, true};
    rd_fpl_6.taskdate = 45000;
    rd_fpl_6.starttime = 12.25f;
    rd_fpl_6.qaat = true;
    rd_fpl_6.ropelength = 1013.25f;
    rd_fpl_6.acroflight = 1;
    rd_fpl_2.fpldesc[0] = "First";
    rd_fpl_2.fpldesc[1] = "Second  ";
    rd_fpl_2.fpldesc[2] = "Third";
    rd_fpl_0.nb_fpldesc = 3;
    const std::vector<std::string> l = plain();
    const long p = std::find(l.begin(), l.end(), "[Plane]") - l.begin();
    const std::vector<std::string> plane = {"[Plane]", "Class=Standard", "Name=ASW28",
                                            "Skin=Red", "Water=100.5", "FixedMass=5",
                                            "CGBias=-0.1", "Seat=2", "Bugwipers=1", " ",
                                            "[GameOptions]", "TaskDate=45000",
                                            "StartTime=12.25"};
    EXPECT_EQ(std::vector<std::string>(l.begin() + p, l.begin() + p + plane.size()), plane);
    EXPECT_NE(std::find(l.begin(), l.end(), "AAT=1"), l.end());
    EXPECT_NE(std::find(l.begin(), l.end(), "RopeLength=1013.25"), l.end());
    const std::vector<std::string> tail = {"AcroFlight=1", " ", "[Description]",
                                           "Text=First", "Second", "Third"};
    EXPECT_EQ(std::vector<std::string>(l.end() - tail.size(), l.end()), tail);

    const std::vector<std::string> igc = split_crlf(write_plan(true));
    EXPECT_EQ(std::vector<std::string>(igc.end() - 3, igc.end()),
              (std::vector<std::string>{"LCONFPLText=First", "LCONFPLSecond", "LCONFPLThird"}));
}

TEST_F(WriteFpl, CountsBeyondTheTablesAreHeldToThem) {
    rd_fpl_0.nb_wp = 40;
    rd_fpl_0.nb_pz = 99;
    rd_fpl_wz2.wzcount = 30;
    rd_fpl_wz2.pointcount.fill(50);
    rd_fpl_0.nb_fpldesc = 20;
    const std::vector<std::string> l = plain();
    const auto has = [&](const std::string& s) {
        return std::find(l.begin(), l.end(), s) != l.end();
    };
    EXPECT_TRUE(has("Count=31"));
    EXPECT_TRUE(has("TPName30="));
    EXPECT_TRUE(has("PZCount=11"));
    EXPECT_TRUE(has("PZBase10=0"));
    EXPECT_TRUE(has("WZCount=17"));
    EXPECT_TRUE(has("[WeatherZone16]"));
    EXPECT_FALSE(has("[WeatherZone17]"));
    EXPECT_TRUE(has("PointCount=17"));
    EXPECT_TRUE(has("Polygon16Y=0"));
    EXPECT_FALSE(has("Polygon17X=0"));
}

TEST_F(WriteFpl, FailedWriteIsReported) {
    std::FILE* f = std::fopen("/dev/full", "wb");
    if (f == nullptr) GTEST_SKIP() << "no /dev/full";
    int32_t status = 0;
    write_fpl_v3(f, status, true, "Land");
    std::fclose(f);
    EXPECT_GT(status, 0);

    status = 7;
    write_fpl_v3(nullptr, status, true, "Land");
    EXPECT_GE(status, 7);
}

TEST_F(WriteFpl, ReadBackGivesTheModelWithTheMotionValuesMoved) {
    rd_fpl_0.nb_wp = 2;
    rd_fpl_2.tpnam[0] = "A<1>";
    rd_fpl_1.tpx[1] = 3000;
    rd_fpl_1.tprad[1] = 500;
    rd_fpl_1.tpang[1] = 360;
    rd_fpl_1.tpazi[1] = 90;
    rd_fpl_1.tpwid[1] = 250;
    rd_fpl_0.nb_pz = 2;
    rd_fpl_1.pzp[1][3][1] = 44;
    rd_fpl_1.pza[2][1] = 3;
    rd_fpl_5.qas_disa[12] = true;
    rd_fpl_0.last_dis_as = 12;
    rd_fpl_wz2.wzcount = 3;
    rd_fpl_2.wznam[2] = "Z2";
    rd_fpl_wz2.pointcount[2] = 3;
    rd_fpl_1.wzp[0][2][2] = 1234;
    rd_fpl_1.wzp[1][2][2] = -55;
    rd_fpl_wz1.movedir[2] = 1;
    rd_fpl_wz1.movespeed[2] = 2;
    rd_fpl_wz1.borderwidth[2] = 3;
    rd_fpl_wz1.thermalstemp[2] = 300.0f;
    rd_fpl_wz2.thermalsbugs[2] = 4;
    ggg001.glider = "Discus";
    ggg002.glseat = 2;
    gggmas.wmass = 80;
    rd_fpl_6.taskdate = 44000;
    rd_fpl_6.maxstartgroundspeed = 170;
    rd_fpl_6.ropelength = 55.5f;
    rd_fpl_2.fpldesc[0] = "Desc";
    rd_fpl_2.fpldesc[1] = "More";
    rd_fpl_0.nb_fpldesc = 2;

    for (const bool qigc : {true, false}) {
        SCOPED_TRACE(qigc);
        const std::string text = write_plan(qigc, "written.txt");
        // The plan of an IGC file is followed by its flight information.
        read_plan(qigc ? text + "LCONFlightInfoX=1\r\n" : text + "\r\n", true, "back.txt");
        EXPECT_EQ(rd_fpl_0.fpl_vers, 3);
        EXPECT_EQ(rd_fpl_0.nb_wp, 2);
        EXPECT_EQ(rd_fpl_2.tpnam[0], "A&lt;1&gt;");
        EXPECT_EQ(rd_fpl_1.tpx[1], 3000.0f);
        EXPECT_EQ(rd_fpl_1.tprad[1], 500);
        EXPECT_EQ(rd_fpl_1.tpang[1], 360);
        EXPECT_EQ(rd_fpl_1.tpwid[1], 250.0f);
        // The writer writes degrees, the reader takes radians.
        EXPECT_EQ(rd_fpl_1.tpazi[1], 5157.0f);
        EXPECT_EQ(rd_fpl_4.dist_tot, 0.0f);
        EXPECT_EQ(rd_fpl_1.tpdist[1], 2500.0f);
        EXPECT_EQ(rd_fpl_0.nb_pz, 2);
        EXPECT_EQ(rd_fpl_1.pzp[1][3][1], 44.0f);
        EXPECT_EQ(rd_fpl_1.pza[2][1], 3.0f);
        EXPECT_TRUE(rd_fpl_5.qas_disa[12]);
        EXPECT_EQ(rd_fpl_0.last_dis_as, 12);
        EXPECT_EQ(rd_fpl_wz2.wzcount, 3);
        EXPECT_EQ(rd_fpl_2.wznam[2], "Z2");
        EXPECT_EQ(rd_fpl_wz2.pointcount[2], 3);
        EXPECT_EQ(rd_fpl_1.wzp[0][2][2], 1234.0f);
        EXPECT_EQ(rd_fpl_1.wzp[1][2][2], -55.0f);
        EXPECT_EQ(rd_fpl_1.wzp[0][2][1], 0.0f);
        // The three motion values change places.
        EXPECT_EQ(rd_fpl_wz1.movedir[2], 2.0f);
        EXPECT_EQ(rd_fpl_wz1.movespeed[2], 3.0f);
        EXPECT_EQ(rd_fpl_wz1.borderwidth[2], 1.0f);
        EXPECT_NEAR(rd_fpl_wz1.thermalstemp[2], 300.0f, 1e-4f);
        EXPECT_EQ(rd_fpl_wz2.thermalsbugs[2], 4);
        EXPECT_EQ(ggg001.glider, "Discus");
        EXPECT_EQ(ggg002.glseat, 2);
        EXPECT_EQ(gggmas.wmass, 80.0f);
        EXPECT_EQ(rd_fpl_6.taskdate, 44000);
        EXPECT_EQ(rd_fpl_6.maxstartgroundspeed, 170);
        EXPECT_EQ(rd_fpl_6.ropelength, 55.5f);
        // In an IGC file the description's lines are taken raw, up to the
        // end of the input.
        EXPECT_EQ(rd_fpl_0.nb_fpldesc, qigc ? 3 : 2);
        EXPECT_EQ(rd_fpl_2.fpldesc[1], qigc ? "LCONFPLMore" : "More");
        EXPECT_EQ(rd_fpl_2.fpldesc[2], qigc ? "LCONFlightInfoX=1" : "");
        EXPECT_EQ(ios, qigc ? -1 : 0);

        // Put the written model back for the next form.
        rd_fpl_2.fpldesc[1] = "More";
        rd_fpl_2.fpldesc[2] = "";
        rd_fpl_0.nb_fpldesc = 2;
        rd_fpl_2.tpnam[0] = "A<1>";
        rd_fpl_1.tpazi[1] = 90;
        rd_fpl_wz1.movedir[2] = 1;
        rd_fpl_wz1.movespeed[2] = 2;
        rd_fpl_wz1.borderwidth[2] = 3;
    }
}

}  // namespace
