#include "support/text_utils.h"

#include <cstring>
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "tests/common/console_capture.h"

TEST(TextUtils, InPlaceRewrites) {
    struct Case {
        const char* name;
        std::function<void(std::string&)> f;
        std::string in, out;
    } cases[] = {
        {"majusc", majusc, "abc-xyz 09 é", "ABC-XYZ 09 é"},
        {"minusc", minusc, "ABC-xyz", "abc-xyz"},
        {"make_printable", make_printable, "a\nb\n", "a/b/"},
        {"remove_trail_0", remove_trail_0, std::string("ab\0cd", 5), "ab"},
        {"remove_quotes", remove_quotes, "\"a b\"  ", "a b"},
        {"remove_quotes one end", remove_quotes, "\"a b", "\"a b"},
        {"remove_quotes lone quote", remove_quotes, "\"", "\""},
        {"remove_simple_quotes", remove_simple_quotes, "'x'", "x"},
        {"subs_comma", subs_comma, "a,b,,c", "a;b;;c"},
        {"subs_dot_comma", subs_dot_comma, "1.5,2", "1,5;2"},
        {"from_frcsv", from_frcsv, "1,5;2,25", "1.5,2.25"},
    };
    for (const Case& c : cases) {
        std::string s = c.in;
        c.f(s);
        EXPECT_EQ(s, c.out) << c.name;
    }
}

TEST(TextUtils, RemoveNulCharacters) {
    std::string s("a\0b\0\0c", 6);
    begin_stdout_capture();
    remove_0(s);
    end_stdout_capture();
    EXPECT_EQ(s, "abc");
}

TEST(TextUtils, Predicates) {
    EXPECT_TRUE(case_blind_compare("Abc  ", "aBC"));
    EXPECT_TRUE(case_blind_compare("", "   "));
    EXPECT_FALSE(case_blind_compare("abc", "abcd"));
    EXPECT_FALSE(case_blind_compare(" abc", "abc"));

    for (const char* t : {"1.5", "-2e+3", "12  "}) EXPECT_TRUE(is_num(t)) << t;
    for (const char* t : {"", "   ", " 1", "1 2", "1a"}) EXPECT_FALSE(is_num(t)) << t;
    EXPECT_TRUE(is_uint("0123"));
    for (const char* t : {"", "+1", "1.0", " 1"}) EXPECT_FALSE(is_uint(t)) << t;

    std::vector<std::string> list{"alpha", "beta", "beta"};
    EXPECT_EQ(list_index("beta  ", 3, list), 2);
    EXPECT_EQ(list_index("gamma", 3, list), 0);
    EXPECT_EQ(list_index("beta", 1, list), 0);  // only the first nb entries
    EXPECT_EQ(list_index("beta", 9, list), 2);  // never beyond the list
}

TEST(TextUtils, QuoteSpaces) {
    begin_stdout_capture();
    std::string a = "my file.txt", b = "plain", c = " lead", d = "a b";
    quote_spaces(a);
    quote_spaces(b);
    quote_spaces(c);
    quote_spaces(d, 4);
    std::string out = end_stdout_capture();
    EXPECT_EQ(a, "\"my file.txt\"");
    EXPECT_EQ(b, "plain");
    EXPECT_EQ(c, "\" lead\"");
    EXPECT_EQ(d, "\"a b");  // cut to the field
    EXPECT_EQ(out.substr(0, 43), " my file.txt\n \"my file.txt\"\n \"my file.txt\"\n");
}

TEST(TextUtils, FrenchCsv) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"1.5,abc,2.25", "1,5;abc;2,25"},
        {"a.b,\"3.5\",-1.e3", "a.b;\"3.5\";-1,e3"},  // quoted field is not a number
        {"x.y", "x.y"},
    };
    begin_stdout_capture();
    for (const Case& c : cases) {
        std::string s = c.in;
        to_frcsv(s);
        EXPECT_EQ(s, c.out) << c.in;
    }
    std::string s = "1.5,abc";
    to_frcsv(s);
    std::string trace = end_stdout_capture();
    EXPECT_NE(trace.find(" 7 4 T 1.5\n"), std::string::npos) << trace;
}

TEST(TextUtils, HoursMinutesSeconds) {
    struct Case {
        float secs;
        std::size_t len;
        const char* text;
    } cases[] = {
        {3725.5f, 11, " 1:02:05.50"}, {3725.5f, 8, " 1:02:05"}, {3725.0f, 11, " 1:02:05"},
        {45296.0f, 8, "12:34:56"},    {360000.0f, 8, "**:00:00"},
    };
    for (const Case& c : cases) {
        std::string s;
        to_hms(c.secs, s, c.len);
        EXPECT_EQ(s, c.text) << c.secs << " " << c.len;
    }
    char buf[9];
    std::memset(buf, 'x', sizeof buf);
    begin_stdout_capture();
    to_hms_c(3725.5f, buf);
    EXPECT_EQ(end_stdout_capture(), " 3725.5\n");
    EXPECT_STREQ(buf, " 1:02:05");
}

TEST(TextUtils, HmsToSeconds) {
    struct Case {
        const char* text;
        int32_t secs;
    } cases[] = {
        {"12:30:15", 45015}, {" 1:02:05", 3725}, {"0:0:0", 0}, {"123456", -999},
        {"12:30", -999},     {"1:xx:3", -999},   {"", -999},   {"1.5:0:0", -999},
    };
    for (const Case& c : cases) EXPECT_EQ(hms2sec(c.text), c.secs) << c.text;
}

TEST(TextUtils, RandomCharacterIsDigitOrCapital) {
    std::set<char> seen;
    for (int i = 0; i < 2000; ++i) {
        std::string c;
        random_char(c);
        ASSERT_EQ(c.size(), 1u);
        ASSERT_TRUE((c[0] >= '0' && c[0] <= '9') || (c[0] >= 'A' && c[0] <= 'Z')) << c;
        seen.insert(c[0]);
    }
    EXPECT_TRUE(seen.count('0') && seen.count('9') && seen.count('A') && seen.count('Z'));
}
