#include "support/text_format.h"

#include <limits>

#include <gtest/gtest.h>

#include "support/messages.h"
#include "tests/common/console_capture.h"

TEST(IntegerText, LeftAdjustedWithLength) {
    struct Case {
        int32_t v;
        const char* text;
    } cases[] = {{-17, "-17"}, {0, "0"}, {1234567, "1234567"}, {INT32_MIN, "-2147483648"}};
    for (const Case& c : cases) {
        int32_t lb = -1;
        EXPECT_EQ(i2b(c.v, lb), c.text);
        EXPECT_EQ(lb, static_cast<int32_t>(std::string(c.text).size()));
    }
}

// The texts every written flight plan and L record depends on.
TEST(RealText, WorkedTable) {
    struct Case {
        float v;
        const char* fmt;
        const char* text;
    } cases[] = {
        {1.5f, "(F16.6)", "1.5"},
        {0.0f, "(F16.6)", "0"},
        {1.0f, "(F16.6)", "1"},
        {-2.75f, "(F16.6)", "-2.75"},
        {0.1f, "(F16.6)", "0.1"},
        {3.1415927f, "(F16.6)", "3.141593"},
        {100.0f, "(F16.2)", "100"},
        {1013.25f, "(F12.2)", "1013.25"},
        {1234.5677f, "(F16.6)", "1234.56775"},
        {123456.789f, "(F16.6)", "123456.789"},
        {12345678.0f, "(F16.6)", "12345678"},
        {2.5e9f, "(F16.6)", "2500000000"},
        // edge cases
        {-0.0001f, "(F16.2)", "-0"},
        {999.99988f, "(F16.6)", "999.999878"},
        {1000.0f, "(F16.6)", "1000"},
        {-1234.5677f, "(F16.6)", "-1234.56775"},
        {1e20f, "(F16.6)", "****************"},
        {5.25f, "F16.1", "5.2"},  // half-way: the nearer even digit
        {0.5f, "(F3.2)", ".5"},
    };
    for (const Case& c : cases) {
        int32_t lb = -1;
        EXPECT_EQ(f2b(c.v, c.fmt, lb), c.text) << c.v << " " << c.fmt;
        EXPECT_EQ(lb, static_cast<int32_t>(std::string(c.text).size())) << c.v;
    }
}

TEST(RealText, ExponentForm) {
    EXPECT_EQ(f2b(1.5f, "(E16.6)"), "0.15E+01");
    EXPECT_EQ(f2b(-0.00125f, "(E12.4)"), "-0.125E-02");
    EXPECT_EQ(f2b(100.0f, "(E16.6)"), "0.1E+03");
    // Zero keeps "0.E+00" when the field has leading blanks; exactly filled
    // it becomes "0".
    EXPECT_EQ(f2b(0.0f, "(E16.6)"), "0.E+00");
    EXPECT_EQ(f2b(0.0f, "(E12.6)"), "0");
    EXPECT_EQ(f2b(1.5f, "(E6.6)"), "******");
}

TEST(RealText, UnreadableDescriptorGivesEmptyText) {
    for (const char* fmt : {"", "()", "(I5)", "(F16)", "(Fx.2)", "(F0.2)"}) {
        int32_t lb = -1;
        EXPECT_EQ(f2b(1.5f, fmt, lb), "") << fmt;
        EXPECT_EQ(lb, 0) << fmt;
    }
}

TEST(TimeText, TruncatedPartsAndStars) {
    struct Case {
        float v;
        const char* text;
    } cases[] = {
        {12.5f, "12:30:00"},  {0.0f, "00:00:00"}, {1.9999999f, "01:59:59"},
        {100.25f, "**:15:00"}, {23.999722f, "23:59:58"},
        {-1.5f, "**:**:00"},  {std::numeric_limits<float>::quiet_NaN(), "**:**:**"},
        {3e9f, "**:**:**"},
    };
    for (const Case& c : cases) {
        int32_t lb = -1;
        EXPECT_EQ(t2b(c.v, lb), c.text) << c.v;
        EXPECT_EQ(lb, 8);
    }
}

