// Environment, program path, clock and the Wine-prefix entries on Windows.
#include "support/platform.h"

#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/common/env_vars.h"

namespace {

TEST(Environment, VariablesOfTheProcess) {
    set_env("BREMALO_TEST_VALUE", "C:\\Users\\pilot");
    char buf[512];
    EXPECT_EQ(MyGetEnv("BREMALO_TEST_VALUE", buf, sizeof buf), 14);
    EXPECT_STREQ(buf, "C:\\Users\\pilot");
    EXPECT_EQ(MyGetEnv("bremalo_test_value", buf, sizeof buf), 14);  // names without regard to case
    std::strcpy(buf, "untouched");
    EXPECT_EQ(MyGetEnv("BREMALO_TEST_VALUE", buf, 5), 15);  // the size it needs
    EXPECT_STREQ(buf, "untouched");
    EXPECT_EQ(MyGetEnv("BREMALO_TEST_VALUE", buf, 15), 14);  // exactly fits
    unset_env("BREMALO_TEST_VALUE");
    EXPECT_EQ(MyGetEnv("BREMALO_TEST_VALUE", buf, sizeof buf), 0);
    EXPECT_EQ(MyGetEnv(nullptr, buf, sizeof buf), 0);
    EXPECT_EQ(MyGetEnv("", buf, sizeof buf), 0);
    EXPECT_GT(MyGetEnv("USERPROFILE", buf, sizeof buf), 0);  // Windows sets it itself
}

TEST(Environment, ExePathArgZeroAndClock) {
    char buf[512];
    const int32_t n = GetExePath(buf, sizeof buf);
    ASSERT_GT(n, 0);
    EXPECT_EQ(n, static_cast<int32_t>(std::strlen(buf)));
    const std::string exe(buf);
    EXPECT_EQ(exe.substr(1, 2), ":\\") << exe;
    EXPECT_NE(exe.find("windows_environment_test.exe"), std::string::npos) << exe;
    EXPECT_TRUE(std::filesystem::is_regular_file(exe));
    char tiny[8];
    EXPECT_EQ(GetExePath(tiny, sizeof tiny), 0);  // never a cut path
    EXPECT_EQ(tiny[0], '\0');
    EXPECT_NE(program_arg0().find("windows_environment_test"), std::string::npos);
    const LocalTime t = local_time_now();
    EXPECT_GE(t.year, 2020);
    EXPECT_TRUE(t.month >= 1 && t.month <= 12);
    EXPECT_TRUE(t.day >= 1 && t.day <= 31);
    EXPECT_TRUE(t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 60);
}

TEST(Environment, NoWinePrefixOnWindows) {
    // Paths stay as they are, whatever a Linux shell passed on.
    set_env("WINEPREFIX", "C:\\somewhere");
    for (const char* p : {"C:\\Condor3\\Logs", "relative\\x", "C:", "\\\\server\\share"})
        EXPECT_EQ(windows_to_host_path(p), p);
    unset_env("WINEPREFIX");
}

}  // namespace
