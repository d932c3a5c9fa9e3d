// Flight-plan reader: plain and embedded plans, conversions, the
// version-2 plan, descriptions and hostile indices.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/common/console_capture.h"
#include "tests/taskmodel/fpl_fixture.h"

namespace {

/// A version-3 plan with every group of keys, in plain form (LF or CR LF
/// line ends), its description ended by a blank line.
const std::vector<std::string> sample_lines = {
    "[Version]",
    "Condor version=3000",
    "",
    "[Task]",
    "Landscape=Slovenia3",
    "Count=3",
    "TPName0=Lesce <A>",
    "TPPosX0=1000.5",
    "TPPosY0=2000",
    "TPPosZ0=500",
    "TPAirport0=1",
    "TPSectorType0=0",
    "TPSectorDirection0=2",
    "TPRadius0=2999.5",
    "TPAngle0=45.5",
    "TPAltitude0=1500.4",
    "TPWidth0=100.5",
    "TPHeight0=3000",
    "TPAzimuth0=1.5707963",
    "TPName1=Start",
    "TPPosX1=5000",
    "TPPosY1=2000",
    "TPRadius1=500",
    "TPAngle1=90",
    "TPName2=Finish",
    "TPPosX2=5000",
    "TPPosY2=10000",
    "TPRadius2=1000",
    "TPAngle2=360",
    "PZCount=1",
    "PZPos0X0=10",
    "PZPos0Y0=20",
    "PZPos3X0=30",
    "PZPos3Y0=40",
    "PZBase0=100",
    "PZTop0=2000",
    "PZPenaltyTimeFactor0=2",
    "DisabledAirspaces=3,17,abc,5",
    "",
    "[Weather]",
    "RandomizeWeatherOnEachFlight=1",
    "WZCount=2",
    "Pressure=1013.25",
    "",
    "[WeatherZone0]",
    "Name=Base",
    "PointCount=0",
    "MoveDir=10",
    "MoveSpeed=20",
    "BorderWidth=30",
    "WindDir=270",
    "WindSpeed=5.5",
    "WindDirVariation=10",
    "ThermalsTemp=20",
    "ThermalsTempVariation=2",
    "ThermalsDew=8.5",
    "ThermalsStrength=4",
    "ThermalsInversionheight=1999.6",
    "ThermalsOverdevelopment=0.5",
    "HighCloudsCoverage=3",
    "",
    "[WeatherZone1]",
    "Name=North",
    "PointCount=2",
    "Polygon0X=1",
    "Polygon0Y=2",
    "Polygon1X=3",
    "Polygon1Y=4",
    "ThermalsTemp=25",
    "",
    "[Plane]",
    "Class=Standard",
    "Name=ASW28",
    "Skin=Default",
    "Water=100",
    "FixedMass=5",
    "CGBias=0.1",
    "Seat=2",
    "Bugwipers=1",
    "",
    "[GameOptions]",
    "TaskDate=45000",
    "StartTime=12.5",
    "AATTime=1.5",
    "IconsVisibleRange=20",
    "AAT=0",
    "AllowPDA=y",
    "AllowSmoke=true",
    "PenaltyCloudFlying=100",
    "MaxStartGroundSpeed=170",
    "RopeLength=40",
    "MaxTeams=2",
    "",
    "[Description]",
    "Text=First line",
    "Second line",
    "Third line",
};

/// Non-blank lines of the sample up to its "Text" line.
int32_t sample_plan_lines() {
    int32_t n = 0;
    for (const std::string& l : sample_lines) {
        if (!l.empty()) ++n;
        if (l.rfind("Text=", 0) == 0) break;
    }
    return n;
}

std::string plain_sample(std::string_view eol = "\r\n") {
    std::string s;
    for (const std::string& l : sample_lines) s += l + std::string(eol);
    s += std::string(eol) + "Ignored after the blank line" + std::string(eol);
    return s;
}

/// The sample as an IGC file holds it after the reader has taken the lines
/// up to the version line: prefixed lines, no blank ones, then the flight
/// information.
std::string embedded_sample() {
    std::string s;
    for (std::size_t i = 2; i < sample_lines.size(); ++i)
        if (!sample_lines[i].empty()) s += "LCONFPL" + sample_lines[i] + "\r\n";
    s += "LCONFlightInfoDistance=12345\r\n";
    s += "LCONFPLTPName0=Not part of the plan\r\n";
    return s;
}

/// The whole task model as text, for comparing two reads.
class ReadFpl : public FplFixture {
protected:
    void SetUp() override {
        FplFixture::SetUp();
        tmp.write("Landscapes/Slovenia3/Slovenia3.air", "AC R\nAN one\nAC Q\nac x\n AC y\nAC\n");
    }
    std::string model_text() {
        std::string s = write_plan(false, "model.txt");
        s += std::to_string(rd_fpl_4.pressure) + " " + std::to_string(rd_fpl_4.jdate) + " " +
             std::to_string(rd_fpl_0.nwpmax) + " " + std::to_string(rd_fpl_0.npzmax) + " " +
             std::to_string(rd_fpl_0.nb_as_zones) + " " + std::to_string(rd_fpl_4.dist_tot) +
             " " + std::to_string(rd_fpl_0.fpl_vers);
        return s;
    }
};

TEST_F(ReadFpl, PlainPlanFillsTheModel) {
    read_plan(plain_sample());
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(nl, sample_plan_lines());
    const Rd_fpl_1& g = rd_fpl_1;
    EXPECT_EQ(rd_fpl_0.fpl_vers, 3);
    EXPECT_EQ(rd_fpl_2.landscape, "Slovenia3");
    EXPECT_EQ(rd_fpl_0.nb_as_zones, 3);
    EXPECT_EQ(rd_fpl_0.nb_wp, 3);
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Lesce &lt;A&gt;");
    EXPECT_EQ(g.tpx[0], 1000.5f);
    EXPECT_EQ(g.tpy[0], 2000.0f);
    EXPECT_EQ(g.tpz[0], 500.0f);
    EXPECT_EQ(g.tpair[0], 1);
    EXPECT_EQ(g.tpsec[0], 0);
    EXPECT_EQ(g.tpsecdir[0], 2);
    EXPECT_EQ(g.tprad[0], 3000);
    EXPECT_EQ(g.tpang[0], 46);
    EXPECT_EQ(g.tpalt[0], 1500.0f);
    EXPECT_EQ(g.tpwid[0], 101.0f);
    EXPECT_EQ(g.tphei[0], 3000.0f);
    EXPECT_EQ(g.tpazi[0], 90.0f);
    // A point without sector lines keeps the sector defaults.
    EXPECT_EQ(g.tpsec[2], 1);
    EXPECT_EQ(g.tpang[2], 360);
    EXPECT_EQ(rd_fpl_0.nwpmax, 2);
    EXPECT_EQ(rd_fpl_1.tpdist[2], 7000.0f);
    EXPECT_EQ(rd_fpl_4.dist_tot, 7000.0f);

    EXPECT_EQ(rd_fpl_0.nb_pz, 1);
    EXPECT_EQ(g.pzp[0][0][0], 10.0f);
    EXPECT_EQ(g.pzp[1][0][0], 20.0f);
    EXPECT_EQ(g.pzp[0][3][0], 30.0f);
    EXPECT_EQ(g.pzp[1][3][0], 40.0f);
    EXPECT_EQ(g.pza[0][0], 100.0f);
    EXPECT_EQ(g.pza[1][0], 2000.0f);
    EXPECT_EQ(g.pza[2][0], 2.0f);

    EXPECT_TRUE(rd_fpl_5.qas_disa[3]);
    EXPECT_TRUE(rd_fpl_5.qas_disa[5]);
    EXPECT_TRUE(rd_fpl_5.qas_disa[17]);
    EXPECT_FALSE(rd_fpl_5.qas_disa[4]);
    EXPECT_EQ(rd_fpl_0.last_dis_as, 17);

    EXPECT_TRUE(rd_fpl_wz2.randomizeweatheroneachflight);
    EXPECT_EQ(rd_fpl_wz2.wzcount, 2);
    EXPECT_EQ(rd_fpl_4.pressure, 101325.0f);
    EXPECT_EQ(rd_fpl_2.wznam[0], "Base");
    EXPECT_EQ(rd_fpl_wz1.movedir[0], 10.0f);
    EXPECT_EQ(rd_fpl_wz1.movespeed[0], 20.0f);
    EXPECT_EQ(rd_fpl_wz1.borderwidth[0], 30.0f);
    EXPECT_EQ(rd_fpl_wz1.winddir[0], 270.0f);
    EXPECT_EQ(rd_fpl_wz1.windspeed[0], 5.5f);
    EXPECT_EQ(rd_fpl_wz2.winddirvariation[0], 10);
    EXPECT_EQ(rd_fpl_wz1.thermalstemp[0], 20.0f + 273.15f);
    EXPECT_EQ(rd_fpl_wz2.thermalstempvariation[0], 2);
    EXPECT_EQ(rd_fpl_wz1.thermalsdew[0], 8.5f);
    EXPECT_EQ(rd_fpl_wz2.thermalsstrength[0], 4);
    EXPECT_EQ(rd_fpl_wz1.thermalsinversionheight[0], 2000.0f);
    EXPECT_EQ(rd_fpl_wz2.thermalsoverdevelopment[0], 0.5f);
    EXPECT_EQ(rd_fpl_wz2.highcloudscoverage[0], 3);
    EXPECT_EQ(rd_fpl_2.wznam[1], "North");
    EXPECT_EQ(rd_fpl_wz2.pointcount[1], 2);
    EXPECT_EQ(g.wzp[0][0][1], 1.0f);
    EXPECT_EQ(g.wzp[1][0][1], 2.0f);
    EXPECT_EQ(g.wzp[0][1][1], 3.0f);
    EXPECT_EQ(g.wzp[1][1][1], 4.0f);
    EXPECT_EQ(rd_fpl_wz1.thermalstemp[1], 25.0f + 273.15f);

    EXPECT_EQ(ggg001.glclass, "Standard");
    EXPECT_EQ(ggg001.glider, "ASW28");
    EXPECT_EQ(ggg001.glskin, "Default");
    EXPECT_EQ(gggmas.wmass, 100.0f);
    EXPECT_EQ(gggmas.fmass, 5.0f);
    EXPECT_EQ(ggg002.cgbias, 0.1f);
    EXPECT_EQ(ggg002.glseat, 2);
    EXPECT_TRUE(ggg002.qbugwipers);

    const Rd_fpl_6& o = rd_fpl_6;
    EXPECT_EQ(o.taskdate, 45000);
    EXPECT_EQ(rd_fpl_4.jdate, 2415019 + 45000);
    EXPECT_EQ(o.starttime, 12.5f);
    EXPECT_EQ(o.aattime, 1.5f);
    EXPECT_EQ(o.iconsvisiblerange, 20);
    EXPECT_FALSE(o.qaat);
    EXPECT_TRUE(o.allowpda);
    EXPECT_FALSE(o.allowsmoke) << "only 1, Y or y are true";
    EXPECT_EQ(o.penaltycloudflying, 100);
    EXPECT_EQ(o.maxstartgroundspeed, 170);
    EXPECT_EQ(o.ropelength, 40.0f);
    EXPECT_EQ(o.maxteams, 2);

    EXPECT_EQ(rd_fpl_0.nb_fpldesc, 3);
    EXPECT_EQ(rd_fpl_2.fpldesc[0], "First line");
    EXPECT_EQ(rd_fpl_2.fpldesc[1], "Second line");
    EXPECT_EQ(rd_fpl_2.fpldesc[2], "Third line");
    EXPECT_EQ(rd_fpl_2.fpldesc[3], "");
    EXPECT_EQ(rd_fpl_2.fpl_000, tmp.file("plan.fpl"));
}

TEST_F(ReadFpl, EmbeddedTwinAndLineEndsGiveTheSameModel) {
    read_plan(plain_sample());
    const std::string plain = model_text();
    const int32_t plain_nl = nl;

    read_plan(plain_sample("\n"), true, "lf.fpl");
    EXPECT_EQ(model_text(), plain);
    EXPECT_EQ(nl, plain_nl);

    // The IGC reader has taken the version line and set the version.
    rd_fpl_0.fpl_vers = 3;
    read_plan(embedded_sample(), true, "flight.igc");
    EXPECT_EQ(ios, -1);
    EXPECT_EQ(nl, plain_nl - 2) << "the version lines are the IGC reader's";
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Lesce &lt;A&gt;");
    // The description's lines are taken raw, up to the end of the input.
    const std::string raw_desc[] = {"First line", "LCONFPLSecond line", "LCONFPLThird line",
                                    "LCONFlightInfoDistance=12345", "LCONFPLTPName0=Not part of the plan"};
    ASSERT_EQ(rd_fpl_0.nb_fpldesc, 5);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(rd_fpl_2.fpldesc[i], raw_desc[i]) << i;
    // Apart from the description, the same model as the plain plan.
    rd_fpl_2.fpldesc[1] = "Second line";
    rd_fpl_2.fpldesc[2] = "Third line";
    rd_fpl_2.fpldesc[3] = rd_fpl_2.fpldesc[4] = "";
    rd_fpl_0.nb_fpldesc = 3;
    EXPECT_EQ(model_text(), plain);
}

TEST_F(ReadFpl, EndOfInputWithoutDescription) {
    read_plan(join_lines({"[Task]", "Count=2", "TPPosX1=3000"}));
    EXPECT_EQ(ios, -1);
    EXPECT_EQ(nl, 3);
    EXPECT_EQ(rd_fpl_0.nb_wp, 2);
    EXPECT_EQ(rd_fpl_1.tpdist[1], 3000.0f);
    EXPECT_EQ(rd_fpl_0.last_dis_as, -1);
}

TEST_F(ReadFpl, ValueConversionsAndUnreadableValues) {
    struct Case {
        const char* line;
        float got;
        float want;
    };
    // Each line is read on its own into a freshly reset model; `got` is
    // looked up after the read.
    const std::vector<std::pair<std::string, std::function<float()>>> lines = {
        {"TPRadius0=2999.5", [] { return float(rd_fpl_1.tprad[0]); }},
        {"TPRadius0=-2.5", [] { return float(rd_fpl_1.tprad[0]); }},
        {"TPAzimuth0=1.5707963", [] { return rd_fpl_1.tpazi[0]; }},
        {"TPAltitude0=0.5", [] { return rd_fpl_1.tpalt[0]; }},
        {"TPSectorType0=1.0", [] { return float(rd_fpl_1.tpsec[0]); }},
        {"TPSectorType0=3 extra", [] { return float(rd_fpl_1.tpsec[0]); }},
        {"TPRadius0=abc", [] { return float(rd_fpl_1.tprad[0]); }},
        {"TPRadius0=1e30", [] { return float(rd_fpl_1.tprad[0] == 2147483647); }},
        {"[Weather]\r\nThermalsTemp=20", [] { return rd_fpl_wz1.thermalstemp[0]; }},
        {"[Weather]\r\nThermalsTemp=x", [] { return rd_fpl_wz1.thermalstemp[0]; }},
        {"[Weather]\r\nPressure=1013.25", [] { return rd_fpl_4.pressure; }},
        {"Pressure=900", [] { return rd_fpl_4.pressure; }},
        {"ThermalsTemp=20", [] { return rd_fpl_wz1.thermalstemp[0]; }},
        {"Count=5", [] { return float(rd_fpl_0.nb_wp); }},
        {"[Task]\r\nCount=31", [] { return float(rd_fpl_0.nb_wp); }},
        {"[Plane]\r\nSeat=2.0", [] { return float(ggg002.glseat); }},
        {"TaskDate=1.5", [] { return float(rd_fpl_4.jdate); }},
    };
    const float want[] = {3000, -3, 90, 1, 1, 3, 3000, 1, 293.15f, 0, 101325, 101325,
                          0, 0, 31, 1, 0};
    ASSERT_EQ(lines.size(), std::size(want));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i].first);
        rd_fpl_4.jdate = 0;
        read_plan(lines[i].first + "\r\n");
        EXPECT_FLOAT_EQ(lines[i].second(), want[i]);
    }
}

