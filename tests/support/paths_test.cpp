#include "support/paths.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"
#include "tests/common/console_capture.h"

TEST(Paths, FolderAndName) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"/a/b.ftr", "/a/", "b.ftr"}, {"b.ftr", "./", "b.ftr"}, {"..", "../", ""},
        {"/a/b/", "/a/b/", ""},      {"", "", ""},             {"  ", "", ""},
        {"/x", "/", "x"},
    };
    // Written with "/", checked with the platform's separator.
    for (const Case& c : cases) {
        const std::string path = native_path(c.path);
        std::string folder = "?", name = "?";
        extract_path_name(path, folder, name);
        EXPECT_EQ(folder, native_path(c.folder)) << path;
        EXPECT_EQ(name, c.name) << path;
        std::string only = "?";
        extract_name(path, only);
        EXPECT_EQ(only, path == ".." ? ".." : c.name) << path;
    }
}

#ifdef _WIN32
// Windows paths as users give them: "/" separates as "\\" does, and the
// folder part is kept as given.
TEST(Paths, FolderAndNameOfWindowsPaths) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"C:/Flights.2024/b.ftr", "C:/Flights.2024/", "b.ftr"},
        {"C:\\a/b\\c.ftr", "C:\\a/b\\", "c.ftr"},
        {"\\\\server/share/x.igc", "\\\\server/share/", "x.igc"},
        {"C:b.ftr", ".\\", "C:b.ftr"},
    };
    for (const Case& c : cases) {
        std::string folder = "?", name = "?";
        extract_path_name(c.path, folder, name);
        EXPECT_EQ(folder, c.folder) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
        std::string only = "?";
        extract_name(c.path, only);
        EXPECT_EQ(only, c.name) << c.path;
    }
}
#endif

TEST(Paths, ParentFolder) {
    struct Case {
        const char* path;
        const char* parent;
    } cases[] = {{"/a/b", "/a"}, {"/a/b/", "/a"}, {"/x", "/x"}, {"abc", ""}, {"", ""}, {"/", ""}, {"a/b", "a"}};
    for (const Case& c : cases) {
        std::string parent = "?";
        updir(native_path(c.path), parent);
        EXPECT_EQ(parent, native_path(c.parent)) << c.path;
    }
}

TEST(Paths, ProgramFolderIsTheExecutablesFolder) {
    std::string inst;
    get_inst_path(inst);
    ASSERT_FALSE(inst.empty());
    EXPECT_EQ(inst.back(), path_separator());
    // This test program lies in it (the test programs are run by their full
    // path).
    const std::string exe = path_separator() == '\\' ? "support_paths_test.exe" : "support_paths_test";
    EXPECT_TRUE(std::filesystem::is_regular_file(inst + exe)) << inst;
    if (inst.size() >= 2 && inst[1] == ':') {
        EXPECT_TRUE(inst[0] >= 'A' && inst[0] <= 'Z') << inst;
    }
}

class LocateFile : public InTempDir {};

TEST_F(LocateFile, ResolvesAgainstTheProgramFolder) {
    std::string inst;
    get_inst_path(inst);
    tmp.write("here.ini", "x");
    struct Case {
        const char* name;
        bool qcur;
        std::string result;
    } cases[] = {
        {"%INST%/a.ini", false, inst + "a.ini"},
        {"sub/a.ini", false, native_path("sub/a.ini")},
        {"here.ini", true, "here.ini"},
        {"here.ini", false, inst + "here.ini"},
        {"absent.ini", true, inst + "absent.ini"},
    };
    for (const Case& c : cases) {
        std::string f = native_path(c.name);
        begin_stdout_capture();
        locate_file(f, c.qcur);
        std::string out = end_stdout_capture();
        EXPECT_EQ(f, c.result) << c.name;
        EXPECT_EQ(out, " " + native_path(c.name) + "\n " + inst + "\n");
    }
}

TEST_F(LocateFile, FileExistsIgnoresTrailingBlanks) {
    tmp.write("f.txt", "x");
    EXPECT_TRUE(file_exists("f.txt   "));
    EXPECT_FALSE(file_exists("g.txt"));
    EXPECT_FALSE(file_exists(""));
}

// The arguments of both programs: patterns replaced by their matches, the
// rest (a pattern without a match included) as typed.
class Wildcards : public InTempDir {};

TEST_F(Wildcards, PatternsBecomeTheirMatchesInSortedOrder) {
    for (const char* n : {"b.ftr", "a.ftr", "c.igc", "a b.ftr"}) tmp.write(n, "");
    const std::vector<std::string> out =
        expand_wildcards({"-para", "*.ftr", "?.igc", "*.none", "plain", "-ustr:*"});
    EXPECT_EQ(out, (std::vector<std::string>{"-para", "a b.ftr", "a.ftr", "b.ftr", "c.igc", "*.none", "plain",
                                             "-ustr:*"}));
    EXPECT_TRUE(expand_wildcards({}).empty());
}
