// Texts of the IGC header, task and fix records.

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tracks/igc_records.h"

namespace {

TEST(BRound, HalvesAboveZeroToEvenOthersAwayFromZero) {
    struct Case {
        float x;
        int32_t want;
    };
    const Case cases[] = {
        {2.5f, 2},   {3.5f, 4},   {0.5f, 0},   {1.5f, 2},       {2.4f, 2},          {2.6f, 3},
        {-2.5f, -3}, {-0.5f, -1}, {-1.5f, -2}, {-2.4f, -2},     {0.0f, 0},          {59999.5f, 60000},
        {NAN, 0},    {1e10f, INT_MAX},         {-1e10f, INT_MIN}, {8388607.5f, 8388608},
    };
    for (const Case& c : cases) EXPECT_EQ(b_round(c.x), c.want) << c.x;
}

// The record a formatter made, or "refused" when it returned false.
constexpr const char* refused = "refused";

std::string b_text(const track_fix& fix, float lat, float lon) {
    std::string r = "untouched";
    if (!igc_b_record(fix, lat, lon, r)) return r == "untouched" ? refused : "changed though refused";
    return r;
}

std::string c_point_text(float lat, float lon, std::string_view name) {
    std::string r;
    return igc_c_point(lat, lon, name, r) ? r : refused;
}

std::string declaration_text(std::string_view c_date, float start_rec, int32_t nwp) {
    std::string r;
    return igc_c_declaration(c_date, start_rec, nwp, r) ? r : refused;
}

// 46 + 3/64 degrees: the minutes x 1000 are exactly 2812.5 in float32.
constexpr float half_minute_lat = 46.046875f;

struct BCase {
    const char* what;
    track_fix fix;  // time s, X, Y, altitude m, ENL
    float lat, lon;
    const char* want;
};

TEST(IgcRecords, BRecordsByTableOfCases) {
    const float below_47 = std::nextafter(47.0f, 0.0f);
    const float below_10 = std::nextafter(10.0f, 0.0f);
    const BCase cases[] = {
        {"worked example", {45296, 0, 0, 812.4f, 0}, 46.5f, 9.25f, "B1234564630000N00915000EA0081200812005000"},
        {"south and west", {45296, 0, 0, 812.4f, 0}, -33.5f, -70.25f, "B1234563330000S07015000WA0081200812005000"},
        {"equator and prime meridian", {0, 0, 0, 0, 0}, 0.0f, 0.0f, "B0000000000000S00000000WA0000000000005000"},
        {"minutes half: to the even thousandth", {0, 0, 0, 0, 0}, half_minute_lat, 9.25f,
         "B0000004602812N00915000EA0000000000005000"},
        {"minutes rounding to 60000 carry into the degrees", {0, 0, 0, 0, 0}, below_47, below_10,
         "B0000004700000N01000000EA0000000000005000"},
        {"negative altitude with a minus sign", {0, 0, 0, -12.4f, 0}, 46.5f, 9.25f,
         "B0000004630000N00915000EA-0012-0012005000"},
        {"altitude -0.5 rounds to -1", {0, 0, 0, -0.5f, 0}, 46.5f, 9.25f, "B0000004630000N00915000EA-0001-0001005000"},
        {"altitude -0.4 rounds to 0", {0, 0, 0, -0.4f, 0}, 46.5f, 9.25f, "B0000004630000N00915000EA0000000000005000"},
        {"lowest altitude that fits", {0, 0, 0, -9999.0f, 0}, 46.5f, 9.25f,
         "B0000004630000N00915000EA-9999-9999005000"},
        {"altitude below -9999", {0, 0, 0, -10000.0f, 0}, 46.5f, 9.25f, refused},
        {"altitude -9999.5 rounds below -9999", {0, 0, 0, -9999.5f, 0}, 46.5f, 9.25f, refused},
        {"highest altitude that fits", {0, 0, 0, 99999.0f, 0}, 46.5f, 9.25f,
         "B0000004630000N00915000EA9999999999005000"},
        {"altitude above 99999", {0, 0, 0, 100000.0f, 0}, 46.5f, 9.25f, refused},
        {"altitude not a number", {0, 0, 0, NAN, 0}, 46.5f, 9.25f, refused},
        {"altitude infinite", {0, 0, 0, -INFINITY, 0}, 46.5f, 9.25f, refused},
        {"altitude 1e30", {0, 0, 0, 1e30f, 0}, 46.5f, 9.25f, refused},
        {"time not a number", {NAN, 0, 0, 0, 0}, 46.5f, 9.25f, refused},
        {"time infinite", {INFINITY, 0, 0, 0, 0}, 46.5f, 9.25f, refused},
        {"last second of the day", {86399, 0, 0, 0, 0}, 46.5f, 9.25f, "B2359594630000N00915000EA0000000000005000"},
        {"midnight is the next day's 00:00:00", {86400, 0, 0, 0, 0}, 46.5f, 9.25f,
         "B0000004630000N00915000EA0000000000005000"},
        {"25 h 1 min 1 s", {90061, 0, 0, 0, 0}, 46.5f, 9.25f, "B0101014630000N00915000EA0000000000005000"},
        {"a time before midnight of the day", {-1, 0, 0, 0, 0}, 46.5f, 9.25f,
         "B2359594630000N00915000EA0000000000005000"},
        {"time rounded to the nearest second", {45295.5f, 0, 0, 0, 0}, 46.5f, 9.25f,
         "B1234564630000N00915000EA0000000000005000"},
        {"ENL below 0", {0, 0, 0, 0, -3.0f}, 46.5f, 9.25f, "B0000004630000N00915000EA0000000000005000"},
        {"ENL 999.6", {0, 0, 0, 0, 999.6f}, 46.5f, 9.25f, "B0000004630000N00915000EA0000000000005999"},
        {"ENL 1500", {0, 0, 0, 0, 1500.0f}, 46.5f, 9.25f, "B0000004630000N00915000EA0000000000005999"},
        {"ENL 0.5", {0, 0, 0, 0, 0.5f}, 46.5f, 9.25f, "B0000004630000N00915000EA0000000000005001"},
        {"ENL not a number", {0, 0, 0, 0, NAN}, 46.5f, 9.25f, "B0000004630000N00915000EA0000000000005000"},
        {"the poles and the antimeridian", {0, 0, 0, 0, 0}, -90.0f, 180.0f,
         "B0000009000000S18000000EA0000000000005000"},
        {"a latitude that rounds to 90", {0, 0, 0, 0, 0}, std::nextafter(90.0f, 0.0f), 1.0f,
         "B0000009000000N00100000EA0000000000005000"},
        {"latitude beyond 90", {0, 0, 0, 0, 0}, 90.001f, 9.25f, refused},
        {"longitude beyond 180", {0, 0, 0, 0, 0}, 46.5f, -180.001f, refused},
        {"latitude not a number", {0, 0, 0, 0, 0}, NAN, 9.25f, refused},
        {"longitude infinite", {0, 0, 0, 0, 0}, 46.5f, INFINITY, refused},
        {"latitude -1e30", {0, 0, 0, 0, 0}, -1e30f, 9.25f, refused},
    };
    for (const BCase& c : cases) {
        const std::string r = b_text(c.fix, c.lat, c.lon);
        EXPECT_EQ(r, c.want) << c.what;
        if (r != refused) {
            EXPECT_EQ(r.size(), igc_b_len) << c.what;
        }
    }
}

TEST(IgcRecords, TaskPointRecords) {
    struct Case {
        const char* what;
        float lat, lon;
        std::string name;
        std::string want;
    };
    const Case cases[] = {
        {"worked example", 46.5f, 9.25f, "Start", "C4630000N00915000EStart"},
        {"latitude not a number", NAN, 9.25f, "Start", refused},
        {"longitude beyond 180", 46.5f, 200.0f, "Start", refused},
        {"latitude beyond 90", -91.0f, 9.25f, "Start", refused},
        {"longitude -infinity", 46.5f, -INFINITY, "Start", refused},
        {"minutes half: away from zero", half_minute_lat, -9.25f, "P", "C4602813N00915000WP"},
        {"carry into the degrees", std::nextafter(47.0f, 0.0f), -std::nextafter(10.0f, 0.0f), "",
         "C4700000N01000000W"},
        {"equator, prime meridian", 0.0f, 0.0f, "Zero", "C0000000S00000000WZero"},
        {"name of 33 characters cut to 32", -1.0f, 1.0f, std::string(32, 'n') + "x",
         "C0100000S00100000E" + std::string(32, 'n')},
    };
    for (const Case& c : cases) EXPECT_EQ(c_point_text(c.lat, c.lon, c.name), c.want) << c.what;
}

TEST(IgcRecords, DeclarationLine) {
    struct Case {
        const char* what;
        float start_rec;
        int32_t nwp;
        const char* want;
        const char* c_date = "150623";
    };
    const Case cases[] = {
        // The turnpoints between the start (point 1) and the finish (the
        // last point).
        {"worked example: 2 turnpoints of 5 points", 12.5f, 5, "C150623123000150623000002"},
        {"8 points", 12.5f, 8, "C150623123000150623000005"},
        {"3 points: take-off, start, finish", 12.5f, 3, "C150623123000150623000000"},
        {"2 points declare 00 turnpoints", 12.5f, 2, "C150623123000150623000000"},
        {"1 point declares 00, not asterisks", 12.5f, 1, "C150623123000150623000000"},
        {"31 points", 12.5f, 31, "C150623123000150623000028"},
        {"102 points: 99 still fit", 12.5f, 102, "C150623123000150623000099"},
        {"a count beyond two digits", 12.5f, 103, refused},
        {"a date that is no calendar day", 12.5f, 5, refused, "000000"},
        {"a first fix time that is not a number", NAN, 5, refused},
        {"each part truncated: 12:34:56 as float hours", 12.0f + 34.0f / 60.0f + 56.0f / 3600.0f, 2,
         "C150623123455150623000000"},
        {"a first fix after midnight", 25.25f, 2, "C150623011500150623000000"},
        {"a first fix before midnight of the day", -0.5f, 2, "C150623233000150623000000"},
    };
    for (const Case& c : cases) EXPECT_EQ(declaration_text(c.c_date, c.start_rec, c.nwp), c.want) << c.what;
}

Rd_ftr_c identity() {
    Rd_ftr_c id;
    id.pilot_name = "Jane Doe";
    id.gliderid = "D-1234";
    id.compid = "XY";
    id.compclass = "Standard";
    id.c_date = "150623";
    return id;
}

TEST(IgcRecords, StandardHeader) {
    const std::vector<std::string> want = {"ACSS00001",
                                           "HFFXA050",
                                           "HFDTE150623",
                                           "HFPLTPILOT:Jane Doe",
                                           "HFGTYGLIDERTYPE:Discus",
                                           "HFGIDGLIDERID:D-1234",
                                           "HFDTM100DATUM:WGS-1984",
                                           "HFGPSGPS:CCSS_SOFTWARE_GPS",
                                           "HFFTYFRTYPE:CCSS",
                                           "HFRFWFIRMWAREVERSION:1.0",
                                           "HFRHWHARDWAREVERSION:0.0",
                                           "HFCIDCOMPETITIONID:XY",
                                           "HFCCLCOMPETITIONCLASS:Standard",
                                           "I023638FXA3941ENL"};
    std::vector<std::string> lines;
    ASSERT_TRUE(igc_header_lines(0, {std::string(80, ' ')}, identity(), "Discus", lines));
    EXPECT_EQ(lines, want);

    Rd_ftr_c blank = identity();
    blank.compid.clear();
    ASSERT_TRUE(igc_header_lines(0, {}, blank, "Discus", lines));
    EXPECT_EQ(lines[11], "HFCIDCOMPETITIONID:");
}

TEST(IgcRecords, FlightDatesThatAreCalendarDays) {
    struct Case {
        const char* c_date;
        bool valid;
    };
    const Case cases[] = {
        {"150623", true},  {"010100", true},  {"311299", true},  {"290224", true},  {"290200", true},
        {"300424", true},  {"000000", false}, {"000623", false}, {"150023", false}, {"151323", false},
        {"290223", false}, {"310424", false}, {"320124", false}, {"1506", false},    {"15062a", false},
        {"", false},       {"1506231", false}, {" 50623", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(igc_date_valid(c.c_date), c.valid) << c.c_date;
        // The standard header holds the date: without a valid one it is
        // refused and the lines given are left as they were.
        Rd_ftr_c id = identity();
        id.c_date = c.c_date;
        std::vector<std::string> lines = {"kept"};
        EXPECT_EQ(igc_header_lines(0, {}, id, "G", lines), c.valid) << c.c_date;
        if (!c.valid) {
            EXPECT_EQ(lines, std::vector<std::string>{"kept"}) << c.c_date;
        }
    }
    // Caller header lines bring their own date.
    Rd_ftr_c id = identity();
    id.c_date = "000000";
    std::vector<std::string> lines;
    EXPECT_TRUE(igc_header_lines(1, {"HFDTE150623"}, id, "G", lines));
}

// The log's date is the day of its first B record, which holds only the
// time of day.
TEST(IgcRecords, FlightDateOfTheFirstRecord) {
    struct Case {
        const char* what;
        const char* c_date;
        float first_second;
        const char* want;
    };
    const Case cases[] = {
        {"on the day", "150623", 45000.0f, "150623"},
        {"a flight past midnight that begins before it", "150623", 86399.4f, "150623"},
        {"rounds to midnight", "150623", 86399.5f, "160623"},
        {"at midnight", "150623", 86400.0f, "160623"},
        {"past midnight", "150623", 90000.0f, "160623"},
        {"two days on", "150623", 2.0f * 86400.0f + 1.0f, "170623"},
        {"before midnight of the day", "150623", -1.0f, "140623"},
        {"over the month's end", "300623", 86400.0f, "010723"},
        {"over the year's end, 1999 to 2000", "311299", 86400.0f, "010100"},
        {"back over the century", "010100", -3600.0f, "311299"},
        {"29 February 2000", "280200", 86400.0f, "290200"},
        {"the last day a date word gives", "040679", 86400.0f, "050679"},
        {"a date that is no calendar day stays", "000000", 86400.0f, "000000"},
        {"a time that is not a number", "150623", NAN, "150623"},
    };
    for (const Case& c : cases) EXPECT_EQ(igc_flight_date(c.c_date, c.first_second), c.want) << c.what;
}

TEST(IgcRecords, CallerHeaders) {
    const std::string fftype = "HFFTYFRTYPE:Bremalo Software Track Analyser";
    const std::string ffw = "HFRFWFIRMWAREVERSION:1.9.2.0";
    const std::string irec = "I023638FXA3941ENL";
    struct Case {
        const char* what;
        int32_t nhdr;
        std::vector<std::string> lines;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"negative count: the I record alone", -1, {"AXXX1", "HFPLTPILOT:X"}, {irec}},
        {"program lines after the last H line, I record replaced, J dropped",
         4,
         {"AXXX1   ", "HFPLTPILOT:X  ", "I013638FXA", "HFGTYGLIDERTYPE:Y", "JUNUSED"},
         {"AXXX1", "HFPLTPILOT:X", irec, "HFGTYGLIDERTYPE:Y", fftype, ffw}},
        {"no I line: the I record at the end", 3, {"AXXX1", "HFPLTPILOT:X", "JXX"},
         {"AXXX1", "HFPLTPILOT:X", fftype, ffw, irec}},
        {"no H line: no program lines", 2, {"AXXX1", "I0"}, {"AXXX1", irec}},
        {"count above the lines given", 9, {"HFPLTPILOT:X"}, {"HFPLTPILOT:X", fftype, ffw, irec}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines;
        EXPECT_TRUE(igc_header_lines(c.nhdr, c.lines, identity(), "G", lines)) << c.what;
        EXPECT_EQ(lines, c.want) << c.what;
    }
}

}  // namespace