TEST_F(ReadFpl, BlankMassesLeaveTheirMembers) {
    const std::pair<std::string, float> cases[][2] = {
        {{"[Plane]\r\nWater=\r\nFixedMass= ", 7.0f}, {"", 8.0f}},
        {{"[Plane]\r\nWater=12\r\nFixedMass=3", 12.0f}, {"", 3.0f}},
        {{"Water=12\r\nFixedMass=3", 7.0f}, {"", 8.0f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0].first);
        gggmas.wmass = 7.0f;
        gggmas.fmass = 8.0f;
        read_plan(c[0].first + "\r\n", false);
        EXPECT_EQ(gggmas.wmass, c[0].second);
        EXPECT_EQ(gggmas.fmass, c[1].second);
    }
}

TEST_F(ReadFpl, VersionTwoPlanRestoresGameOptionsAndHasOneZone) {
    rd_fpl_6.maxstartgroundspeed = 150;
    rd_fpl_6.aattime = 1.5f;
    rd_fpl_6.qaat = true;
    rd_fpl_wz2.wzcount = 5;
    read_plan(join_lines({"[Version]", "Condor version=2000", "[Task]", "Landscape=AA3",
                          "[WeatherZone4]", "[Weather]", "WindDir=90", "Name=Zone"}));
    EXPECT_EQ(rd_fpl_0.fpl_vers, 2);
    EXPECT_EQ(rd_fpl_6.maxstartgroundspeed, 150);
    EXPECT_EQ(rd_fpl_6.aattime, 1.5f);
    EXPECT_TRUE(rd_fpl_6.qaat);
    EXPECT_EQ(rd_fpl_wz1.winddir[0], 90.0f) << "[Weather] goes back to zone 0 in version 2";
    EXPECT_EQ(rd_fpl_wz1.winddir[4], 0.0f);
    EXPECT_EQ(rd_fpl_wz2.wzcount, 1);
    EXPECT_EQ(rd_fpl_2.wznam[0], "Base");
    EXPECT_EQ(rd_fpl_wz2.pointcount[0], 0);
    EXPECT_EQ(rd_fpl_0.nb_as_zones, 0) << "no airspace file for version 2";

    // A version-3 plan does not give them back.
    rd_fpl_6.maxstartgroundspeed = 150;
    read_plan(join_lines({"Condor version=3000"}));
    EXPECT_EQ(rd_fpl_6.maxstartgroundspeed, 0);
    EXPECT_EQ(rd_fpl_wz2.wzcount, 1) << "wzcount is not reset";
}

