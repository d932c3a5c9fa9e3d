// Wildcards, what a name stands for, the creation of a folder, file times,
// the renames, the check that a file could be written and the characters of
// file names on Windows.
#include "support/platform.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/paths.h"
#include "tests/common/temp_dir.h"
#include "tests/windows/ansi_text.h"

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

// Names of the ANSI code page ("\x8A" is S caron in cp1252, a control
// character in Latin-1) stand for the entries that fopen and the *A calls
// give those names.
TEST_F(FileOps, EntriesByAnsiName) {
    const std::string name = "\x8A\xE9";
    ASSERT_NE(from_ansi(name), from_latin1(name)) << "the ANSI code page takes these bytes as Latin-1";
    std::FILE* f = std::fopen((name + ".txt").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("12345", f);
    std::fclose(f);
    ASSERT_TRUE(CreateDirectoryA(name.c_str(), nullptr));
    struct Case {
        std::string name;
        Entry_kind kind;
        uint64_t size;
        int32_t error;
    } cases[] = {
        {name + ".txt", Entry_kind::file, 5, 0}, {name, Entry_kind::folder, 0, 0},
        {name + "/", Entry_kind::folder, 0, 0},  {"missing", Entry_kind::none, 0, ENOENT},
        {"no\\such\\x", Entry_kind::none, 0, ENOENT}, {"", Entry_kind::none, 0, ENOENT},
    };
    for (const Case& c : cases) {
        const Path_entry e = path_entry(c.name);
        EXPECT_EQ(e.kind, c.kind) << c.name;
        EXPECT_EQ(e.size, c.size) << c.name;
        EXPECT_EQ(e.error, c.error) << c.name;
    }

    // 2024-05-01 12:07:09 UTC.
    HANDLE h = CreateFileA((name + ".txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const ULONGLONG ticks = 116444736000000000ULL + 1714565229ULL * 10000000ULL;
    const FILETIME ft{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
    CloseHandle(h);
    EXPECT_EQ(path_entry(name + ".txt").modified, 1714565229);
}

// One folder at a time, under its ANSI name (never the Latin-1 reading of
// it): never its parents, never over an existing entry.
TEST_F(FileOps, MakeFolderByAnsiName) {
    const std::string name = "\x8A\xE9";
    EXPECT_EQ(make_folder(name), 0);
    EXPECT_TRUE(wide_is_folder(from_ansi(name)));
    EXPECT_EQ(wide_attributes(from_latin1(name)), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(make_folder(name), static_cast<int32_t>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(make_folder(name + "\\" + name), 0);
    EXPECT_TRUE(wide_is_folder(from_ansi(name + "\\" + name)));
    EXPECT_EQ(make_folder("c\\d"), static_cast<int32_t>(ERROR_PATH_NOT_FOUND));
    tmp.write("f", "x");
    EXPECT_EQ(make_folder("f"), static_cast<int32_t>(ERROR_ALREADY_EXISTS));
    EXPECT_NE(make_folder(""), 0);
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

TEST_F(FileOps, RenameReplacing) {
    tmp.write("new.igc", "NEW");
    tmp.write("old.igc", "OLD");
    EXPECT_EQ(rename_replacing("new.igc", "old.igc"), 0);
    EXPECT_EQ(tmp.read("old.igc"), "NEW");
    EXPECT_FALSE(std::filesystem::exists(tmp.path() / "new.igc"));
    EXPECT_EQ(rename_replacing("new.igc", "old.igc"), static_cast<int32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(rename_replacing("old.igc", "no\\such\\x.igc"), static_cast<int32_t>(ERROR_PATH_NOT_FOUND));
    EXPECT_NE(rename_replacing("", "old.igc"), 0);
    EXPECT_EQ(tmp.read("old.igc"), "NEW");
    // Under its ANSI name, never the Latin-1 reading of it.
    const std::string name = "\x8A\xE9.igc";
    tmp.write("n.igc", "N");
    EXPECT_EQ(rename_replacing("n.igc", name), 0);
    EXPECT_NE(wide_attributes(from_ansi(name)), INVALID_FILE_ATTRIBUTES);
}

/// Milliseconds since `start`.
long long ms_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

/// The name opened as another program holds a file it reads: for reading,
/// shared for reading and writing but not for deleting, so that the file
/// cannot be replaced while it is open.
HANDLE hold_open(const char* name) {
    return CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A target that another program holds for a moment is replaced once it is
// let go; one held for good is refused after about a second, with both
// files as they were.  A refusal of another kind is reported at once.
TEST_F(FileOps, RenameReplacingWaitsForAHolder) {
    tmp.write("new.igc", "NEW");
    tmp.write("old.igc", "OLD");
    HANDLE h = hold_open("old.igc");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::thread holder([h] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        CloseHandle(h);
    });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rename_replacing("new.igc", "old.igc"), 0);
    EXPECT_GE(ms_since(start), 150);
    holder.join();
    EXPECT_EQ(tmp.read("old.igc"), "NEW");
    EXPECT_FALSE(std::filesystem::exists(tmp.path() / "new.igc"));

    tmp.write("new.igc", "NEWER");
    h = hold_open("old.igc");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    start = std::chrono::steady_clock::now();
    const int32_t held = rename_replacing("new.igc", "old.igc");
    const long long waited = ms_since(start);
    CloseHandle(h);
    EXPECT_TRUE(held == static_cast<int32_t>(ERROR_SHARING_VIOLATION) || held == static_cast<int32_t>(ERROR_ACCESS_DENIED))
        << held;
    EXPECT_GE(waited, 900);
    EXPECT_LT(waited, 5000);
    EXPECT_EQ(tmp.read("old.igc"), "NEW");
    EXPECT_EQ(tmp.read("new.igc"), "NEWER");

    start = std::chrono::steady_clock::now();
    EXPECT_EQ(rename_replacing("new.igc", "no\\such\\x.igc"), static_cast<int32_t>(ERROR_PATH_NOT_FOUND));
    EXPECT_LT(ms_since(start), 500);
}

// Opened for writing and closed at once: the file stays as it was, and the
// errors are the C library's, as opening it for writing gives them.  The
// check shares every right, so that a file that another program is
// renaming or replacing (a handle open for deleting) is no refusal; a
// holder that shares no writing is one.
TEST_F(FileOps, CheckWritable) {
    tmp.write("f.igc", "keep");
    tmp.write("ro.igc", "keep");
    ASSERT_TRUE(SetFileAttributesA("ro.igc", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CreateDirectoryA("d", nullptr));
    // The C library's own open for writing.  (Wine run as root opens a
    // read-only file, as Linux lets root write it; Windows refuses it.)
    const auto crt_error = [](const char* name) {
        errno = 0;
        const int fd = _open(name, _O_WRONLY | _O_BINARY);
        if (fd < 0) return errno;
        _close(fd);
        return 0;
    };
    struct Case {
        const char* name;
        int32_t error;
    } cases[] = {
        {"f.igc", 0},        {"ro.igc", crt_error("ro.igc")},  {"d", EACCES},
        {"missing", ENOENT}, {"no\\such\\x", ENOENT}, {"", ENOENT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(check_writable(c.name), c.error) << c.name;
        if (*c.name != '\0') {
            EXPECT_EQ(crt_error(c.name), c.error) << c.name;
        }
    }
    EXPECT_EQ(tmp.read("f.igc"), "keep");
    EXPECT_FALSE(std::filesystem::exists(tmp.path() / "missing"));

    HANDLE deleting = CreateFileA("f.igc", DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(deleting, INVALID_HANDLE_VALUE);
    EXPECT_EQ(check_writable("f.igc"), 0);
    CloseHandle(deleting);
    HANDLE exclusive = CreateFileA("f.igc", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_EQ(check_writable("f.igc"), EACCES);
    CloseHandle(exclusive);
    EXPECT_EQ(tmp.read("f.igc"), "keep");
    SetFileAttributesA("ro.igc", FILE_ATTRIBUTE_NORMAL);  // so that the folder can be removed
}

// Only a name that nothing takes is created; an existing file or folder of
// that name is never opened.
TEST_F(FileOps, CreateNewFile) {
    std::FILE* f = nullptr;
    ASSERT_EQ(create_new_file("n.igc", "", f), 0);
    ASSERT_NE(f, nullptr);
    std::fputs("x\n", f);  // binary: no CR added
    ASSERT_EQ(std::fflush(f), 0);
    EXPECT_EQ(flush_to_disk(f), 0);
    std::fclose(f);
    EXPECT_EQ(tmp.read("n.igc"), "x\n");
    ASSERT_TRUE(CreateDirectoryA("d", nullptr));
    for (const char* taken : {"n.igc", "d"}) {
        EXPECT_EQ(create_new_file(taken, "", f), create_name_taken) << taken;
        EXPECT_EQ(f, nullptr);
    }
    EXPECT_EQ(tmp.read("n.igc"), "x\n");
    EXPECT_EQ(create_new_file("no\\such\\x", "", f), static_cast<int32_t>(ERROR_PATH_NOT_FOUND));
    EXPECT_NE(create_new_file("", "", f), 0);
}

// A file that replaces a hidden or system file keeps those attributes, so
// that a replace does not show a file its user hid; a plain one gets none.
TEST_F(FileOps, NewFileTakesTheAttributesOfTheFileItReplaces) {
    constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    tmp.write("plain.igc", "x");
    tmp.write("hidden.igc", "x");
    ASSERT_TRUE(SetFileAttributesA("hidden.igc", kept));
    if ((GetFileAttributesA("hidden.igc") & kept) != kept) GTEST_SKIP() << "no such attributes on this file system";
    struct {
        const char* like;
        const char* made;
        DWORD attributes;
    } cases[] = {{"hidden.igc", "hidden.igc.1.tmp", kept}, {"plain.igc", "plain.igc.1.tmp", 0},
                 {"", "none.igc.1.tmp", 0}, {"missing.igc", "missing.igc.1.tmp", 0}};
    for (const auto& c : cases) {
        std::FILE* f = nullptr;
        ASSERT_EQ(create_new_file(c.made, c.like, f), 0) << c.made;
        std::fclose(f);
        EXPECT_EQ(GetFileAttributesA(c.made) & kept, c.attributes) << c.made;
    }
    ASSERT_EQ(rename_replacing("hidden.igc.1.tmp", "hidden.igc"), 0);
    EXPECT_EQ(GetFileAttributesA("hidden.igc") & kept, kept);
    SetFileAttributesA("hidden.igc", FILE_ATTRIBUTE_NORMAL);
}

// A new file may be deleted while it is open, as the stop handler deletes
// it: it goes once its last handle is closed.
TEST_F(FileOps, NewFileCanBeDeletedWhileOpen) {
    std::FILE* f = nullptr;
    ASSERT_EQ(create_new_file("n.tmp", "", f), 0);
    std::fputs("x", f);
    EXPECT_TRUE(DeleteFileA("n.tmp")) << GetLastError();
    std::fclose(f);
    EXPECT_EQ(GetFileAttributesA("n.tmp"), INVALID_FILE_ATTRIBUTES);
}

// What whole files ask before they choose how to write, with the numbers
// the C library gives for the reasons.
TEST_F(FileOps, WritingInPlace) {
    tmp.write("f", "x");
    ASSERT_TRUE(CreateDirectoryA("d", nullptr));
    struct {
        const char* name;
        int32_t error;
    } cases[] = {{"f", 0}, {"d", EACCES}, {"missing", ENOENT}, {"no\\such\\f", ENOENT}};
    for (const auto& c : cases) {
        EXPECT_EQ(check_writable(c.name), c.error) << c.name;
        EXPECT_FALSE(is_symbolic_link(c.name)) << c.name;
    }
    // Open here, the file can still be replaced by another program.
    const HANDLE held = CreateFileA("f", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(check_writable("f"), 0);
    CloseHandle(held);
    EXPECT_EQ(tmp.read("f"), "x");

    EXPECT_TRUE(is_permission_error(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(is_permission_error(ERROR_FILE_NOT_FOUND));
    // Within MAX_PATH: the deeper the folder, the shorter a name in it.
    const std::string deep(200, 'd');
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    char full[MAX_PATH] = {};
    const int32_t here = static_cast<int32_t>(GetFullPathNameA(".", MAX_PATH, full, nullptr));
    EXPECT_EQ(longest_file_name(""), std::min(255, MAX_PATH - 2 - here));
    EXPECT_EQ(longest_file_name(deep + "\\"), std::max(0, MAX_PATH - 3 - here - 200));
    EXPECT_GT(process_number(), 0u);
}

// The system's own message for the codes the file functions return, without
// the period and line end that close it.
TEST(FileErrors, TextOfTheSystemsCodes) {
    const std::string denied = os_error_text(ERROR_ACCESS_DENIED);
    EXPECT_NE(denied.find("ccess"), std::string::npos) << denied;
    EXPECT_NE(os_error_text(ERROR_FILE_NOT_FOUND), os_error_text(ERROR_PATH_NOT_FOUND));
    for (const std::string& t : {denied, os_error_text(ERROR_FILE_NOT_FOUND), os_error_text(0x7FFFFFF0)}) {
        ASSERT_FALSE(t.empty());
        EXPECT_NE(t.back(), '.');
        EXPECT_EQ(t.find_first_of("\r\n"), std::string::npos);
    }
}

TEST(FileNames, ReservedCharacters) {
    for (char c : std::string("<>:\"/\\|?*\x01\x1f")) EXPECT_TRUE(forbidden_in_file_name(c)) << int(c);
    for (char c : std::string("aZ09 _-.,;'&%()\xE9")) EXPECT_FALSE(forbidden_in_file_name(c)) << int(c);
    EXPECT_TRUE(forbidden_in_file_name('\0'));
}

}  // namespace