TEST(FlagText, OneOrZero) {
    int32_t lb = -1;
    EXPECT_EQ(l2b(true, lb), "1");
    EXPECT_EQ(lb, 1);
    EXPECT_EQ(l2b(false, lb), "0");
    EXPECT_EQ(log2int(true), 1);
    EXPECT_EQ(log2int(false), 0);
}

TEST(FlagText, IsTrueLooksAtTheFirstCharacter) {
    for (const char* yes : {"yes", "Yes", "1", "y"}) EXPECT_TRUE(is_true(yes)) << yes;
    for (const char* no : {"", " ", "T", "true", "0", " yes"}) EXPECT_FALSE(is_true(no)) << no;
}

TEST(KeyCodes, TextAndBack) {
    struct Case {
        int32_t code;
        const char* text;
    } cases[] = {
        {10065, "CTRL+\"A\""},  {29995, "CTRL+SHFT+SCN5"}, {65, "\"A\""},
        {-72, "SCN72"},         {13, "ASC13"},             {80000 + 40000 + 65, "LONG+ALT+\"A\""},
        {34, "\"\"\""},         {200, "ASC200"},
    };
    begin_stdout_capture();
    for (const Case& c : cases) {
        int32_t lb = -1;
        EXPECT_EQ(k2b(c.code, lb), c.text) << c.code;
        EXPECT_EQ(lb, static_cast<int32_t>(std::string(c.text).size()));
        EXPECT_EQ(b2k(c.text), c.code) << c.text;
    }
    int32_t lb;
    EXPECT_EQ(k2b(10000, lb), "0");  // a key of 0 drops the modifiers
    EXPECT_EQ(b2k("CTRL+ASCxyz"), 10000);
    EXPECT_EQ(b2k("123"), 123);
    EXPECT_EQ(b2k("CTRL+\"A\"  "), 10065);
    EXPECT_EQ(b2k("\"A\"x"), 65);  // the quoted character decides, not what follows
    end_stdout_capture();
}

TEST(KeyCodes, TraceLines) {
    int32_t lb;
    begin_stdout_capture();
    k2b(29995, lb);
    b2k("CTRL+\"A\"");
    EXPECT_EQ(end_stdout_capture(), " 3 -5\n CTRL+\"A\" 10065\n");
}

TEST(CString, CopyIntoField) {
    std::string out = "old";
    int32_t ls = 0;
    strcpy_c2f("abc  ", out, ls, 10);
    EXPECT_EQ(out, "abc");  // trailing blanks are fill
    EXPECT_EQ(ls, 5);

    ls = 2;
    strcpy_c2f("abcdef", out, ls, 10);
    EXPECT_EQ(out, "ab");
    EXPECT_EQ(ls, 2);

    ls = 50;  // never more than the field holds
    strcpy_c2f("abcdefghijkl", out, ls, 4);
    EXPECT_EQ(out, "abcd");
    EXPECT_EQ(ls, 4);

    ls = 0;
    strcpy_c2f(nullptr, out, ls, 8);
    EXPECT_EQ(out, "");
    EXPECT_EQ(ls, 0);

    out = "old";
    ls = -3;  // a negative count copies nothing
    strcpy_c2f("abc", out, ls, 8);
    EXPECT_EQ(out, "");
    EXPECT_EQ(ls, 0);
}

TEST(CString, CopyFromField) {
    char buf[16];
    int32_t ls = -1;
    strcpy_f2c("abc   ", buf, ls);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(ls, 3);
    strcpy_f2c("", buf, ls);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(ls, 0);
}

TEST(CString, TraceLinesOnlyWithDebugFlag) {
    std::string out;
    int32_t ls = 0;
    begin_stdout_capture();
    strcpy_c2f("ab", out, ls, 8);
    EXPECT_EQ(end_stdout_capture(), "");
    cmndta001.qdebug0 = true;
    ls = 0;
    begin_stdout_capture();
    strcpy_c2f("ab", out, ls, 8);
    EXPECT_EQ(end_stdout_capture(), " strcpy_c2f 0\n strcpy_c2f 2\n");
    cmndta001.qdebug0 = false;
}