TEST_F(ReadFpl, WithoutResetOnlyTheNamedMembersChange) {
    rd_fpl_0.fpl_vers = 0;
    init_read_fpl();
    init_glider();
    init_wp();
    rd_fpl_1.tpx[4] = 77.0f;
    ggg001.glider = "Kept";
    rd_fpl_0.nb_wp = 6;
    read_plan(join_lines({"TPPosX1=5", "Landscape=X"}), false);
    EXPECT_EQ(rd_fpl_1.tpx[1], 5.0f);
    EXPECT_EQ(rd_fpl_1.tpx[4], 77.0f);
    EXPECT_EQ(ggg001.glider, "Kept");
    EXPECT_EQ(rd_fpl_0.nb_wp, 6);
    EXPECT_EQ(rd_fpl_0.nb_as_zones, 8192);
    EXPECT_EQ(rd_fpl_2.landscape, "X");
}

TEST_F(ReadFpl, WeatherZonesAndPolygonZoneNumbers) {
    read_plan(join_lines({"[WeatherZone3]", "Polygon2X=7", "Polygon2Y5=8", "WindDir=11",
                          "PolygonZ=9", "[Plane]", "WindDir=12", "[Weather]", "WindSpeed=4"}));
    EXPECT_EQ(rd_fpl_1.wzp[0][2][3], 7.0f);
    EXPECT_EQ(rd_fpl_1.wzp[1][2][5], 8.0f);
    EXPECT_EQ(rd_fpl_1.wzp[1][2][3], 0.0f);
    EXPECT_EQ(rd_fpl_wz1.winddir[5], 11.0f) << "a polygon zone number becomes the current zone";
    EXPECT_EQ(rd_fpl_wz1.winddir[3], 0.0f);
    EXPECT_EQ(rd_fpl_wz1.windspeed[5], 4.0f) << "a version-3 [Weather] keeps the zone";
}

