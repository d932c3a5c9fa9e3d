// The record parsers of the IGC reader.

#include <cmath>
#include <random>
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
    EXPECT_TRUE(read_b_record("B1234564630000N00915000EA0081200813005017", ext, f));
    EXPECT_EQ(f.t, 12 * 3600 + 34 * 60 + 56);
    EXPECT_FLOAT_EQ(f.latitude, 46.5f);
    EXPECT_FLOAT_EQ(f.longitude, 9.25f);
    EXPECT_EQ(f.alt_press, 812);
    EXPECT_EQ(f.alt_gnss, 813);
    EXPECT_EQ(f.validity, 'A');
    EXPECT_EQ(f.enl, 17);
}

// An I record declaring LAD and LOD of `lad` and `lod` columns (0: none)
// from column 36, the LAD columns first.
Igc_extensions finer_ext(int32_t lad, int32_t lod) {
    Igc_extensions ext;
    if (lad > 0) {
        ext.lad_first = 36;
        ext.lad_last = 35 + lad;
    }
    if (lod > 0) {
        ext.lod_first = 36 + lad;
        ext.lod_last = 35 + lad + lod;
    }
    return ext;
}

TEST(IgcBRecord, HemispheresHoursAndFinerDigits) {
    struct Case {
        const char* line;
        int32_t lad, lod;  // columns of LAD and LOD
        int32_t t;
        double lat, lon;
    };
    const Case cases[] = {
        {"B1234564630000S00915000WA0081200812", 0, 0, 45296, -46.5, -9.25},
        {"B0000004630000N00915000EA0081200812", 0, 0, 0, 46.5, 9.25},
        // Hours past midnight as a logger that does not wrap writes them.
        {"B2400004630000N00915000EA0081200812", 0, 0, 86400, 46.5, 9.25},
        {"B3159594630000N00915000EA0081200812", 0, 0, 31 * 3600 + 3599, 46.5, 9.25},
        {"B9959594630000N00915000EA0081200812", 0, 0, 359999, 46.5, 9.25},
        // The finer digits scale by the columns the I record gives them.
        {"B1234564630000N00915000EA00812008125", 1, 0, 45296, 46 + 300005 / 600000.0, 9.25},
        {"B1234564630000N00915000EA00812008125", 0, 1, 45296, 46.5, 9 + 150005 / 600000.0},
        {"B1234564630000N00915000EA0081200812597", 2, 1, 45296, 46 + 3000059 / 6000000.0,
         9 + 150007 / 600000.0},
        {"B1234564630000N00915000EA008120081212345", 3, 2, 45296, 46 + 30000123 / 60000000.0,
         9 + 1500045 / 6000000.0},
        {"B1234565959999S17959999WA008120081299999", 2, 3, 45296, -(59 + 5999999 / 6000000.0),
         -(179 + 59999999 / 60000000.0)},
        // Columns the record does not reach, or that hold no digit, count
        // as 0: the other digits keep their scale.
        {"B1234564630000N00915000EA0081200812", 2, 2, 45296, 46.5, 9.25},
        {"B1234564630000N00915000EA0081200812x7", 2, 0, 45296, 46 + 3000007 / 6000000.0, 9.25},
        {"B1234560000000N00000000EA0081200812", 0, 0, 45296, 0, 0},
    };
    for (const Case& c : cases) {
        const Igc_extensions ext = finer_ext(c.lad, c.lod);
        Igc_b_fields f;
        ASSERT_TRUE(read_b_record(c.line, ext, f)) << c.line;
        EXPECT_EQ(f.t, c.t) << c.line;
        EXPECT_FLOAT_EQ(f.latitude, static_cast<float>(c.lat)) << c.line << " LAD " << c.lad;
        EXPECT_FLOAT_EQ(f.longitude, static_cast<float>(c.lon)) << c.line << " LOD " << c.lod;
    }
}

TEST(IgcBRecord, FinerDigitsOnlyFromOneToThreeColumnsBeyondTheFixedPart) {
    EXPECT_EQ(igc_finer_digits(36, 36), 1);
    EXPECT_EQ(igc_finer_digits(36, 38), 3);
    EXPECT_EQ(igc_finer_digits(254, 256), 3);
    EXPECT_EQ(igc_finer_digits(0, 0), 0) << "not declared";
    EXPECT_EQ(igc_finer_digits(36, 39), 0) << "four columns";
    EXPECT_EQ(igc_finer_digits(37, 36), 0) << "ends before it starts";
    EXPECT_EQ(igc_finer_digits(35, 35), 0) << "inside the fixed part";
    EXPECT_EQ(igc_finer_digits(256, 257), 0) << "beyond the longest record";
    // An extension that is not used leaves the five columns as they are.
    Igc_extensions ext;
    ext.lad_first = 36;
    ext.lad_last = 39;
    Igc_b_fields f;
    ASSERT_TRUE(read_b_record("B1234564630000N00915000EA00812008129999", ext, f));
    EXPECT_FLOAT_EQ(f.latitude, 46.5f);
}

