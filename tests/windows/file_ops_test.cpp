// Wildcards, file times, the no-replace rename and the characters of file
// names on Windows.
#include "support/platform.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/paths.h"
#include "tests/common/temp_dir.h"

namespace {

class FileOps : public InTempDir {};

TEST_F(FileOps, WildcardsAreExpandedInSortedOrder) {
    for (const char* n : {"b.ftr", "a.ftr", "c.FTR", "notes.txt"}) tmp.write(n, "x");
    tmp.write("sub/d.ftr", "x");
    using V = std::vector<std::string>;
    EXPECT_EQ(expand_wildcards({"-rftr", "*.ftr", "one.ftr"}), (V{"-rftr", "a.ftr", "b.ftr", "c.FTR", "one.ftr"}));
    EXPECT_EQ(expand_wildcards({"sub\\*.ftr", "?.txt"}), (V{"sub\\d.ftr", "?.txt"}));  // no match: as typed
    EXPECT_EQ(expand_wildcards({"sub/*"}), (V{"sub/d.ftr"}));
    EXPECT_EQ(expand_wildcards({}), V{});
}

TEST_F(FileOps, ModificationTimeInLocalTime) {
    tmp.write("t.ftr", "x");
    LocalTime t{-1, -1, -1, -1, -1, -1};
    ASSERT_TRUE(file_modified_local("t.ftr", t));
    const LocalTime now = local_time_now();
    EXPECT_EQ(t.year, now.year);
    EXPECT_EQ(t.month, now.month);
    EXPECT_EQ(t.day, now.day);
    LocalTime kept{1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(file_modified_local("missing.ftr", kept));
    EXPECT_FALSE(file_modified_local("", kept));
    EXPECT_EQ(kept.year, 1);
}

TEST_F(FileOps, RenameNeverReplaces) {
    tmp.write("old.ftr", "track");
    tmp.write("taken.ftr", "other");
    EXPECT_EQ(rename_no_replace("old.ftr", "taken.ftr"), rename_target_taken);
    EXPECT_EQ(tmp.read("taken.ftr"), "other");
    EXPECT_EQ(tmp.read("old.ftr"), "track");
    EXPECT_EQ(rename_no_replace("old.ftr", "new & (odd) %name%.ftr"), 0);
    EXPECT_EQ(tmp.read("new & (odd) %name%.ftr"), "track");
    EXPECT_EQ(rename_no_replace("old.ftr", "again.ftr"), static_cast<int32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(rename_no_replace("", "x.ftr"), 0);
}

TEST(FileNames, ReservedCharacters) {
    for (char c : std::string("<>:\"/\\|?*\x01\x1f")) EXPECT_TRUE(forbidden_in_file_name(c)) << int(c);
    for (char c : std::string("aZ09 _-.,;'&%()\xE9")) EXPECT_FALSE(forbidden_in_file_name(c)) << int(c);
    EXPECT_TRUE(forbidden_in_file_name('\0'));
}

}  // namespace
