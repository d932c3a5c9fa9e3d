// The IGC L records: version-2 flight plan, flight information, scheme.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/le_bytes.h"
#include "taskmodel/task_model.h"
#include "tests/common/console_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/common/track_writer.h"
#include "tracks/ftr_file.h"
#include "tracks/ftr_header.h"
#include "tracks/igc_lrecords.h"
#include "tracks/track_records.h"

namespace {

/// A version-2 track whose header fields all hold distinct values, so that
/// a value taken from the wrong offset shows.
track_desc v2_track() {
    track_desc d = tw_sample(2500);
    d.allowrealtimescoring = 255;  // a signed byte: -1
    d.allowexternalview = 2;
    d.allowpadlockview = 3;
    d.allowplanerecovery = 4;
    d.allowheightrecovery = 5;
    d.allowmidaircollisionrecovery = 6;
    d.penaltyplanerecovery = 11;
    d.penaltyheightrecovery = 12;
    d.penaltywrongwindowenterance = 13;
    d.penaltywindowcollision = 14;
    d.penaltypenaltyzoneenterance = 15;
    d.penaltythermalhelpers = 16;
    d.breakprob = 17;
    d.ropelength = 40.5f;
    d.acroflight = 18;
    d.iweatherpreset = 19;
    d.randomize = 1;
    tw_wz& w = d.v2_weather;
    w.windupperspeed = 7.25f;
    w.winddirvariation = 21;
    w.windspeedvariation = 22;
    w.windturbulence = 23;
    w.thermalstempvariation = 24;
    w.thermalsdew = 8.5f;
    w.thermalsstrength = 25;
    w.thermalsstrengthvariation = 26;
    w.thermalsinversionheight = 1500.125f;
    w.thermalswidth = 27;
    w.thermalswidthvariation = 28;
    w.thermalsactivity = 29;
    w.thermalsturbulence = 30;
    w.thermalsflatsactivity = 31;
    w.thermalsstreeting = 32;
    w.wavesstability = 33;
    w.wavesmoisture = 34;
    w.highcloudscoverage = 35;
    d.tps[1].wid = 1234.5f;
    d.tps[1].hei = -7.5f;
    d.tps[1].alt = 812.4f;
    d.tps[1].azi = 45.0f;
    tw_pz& z = d.pzs[0];
    z.corner[1][0] = 10.5f;
    z.corner[1][1] = 11.5f;
    z.corner[1][2] = 99.0f;  // the third value of a corner is not written
    z.corner[2][0] = 20.125f;
    z.corner[3][1] = -30.0f;
    return d;
}

/// A task-point name as its line holds it: all 32 characters.
std::string padded(std::string s) {
    s.resize(32, ' ');
    return s;
}

class IgcLRecords : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        init_read_fpl();
        init_glider();
    }
    /// Reads the header of the track into the records.
    void read_header(const track_desc& d) {
        int32_t npts = 0;
        capture_console([&] { read_ftr_hdr_bytes("t.ftr", build_track(d), npts); });
        ftr_close();
        ASSERT_GT(npts, 0);
    }
    std::vector<std::string> group1() const {
        return igc_fpl_v2_lines(LeBytes(rd_ftr_h.hdr.data(), rd_ftr_h.hdr.size()), rd_ftr_2, rd_ftr_c, rd_fpl_1,
                                rd_fpl_2, ggg001, gggmas);
    }
};

