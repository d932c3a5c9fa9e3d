// The IGC L records: version-2 flight plan, flight information, scheme.

#include <algorithm>
#include <cstddef>
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

/// Stores `v` little-endian at byte `at` of the raw header.
void put_hdr_f32(std::size_t at, float v) {
    std::vector<unsigned char> b;
    le_put::f32(b, v);
    std::copy(b.begin(), b.end(), rd_ftr_h.hdr.begin() + static_cast<std::ptrdiff_t>(at));
}

/// The lines of `text`, each ended by `eol`, that begin with `prefix`.
std::vector<std::string> lines_starting(const std::string& text, const std::string& prefix,
                                        const std::string& eol) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find(eol, at);
        if (end == std::string::npos) end = text.size();
        const std::string l = text.substr(at, end - at);
        if (l.rfind(prefix, 0) == 0) out.push_back(l);
        at = end + eol.size();
    }
    return out;
}

// Penalty zone z fills bytes 1115 + 60 z .. 1174 + 60 z of the raw header:
// per corner X, Y and a third value, then base, top and penalty time
// factor.  Zone 1 and zone 30, the last one the 3000 bytes hold, carry
// values of their own and every other zone zeros, so that a wrong step
// between the records, or a value taken from a wrong place inside one,
// shows in the written lines and in the diagnostics' byte positions.
TEST_F(IgcLRecords, PenaltyZoneRecordsFollowEverySixtyBytes) {
    struct Zone {
        int32_t z;
        float raw[15];                   // the record's float32 values in file order
        std::vector<std::string> lines;  // after "LCONFPL"
        std::vector<std::string> debug;  // 1-based byte position and value
    };
    const Zone zones[] = {
        {1,
         {-1010.5f, 1020.25f, 77.0f, 1110.75f, -1120.5f, 78.0f, 1210.125f, 1220.0f, 79.0f, 1310.0f, -1320.375f,
          80.0f, 1400.25f, 2600.75f, 3.5f},
         {"PZPos0X1=-1010.5", "PZPos0Y1=1020.25", "PZPos1X1=1110.75", "PZPos1Y1=-1120.5", "PZPos2X1=1210.125",
          "PZPos2Y1=1220", "PZPos3X1=1310", "PZPos3Y1=-1320.375", "PZBase1=1400", "PZTop1=2601",
          "PZPenaltyTimeFactor1=4"},
         {" 1176 -1010.5", " 1180 1020.25", " 1188 1110.75", " 1192 -1120.5", " 1200 1210.125", " 1204 1220",
          " 1212 1310", " 1216 -1320.375", " 1224 1400.25", " 1228 2600.75", " 1232 3.5"}},
        {30,
         {3010.5f, -3020.25f, 91.0f, 3110.0f, 3120.75f, 92.0f, -3210.125f, 3220.5f, 93.0f, 3310.25f, 3320.0f, 94.0f,
          -250.5f, 5200.125f, 7.25f},
         {"PZPos0X30=3010.5", "PZPos0Y30=-3020.25", "PZPos1X30=3110", "PZPos1Y30=3120.75", "PZPos2X30=-3210.125",
          "PZPos2Y30=3220.5", "PZPos3X30=3310.25", "PZPos3Y30=3320", "PZBase30=-251", "PZTop30=5200",
          "PZPenaltyTimeFactor30=7"},
         {" 2916 3010.5", " 2920 -3020.25", " 2928 3110", " 2932 3120.75", " 2940 -3210.125", " 2944 3220.5",
          " 2952 3310.25", " 2956 3320", " 2964 -250.5", " 2968 5200.125", " 2972 7.25"}},
    };
    constexpr std::size_t per_zone = 11;
    rd_ftr_h.hdr.fill(0);
    rd_ftr_h.trl.fill(0);
    std::vector<unsigned char> count;
    le_put::i32(count, igc_v2_max_pz);
    std::copy(count.begin(), count.end(), rd_ftr_h.hdr.begin() + 1111);
    for (const Zone& zone : zones)
        for (std::size_t k = 0; k < 15; ++k)
            put_hdr_f32(1115 + 60 * static_cast<std::size_t>(zone.z) + 4 * k, zone.raw[k]);
    rd_ftr_2.qdbg = true;

    Igc_output out;
    const std::string console = capture_console([&] {
        igc_open(out, tmp.file("l.igc"));
        write_igc_fpl(out, false);
        igc_close(out);
    });
    const std::vector<std::string> written = lines_starting(tmp.read("l.igc"), "LCONFPLPZ", "\r\n");
    // The diagnostics: the zones' values, one line each, then the dew
    // point, the inversion height and the randomising flag's position.
    const std::vector<std::string> shown = lines_starting(console, "", "\n");
    const std::size_t values = per_zone * static_cast<std::size_t>(igc_v2_max_pz);
    ASSERT_EQ(written.size(), 1 + values);
    ASSERT_EQ(shown.size(), values + 3);
    EXPECT_EQ(written[0], "LCONFPLPZCount=31");

    std::vector<bool> filled(static_cast<std::size_t>(igc_v2_max_pz), false);
    for (const Zone& zone : zones) {
        SCOPED_TRACE(testing::Message() << "zone " << zone.z);
        const std::size_t first = per_zone * static_cast<std::size_t>(zone.z);
        filled[static_cast<std::size_t>(zone.z)] = true;
        for (std::size_t k = 0; k < per_zone; ++k) {
            EXPECT_EQ(written[1 + first + k], "LCONFPL" + zone.lines[k]);
            EXPECT_EQ(shown[first + k], zone.debug[k]);
        }
    }
    for (std::size_t z = 0; z < filled.size(); ++z) {
        if (filled[z]) continue;
        SCOPED_TRACE(testing::Message() << "zone " << z << " holds zeros");
        for (std::size_t k = 0; k < per_zone; ++k) {
            const std::string& l = written[1 + per_zone * z + k];
            EXPECT_EQ(l.substr(l.size() - 2), "=0") << l;
            const std::string& d = shown[per_zone * z + k];
            EXPECT_EQ(d.substr(d.size() - 2), " 0") << d;
        }
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
