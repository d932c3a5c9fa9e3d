#include "support/paths.h"

#include <filesystem>

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
    for (const Case& c : cases) {
        std::string folder = "?", name = "?";
        extract_path_name(c.path, folder, name);
        EXPECT_EQ(folder, c.folder) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
        std::string only = "?";
        extract_name(c.path, only);
        EXPECT_EQ(only, std::string(c.path) == ".." ? ".." : c.name) << c.path;
    }
}

TEST(Paths, ParentFolder) {
    struct Case {
        const char* path;
        const char* parent;
    } cases[] = {{"/a/b", "/a"}, {"/a/b/", "/a"}, {"/x", "/x"}, {"abc", ""}, {"", ""}, {"/", ""}, {"a/b", "a"}};
    for (const Case& c : cases) {
        std::string parent = "?";
        updir(c.path, parent);
        EXPECT_EQ(parent, c.parent) << c.path;
    }
}

TEST(Paths, ProgramFolderIsTheExecutablesFolder) {
    std::string inst;
    get_inst_path(inst);
    ASSERT_FALSE(inst.empty());
    EXPECT_EQ(inst.back(), '/');
    std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe");
    EXPECT_EQ(inst, exe.parent_path().string() + "/");
}

TEST(Paths, AbsoluteAndEscaped) {
    EXPECT_TRUE(is_absolute_folder("/data/out/"));
    EXPECT_FALSE(is_absolute_folder("out/"));
    EXPECT_FALSE(is_absolute_folder(""));
    EXPECT_EQ(escape_path_for_message("/a/b c/"), "\\/a\\/b c\\/");
    EXPECT_EQ(path_separator(), '/');
    EXPECT_EQ(path_sep_str(), "/");
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
        {"sub/a.ini", false, "sub/a.ini"},
        {"here.ini", true, "here.ini"},
        {"here.ini", false, inst + "here.ini"},
        {"absent.ini", true, inst + "absent.ini"},
    };
    for (const Case& c : cases) {
        std::string f = c.name;
        begin_stdout_capture();
        locate_file(f, c.qcur);
        std::string out = end_stdout_capture();
        EXPECT_EQ(f, c.result) << c.name;
        EXPECT_EQ(out, " " + std::string(c.name) + "\n " + inst + "\n");
    }
}

TEST_F(LocateFile, FileExistsIgnoresTrailingBlanks) {
    tmp.write("f.txt", "x");
    EXPECT_TRUE(file_exists("f.txt   "));
    EXPECT_FALSE(file_exists("g.txt"));
    EXPECT_FALSE(file_exists(""));
}