TEST_F(IgcLRecords, VersionTwoFlightPlan) {
    read_header(v2_track());
    const std::vector<std::string> body = {
        "[Version]", "Condor version=2500", "[Task]", "Landscape=Slovenia3", "Count=2",
        "TPName0=" + padded("Takeoff"), "TPPosX0=1000", "TPPosY0=2000", "TPPosZ0=300", "TPAirport0=1",
        "TPSectorType0=1", "TPRadius0=3000", "TPAngle0=90", "TPAltitude0=0", "TPWidth0=0", "TPHeight0=0",
        "TPAzimuth0=0",
        "TPName1=" + padded("Finish"), "TPPosX1=4000", "TPPosY1=6000", "TPPosZ1=250", "TPAirport1=0",
        "TPSectorType1=0", "TPRadius1=500", "TPAngle1=360", "TPAltitude1=812", "TPWidth1=1235", "TPHeight1=-8",
        "TPAzimuth1=45",
        "PZCount=1", "PZPos0X0=1", "PZPos0Y0=2", "PZPos1X0=10.5", "PZPos1Y0=11.5", "PZPos2X0=20.125",
        "PZPos2Y0=0", "PZPos3X0=0", "PZPos3Y0=-30", "PZBase0=100", "PZTop0=900", "PZPenaltyTimeFactor0=2",
        "[Weather]", "WindDir=270", "WindSpeed=5", "WindUpperSpeed=7.25", "WindDirVariation=21",
        "WindSpeedVariation=22", "WindTurbulence=23", "ThermalsTemp=20", "ThermalsTempVariation=24",
        "ThermalsDew=8.5", "ThermalsStrength=25", "ThermalsStrengthVariation=26",
        "ThermalsInversionheight=1500.125", "ThermalsWidth=27", "ThermalsWidthVariation=28",
        "ThermalsActivity=29", "ThermalsTurbulence=30", "ThermalsFlatsActivity=31", "ThermalsStreeting=32",
        "HighCloudsCoverage=35", "WavesStability=33", "WavesMoisture=34", "Pressure=101000", "WeatherPreset=19",
        "RandomizeWeatherOnEachFlight=1",
        "[Plane]", "Class=Standard", "Name=Discus", "Water=120", "FixedMass=7", "CGBias=3",
        "[GameOptions]", "StartTime=13", "StartTimeWindow=0.25", "RaceStartDelay=0.5", "TaskDate=45000",
        "IconsVisibleRange=20", "ThermalHelpersRange=5", "TurnpointHelpersRange=10", "AllowPDA=1",
        "AllowRealtimeScoring=-1", "AllowExternalView=2", "AllowPadlockView=3", "AllowSmoke=1",
        "AllowPlaneRecovery=4", "AllowHeightRecovery=5", "AllowMidairCollisionRecovery=6",
        "PenaltyCloudFlying=100", "PenaltyPlaneRecovery=11", "PenaltyHeightRecovery=12",
        "PenaltyWrongWindowEnterance=13", "PenaltyWindowCollision=14", "PenaltyPenaltyZoneEnterance=15",
        "PenaltyThermalHelpers=16", "RandSeed=4242", "StartType=1", "StartHeight=1500", "BreakProb=17",
        "RopeLength=41", "AcroFlight=18"};
    std::vector<std::string> want;
    for (const std::string& l : body) want.push_back("LCONFPL" + l);
    EXPECT_EQ(group1(), want);
}

TEST_F(IgcLRecords, CountsOutsideTheTablesAreClamped) {
    struct Case {
        int32_t nwp;
        int32_t nb_pz;
        int32_t points;
        int32_t zones;
    };
    // 31 task points at most; penalty zones as long as their 60 bytes lie
    // inside the 3000-byte raw header (31 of them).
    const Case cases[] = {{0, 0, 0, 0}, {-4, -1, 0, 0}, {40, 1000, 31, 31}, {31, 31, 31, 31}, {3, 2, 3, 2}};
    for (const Case& c : cases) {
        rd_ftr_2.nwp = c.nwp;
        std::vector<unsigned char> hdr(ftr_hdr_len, 0);
        LeBytes view(hdr.data(), hdr.size());
        hdr[1111] = static_cast<unsigned char>(c.nb_pz);
        hdr[1112] = static_cast<unsigned char>(c.nb_pz >> 8);
        hdr[1113] = static_cast<unsigned char>(c.nb_pz >> 16);
        hdr[1114] = static_cast<unsigned char>(c.nb_pz >> 24);
        const std::vector<std::string> lines =
            igc_fpl_v2_lines(view, rd_ftr_2, rd_ftr_c, rd_fpl_1, rd_fpl_2, ggg001, gggmas);
        int32_t names = 0, factors = 0;
        std::string count, pzcount;
        for (const std::string& l : lines) {
            if (l.rfind("LCONFPLTPName", 0) == 0) ++names;
            if (l.rfind("LCONFPLPZPenaltyTimeFactor", 0) == 0) ++factors;
            if (l.rfind("LCONFPLCount=", 0) == 0) count = l.substr(13);
            if (l.rfind("LCONFPLPZCount=", 0) == 0) pzcount = l.substr(15);
        }
        EXPECT_EQ(names, c.points) << c.nwp;
        EXPECT_EQ(factors, c.zones) << c.nb_pz;
        EXPECT_EQ(count, std::to_string(c.points));
        EXPECT_EQ(pzcount, std::to_string(c.zones));
    }
}

