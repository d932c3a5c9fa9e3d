// Files written whole: the earlier file of the name is replaced only by a
// complete new one, and nothing else is ever left in its folder.
#include "support/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/stop.h"
#include "support/text_line.h"
#include "tests/common/temp_dir.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

class WholeFile : public InTempDir {
protected:
    // The names in the test's folder.
    std::set<std::string> names() const {
        std::set<std::string> n;
        for (const fs::directory_entry& e : fs::directory_iterator(tmp.path())) n.insert(e.path().filename().string());
        return n;
    }

    // Opens `target`, writes `line` and ends by commit (else discard).
    void write(const std::string& target, const std::string& line, bool commit, bool keep = false) {
        Whole_file w;
        ASSERT_EQ(whole_file_open(w, target, keep).code, 0) << target;
        ASSERT_TRUE(write_text_line(w.f, line));
        if (commit)
            EXPECT_EQ(whole_file_commit(w).code, 0) << target;
        else
            whole_file_discard(w);
        EXPECT_EQ(w.f, nullptr);
    }
};

TEST_F(WholeFile, ReplacedOnlyWhenComplete) {
    tmp.write("r.txt", "earlier\r\n");
    write("r.txt", "abandoned", false);
    EXPECT_EQ(tmp.read("r.txt"), "earlier\r\n");
    EXPECT_EQ(names(), (std::set<std::string>{"r.txt"}));
    write("r.txt", "new", true);
    EXPECT_EQ(tmp.read("r.txt"), "new\r\n");
    write("n.txt", "first", true);
    EXPECT_EQ(tmp.read("n.txt"), "first\r\n");
    write("never.txt", "abandoned", false);
    EXPECT_EQ(names(), (std::set<std::string>{"n.txt", "r.txt"}));
    // A record that goes without either removes its file.
    {
        Whole_file w;
        ASSERT_EQ(whole_file_open(w, "r.txt").code, 0);
    }
    EXPECT_EQ(names(), (std::set<std::string>{"n.txt", "r.txt"}));
}

// Entries that take the temporary names (leftovers of killed runs, among
// them one that had this process's number) are passed over and left
// alone, a folder and a file alike.
TEST_F(WholeFile, TakenTemporaryNamesAreLeftAlone) {
    // The name the next file takes: this one's count plus one.
    std::string next;
    {
        Whole_file probe;
        ASSERT_EQ(whole_file_open(probe, "r.txt").code, 0);
        const std::string::size_type count_end = probe.temp.rfind(".tmp");
        const std::string::size_type count_start = probe.temp.rfind('.', count_end - 1) + 1;
        const int count = std::stoi(probe.temp.substr(count_start, count_end - count_start));
        next = probe.temp.substr(0, count_start) + std::to_string(count + 1) + ".tmp";
        EXPECT_EQ(probe.temp.rfind("r.txt." + std::to_string(process_number()) + ".", 0), 0u) << probe.temp;
    }
    tmp.write(next, "someone's\r\n");
    tmp.write("r.txt.1.tmp", "older\r\n");
    fs::create_directory(tmp.path() / "r.txt.2.tmp");
    write("r.txt", "new", true);
    EXPECT_EQ(tmp.read("r.txt"), "new\r\n");
    EXPECT_EQ(tmp.read(next), "someone's\r\n");
    EXPECT_EQ(tmp.read("r.txt.1.tmp"), "older\r\n");
    EXPECT_TRUE(fs::is_directory(tmp.path() / "r.txt.2.tmp"));
    EXPECT_EQ(names(), (std::set<std::string>{"r.txt", "r.txt.1.tmp", "r.txt.2.tmp", next}));
}

// With keep_content the lines go after the earlier file's bytes.
TEST_F(WholeFile, KeepingTheEarlierContent) {
    tmp.write("a.txt", "one\r\n");
    write("a.txt", "two", true, true);
    EXPECT_EQ(tmp.read("a.txt"), "one\r\ntwo\r\n");
    write("a.txt", "lost", false, true);
    EXPECT_EQ(tmp.read("a.txt"), "one\r\ntwo\r\n");
    write("b.txt", "alone", true, true);
    EXPECT_EQ(tmp.read("b.txt"), "alone\r\n");
    EXPECT_EQ(names(), (std::set<std::string>{"a.txt", "b.txt"}));
}

// What cannot be written is refused before anything is made.
TEST_F(WholeFile, Refusals) {
    tmp.write("d/keep", "");
    Whole_file w;
    const File_error folder = whole_file_open(w, "d");
#ifdef _WIN32
    EXPECT_EQ(folder.code, EACCES);
#else
    EXPECT_EQ(folder.code, EISDIR);
#endif
    EXPECT_FALSE(folder.platform);
    EXPECT_NE(whole_file_open(w, tmp.file(native_path("no/such/x.txt"))).code, 0);
    EXPECT_EQ(w.f, nullptr);
    EXPECT_TRUE(fs::is_directory(tmp.path() / "d"));
    EXPECT_EQ(names(), (std::set<std::string>{"d"}));
    EXPECT_EQ(whole_file_commit(w).code, 0);  // nothing open
}

