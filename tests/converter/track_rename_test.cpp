#include "converter/track_rename.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/error_note.h"
#include "tests/common/console_capture.h"
#include "tests/common/temp_dir.h"

namespace fs = std::filesystem;

TEST(RenameCommand, Text) {
    EXPECT_EQ(rename_command_text("./a.ftr", "b.ftr"), "RENAME ./a.ftr b.ftr");
    EXPECT_EQ(rename_command_text("my track.ftr", "b.ftr"), "RENAME \"my track.ftr\" b.ftr");
    EXPECT_EQ(rename_command_text("a.ftr", "x y.ftr"), "RENAME a.ftr \"x y.ftr\"");
}

class TrackRename : public InTempDir {
protected:
    std::string rename(const std::string& from, const std::string& ttt) {
        begin_stdout_capture();
        rename_track(from, ttt);
        return end_stdout_capture();
    }
};

// The target's name is free: the track takes it; taken names give the first
// free numbered one, and no file is ever replaced.
TEST_F(TrackRename, FirstFreeName) {
    tmp.write("d/t1.ftr", "one");
    const std::string out = rename(tmp.file(native_path("d/t1.ftr")), "2024_X");
    EXPECT_EQ(tmp.read("d/2024_X.ftr"), "one");
    EXPECT_FALSE(fs::exists(tmp.path() / "d/t1.ftr"));
    EXPECT_NE(out.find(" F " + tmp.file(native_path("d/2024_X.ftr")) + "\n"), std::string::npos) << out;
    EXPECT_NE(out.find(" exitstat= 0 cmdstat= 0\n"), std::string::npos) << out;

    tmp.write("d/t2.ftr", "two");
    tmp.write("d/t3.ftr", "three");
    rename(tmp.file(native_path("d/t2.ftr")), "2024_X");
    rename(tmp.file(native_path("d/t3.ftr")), "2024_X");
    EXPECT_EQ(tmp.read("d/2024_X.ftr"), "one");
    EXPECT_EQ(tmp.read("d/2024_X_01.ftr"), "two");
    EXPECT_EQ(tmp.read("d/2024_X_02.ftr"), "three");
}

// Names holding what a command interpreter would act on are taken
// literally; a bare name renames in the working folder.  Windows names
// cannot hold a double quote; cmd acts on "&", "^", "%" and brackets.
TEST_F(TrackRename, ShellCharactersInNames) {
    struct Case {
        std::string source;
        std::string target;  // the built name
    } cases[] = {
#ifdef _WIN32
        {"a b&c;d'e^f%PATH%(mkdir g).ftr", "x & y; 'z' %w% (mkdir w)"},
#else
        {"a b&c;d'e\"f$(touch g)`h`.ftr", "x & y; \"z\" $(touch w)"},
#endif
    };
    for (const Case& c : cases) {
        tmp.write(c.source, "track");
        const std::string out = rename(c.source, c.target);
        EXPECT_EQ(tmp.read(c.target + ".ftr"), "track");
        EXPECT_FALSE(fs::exists(tmp.path() / c.source));
        EXPECT_FALSE(fs::exists(tmp.path() / "g"));
        EXPECT_FALSE(fs::exists(tmp.path() / "w"));
        EXPECT_NE(out.find("RENAME \"" + c.source + "\" \"" + c.target + ".ftr\"\n"), std::string::npos) << out;
    }
}

// With the built name and all 99 numbered names taken the track keeps its
// name; the run log's line names the track.
TEST_F(TrackRename, AllNamesTaken) {
    tmp.write("t.ftr", "track");
    tmp.write("N.ftr", "0");
    for (int n = 1; n <= 99; ++n) tmp.write("N_" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".ftr", "x");
    const std::string out = rename("t.ftr", "N");
    EXPECT_EQ(tmp.read("t.ftr"), "track");
    EXPECT_EQ(tmp.read("N.ftr"), "0");
    EXPECT_EQ(tmp.read("N_99.ftr"), "x");
    const std::string line = "t.ftr : not renamed, N.ftr and its _01 to _99 are all taken, the track keeps its name";
    EXPECT_NE(out.find(" >>> " + line + "\n"), std::string::npos) << out;
    EXPECT_EQ(tmp.read("Logfile.txt"), line + "\r\n");
}

// A rename the system refuses says why in the run log, and the track keeps
// its name.
TEST_F(TrackRename, RefusedRenameGivesTheReason) {
    tmp.write("N.ftr", "other");
    const std::string out = rename("missing.ftr", "N");
    // 2 is both ENOENT and Windows' ERROR_FILE_NOT_FOUND.
    const std::string line = "missing.ftr : not renamed to N_01.ftr" + os_error_note(2);
    EXPECT_NE(out.find(" >>> " + line + "\n"), std::string::npos) << out;
    EXPECT_EQ(tmp.read("Logfile.txt"), line + "\r\n");
#ifndef _WIN32
    EXPECT_NE(out.find(" : not renamed to N_01.ftr (error 2: No such file or directory)\n"), std::string::npos)
        << out;
#endif
    EXPECT_EQ(tmp.read("N.ftr"), "other");
}

#ifndef _WIN32
// A target that the existence test does not see as a file (a dangling
// link) still holds its name: the rename does not replace it.  (Links
// need a privilege on Windows; its rename refuses an existing target the
// same way, tests/windows/file_ops_test.cpp.)
TEST_F(TrackRename, TargetSeenOnlyByTheRename) {
    tmp.write("t.ftr", "track");
    fs::create_symlink("nowhere", tmp.path() / "N.ftr");
    rename("t.ftr", "N");
    EXPECT_TRUE(fs::is_symlink(tmp.path() / "N.ftr"));
    EXPECT_EQ(tmp.read("N_01.ftr"), "track");
}
#endif
