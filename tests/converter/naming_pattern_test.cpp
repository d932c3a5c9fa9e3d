#include "converter/naming_pattern.h"

#include <gtest/gtest.h>

namespace {

Name_fields sample_fields() {
    Name_fields f;
    f.year = 2024;
    f.month = 5;
    f.day = 1;
    f.hour = 14;
    f.minute = 7;
    f.compid = "AB";
    f.landscape = "Alps";
    f.start_tp = "Start";
    return f;
}

std::string built(std::string_view pattern, const Name_fields& f, char sep = '_', char wsubs = ' ') {
    return build_name(parse_pattern(pattern, sep).kfield, f, sep, wsubs, pattern, false).name;
}

}  // namespace

TEST(NamingPattern, Parsing) {
    struct Case {
        const char* pattern;
        char sep;
        std::vector<int32_t> kfield;
        std::vector<std::string> notes;
    } cases[] = {
        {"Y4_MM_DD_hh_mm_ID_GL_LA_ST", '_', {-11, -2, -3, -4, -5, -6, -9, -7, 8}, {}},
        {"Y4-MM", '_', {11, 0, 0}, {" -M : unrecognized token", " M  : unrecognized token"}},
        {"Y4-MM", '-', {-11, 2}, {}},
        {"ID_", '_', {-6}, {}},
        {"IDLAUS", '_', {6, 7, 15}, {}},
        {"TD_DF_AV_CC_US_Y2", '_', {-10, -12, -13, -14, -15, 1}, {}},
        {"id", '_', {0}, {" id : unrecognized token"}},
        {"", '_', {}, {}},
        {"   ", '_', {}, {}},
    };
    for (const Case& c : cases) {
        const Name_pattern p = parse_pattern(c.pattern, c.sep);
        EXPECT_EQ(p.kfield, c.kfield) << c.pattern;
        EXPECT_EQ(p.notes, c.notes) << c.pattern;
    }
    // At most 100 tokens are kept.
    std::string many;
    for (int i = 0; i < 120; ++i) many += "ID";
    EXPECT_EQ(parse_pattern(many, '_').kfield.size(), kfield_max);
}

TEST(NamingPattern, Names) {
    Name_fields f = sample_fields();
    EXPECT_EQ(built("Y4_MM_DD_hh_mm_ID_GL_LA_ST", f), "2024_05_01_14_07_AB__Alps_Start");
    EXPECT_EQ(built("ST_", f), "Start_");
    EXPECT_EQ(built("Y4-MM-DD", f, '-'), "2024-05-01");

    struct Case {
        const char* pattern;
        int year;
        const char* name;
    } years[] = {
        {"Y2", 2009, "09"},
        {"Y2", 1999, "99"},  // before 2000 still two digits
        {"Y4", 987, "0987"},
    };
    for (const Case& c : years) {
        f.year = c.year;
        EXPECT_EQ(built(c.pattern, f), c.name) << c.year;
    }
}