TEST_F(ReadFpl, ZoneHeaderNumberComesFromItsOwnColumns) {
    // Leading blanks move the number out of its columns: it does not read
    // and the zone stays as it was.
    read_plan(join_lines({"[WeatherZone2]", "  [WeatherZone7]", " [WeatherZone8]=", "WindDir=5"}));
    EXPECT_EQ(rd_fpl_wz1.winddir[2], 5.0f);
    EXPECT_EQ(rd_fpl_wz1.winddir[7], 0.0f);
    EXPECT_EQ(rd_fpl_wz1.winddir[8], 0.0f);
}

TEST_F(ReadFpl, SectionFlagsGuardTheirKeys) {
    read_plan(join_lines({"Count=5", "Name=Nowhere", "[Plane]", "Name=Glider", "WindDir=5",
                          "[Weather]", "Name=Zone0", "Class=Std", "[Task]", "Count=4"}));
    EXPECT_EQ(rd_fpl_0.nb_wp, 4);
    EXPECT_EQ(ggg001.glider, "Glider");
    EXPECT_EQ(ggg001.glclass, "");
    EXPECT_EQ(rd_fpl_2.wznam[0], "Zone0");
    EXPECT_EQ(rd_fpl_wz1.winddir[0], 0.0f);
}

TEST_F(ReadFpl, DisabledAirspaceLists) {
    struct Case {
        std::string line;
        std::vector<int> disabled;
        int32_t last;
    };
    std::string long_list = "DisabledAirspaces=";
    for (int i = 1000; i < 1100; ++i) long_list += std::to_string(i) + ",";
    const Case cases[] = {
        {"DisabledAirspaces=", {}, 0},
        {"DisabledAirspaces=3,17,abc,5", {3, 5, 17}, 17},
        {"DisabledAirspaces= 8, 9", {8, 9}, 9},
        {"DisabledAirspaces=1,,2", {1}, 1},
        {"DisabledAirspaces=8193,-1,99999999999,8192,0", {0, 8192}, 8192},
        // A list longer than a plan line is still taken whole.
        {long_list, {1000, 1050, 1099}, 1099},
        {"LCONFPL" + long_list, {1000, 1099}, 1099},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 60));
        read_plan(c.line + "\r\n");
        EXPECT_EQ(rd_fpl_0.last_dis_as, c.last);
        for (int n : c.disabled) EXPECT_TRUE(rd_fpl_5.qas_disa[n]) << n;
        int count = 0;
        for (bool b : rd_fpl_5.qas_disa) count += b;
        if (c.line.size() < 200) EXPECT_EQ(count, static_cast<int>(c.disabled.size()));
        else EXPECT_EQ(count, 100);
    }
}

