#include "support/number_fields.h"

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

struct FieldCase {
    double v;
    int width;
    int decimals;
    const char* text;
};

TEST(NumberFields, IntegerFieldsRightJustifiedOrStars) {
    EXPECT_EQ(int_field(42, 5), "   42");
    EXPECT_EQ(int_field(-17, 3), "-17");
    EXPECT_EQ(int_field(-17, 2), "**");
    EXPECT_EQ(int_field(12345, 4), "****");
    EXPECT_EQ(int_field(0, 1), "0");
    EXPECT_EQ(int_field(5, 0), "");
}

TEST(NumberFields, CountFieldsWidenForCountsTooWide) {
    const struct {
        long long v;
        int width;
        const char* text;
    } cases[] = {
        {0, 5, "    0"},          {99999, 5, "99999"},         {100000, 5, "100000"},
        {1000000, 5, "1000000"},  {2147483647, 5, "2147483647"}, {999999, 6, "999999"},
        {1000000, 6, "1000000"},  {7, 2, " 7"},                {123, 2, "123"},
        {-5, 3, " -5"},           {-1234, 3, "-1234"},         {12, 0, "12"},
    };
    for (const auto& c : cases) EXPECT_EQ(count_field(c.v, c.width), c.text) << c.v << " in " << c.width;
}

TEST(NumberFields, ZeroPaddedFields) {
    EXPECT_EQ(zero_padded_field(5, 2), "05");
    EXPECT_EQ(zero_padded_field(0, 2), "00");
    EXPECT_EQ(zero_padded_field(99, 2), "99");
    EXPECT_EQ(zero_padded_field(100, 2), "**");
    EXPECT_EQ(zero_padded_field(-5, 2), "**");  // no room for a sign
    EXPECT_EQ(zero_padded_field(7, 0), "");
    // The widest values: all 19 digits fit in 19 columns, not in 18; wide
    // fields are zero-filled.
    EXPECT_EQ(zero_padded_field(LLONG_MAX, 19), "9223372036854775807");
    EXPECT_EQ(zero_padded_field(LLONG_MAX, 18), std::string(18, '*'));
    EXPECT_EQ(zero_padded_field(12, 25), std::string(23, '0') + "12");
}

TEST(NumberFields, FixedPointFields) {
    const FieldCase cases[] = {
        {1.5, 8, 3, "   1.500"},
        {-2.75, 6, 2, " -2.75"},
        {0.5, 5, 2, " 0.50"},
        {0.5, 3, 2, ".50"},       // no room for the leading zero
        {-0.5, 4, 2, "-.50"},
        {-0.0001, 6, 2, " -0.00"},  // the sign of a value rounded to zero stays
        {12.0, 5, 0, "  12."},     // a point even without decimals
        {123.456, 5, 2, "*****"},
        {-1.0, 2, 0, "**"},
        {2.5e9, 16, 0, "     2500000000."},
        {1e300, 10, 2, "**********"},
        // Without decimals the zero before the point is the only digit.
        {0.3, 2, 0, "0."},
        {0.3, 1, 0, "*"},
        {-0.3, 2, 0, "**"},
    };
    for (const FieldCase& c : cases)
        EXPECT_EQ(fixed_field(c.v, c.width, c.decimals), c.text) << c.v << " F" << c.width << "." << c.decimals;
}

TEST(NumberFields, ExponentFields) {
    const FieldCase cases[] = {
        {1.5, 16, 6, "    0.150000E+01"},
        {-1.5, 12, 4, " -0.1500E+01"},
        {0.0, 12, 6, "0.000000E+00"},
        {0.00123, 10, 3, " 0.123E-02"},
        {9.9999, 9, 2, " 0.10E+02"},         // rounding carries into the exponent
        {1.5e120, 12, 4, "  0.1500+121"},    // three exponent digits drop the E
        {1.5, 11, 6, ".150000E+01"},         // no room for the leading zero
        {1.5, 10, 6, "**********"},
    };
    for (const FieldCase& c : cases)
        EXPECT_EQ(exp_field(c.v, c.width, c.decimals), c.text) << c.v << " E" << c.width << "." << c.decimals;
}

TEST(NumberFields, ScientificFields) {
    const FieldCase cases[] = {
        {1.234e-7, 10, 3, " 1.234E-07"},
        {0.0, 10, 3, " 0.000E+00"},
        {-0.00044, 10, 3, "-4.400E-04"},
        {9.9996, 10, 3, " 1.000E+01"},      // rounding carries into the exponent
        {1.5e120, 10, 3, " 1.500+120"},     // three exponent digits drop the E
        {-1.5e-5, 9, 3, "*********"},
        {2.5, 4, 0, "****"},                // "2.E+00" does not fit
        {2.5, 6, 0, "2.E+00"},
        {45000.25, 16, 9, " 4.500025000E+04"},
        {-1234.5, 16, 9, "-1.234500000E+03"},
        {0.0, 13, 6, " 0.000000E+00"},
        {9.999999999999, 16, 9, " 1.000000000E+01"},  // rounding carries into the exponent
        {1.0e-5, 13, 6, " 1.000000E-05"},
        {-2.5e-120, 13, 6, "-2.500000-120"},           // three exponent digits drop the E
        {1.5, 12, 6, "1.500000E+00"},
        {-1.5, 13, 6, "-1.500000E+00"},
        {-1.5, 12, 6, "************"},
    };
    for (const FieldCase& c : cases)
        EXPECT_EQ(sci_field(c.v, c.width, c.decimals), c.text) << c.v << " ES" << c.width << "." << c.decimals;
    EXPECT_EQ(sci_field(std::nan(""), 10, 3), "       NaN");
}