// What each token adds, alone in a pattern and followed by the separator.
TEST(NamingPattern, EveryToken) {
    Name_fields f = sample_fields();
    f.compclass = "Club";
    f.usrstr = "me";
    f.task_km = 312.4f;
    f.d_fl = 98765.0f;
    f.av_s = 87654.0f;
    struct Case {
        const char* token;
        const char* text;
    } cases[] = {
        {"Y2", "24"},   {"MM", "05"},   {"DD", "01"},    {"hh", "14"},   {"mm", "07"},
        {"ID", "AB"},   {"LA", "Alps"}, {"ST", "Start"}, {"GL", ""},     {"TD", "312km"},
        {"Y4", "2024"}, {"DF", "99km"}, {"AV", "88kmh"}, {"CC", "Club"}, {"US", "me"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(built(c.token, f), c.text) << c.token;
        EXPECT_EQ(built(std::string(c.token) + "-", f, '-'), std::string(c.text) + "-") << c.token;
    }
}

// Blanks inside and before a text stay (the substitute replaces them),
// trailing blanks of a text do not.
TEST(NamingPattern, BlanksAndSubstitute) {
    Name_fields f = sample_fields();
    f.landscape = "Alps North  ";
    f.usrstr = " two words";
    EXPECT_EQ(built("LA_US", f), "Alps North_ two words");
    EXPECT_EQ(built("LA_US", f, '_', '-'), "Alps-North_-two-words");
    f.compclass = "   ";
    EXPECT_EQ(built("CC_ID", f), "_AB");
}

// A number too wide for its field is written as asterisks; a Windows file
// name cannot hold them, so there they are "_" in the name (the trace
// keeps the text).
TEST(NamingPattern, NumberTokens) {
#ifdef _WIN32
    const char* const too_wide = "____km";
#else
    const char* const too_wide = "****km";
#endif
    Name_fields f;
    struct Case {
        float d_fl;
        const char* text;
        const char* name;
    } cases[] = {
        {312000.0f, "312km", "312km"},     {312400.0f, "312km", "312km"},   {312600.0f, "313km", "313km"},
        {0.0f, "0km", "0km"},              {9999400.0f, "9999km", "9999km"}, {9999600.0f, "****km", too_wide},
        {-999000.0f, "-999km", "-999km"}, {-1000000.0f, "****km", too_wide},
    };
    for (const Case& c : cases) {
        f.d_fl = c.d_fl;
        const Built_name b = build_name(parse_pattern("DF", '_').kfield, f, '_', ' ', "DF", false);
        EXPECT_EQ(b.name, c.name) << c.d_fl;
        // The token's trace: the number and the code, then value and text.
        ASSERT_EQ(b.trace.size(), 2u);
        EXPECT_EQ(b.trace[0], " 1 12");
        EXPECT_EQ(b.trace[1].substr(b.trace[1].rfind(' ')), std::string(" ") + c.text);
    }
    f.av_s = 98765.0f;
    f.task_km = 123.5f;
    EXPECT_EQ(built("AV_TD", f), "99kmh_124km");
}

TEST(NamingPattern, TaskDistanceFromTheStartPoint) {
    // Take-off, start, two turn points and finish: the three legs from the
    // start to the finish (3, 4 and 12 km), not the leg from take-off.
    const float tpx[6] = {-50000.0f, 0.0f, 3000.0f, 3000.0f, 3000.0f - 7200.0f, 999.0f};
    const float tpy[6] = {0.0f, 0.0f, 0.0f, 4000.0f, 4000.0f + 9600.0f, 999.0f};
    EXPECT_FLOAT_EQ(task_distance_km(tpx, tpy, 5, 6), 3.0f + 4.0f + 12.0f);
    EXPECT_FLOAT_EQ(task_distance_km(tpx, tpy, 2, 6), 0.0f);
    EXPECT_FLOAT_EQ(task_distance_km(tpx, tpy, 0, 6), 0.0f);
    // A count beyond the table is held to it.
    EXPECT_FLOAT_EQ(task_distance_km(tpx, tpy, 99, 5), 3.0f + 4.0f + 12.0f);
}

// A name built from a track's texts never names another folder nor holds
// what a file name of the platform cannot hold, and stays within 200
// characters.
TEST(NamingPattern, UnsafeCharactersAndLength) {
    using namespace std::string_literals;
    struct Case {
        std::string compid;
        std::string name;
    } cases[] = {
        {"../x", ".._x"},
        {"a\0b"s, "a_b"},
#ifdef _WIN32
        {"..\\x", ".._x"},
        {"C:x", "C_x"},
        {"<a>\"b\"|?*", "_a__b____"},
        {"tab\there\x1f", "tab_here_"},
        {"ok &;'%()\xE9", "ok &;'%()\xE9"},
#else
        {"..\\x", "..\\x"},
        {"C:<a>\"b\"|?*\t", "C:<a>\"b\"|?*\t"},
#endif
    };
    Name_fields f = sample_fields();
    for (const Case& c : cases) {
        f.compid = c.compid;
        EXPECT_EQ(built("ID", f), c.name) << c.compid;
    }
    f.compid = "../x";
    f.landscape = std::string("a\0b", 3);
    EXPECT_EQ(built("ID_LA", f), ".._x_a_b");
    f.usrstr = std::string(190, 'u');
    const std::string name = built("US_US", f);
    EXPECT_EQ(name.size(), ttt_len);
    EXPECT_EQ(name, std::string(190, 'u') + "_" + std::string(9, 'u'));
}

TEST(NamingPattern, TraceLines) {
    const Name_fields f = sample_fields();
    const Built_name b = build_name(parse_pattern("ID_xxLA", '_').kfield, f, '_', ' ', "ID_xxLA", true);
    EXPECT_EQ(b.name, "AB_Alps");
    EXPECT_EQ(b.trace, (std::vector<std::string>{" ID_xxLA", " 1 -6", " 2 0", " 3 7"}));
}