TEST_F(ReadFpl, HostileAirspaceListIsBounded) {
    // A list far longer than every airspace index together: its tail is
    // passed over, and it is dealt with quickly.
    std::string list = "DisabledAirspaces=4";
    while (list.size() < (std::size_t{1} << 20)) list += ",1";
    list += ",9";
    const auto start = std::chrono::steady_clock::now();
    read_plan(list + "\r\nPZCount=2\r\n");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);
    EXPECT_TRUE(rd_fpl_5.qas_disa[4]);
    EXPECT_TRUE(rd_fpl_5.qas_disa[1]);
    EXPECT_FALSE(rd_fpl_5.qas_disa[9]);
    EXPECT_EQ(rd_fpl_0.last_dis_as, 4);
    EXPECT_EQ(rd_fpl_0.nb_pz, 2) << "the line after it is read";
}

TEST_F(ReadFpl, AirspaceFileNamedAfterTheWholeLandscapeValue) {
    const std::string name(70, 'L');
    tmp.write("Landscapes/" + name + "/" + name + ".air", "AC A\nAC B\n");
    read_plan(join_lines({"Condor version=3000", "Landscape=" + name}));
    EXPECT_EQ(rd_fpl_2.landscape, std::string(64, 'L'));
    EXPECT_EQ(rd_fpl_0.nb_as_zones, 2);
}