TEST(IgcBRecord, ExtensionsOnlyFromColumnsTheRecordHolds) {
    Igc_extensions ext;
    ext.enl_first = 36;
    ext.enl_last = 38;
    Igc_b_fields f;
    f.enl = 55;
    // 35 columns: no ENL field, so the value is 0.
    EXPECT_TRUE(read_b_record("B1234564630000N00915000EA0081200812", ext, f));
    EXPECT_EQ(f.enl, 0);
    // An ENL declared inside the fixed part is never read.
    ext.enl_first = 30;
    f.enl = 55;
    EXPECT_TRUE(read_b_record("B1234564630000N00915000EA0081200812123", ext, f));
    EXPECT_EQ(f.enl, 0);
}

TEST(IgcBRecord, NoFixLeavesTheFieldsAndAnUnreadableExtensionKeepsItsValue) {
    Igc_extensions ext;
    ext.enl_first = 36;
    ext.enl_last = 38;
    Igc_b_fields f;
    ASSERT_TRUE(read_b_record("B1234564630000N00915000EA0081200812017", ext, f));
    // A record that is no fix changes nothing.
    EXPECT_FALSE(read_b_record("B12  574630000N00915000EA0090000900017", ext, f));
    EXPECT_EQ(f.t, 45296);
    EXPECT_EQ(f.alt_press, 812);
    EXPECT_EQ(f.enl, 17);
    // An ENL value that cannot be read keeps the one before; the fix is
    // read all the same.
    EXPECT_TRUE(read_b_record("B1234584630000N00915000EA00900009000x7", ext, f));
    EXPECT_EQ(f.t, 45298);
    EXPECT_EQ(f.alt_press, 900);
    EXPECT_EQ(f.enl, 17);
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
        int32_t lad;  // LAD columns from 36 (0: none)
        bool valid;
    };
    const Case cases[] = {
        {"written record", b, 0, true},
        {"written below sea level", written_b(3600, -33.5f, -70.25f, -12, 0), 0, true},
        {"written at the day's and the globe's ends", written_b(86399, 90, 180, 99999, 999), 0, true},
        {"written with the lowest altitude", written_b(0, -90, -180, -9999, 0), 0, true},
        {"35 columns, no extension", b.substr(0, 35), 0, true},
        {"extension columns are not looked at", b.substr(0, 35) + "x -?", 0, true},
        {"validity V", with_columns(b, 25, "V"), 0, true},
        {"minutes 59999", with_columns(with_columns(b, 10, "59999"), 19, "59999"), 0, true},
        {"hour 24", with_columns(b, 2, "24"), 0, true},
        {"hour 99", with_columns(b, 2, "99"), 0, true},
        {"89 degrees 59.999 minutes", with_columns(b, 8, "8959999"), 0, true},
        {"179 degrees 59.999 minutes", with_columns(b, 16, "17959999"), 0, true},
        {"90 degrees with finer digits 0", with_columns(b.substr(0, 35), 8, "9000000N") + "00", 2, true},
        {"README line", "Both build and run on Linux (where the simulator itself runs under Wine and", 0, false},
        {"not a B record", with_columns(b, 1, "C"), 0, false},
        {"lower-case b", with_columns(b, 1, "b"), 0, false},
        {"letter in the hours", with_columns(b, 3, "x"), 0, false},
        {"letter in the minutes", with_columns(b, 4, "x"), 0, false},
        {"letter in the seconds", with_columns(b, 7, "O"), 0, false},
        {"letter in the latitude degrees", with_columns(b, 8, "x"), 0, false},
        {"letter in the latitude minutes", with_columns(b, 14, "x"), 0, false},
        {"letter in the longitude degrees", with_columns(b, 17, "x"), 0, false},
        {"letter in the longitude minutes", with_columns(b, 19, "x"), 0, false},
        {"letter in the pressure altitude", with_columns(b, 30, "x"), 0, false},
        {"letter in the GNSS altitude", with_columns(b, 31, "x"), 0, false},
        {"minute 60", with_columns(b, 4, "60"), 0, false},
        {"second 60", with_columns(b, 6, "60"), 0, false},
        {"latitude degrees 91", with_columns(b, 8, "91"), 0, false},
        {"longitude degrees 181", with_columns(b, 16, "181"), 0, false},
        {"latitude minutes 60000", with_columns(b, 10, "60000"), 0, false},
        {"longitude minutes 60000", with_columns(b, 19, "60000"), 0, false},
        {"90 degrees 00.001 minutes", with_columns(b, 8, "9000001"), 0, false},
        {"180 degrees 00.001 minutes", with_columns(b, 16, "18000001"), 0, false},
        {"90 and 180 degrees 59.999 minutes", with_columns(b, 8, "9059999N18059999E"), 0, false},
        {"90 degrees with a finer digit", with_columns(b.substr(0, 35), 8, "9000000N") + "01", 2, false},
        {"latitude hemisphere E", with_columns(b, 15, "E"), 0, false},
        {"latitude hemisphere n", with_columns(b, 15, "n"), 0, false},
        {"longitude hemisphere N", with_columns(b, 24, "N"), 0, false},
        {"longitude hemisphere blank", with_columns(b, 24, " "), 0, false},
        {"validity X", with_columns(b, 25, "X"), 0, false},
        {"validity blank", with_columns(b, 25, " "), 0, false},
        {"34 columns", b.substr(0, 34), 0, false},
        {"B alone", "B", 0, false},
        {"blank in the time", with_columns(b, 5, " "), 0, false},
        {"blank in the latitude", with_columns(b, 11, " "), 0, false},
        {"blank in the longitude", with_columns(b, 23, " "), 0, false},
        {"altitude blank-filled", with_columns(b, 26, "  812"), 0, false},
        {"minus inside the altitude", with_columns(b, 26, "00-12"), 0, false},
        {"minus alone", with_columns(b, 31, "-    "), 0, false},
        {"plus sign", with_columns(b, 31, "+0812"), 0, false},
        {"minus in the time", with_columns(b, 2, "-1"), 0, false},
        {"byte beyond ASCII", with_columns(b, 9, "\xb9"), 0, false},
        {"NUL", with_columns(b, 12, std::string(1, '\0')), 0, false},
    };
    for (const Case& c : cases) {
        Igc_b_fields f;
        EXPECT_EQ(read_b_record(c.line, finer_ext(c.lad, 0), f), c.valid) << c.what << ": " << c.line;
    }
}

