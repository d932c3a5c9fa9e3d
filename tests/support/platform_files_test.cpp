// The platform's file operations: the local modification time and the
// rename that never replaces.
#include <stdlib.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include <cerrno>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/platform.h"
#include "tests/common/temp_dir.h"

namespace fs = std::filesystem;

class PlatformFiles : public InTempDir {};

TEST_F(PlatformFiles, ModificationTimeInLocalTime) {
    tmp.write("f", "");
    // 2024-05-01 12:07:09 UTC, seen from a zone two hours ahead.
    const timespec times[2] = {{1714565229, 0}, {1714565229, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, "f", times, 0), 0);
    const char* old = getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "XXX-2", 1);
    tzset();
    LocalTime t{};
    const bool ok = file_modified_local("f", t);
    LocalTime untouched{1, 2, 3, 4, 5, 6};
    const bool missing = file_modified_local("no such file", untouched);
    if (old) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
    tzset();
    ASSERT_TRUE(ok);
    EXPECT_EQ(t.year, 2024);
    EXPECT_EQ(t.month, 5);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 14);
    EXPECT_EQ(t.minute, 7);
    EXPECT_EQ(t.second, 9);
    EXPECT_FALSE(missing);
    EXPECT_EQ(untouched.year, 1);
}

TEST_F(PlatformFiles, RenameNeverReplaces) {
    tmp.write("a", "A");
    tmp.write("b", "B");
    EXPECT_EQ(rename_no_replace("a", "b"), rename_target_taken);
    EXPECT_EQ(tmp.read("a"), "A");
    EXPECT_EQ(tmp.read("b"), "B");
    EXPECT_EQ(rename_no_replace("a", "c"), 0);
    EXPECT_EQ(tmp.read("c"), "A");
    EXPECT_FALSE(fs::exists("a"));
    EXPECT_EQ(rename_no_replace("a", "d"), ENOENT);
    EXPECT_EQ(rename_no_replace("c", "no/such/folder/d"), ENOENT);
    EXPECT_EQ(tmp.read("c"), "A");
}