TEST_F(IgcLRecords, FlightInformation) {
    const std::vector<unsigned char> trl =
        tw_trailer(77, 12.5f, 1.25f, 12.6f, 1.0f, 3, 123456.0f, 98765.0f, 2.5f, 2);
    const std::vector<std::string> want = {
        "LCONFlightInfoRaceID=77",           "LCONFlightInfoStartTime=12:30:00",
        "LCONFlightInfoFlightTime=01:15:00",  "LCONFlightInfoTaskStart=12:36:00",
        "LCONFlightInfoTaskTime=01:00:00",    "LCONFlightInfoPlayerStatus=Landed",
        "LCONFlightInfoDistanceFlown=123.46 km", "LCONFlightInfoAverageSpeed=98.76 km/h",
        "LCONFlightInfoPenaltyPoints=2.5",    "LCONFlightInfoGhostCount=2"};
    EXPECT_EQ(igc_flight_info_lines(LeBytes(trl)), want);

    // A trailer too short for its fields reads them as 0.
    const std::vector<unsigned char> short_trl(6, 0);
    const std::vector<std::string> lines = igc_flight_info_lines(LeBytes(short_trl));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[5], "LCONFlightInfoPlayerStatus=??????");
    EXPECT_EQ(lines[6], "LCONFlightInfoDistanceFlown=0 km");
}

TEST(IgcPlayerStatus, NamesByCode) {
    const char* names[] = {"??????", "Warmup", "Racing", "Landed", "Crashed", "Finished",
                           "??????", "??????", "??????", "??????", "??????", "??????"};
    for (int32_t code = 0; code <= 11; ++code) EXPECT_EQ(player_status_name(code), names[code]) << code;
    EXPECT_EQ(player_status_name(-1), "??????");
    EXPECT_EQ(player_status_name(INT32_MIN), "??????");
}

TEST(IgcInterpolationLine, FullNameOfThirtyCharacters) {
    struct Case {
        int32_t code;
        const char* name;
    };
    const Case cases[] = {{-2, "Next point (Condor default)"}, {-1, "Previous point"},  {0, "Nearest point"},
                          {1, "Linear"},    {2, "Parabolic (closest)"}, {3, "Parabolic (average)"},
                          {-7, "Next point (Condor default)"}, {9, "Parabolic (average)"}};
    for (const Case& c : cases) {
        const std::string l = igc_interpolation_line(c.code, rd_ftr_h);
        EXPECT_EQ(l.size(), 56u);
        std::string name = c.name;
        name.resize(30, ' ');
        EXPECT_EQ(l, "LCONFBREMALOInterpolation=" + name) << c.code;
    }
}

TEST_F(IgcLRecords, WriterGroupsAndDiagnostics) {
    read_header(v2_track());
    rd_ftr_h.trl.fill(0);
    rd_ftr_2.ndeg_int = 1;
    struct Case {
        bool qtrailonly;
        bool qdbg;
        std::size_t lines;
        std::size_t console_lines;
    };
    // Group 1 of the track holds 101 lines; the diagnostics are one line per
    // penalty-zone value (11), the dew point, the inversion height and the
    // randomising flag's position.
    const Case cases[] = {{true, false, 11, 0}, {true, true, 11, 0}, {false, false, 112, 0}, {false, true, 112, 14}};
    for (const Case& c : cases) {
        rd_ftr_2.qdbg = c.qdbg;
        Igc_output out;
        const std::string console = capture_console([&] {
            igc_open(out, tmp.file("l.igc"));
            write_igc_fpl(out, c.qtrailonly);
            igc_close(out);
        });
        const std::string text = tmp.read("l.igc");
        std::size_t n = 0;
        for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2)) ++n;
        EXPECT_EQ(n, c.lines);
        EXPECT_EQ(text.substr(text.size() - 58), "LCONFBREMALOInterpolation=Linear                        \r\n");
        std::size_t nl = 0;
        for (char ch : console) nl += ch == '\n';
        EXPECT_EQ(nl, c.console_lines);
        if (c.qdbg && !c.qtrailonly) {
            EXPECT_NE(console.find(" 1664 8.5\n"), std::string::npos);
            EXPECT_NE(console.find(" 1676 1500.125\n"), std::string::npos);
            EXPECT_NE(console.find(" 1128 10.5\n"), std::string::npos);  // corner 1 X of zone 0
            EXPECT_EQ(console.substr(console.size() - 6), " 1724\n");
        }
    }
}

}  // namespace