TEST_F(ReadFpl, Descriptions) {
    // Plain: ends at the blank line; the lines after it stay unread.
    read_plan(join_lines({"Text=One", "Two", "LCONFPLThree", "", "Four"}));
    EXPECT_EQ(rd_fpl_0.nb_fpldesc, 3);
    EXPECT_EQ(rd_fpl_2.fpldesc[2], "LCONFPLThree");
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(nl, 1);

    // Embedded: the lines are taken raw, prefix included; the flight
    // information does not end the description, the end of the input does.
    read_plan(join_lines({"LCONFPLText=One", "LCONFPLTwo", "LCONFPL", "LCONFlightInfoX=1", "LCONFPLFive"}));
    EXPECT_EQ(rd_fpl_0.nb_fpldesc, 5);
    EXPECT_EQ(rd_fpl_2.fpldesc[0], "One");
    EXPECT_EQ(rd_fpl_2.fpldesc[1], "LCONFPLTwo");
    EXPECT_EQ(rd_fpl_2.fpldesc[2], "LCONFPL");
    EXPECT_EQ(rd_fpl_2.fpldesc[3], "LCONFlightInfoX=1");
    EXPECT_EQ(rd_fpl_2.fpldesc[4], "LCONFPLFive");
    EXPECT_EQ(ios, -1);
    EXPECT_EQ(nl, 1);

    // End of input inside the description.
    read_plan(join_lines({"Text=" + std::string(100, 'a'), std::string(300, 'b')}));
    EXPECT_EQ(rd_fpl_0.nb_fpldesc, 2);
    EXPECT_EQ(rd_fpl_2.fpldesc[0], std::string(80, 'a'));
    EXPECT_EQ(rd_fpl_2.fpldesc[1], std::string(132, 'b'));
    EXPECT_EQ(ios, -1);

    // An embedded line is cut at the same limit, its prefix counted.
    read_plan(join_lines({"LCONFPLText=One", "LCONFPL" + std::string(140, 'c')}));
    EXPECT_EQ(rd_fpl_2.fpldesc[1], "LCONFPL" + std::string(125, 'c'));

    // More lines than the model holds: the first 16 are kept.
    std::string many = "Text=1\r\n";
    for (int i = 2; i <= 20; ++i) many += std::to_string(i) + "\r\n";
    read_plan(many);
    EXPECT_EQ(rd_fpl_0.nb_fpldesc, 16);
    EXPECT_EQ(rd_fpl_2.fpldesc[15], "16");
}

