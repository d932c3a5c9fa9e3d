// The path rules of Linux.
#include "support/platform.h"

#include <gtest/gtest.h>

TEST(Paths, AbsoluteAndEscaped) {
    EXPECT_TRUE(is_absolute_folder("/data/out/"));
    EXPECT_FALSE(is_absolute_folder("out/"));
    EXPECT_FALSE(is_absolute_folder(""));
    EXPECT_EQ(escape_path_for_message("/a/b c/"), "\\/a\\/b c\\/");
    EXPECT_EQ(path_separator(), '/');
    EXPECT_EQ(path_sep_str(), "/");
    // A backslash is a character of a Linux file name.
    EXPECT_TRUE(is_path_separator('/'));
    EXPECT_FALSE(is_path_separator('\\'));
}
