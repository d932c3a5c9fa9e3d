#include "support/ftext.h"

#include <gtest/gtest.h>

TEST(FixedText, FitCutsToWidthAndDropsTrailingBlanks) {
    struct Case { const char* in; std::size_t width; const char* out; };
    const Case cases[] = {
        {"abc", 32, "abc"},        {"abc   ", 32, "abc"}, {"  abc", 32, "  abc"},
        {"abcdef", 4, "abcd"},     {"ab  cd", 3, "ab"},   {"", 8, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(fit(c.in, c.width), c.out) << c.in;
}

TEST(FixedText, PaddingAndComparison) {
    EXPECT_EQ(pad_right("ab", 4), "ab  ");
    EXPECT_EQ(pad_right("abcdef", 4), "abcd");
    EXPECT_TRUE(same_text("ab  ", "ab"));
    EXPECT_FALSE(same_text(" ab", "ab"));
    EXPECT_TRUE(is_blank("   "));
    EXPECT_EQ(left_adjust("  x y  "), "x y");
}