// A stop while the file is open removes it; the earlier file stays.
TEST_F(WholeFile, StopRemovesTheOpenFile) {
    GTEST_FLAG_SET(death_test_style, "fast");
    tmp.write("r.txt", "earlier\r\n");
    EXPECT_EXIT(
        {
            Whole_file w;
            if (whole_file_open(w, "r.txt").code == 0) write_text_line(w.f, "incomplete");
            stop_run(exit_write_failed);
        },
        testing::ExitedWithCode(exit_write_failed), "");
    EXPECT_EQ(tmp.read("r.txt"), "earlier\r\n");
    EXPECT_EQ(names(), (std::set<std::string>{"r.txt"}));
}

// What a stop does to the files still open, seen without the exit: every
// record is left with nothing open (no closed file that its own end would
// close a second time), no temporary file stays and the earlier files
// stay as they were.
TEST_F(WholeFile, DiscardingEveryOpenFileLeavesEachRecordClosed) {
    tmp.write("r.txt", "earlier\r\n");
    Whole_file a, b, done;
    ASSERT_EQ(whole_file_open(a, "r.txt").code, 0);
    ASSERT_EQ(whole_file_open(b, "n.txt", true).code, 0);
    ASSERT_EQ(whole_file_open(done, "d.txt").code, 0);
    ASSERT_EQ(whole_file_commit(done).code, 0);
    write_text_line(a.f, "incomplete");
    discard_open_whole_files();
    for (const Whole_file* w : {&a, &b}) {
        EXPECT_EQ(w->f, nullptr);
        EXPECT_TRUE(w->temp.empty());
    }
    EXPECT_EQ(tmp.read("r.txt"), "earlier\r\n");
    EXPECT_EQ(names(), (std::set<std::string>{"d.txt", "r.txt"}));
    // The records can be used again.
    write("r.txt", "new", true);
    EXPECT_EQ(tmp.read("r.txt"), "new\r\n");
    EXPECT_EQ(whole_file_commit(a).code, 0);
}

TEST(FileErrors, TextAndNoteByWhoseNumber) {
    EXPECT_EQ(file_error_text({ENOENT, false}), "No such file or directory");
    EXPECT_EQ(file_error_note({EFBIG, false}), " (error 27: File too large)");
#ifdef _WIN32
    // ERROR_ACCESS_DENIED, in the system's words.
    EXPECT_EQ(file_error_note({5, true}).rfind(" (error 5: ", 0), 0u);
    EXPECT_NE(file_error_text({5, true}), file_error_text({5, false}));
#endif
}

#ifndef _WIN32
// A symbolic link is written through and stays a link; a replaced file
// keeps its permissions; a pipe (or a device) is written directly, never
// replaced.
TEST_F(WholeFile, LinksPermissionsAndDevices) {
    tmp.write("real/r.txt", "earlier\r\n");
    fs::create_symlink("real/r.txt", tmp.path() / "link.txt");
    write("link.txt", "through", true);
    EXPECT_TRUE(fs::is_symlink(tmp.path() / "link.txt"));
    EXPECT_EQ(tmp.read("real/r.txt"), "through\r\n");
    EXPECT_EQ(names(), (std::set<std::string>{"link.txt", "real"}));

    // A link to a file not made yet: the file is made where it leads.
    fs::create_symlink("real/later.txt", tmp.path() / "ahead.txt");
    write("ahead.txt", "made", true);
    EXPECT_TRUE(fs::is_symlink(tmp.path() / "ahead.txt"));
    EXPECT_EQ(tmp.read("real/later.txt"), "made\r\n");
    EXPECT_EQ(names(), (std::set<std::string>{"ahead.txt", "link.txt", "real"}));

    ASSERT_EQ(chmod("real/r.txt", 0640), 0);
    write("real/r.txt", "again", true);
    struct stat st{};
    ASSERT_EQ(stat("real/r.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A pipe, with its reader already there, so that opening it does not wait.
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    const int reader = open("pipe", O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    write("pipe", "through the pipe", true);
    char got[64] = {};
    EXPECT_EQ(read(reader, got, sizeof got), 18);
    close(reader);
    EXPECT_EQ(std::string(got), "through the pipe\r\n");
    ASSERT_EQ(lstat("pipe", &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(names(), (std::set<std::string>{"ahead.txt", "link.txt", "pipe", "real"}));
}

// A file whose path is within the system's limit, but not with the
// temporary name's ending, is written in place as before: the whole path,
// not one name, is what is too long.  Replacing and appending alike.
TEST_F(WholeFile, PathTooLongForTheTemporaryNameIsWrittenInPlace) {
    std::string folder;
    for (int level = 0; level < 16; ++level) folder += std::string(250, 'a' + level) + "/";
    ASSERT_TRUE(fs::create_directories(folder));
    const std::string target = folder + std::string(4091 - folder.size(), 'x');
    ASSERT_EQ(target.size(), 4091u);  // PATH_MAX holds 4095 bytes and the NUL
    // Relative names: the folder of the test in front would pass the limit.
    std::FILE* f = std::fopen(target.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("earlier\r\n", f);
    std::fclose(f);
    write(target, "new", true);
    EXPECT_EQ(read_file(target), "new\r\n");
    write(target, "more", true, true);
    EXPECT_EQ(read_file(target), "new\r\nmore\r\n");
    std::set<std::string> in_folder;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) in_folder.insert(e.path().filename().string());
    EXPECT_EQ(in_folder, (std::set<std::string>{std::string(4091 - folder.size(), 'x')}));
    fs::remove_all(std::string(250, 'a'));
}
#endif

}  // namespace