TEST_F(ReadFpl, IndicesOutsideTheTablesAreIgnored) {
    struct Case {
        std::string lines;
        std::function<bool()> ok;
    };
    auto no_tp_value = [] {
        for (int i = 0; i <= maxtp; ++i)
            if (rd_fpl_1.tpx[i] != 0.0f || rd_fpl_2.tpnam[i] != "") return false;
        return rd_fpl_0.nwpmax == 0;
    };
    const Case cases[] = {
        {"TPPosX31=5", no_tp_value},
        {"TPPosX-1=5", no_tp_value},
        {"TPName2147483647=x", no_tp_value},
        // An index that does not read leaves the current one: here 0.
        {"TPPosXab=5", [] { return rd_fpl_1.tpx[0] == 5.0f; }},
        {"TPPosX99999999999=5", [] { return rd_fpl_1.tpx[0] == 5.0f; }},
        {"TPPosX3=1\r\nTPPosX=6\r\nTPPosX40=9",
         [] { return rd_fpl_1.tpx[3] == 6.0f && rd_fpl_0.nwpmax == 3; }},
        {"PZPos4X0=1\r\nPZPos0X11=1\r\nPZPos0X-1=1\r\nPZPos-1Y0=1",
         [] {
             for (const auto& xy : rd_fpl_1.pzp)
                 for (const auto& c : xy)
                     for (float v : c)
                         if (v != 0.0f) return false;
             return rd_fpl_0.npzmax == 0;
         }},
        // The corner with no value yet is 0.
        {"PZPosX2=7", [] { return rd_fpl_1.pzp[0][0][2] == 7.0f && rd_fpl_0.npzmax == 2; }},
        {"PZPos1Y10=7\r\nPZBase=3",
         [] { return rd_fpl_1.pzp[1][1][10] == 7.0f && rd_fpl_1.pza[0][10] == 3.0f; }},
        {"PZPos1Q10=7", [] { return rd_fpl_1.pzp[0][1][10] == 0.0f; }},
        {"[WeatherZone17]\r\nWindDir=5\r\nName=far\r\nPolygon0X=3",
         [] {
             return rd_fpl_wz1.winddir[0] == 0.0f && rd_fpl_wz1.winddir[16] == 0.0f &&
                    rd_fpl_2.wznam[0] == "" && rd_fpl_1.wzp[0][0][0] == 0.0f;
         }},
        {"[WeatherZone16]\r\n[WeatherZone-1]\r\nWindDir=5\r\n[WeatherZone16]\r\nWindSpeed=2",
         [] { return rd_fpl_wz1.winddir[16] == 0.0f && rd_fpl_wz1.windspeed[16] == 2.0f; }},
        // A zone number that does not read leaves the current zone.
        {"[WeatherZone2]\r\n[WeatherZonex]\r\nWindDir=5", [] { return rd_fpl_wz1.winddir[2] == 5.0f; }},
        // A point outside the table leaves the current point; a zone outside
        // it refuses the zone's lines that follow until a valid zone is named,
        // so that they do not land in the zone named before.
        {"[WeatherZone1]\r\nPolygon17X=3\r\nPolygonX=4\r\nPolygon0X17=3\r\nPolygonY=5\r\n"
         "WindDir=6\r\nName=far\r\nPolygon1Y2=7\r\nWindSpeed=8",
         [] {
             for (int z = 0; z <= maxwz; ++z)
                 if (rd_fpl_wz1.winddir[z] != 0.0f || rd_fpl_2.wznam[z] != "") return false;
             return rd_fpl_1.wzp[0][0][1] == 4.0f && rd_fpl_1.wzp[1][0][1] == 0.0f &&
                    rd_fpl_1.wzp[1][1][2] == 7.0f && rd_fpl_wz1.windspeed[2] == 8.0f;
         }},
        {"PZPos0X0=1\r\nPZPos0X11=2\r\nPZBase=5\r\nPZTop11=6\r\nPZPos2Y=3\r\n"
         "PZPos0Y4=9\r\nPZPenaltyTimeFactor4=2",
         [] {
             float pza_sum = 0.0f;
             for (const auto& row : rd_fpl_1.pza)
                 for (float v : row) pza_sum += v;
             return pza_sum == 2.0f && rd_fpl_1.pza[2][4] == 2.0f &&
                    rd_fpl_1.pzp[0][0][0] == 1.0f && rd_fpl_1.pzp[1][2][0] == 0.0f &&
                    rd_fpl_1.pzp[1][0][4] == 9.0f;
         }},
        // A corner outside the table still names the current zone.
        {"PZPos4X3=1\r\nPZBase3=5",
         [] { return rd_fpl_1.pza[0][3] == 5.0f && rd_fpl_1.pzp[0][0][3] == 0.0f; }},
        {"[Weather]\r\nWZCount=18\r\nPointCount=18\r\nWZCount=17\r\nPointCount=17",
         [] { return rd_fpl_wz2.wzcount == 17 && rd_fpl_wz2.pointcount[0] == 17; }},
        {"[Weather]\r\nWZCount=-1\r\nPointCount=-1",
         [] { return rd_fpl_wz2.wzcount == 0 && rd_fpl_wz2.pointcount[0] == 0; }},
        {"PZCount=12\r\nPZCount=-1", [] { return rd_fpl_0.nb_pz == 0; }},
        {"PZCount=11", [] { return rd_fpl_0.nb_pz == 11; }},
        {"[Task]\r\nCount=-1", [] { return rd_fpl_0.nb_wp == 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        rd_fpl_wz2.wzcount = 0;
        read_plan(c.lines + "\r\n");
        EXPECT_TRUE(c.ok());
    }
}

TEST_F(ReadFpl, MoreThanThirtyOneTaskPointsStopsTheProgram) {
    // The child must share this test's folder: forked, not started anew.
    GTEST_FLAG_SET(death_test_style, "fast");
    tmp.write("big.fpl", join_lines({"[Task]", "Count=32", "TPName0=never"}));
    EXPECT_EXIT(
        {
            stdout_into_file("child_stdout.txt");
            Fpl_input in;
            fpl_input_open(in, tmp.file("big.fpl"));
            read_fpl(in, true, true, false, nl, ios);
            std::fputs("read_fpl returned\n", stdout);
            std::exit(3);
        },
        ::testing::ExitedWithCode(1), "");
    const std::string out = tmp.read("child_stdout.txt");
    const std::string msg = "XCSoar does not support more than 30 turnpoints";
    const std::size_t at = out.find(msg);
    ASSERT_NE(at, std::string::npos) << out;
    EXPECT_NE(out.find(" Number of legs=30\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("read_fpl returned"), std::string::npos);
    EXPECT_EQ(out.find("TPName0"), std::string::npos) << "nothing is read after the count";
    EXPECT_NE(tmp.read("ErrorLog.txt").find(msg), std::string::npos);
}

TEST_F(ReadFpl, FrenchTurnpointLimitMessage) {
    GTEST_FLAG_SET(death_test_style, "fast");
    tmp.write("big.fpl", join_lines({"[Task]", "Count=40"}));
    EXPECT_EXIT(
        {
            stdout_into_file("child_stdout.txt");
            Fpl_input in;
            fpl_input_open(in, tmp.file("big.fpl"));
            read_fpl(in, true, false, true, nl, ios);
            std::exit(3);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_NE(tmp.read("child_stdout.txt")
                  .find("XCSoar n'accepte pas plus que 30 points de virage"),
              std::string::npos);
}

TEST_F(ReadFpl, VerboseLines) {
    begin_stdout_capture();
    tmp.write("v.fpl", join_lines({"Condor version=2500", "[Task]", "Count=5"}));
    Fpl_input in;
    ASSERT_TRUE(fpl_input_open(in, tmp.file("v.fpl")));
    read_fpl(in, true, true, false, nl, ios);
    const std::string out = end_stdout_capture();
    EXPECT_NE(out.find("\n Condor_version=2\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n Number of legs= 3\n"), std::string::npos) << out;
    EXPECT_NE(out.find("C2 FLIGHTPLAN - Reset AAT & MaxStartGroundSpeed"), std::string::npos);
}

TEST(FplInput, AdoptedFileIsReadOnFromItsPositionAndClosed) {
    TempDir tmp;
    tmp.write("f.igc", "AXXX\r\nLCONFPLCondor version=3000\r\nLCONFPL[Task]\r\nlast");
    std::FILE* f = std::fopen(tmp.file("f.igc").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buf[64];
    ASSERT_NE(std::fgets(buf, sizeof buf, f), nullptr);
    ASSERT_NE(std::fgets(buf, sizeof buf, f), nullptr);
    Fpl_input in;
    fpl_input_adopt(in, f, tmp.file("f.igc"));
    std::string line;
    EXPECT_EQ(fpl_input_read_line(in, line, 132), 0);
    EXPECT_EQ(line, "LCONFPL[Task]");
    EXPECT_EQ(fpl_input_read_line(in, line, 2), 0);
    EXPECT_EQ(line, "la");
    EXPECT_EQ(fpl_input_read_line(in, line, 132), -1);
    EXPECT_EQ(line, "");
    fpl_input_close(in);
    EXPECT_EQ(in.file, nullptr);
    EXPECT_GT(fpl_input_read_line(in, line, 132), 0) << "a closed input reports an error";
    EXPECT_FALSE(fpl_input_open(in, tmp.file("missing.fpl")));
}

}  // namespace