// Every record the converter's writer writes is a fix and gives back the
// position it was written from; so does the hour field of a writer that
// counts on past midnight.
TEST(IgcBRecordCheck, EveryWrittenRecordReadsBackAsItsFix) {
    std::mt19937 rng(20250611);
    std::uniform_real_distribution<float> lat_d(-90.0f, 90.0f), lon_d(-180.0f, 180.0f), alt_d(-9999.0f, 99999.0f);
    std::uniform_int_distribution<int32_t> t_d(0, 86399), h_d(0, 99);
    const Igc_extensions ext = finer_ext(0, 0);
    for (int i = 0; i < 20000; ++i) {
        // Every tenth fix at a limit of the globe.
        const float lat = i % 10 == 1 ? (i % 20 == 1 ? 90.0f : -90.0f) : lat_d(rng);
        const float lon = i % 10 == 2 ? (i % 20 == 2 ? 180.0f : -180.0f) : lon_d(rng);
        const int32_t t = t_d(rng);
        std::string b;
        ASSERT_TRUE(igc_b_record(track_fix{static_cast<float>(t), 0, 0, alt_d(rng), 0}, lat, lon, b));
        const int32_t h = h_d(rng);
        const std::string hours{static_cast<char>('0' + h / 10), static_cast<char>('0' + h % 10)};
        b = with_columns(b, 2, hours);
        Igc_b_fields f;
        ASSERT_TRUE(read_b_record(b, ext, f)) << b;
        EXPECT_EQ(f.t, h * 3600 + t % 3600) << b;
        // Half a thousandth of a minute, and the float32 rounding of both.
        EXPECT_NEAR(f.latitude, lat, 1.0 / 120000 + 2e-5) << b;
        EXPECT_NEAR(f.longitude, lon, 1.0 / 120000 + 3e-5) << b;
    }
}

// Whatever bytes follow the "B", a record that is read places its fix on
// the globe, at a time below 100 hours.
TEST(IgcBRecordCheck, ARecordThatIsReadLiesOnTheGlobe) {
    std::mt19937 rng(4711);
    const std::string base = "B1234564630000N00915000EA0081200812005017";
    const std::string bytes = "0123456789099959NSEWAV- x\xb9";
    std::uniform_int_distribution<std::size_t> col(1, 40), pick(0, bytes.size() - 1);
    std::uniform_int_distribution<int32_t> n_d(1, 6), lad_d(0, 3);
    int read = 0;
    for (int i = 0; i < 50000; ++i) {
        std::string b = base;
        for (int k = n_d(rng); k > 0; --k) b[col(rng)] = bytes[pick(rng)];
        const Igc_extensions ext = finer_ext(lad_d(rng), lad_d(rng));
        Igc_b_fields f;
        if (!read_b_record(b, ext, f)) continue;
        ++read;
        ASSERT_LE(std::fabs(f.latitude), 90.0f) << b;
        ASSERT_LE(std::fabs(f.longitude), 180.0f) << b;
        ASSERT_GE(f.t, 0) << b;
        ASSERT_LT(f.t, 360000) << b;
    }
    EXPECT_GT(read, 1000) << "the damage must leave some records readable";
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
