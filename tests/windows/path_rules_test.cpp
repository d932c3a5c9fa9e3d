// The path rules of Windows.
#include "support/platform.h"

#include <string>

#include <gtest/gtest.h>

#include "support/paths.h"
#include "tests/common/temp_dir.h"

namespace {

TEST(PathRules, SeparatorAndAbsoluteFolders) {
    EXPECT_EQ(path_separator(), '\\');
    EXPECT_EQ(path_sep_str(), "\\");
    // Windows takes "/" in a path as it takes "\\".
    EXPECT_TRUE(is_path_separator('\\'));
    EXPECT_TRUE(is_path_separator('/'));
    EXPECT_FALSE(is_path_separator(':'));
    struct Case {
        const char* folder;
        bool absolute;
    } cases[] = {
        {"C:\\Condor3\\", true}, {"d:\\", true},      {"C:", true},    {"\\\\server\\share\\", true},
        {"out\\", false},       {"\\out\\", false},   {"", false},     {"1:\\x", false},
        {"/data/out/", false},
    };
    for (const Case& c : cases) EXPECT_EQ(is_absolute_folder(c.folder), c.absolute) << c.folder;
}

TEST(PathRules, MessagesShowPathsAsTheyAre) {
    // "/" is no separator here: nothing to escape.
    for (const char* p : {"C:\\a b\\x.ftr", "", "a/b"}) EXPECT_EQ(escape_path_for_message(p), p);
}

class ExistingCase : public InTempDir {};

// The file system finds names whatever their letter case: paths are kept as
// given.
TEST_F(ExistingCase, PathsAreKeptAsGiven) {
    tmp.write("Condor3/Logs/Logfile.txt", "x");
    const std::string root = tmp.path().string();
    for (const std::string& p : {root + "\\CONDOR3\\logs\\LOGFILE.TXT", root + "\\nowhere\\x", std::string()})
        EXPECT_EQ(existing_case(p), p);
    EXPECT_TRUE(file_exists(root + "\\CONDOR3\\logs\\LOGFILE.TXT"));
}

TEST(PathRules, ProgramFolderHasAnUpperCaseDrive) {
    std::string inst;
    get_inst_path(inst);
    ASSERT_GE(inst.size(), 3u);
    EXPECT_TRUE(inst[0] >= 'A' && inst[0] <= 'Z') << inst;
    EXPECT_EQ(inst.substr(1, 2), ":\\");
    EXPECT_EQ(inst.back(), '\\');
}

}  // namespace
