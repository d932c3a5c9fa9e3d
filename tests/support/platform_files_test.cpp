// The platform's file operations: what a name stands for, the creation of
// a folder, the local modification time, the renames and the check that a
// file could be written.
#include <stdlib.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/platform.h"
#include "tests/common/temp_dir.h"

namespace fs = std::filesystem;

class PlatformFiles : public InTempDir {};

// Each kind that stat tells, symbolic links followed; stat's error for a
// name that stands for nothing.
TEST_F(PlatformFiles, EntriesByKind) {
    tmp.write("f", "12345");
    fs::create_directory("d");
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    fs::create_symlink("f", "link");
    fs::create_symlink("missing", "dangling");
    struct Case {
        const char* name;
        Entry_kind kind;
        uint64_t size;
        int32_t error;
    } cases[] = {
        {"f", Entry_kind::file, 5, 0},          {"link", Entry_kind::file, 5, 0},
        {"d", Entry_kind::folder, 0, 0},        {"d/", Entry_kind::folder, 0, 0},
        {"pipe", Entry_kind::other, 0, 0},      {"/dev/null", Entry_kind::other, 0, 0},
        {"missing", Entry_kind::none, 0, ENOENT}, {"dangling", Entry_kind::none, 0, ENOENT},
        {"f/x", Entry_kind::none, 0, ENOTDIR},  {"", Entry_kind::none, 0, ENOENT},
    };
    for (const Case& c : cases) {
        const Path_entry e = path_entry(c.name);
        EXPECT_EQ(e.kind, c.kind) << c.name;
        EXPECT_EQ(e.size, c.size) << c.name;
        EXPECT_EQ(e.error, c.error) << c.name;
    }
    // 2024-05-01 12:07:09 UTC, whatever the time zone.
    const timespec times[2] = {{1714565229, 0}, {1714565229, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, "f", times, 0), 0);
    EXPECT_EQ(path_entry("f").modified, 1714565229);
    EXPECT_EQ(path_entry("link").modified, 1714565229);
}

// One folder at a time: never its parents, never over an existing entry.
TEST_F(PlatformFiles, MakeFolder) {
    tmp.write("f", "x");
    EXPECT_EQ(make_folder("a"), 0);
    EXPECT_TRUE(fs::is_directory("a"));
    EXPECT_EQ(make_folder("a"), EEXIST);
    EXPECT_EQ(make_folder("a/b"), 0);
    EXPECT_EQ(make_folder("c/d"), ENOENT);
    EXPECT_FALSE(fs::exists("c"));
    EXPECT_EQ(make_folder("f"), EEXIST);
    EXPECT_EQ(make_folder("f/g"), ENOTDIR);
    EXPECT_EQ(tmp.read("f"), "x");
    EXPECT_EQ(make_folder(""), ENOENT);
}

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

TEST_F(PlatformFiles, RenameReplacing) {
    tmp.write("new", "NEW");
    tmp.write("old", "OLD");
    EXPECT_EQ(rename_replacing("new", "old"), 0);
    EXPECT_EQ(tmp.read("old"), "NEW");
    EXPECT_FALSE(fs::exists("new"));
    EXPECT_EQ(rename_replacing("new", "old"), ENOENT);
    EXPECT_EQ(rename_replacing("old", "no/such/folder/x"), ENOENT);
    EXPECT_EQ(rename_replacing("", "old"), ENOENT);
    EXPECT_EQ(tmp.read("old"), "NEW");
    fs::create_directory("d");
    EXPECT_EQ(rename_replacing("old", "d"), EISDIR);
    EXPECT_EQ(tmp.read("old"), "NEW");
}

