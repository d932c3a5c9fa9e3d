// The record parsers of the IGC reader.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "tracks/igc_parse.h"
#include "tracks/igc_records.h"

namespace {

TEST(IgcColumns, ColumnsPastTheLineAreBlanksAndOutsideTheRecordAreLeftOut) {
    EXPECT_EQ(igc_columns("B123456", 2, 3), "12");
    EXPECT_EQ(igc_columns("B12", 2, 5), "12  ");
    EXPECT_EQ(igc_columns("B12", 10, 12), "   ");
    EXPECT_EQ(igc_columns("B12", 3, 2), "");
    EXPECT_EQ(igc_columns("B12", -5, 2), "B1");
    EXPECT_EQ(igc_columns(std::string(300, 'x'), 255, 400), "xx");
    EXPECT_EQ(igc_columns("B12", 300, 400), "");
}

TEST(IgcIRecord, DeclaresTheFourExtensionsAndPassesOthersOver) {
    Igc_i_fields f;
    Igc_extensions ext;
    EXPECT_TRUE(parse_i_record("I023638FXA3941ENL", f, ext));
    EXPECT_EQ(f.count, 2);
    EXPECT_EQ(ext.enl_first, 39);
    EXPECT_EQ(ext.enl_last, 41);
    EXPECT_EQ(ext.mop_first, 0);
    EXPECT_EQ(ext.lad_first, 0);

    Igc_extensions e2;
    EXPECT_TRUE(parse_i_record("I043636LAD3737LOD3840ENL4143MOP", f, e2));
    EXPECT_EQ(e2.lad_first, 36);
    EXPECT_EQ(e2.lad_last, 36);
    EXPECT_EQ(e2.lod_first, 37);
    EXPECT_EQ(e2.lod_last, 37);
    EXPECT_EQ(e2.enl_first, 38);
    EXPECT_EQ(e2.mop_last, 43);
}

TEST(IgcIRecord, ACountBeyondTheGroupsOfTheLine) {
    // The missing groups' columns are blank: their reads fail, the record's
    // status with them; the groups that are there still count.
    Igc_i_fields f;
    Igc_extensions ext;
    EXPECT_FALSE(parse_i_record("I033638FXA3941ENL", f, ext));
    EXPECT_EQ(ext.enl_first, 39);
    // A huge count reads only the groups a record can hold.
    Igc_extensions e2;
    std::string line = "I99";
    for (int k = 0; k < 40; ++k) line += "3941ENL";
    EXPECT_TRUE(parse_i_record(line, f, e2));
    EXPECT_EQ(f.count, 99);
    EXPECT_EQ(e2.enl_first, 39);
}

TEST(IgcBRecord, ConverterRecord) {
    Igc_extensions ext;
    ext.enl_first = 39;
    ext.enl_last = 41;
    Igc_b_fields f;
    EXPECT_TRUE(parse_b_record("B1234564630000N00915000EA0081200813005017", ext, f));
    EXPECT_EQ(igc_b_seconds(f), 12 * 3600 + 34 * 60 + 56);
    EXPECT_FLOAT_EQ(igc_b_latitude(f, ext), 46.5f);
    EXPECT_FLOAT_EQ(igc_b_longitude(f, ext), 9.25f);
    EXPECT_EQ(f.alt_press, 812);
    EXPECT_EQ(f.alt_gnss, 813);
    EXPECT_EQ(f.validity, 'A');
    EXPECT_EQ(f.enl, 17);
}

TEST(IgcBRecord, HemispheresAndExtensionDigits) {
    struct Case {
        const char* line;
        bool lad, lod;
        float lat, lon;
    };
    const Case cases[] = {
        {"B1234564630000S00915000WA0081200812", false, false, -46.5f, -9.25f},
        {"B1234564630000N00915000EA00812008125", true, false, 46.5000083f, 9.25f},   // 46 + 300005 / 600000
        {"B1234564630000N00915000EA00812008125", false, true, 46.5f, 9.2500083f},
        // Extension columns the record does not reach, or that hold no
        // digit, count as 0: the five columns keep their scale.
        {"B1234564630000N00915000EA0081200812", true, true, 46.5f, 9.25f},
        {"B1234564630000N00915000EA0081200812x", true, false, 46.5f, 9.25f},
        {"B1234560000000N00000000EA0081200812", false, false, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        Igc_extensions ext;
        if (c.lad) ext.lad_first = ext.lad_last = 36;
        if (c.lod) ext.lod_first = ext.lod_last = 36;
        Igc_b_fields f;
        EXPECT_TRUE(parse_b_record(c.line, ext, f)) << c.line;
        EXPECT_FLOAT_EQ(igc_b_latitude(f, ext), c.lat) << c.line;
        EXPECT_FLOAT_EQ(igc_b_longitude(f, ext), c.lon) << c.line;
    }
}

TEST(IgcBRecord, ExtensionsOnlyFromColumnsTheRecordHolds) {
    Igc_extensions ext;
    ext.enl_first = 36;
    ext.enl_last = 38;
    Igc_b_fields f;
    f.enl = 55;
    // 35 columns: no ENL field, so the value is 0 and the GNSS altitude is
    // the last field read.
    EXPECT_TRUE(parse_b_record("B1234564630000N00915000EA0081200812", ext, f));
    EXPECT_EQ(f.enl, 0);
    // An ENL declared inside the fixed part is never read.
    ext.enl_first = 30;
    f.enl = 55;
    EXPECT_TRUE(parse_b_record("B1234564630000N00915000EA0081200812123", ext, f));
    EXPECT_EQ(f.enl, 0);
}

TEST(IgcBRecord, AnUnreadableFieldKeepsItsValueAndOnlyTheLastFieldSetsTheStatus) {
    Igc_extensions ext;
    Igc_b_fields f;
    ASSERT_TRUE(parse_b_record("B1234564630000N00915000EA0081200812", ext, f));
    // Blank minutes and a blank GNSS altitude: both keep their values; the
    // GNSS altitude is the last field, so the record fails.
    EXPECT_FALSE(parse_b_record("B12  574630000N00915000EA00900", ext, f));
    EXPECT_EQ(f.minutes, 34);
    EXPECT_EQ(f.seconds, 57);
    EXPECT_EQ(f.alt_press, 900);
    EXPECT_EQ(f.alt_gnss, 812);
    // A bad middle field with a good last one leaves the status good.
    EXPECT_TRUE(parse_b_record("B12xx584630000N00915000EA0090000900", ext, f));
    EXPECT_EQ(f.minutes, 34);
}

// The B record the converter writes for a fix (time s, latitude and
// longitude degrees, altitude m, ENL value).
std::string written_b(float t, float lat, float lon, float alt, float enl) {
    std::string r;
    EXPECT_TRUE(igc_b_record(track_fix{t, 0, 0, alt, enl}, lat, lon, r));
    return r;
}

// `line` with columns from `col` on replaced by `text`.
std::string with_columns(std::string line, std::size_t col, const std::string& text) {
    return line.replace(col - 1, text.size(), text);
}

TEST(IgcBRecordCheck, WrittenRecordsPassAndEachBrokenFieldFails) {
    const std::string b = written_b(45296, 46.5f, 9.25f, 812.4f, 17);  // B1234564630000N00915000EA0081200812005017
    ASSERT_EQ(b, "B1234564630000N00915000EA0081200812005017");
    struct Case {
        const char* what;
        std::string line;
        bool valid;
    };
    const Case cases[] = {
        {"written record", b, true},
        {"written below sea level", written_b(3600, -33.5f, -70.25f, -12, 0), true},
        {"written at the day's and the globe's ends", written_b(86399, 90, 180, 99999, 999), true},
        {"written with the lowest altitude", written_b(0, -90, -180, -9999, 0), true},
        {"35 columns, no extension", b.substr(0, 35), true},
        {"extension columns are not looked at", b.substr(0, 35) + "x -?", true},
        {"validity V", with_columns(b, 25, "V"), true},
        {"minutes 59999", with_columns(with_columns(b, 10, "59999"), 19, "59999"), true},
        {"README line", "Both build and run on Linux (where the simulator itself runs under Wine and", false},
        {"not a B record", with_columns(b, 1, "C"), false},
        {"lower-case b", with_columns(b, 1, "b"), false},
        {"letter in the hours", with_columns(b, 3, "x"), false},
        {"letter in the minutes", with_columns(b, 4, "x"), false},
        {"letter in the seconds", with_columns(b, 7, "O"), false},
        {"letter in the latitude degrees", with_columns(b, 8, "x"), false},
        {"letter in the latitude minutes", with_columns(b, 14, "x"), false},
        {"letter in the longitude degrees", with_columns(b, 17, "x"), false},
        {"letter in the longitude minutes", with_columns(b, 19, "x"), false},
        {"letter in the pressure altitude", with_columns(b, 30, "x"), false},
        {"letter in the GNSS altitude", with_columns(b, 31, "x"), false},
        {"hour 24", with_columns(b, 2, "24"), false},
        {"minute 60", with_columns(b, 4, "60"), false},
        {"second 60", with_columns(b, 6, "60"), false},
        {"latitude degrees 91", with_columns(b, 8, "91"), false},
        {"longitude degrees 181", with_columns(b, 16, "181"), false},
        {"latitude minutes 60000", with_columns(b, 10, "60000"), false},
        {"longitude minutes 60000", with_columns(b, 19, "60000"), false},
        {"latitude hemisphere E", with_columns(b, 15, "E"), false},
        {"latitude hemisphere n", with_columns(b, 15, "n"), false},
        {"longitude hemisphere N", with_columns(b, 24, "N"), false},
        {"longitude hemisphere blank", with_columns(b, 24, " "), false},
        {"validity X", with_columns(b, 25, "X"), false},
        {"validity blank", with_columns(b, 25, " "), false},
        {"34 columns", b.substr(0, 34), false},
        {"B alone", "B", false},
        {"blank in the time", with_columns(b, 5, " "), false},
        {"blank in the latitude", with_columns(b, 11, " "), false},
        {"blank in the longitude", with_columns(b, 23, " "), false},
        {"altitude blank-filled", with_columns(b, 26, "  812"), false},
        {"minus inside the altitude", with_columns(b, 26, "00-12"), false},
        {"minus alone", with_columns(b, 31, "-    "), false},
        {"plus sign", with_columns(b, 31, "+0812"), false},
        {"minus in the time", with_columns(b, 2, "-1"), false},
        {"byte beyond ASCII", with_columns(b, 9, "\xb9"), false},
        {"NUL", with_columns(b, 12, std::string(1, '\0')), false},
    };
    for (const Case& c : cases) EXPECT_EQ(b_record_valid(c.line), c.valid) << c.what << ": " << c.line;
}

TEST(IgcCRecords, DeclarationAndWaypoint) {
    int32_t ntp = -1;
    EXPECT_TRUE(parse_c_declaration("C150623123000150623000003", ntp));
    EXPECT_EQ(ntp, 3);
    EXPECT_FALSE(parse_c_declaration("C1506231230001506230000**", ntp));
    EXPECT_EQ(ntp, 3);

    Igc_c_fields f;
    float lat = 0, lon = 0;
    std::string name;
    EXPECT_TRUE(parse_c_waypoint("C4630000N00915000EStart", f, lat, lon, name));
    EXPECT_FLOAT_EQ(lat, 46.5f);
    EXPECT_FLOAT_EQ(lon, 9.25f);
    EXPECT_EQ(name, "Start");
    EXPECT_TRUE(parse_c_waypoint("C3330000S07030000WA name longer than thirty-two characters", f, lat, lon, name));
    EXPECT_FLOAT_EQ(lat, -33.5f);
    EXPECT_FLOAT_EQ(lon, -70.5f);
    EXPECT_EQ(name, "A name longer than thirty-two ch");
}

TEST(IgcKeys, KeyValueSplitCutsBothToSixtyCharacters) {
    std::string key, val;
    igc_key_val("HFCIDCOMPETITIONID:  AB1  ", key, val);
    EXPECT_EQ(key, "HFCIDCOMPETITIONID");
    EXPECT_EQ(val, "AB1");
    igc_key_val("LCONFPLLandscape=" + std::string(70, 'x'), key, val);
    EXPECT_EQ(val, std::string(60, 'x'));
}

TEST(IgcKeys, HeaderKeys) {
    struct Case {
        const char* line;
        Igc_h_key kind;
    };
    const Case cases[] = {
        {"HFCIDCOMPETITIONID:AB1", Igc_h_key::competition_id},
        {"HFGPSGPS:CCSS_SOFTWARE_GPS", Igc_h_key::gps},
        {"HFFTYFRTYPE:CCSS", Igc_h_key::recorder_type},
        {"HFDTEDATE:150623,01", Igc_h_key::date},
        {"HFDTE150623", Igc_h_key::date_columns},
        {"HFCIDCOMPETITIONIDX:AB1", Igc_h_key::none},  // keys match whole
        {"HFPLTPILOT:Jo", Igc_h_key::none},
        {"LCONFPLLandscape=Alps", Igc_h_key::none},
    };
    for (const Case& c : cases) {
        std::string key, val;
        igc_key_val(c.line, key, val);
        EXPECT_EQ(igc_h_key(key, c.line), c.kind) << c.line;
    }
}

TEST(IgcKeys, LRecordKeysAndTaskPointIndices) {
    struct Case {
        const char* line;
        Igc_l_kind kind;
        int32_t n;
    };
    const Case cases[] = {
        {"LCONFPL[Version]", Igc_l_kind::version_section, 0},
        {"LCONFPL[Version]   ", Igc_l_kind::version_section, 0},
        {"LCONFPLCondor version=3040", Igc_l_kind::condor_version, 0},
        {"LCONFPLLandscape=Slovenia3", Igc_l_kind::landscape, 0},
        {"LCONFPLName=ASW28", Igc_l_kind::glider, 0},
        {"LCONFPLThermalsTemp=20", Igc_l_kind::thermalstemp, 0},
        {"LCONFPLCount=4", Igc_l_kind::count, 0},
        {"LCONFPLPZCount=0", Igc_l_kind::none, 0},
        {"LCONFPLTPName0=Start", Igc_l_kind::tp_name, 0},
        {"LCONFPLTPPosX12=1000.5", Igc_l_kind::tp_posx, 12},
        {"LCONFPLTPAirport3=1", Igc_l_kind::tp_airport, 3},
        {"LCONFPLTPAltitude30=700", Igc_l_kind::tp_altitude, 30},
        {"LCONFPLTPAzimuth2=90", Igc_l_kind::tp_azimuth, 2},
        {"LCONFPLTPName31=Far", Igc_l_kind::none, 0},            // beyond the table
        {"LCONFPLTPName-1=Before", Igc_l_kind::none, 0},
        {"LCONFPLTPName99999999999=Huge", Igc_l_kind::none, 0},
        {"LCONFPLTPRadius=3000", Igc_l_kind::none, 0},           // no index
        {"LCONFlightInfoRaceID=0", Igc_l_kind::none, 0},
    };
    for (const Case& c : cases) {
        std::string key, val;
        igc_key_val(c.line, key, val);
        const Igc_l_key k = igc_l_key(key, c.line);
        EXPECT_EQ(k.kind, c.kind) << c.line;
        EXPECT_EQ(k.n, c.n) << c.line;
    }
}

}  // namespace