TEST(NumberFields, GeneralFieldsChooseFixedOrScientificByTheRoundedValue) {
    struct Case {
        double v;
        const char* text;
    };
    const Case cases[] = {
        {43200.0, "  43200.0000    "},
        {0.0, "  0.00000000    "},
        {0.5, " 0.500000000    "},
        {-0.5, "-0.500000000    "},
        {static_cast<float>(0.001), "  1.00000005E-03"},
        {-2.5e-7, " -2.50000000E-07"},
        {0.1, " 0.100000000    "},
        {0.09999999999, " 0.100000000    "},     // rounds up to 0.1: fixed
        {0.0999999, "  9.99999000E-02"},
        {999999936.0, "  999999936.    "},      // the largest float below 1e9
        {999999999.6, "  1.00000000E+09"},      // rounds up to 1e9: scientific
        {1e9, "  1.00000000E+09"},
        {9999.99999996, "  10000.0000    "},    // rounding moves the point
        {-123456.789, " -123456.789    "},
    };
    for (const Case& c : cases) EXPECT_EQ(general_field(c.v, 16, 9), c.text) << c.v;
}

TEST(NumberFields, NonFiniteValuesStayInTheirField) {
    EXPECT_EQ(fixed_field(std::nan(""), 5, 1), "  NaN");
    EXPECT_EQ(fixed_field(-std::numeric_limits<double>::infinity(), 10, 1), " -Infinity");
    EXPECT_EQ(fixed_field(std::numeric_limits<double>::infinity(), 4, 1), " Inf");
    EXPECT_EQ(fixed_field(std::nan(""), 2, 1), "**");
}

TEST(NumberFields, FreeFormIntegers) {
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    } cases[] = {
        {"42", true, 42},        {"   -7", true, -7},   {"+3", true, 3},
        {"12 34", true, 12},     {"5,6", true, 5},     {"9/", true, 9},
        {"3000.0", false, 0},    {"1e3", false, 0},    {"", false, 0},
        {"   ", false, 0},       {",5", false, 0},     {"abc", false, 0},
        {"-", false, 0},         {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},         {"2147483648", false, 0},
        {"99999999999999999999", false, 0},
        {"-0", true, 0},         {"007", true, 7},     {"\t12", true, 12},
        {"12\r", true, 12},      {"1.5E3", false, 0},
    };
    for (const Case& c : cases) {
        int32_t v = -555;
        EXPECT_EQ(read_int(c.text, v), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(v, c.ok ? c.value : -555) << '"' << c.text << '"';
    }
}

TEST(NumberFields, FreeFormReals) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"1.5", true, 1.5},   {"  -2.25e1", true, -22.5}, {"3000", true, 3000.0}, {".5", true, 0.5},
        {"5.", true, 5.0},    {"1.5D2", true, 150.0},     {"7,8", true, 7.0},     {"1.5 x", true, 1.5},
        {"1e", false, 0},     {"0x10", false, 0},         {"inf", false, 0},      {"nan", false, 0},
        {"", false, 0},       {".", false, 0},            {"1.2.3", false, 0},    {"1e999", false, 0},
        // Fortran's other exponent forms
        {"1.5E3", true, 1500.0}, {"1.5+3", true, 1500.0}, {"2.5-1", true, 0.25}, {"1.5q3", true, 1500.0},
        {"+.5", true, 0.5},      {"-0", true, 0.0},       {"12\r", true, 12.0},   {"1.5e+", false, 0},
        {"1.5x", false, 0},      {"1.5+", false, 0},
    };
    for (const Case& c : cases) {
        double d = -555;
        EXPECT_EQ(read_double(c.text, d), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(d, c.ok ? c.value : -555) << '"' << c.text << '"';
        float f = -555;
        EXPECT_EQ(read_real(c.text, f), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(f, c.ok ? static_cast<float>(c.value) : -555.0f) << '"' << c.text << '"';
    }
}

// The weather lists of IGC L records are read this way.
TEST(NumberFields, RealListsAreAllOrNothing) {
    float v[17];
    for (float& x : v) x = -1.0f;
    EXPECT_FALSE(read_real_list("180", v, 17));
    EXPECT_EQ(v[0], -1.0f);
    std::string list;
    for (int k = 0; k < 17; ++k) list += std::to_string(k) + (k % 2 ? ", " : " ");
    EXPECT_TRUE(read_real_list(list, v, 17));
    EXPECT_EQ(v[0], 0.0f);
    EXPECT_EQ(v[16], 16.0f);
    EXPECT_FALSE(read_real_list("1 2 3 x 5 6 7 8 9 10 11 12 13 14 15 16 17", v, 17));
    EXPECT_FALSE(read_real_list("1 2 3 / 5 6 7 8 9 10 11 12 13 14 15 16 17", v, 17));
}