// Only a name that nothing takes is created; an existing entry of that name
// (a symbolic link leading nowhere too) is never opened.
TEST_F(PlatformFiles, CreateNewFile) {
    tmp.write("like", "");
    ASSERT_EQ(chmod("like", 0604), 0);
    std::FILE* f = nullptr;
    ASSERT_EQ(create_new_file("n", "like", f), 0);
    ASSERT_NE(f, nullptr);
    std::fputs("x", f);
    ASSERT_EQ(std::fflush(f), 0);
    EXPECT_EQ(flush_to_disk(f), 0);
    std::fclose(f);
    EXPECT_EQ(tmp.read("n"), "x");
    struct stat st{};
    ASSERT_EQ(stat("n", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u);
    fs::create_symlink("nowhere", "dangling");
    for (const char* taken : {"n", "dangling", "."}) {
        EXPECT_EQ(create_new_file(taken, "", f), create_name_taken) << taken;
        EXPECT_EQ(f, nullptr);
    }
    EXPECT_EQ(tmp.read("n"), "x");
    EXPECT_FALSE(fs::exists("nowhere"));
    EXPECT_EQ(create_new_file("no/such/x", "", f), ENOENT);
    EXPECT_EQ(create_new_file("", "", f), ENOENT);
}

// Opened for writing and closed at once, never made or emptied: errno as
// opening it for writing gives it.  Root may write a file whose mode says
// read-only, so the cases are checked as user 65534 too (in a child
// process) when the test runs as root; a file that may be written but not
// read counts as writable.
TEST_F(PlatformFiles, CheckWritable) {
    fs::permissions(tmp.path(), fs::perms::all);
    const std::pair<const char*, mode_t> files[] = {{"f", 0666}, {"ro", 0444}, {"wo", 0222}};
    for (const auto& [name, mode] : files) {
        tmp.write(name, "keep");
        ASSERT_EQ(chmod(name, mode), 0);
    }
    fs::create_directory("d");
    struct Case {
        const char* name;
        int32_t error;       // as a user without root's rights
        int32_t root_error;  // as root
    } cases[] = {
        {"f", 0, 0},           {"ro", EACCES, 0},         {"wo", 0, 0},
        {"d", EISDIR, EISDIR}, {"missing", ENOENT, ENOENT}, {"no/such/x", ENOENT, ENOENT},
        {"f/x", ENOTDIR, ENOTDIR}, {"", ENOENT, ENOENT},
    };
    constexpr std::size_t n = sizeof cases / sizeof cases[0];
    const bool root = geteuid() == 0;
    for (const Case& c : cases) EXPECT_EQ(check_writable(c.name), root ? c.root_error : c.error) << c.name;

    if (root) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(fds[0]);
            int32_t got[n];
            if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(1);
            for (std::size_t i = 0; i < n; ++i) got[i] = check_writable(cases[i].name);
            _exit(write(fds[1], got, sizeof got) == static_cast<ssize_t>(sizeof got) ? 0 : 1);
        }
        close(fds[1]);
        int32_t got[n] = {};
        const ssize_t r = read(fds[0], got, sizeof got);
        close(fds[0]);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_EQ(status, 0);
        ASSERT_EQ(r, static_cast<ssize_t>(sizeof got));
        for (std::size_t i = 0; i < n; ++i) EXPECT_EQ(got[i], cases[i].error) << cases[i].name << " as user 65534";
    }
    for (const auto& [name, mode] : files) {
        ASSERT_EQ(chmod(name, 0600), 0);
        EXPECT_EQ(tmp.read(name), "keep") << name;
    }
    EXPECT_FALSE(fs::exists("missing"));
}

// What whole files ask before they choose how to write: is the name a link
// itself, could it be written in place, and for what reason not.
TEST_F(PlatformFiles, WritingInPlace) {
    tmp.write("f", "x");
    tmp.write("d/g", "x");
    fs::create_symlink("f", "to_f");
    fs::create_symlink("nowhere", "dangling");
    fs::create_symlink("loop_b", "loop_a");
    fs::create_symlink("loop_a", "loop_b");
    for (const char* link : {"to_f", "dangling", "loop_a"}) EXPECT_TRUE(is_symbolic_link(link)) << link;
    for (const char* other : {"f", "d", "missing", ""}) EXPECT_FALSE(is_symbolic_link(other)) << other;

    struct {
        const char* name;
        int32_t error;
    } cases[] = {{"f", 0}, {"to_f", 0}, {"d", EISDIR}, {"missing", ENOENT}, {"loop_a", ELOOP}, {"f/x", ENOTDIR}};
    for (const auto& c : cases) EXPECT_EQ(check_writable(c.name), c.error) << c.name;
    EXPECT_EQ(tmp.read("f"), "x");  // opened, never emptied

    for (const int32_t e : {EACCES, EPERM, EROFS}) EXPECT_TRUE(is_permission_error(e)) << e;
    for (const int32_t e : {ENOENT, ENOSPC, EEXIST, 0}) EXPECT_FALSE(is_permission_error(e)) << e;
    EXPECT_EQ(longest_file_name(""), 255);  // the test folder's file system
    EXPECT_EQ(longest_file_name("d/"), 255);
}

// The reasons that messages give beside their own text, for the numbers the
// file functions return.
TEST(PlatformErrors, TextOfTheFileFunctionsNumbers) {
    EXPECT_EQ(os_error_text(ENOENT), "No such file or directory");
    EXPECT_EQ(os_error_text(EACCES), "Permission denied");
    EXPECT_FALSE(os_error_text(-12345).empty());
}
