// The interface language on Linux: the locale variables, the first one set
// deciding as for the C library.
#include "support/platform.h"

#include <stdlib.h>

#include <gtest/gtest.h>

TEST(Language, FrenchFromTheLocale) {
    struct Case {
        const char* all;
        const char* messages;
        const char* lang;
        int french;
    } cases[] = {
        {"", "", "fr_FR.UTF-8", 1},  {"", "", "de_DE", 0},        {"C", "", "fr_FR", 0},
        {"", "fr_CA", "en_US", 1},   {"", "", "", 0},             {"fr_BE", "en", "en", 1},
    };
    for (const Case& c : cases) {
        setenv("LC_ALL", c.all, 1);
        setenv("LC_MESSAGES", c.messages, 1);
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(IsLanguageFrench(), c.french) << c.all << "|" << c.messages << "|" << c.lang;
    }
}
