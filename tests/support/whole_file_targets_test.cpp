// Every kind of target a file written whole may meet ends as writing it in
// place ends: the system's own open(O_WRONLY | O_CREAT | O_TRUNC) of the
// same target in a twin of the same folder writes the same file (content,
// mode, owner, links left as they were) or is refused for the same reason.
// The table runs as the test's user and, when that is root, once more as
// the unprivileged user 65534, for whom folders and files refuse writing.
#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/text_line.h"
#include "support/whole_file.h"
#include "tests/common/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t nobody = 65534;

void put(const fs::path& p, const std::string& content, mode_t mode = 0644) {
    fs::create_directories(p.parent_path());
    const int fd = open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return;
    if (::write(fd, content.data(), content.size()) < 0) perror("write");
    fchmod(fd, mode);
    close(fd);
}

void link_at(const std::string& to, const fs::path& link) {
    fs::create_directories(link.parent_path());
    if (symlink(to.c_str(), link.c_str()) != 0) perror("symlink");
}

struct Target_case {
    const char* what;
    // Makes the case's entries in a twin folder.
    std::function<void(const fs::path&)> make;
    // The target, relative to the twin (absolute when it begins "/").
    std::string target;
    bool root_only = false;  // the set-up needs root (another user's entries)
};

const std::string long_name(255, 'n');

std::vector<Target_case> target_cases() {
    return {
        {"new file", [](const fs::path&) {}, "w/t"},
        {"regular file", [](const fs::path& d) { put(d / "w/t", "earlier\r\n"); }, "w/t"},
        {"read-only file", [](const fs::path& d) { put(d / "w/t", "earlier\r\n", 0444); }, "w/t"},
        {"file that may be written, not read", [](const fs::path& d) { put(d / "w/t", "earlier\r\n", 0200); }, "w/t"},
        {"file in a folder that cannot be written",
         [](const fs::path& d) {
             put(d / "w/t", "earlier\r\n", 0640);
             chmod((d / "w").c_str(), 0555);
         },
         "w/t"},
        {"new file in a folder that cannot be written",
         [](const fs::path& d) {
             fs::create_directories(d / "w");
             chmod((d / "w").c_str(), 0555);
         },
         "w/t"},
        {"link to a file here",
         [](const fs::path& d) {
             put(d / "w/real", "earlier\r\n", 0600);
             link_at("real", d / "w/t");
         },
         "w/t"},
        {"link to a file elsewhere",
         [](const fs::path& d) {
             put(d / "o/real", "earlier\r\n", 0600);
             link_at("../o/real", d / "w/t");
         },
         "w/t"},
        {"link to a read-only file",
         [](const fs::path& d) {
             put(d / "o/real", "earlier\r\n", 0444);
             link_at("../o/real", d / "w/t");
         },
         "w/t"},
        {"dangling link", [](const fs::path& d) { link_at("../o/later", d / "w/t"); }, "w/t"},
        {"dangling link into no folder", [](const fs::path& d) { link_at("../none/later", d / "w/t"); }, "w/t"},
        {"loop of links",
         [](const fs::path& d) {
             link_at("loop", d / "w/t");
             link_at("t", d / "w/loop");
         },
         "w/t"},
        {"link to a folder",
         [](const fs::path& d) {
             fs::create_directories(d / "o");
             link_at("../o", d / "w/t");
         },
         "w/t"},
        {"folder", [](const fs::path& d) { fs::create_directories(d / "w/t"); }, "w/t"},
        {"device", [](const fs::path& d) { fs::create_directories(d / "w"); }, "/dev/null"},
        {"under a file", [](const fs::path& d) { put(d / "w/f", "x"); }, "w/f/t"},
        {"name of 255 bytes", [](const fs::path& d) { put(d / "w" / long_name, "earlier\r\n"); }, "w/" + long_name},
        {"new name of 250 bytes", [](const fs::path& d) { fs::create_directories(d / "w"); },
         "w/" + long_name.substr(0, 250)},
        {"name of 256 bytes", [](const fs::path& d) { fs::create_directories(d / "w"); }, "w/" + long_name + "n"},
        {"1000 leftovers",
         [](const fs::path& d) {
             put(d / "w/t", "earlier\r\n");
             for (int k = 1; k <= 1000; ++k) put(d / ("w/t." + std::to_string(k) + ".tmp"), "left\r\n");
         },
         "w/t"},
        {"file of another user",
         [](const fs::path& d) {
             put(d / "w/t", "earlier\r\n", 0444);
             chown((d / "w/t").c_str(), nobody, nobody);
         },
         "w/t", true},
        {"another user's link in a shared folder",
         [](const fs::path& d) {
             put(d / "victim/secret", "precious data\r\n", 0600);
             fs::create_directories(d / "w");
             chmod((d / "w").c_str(), 01777);
             link_at("../victim/secret", d / "w/t");
             lchown((d / "w/t").c_str(), nobody, nobody);
         },
         "w/t", true},
    };
}

// What a folder holds, entry by entry: kind, mode, owner, and a file's
// bytes or a link's text.  Links are never followed.
void snapshot_into(const fs::path& folder, const std::string& under, std::map<std::string, std::string>& seen) {
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        struct stat st{};
        if (lstat(e.path().c_str(), &st) != 0) continue;
        std::string d = std::to_string(st.st_mode) + " " + std::to_string(st.st_uid) + ":" +
                        std::to_string(st.st_gid) + " ";
        if (S_ISLNK(st.st_mode))
            d += fs::read_symlink(e.path()).string();
        else if (S_ISREG(st.st_mode))
            d += read_file(e.path());
        const std::string name = under + e.path().filename().string();
        seen[name] = d;
        if (S_ISDIR(st.st_mode)) snapshot_into(e.path(), name + "/", seen);
    }
}

std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> seen;
    snapshot_into(folder, "", seen);
    return seen;
}

// Lets the folder's entries be removed again, whoever runs the test.
void open_up(const fs::path& folder) {
    chmod(folder.c_str(), 0755);
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        struct stat st{};
        if (lstat(e.path().c_str(), &st) == 0 && S_ISDIR(st.st_mode)) open_up(e.path());
    }
}

std::string full(const fs::path& twin, const std::string& target) {
    return target[0] == '/' ? target : (twin / target).string();
}

// Runs the table in `base`, each case replacing the target and appending to
// it (the system's O_APPEND in place of O_TRUNC); returns a line per case
// whose outcomes differ.
std::string differences(const fs::path& base, bool as_root) {
    const std::string line = "new\r\n";
    std::string found;
    int n = 0;
    for (const bool keep : {false, true})
        for (const Target_case& c : target_cases()) {
            if (c.root_only && !as_root) continue;
            const std::string what = std::string(c.what) + (keep ? " (appending)" : "");
            const fs::path in_place = base / ("p" + std::to_string(n));
            const fs::path whole = base / ("w" + std::to_string(n++));
            for (const fs::path& twin : {in_place, whole}) {
                fs::create_directories(twin);
                c.make(twin);
            }

            errno = 0;
            int expected = 0;
            const int fd =
                open(full(in_place, c.target).c_str(), O_WRONLY | O_CREAT | (keep ? O_APPEND : O_TRUNC), 0666);
            if (fd < 0)
                expected = errno;
            else if (::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()) || close(fd) != 0)
                expected = -1;

            int got = 0;
            {
                Whole_file w;
                File_error e = whole_file_open(w, full(whole, c.target), keep);
                if (e.code == 0 && !write_text_line(w.f, "new")) e = File_error{-1, false};
                if (e.code == 0) e = whole_file_commit(w);
                got = e.code;
            }
            const std::map<std::string, std::string> a = snapshot(in_place), b = snapshot(whole);
            if (got != expected)
                found += what + ": error " + std::to_string(got) + " where writing in place gives " +
                         std::to_string(expected) + "\n";
            if (a != b) {
                found += what + ": the folders differ\n";
                for (const auto& [name, d] : b)
                    if (a.count(name) == 0 || a.at(name) != d) found += "  " + name + " " + d.substr(0, 60) + "\n";
                for (const auto& [name, d] : a)
                    if (b.count(name) == 0) found += "  missing " + name + "\n";
            }
            if (c.target == "/dev/null" && a.size() != 1) found += what + ": an entry was made\n";
            open_up(in_place);
            open_up(whole);
        }
    return found;
}

class WholeFileTargets : public InTempDir {};

TEST_F(WholeFileTargets, EndAsWritingInPlaceEnds) {
    EXPECT_EQ(differences(tmp.path() / "mine", geteuid() == 0), "");
}

// Runs `work` in a child process as user 65534 and returns what it returns
// ("child failed" when it could not become that user or did not end well).
std::string as_nobody(const std::function<std::string()>& work) {
    int report[2];
    if (pipe(report) != 0) return "no pipe";
    const pid_t child = fork();
    if (child < 0) return "no child";
    if (child == 0) {
        close(report[0]);
        if (setgroups(0, nullptr) != 0 || setresgid(nobody, nobody, nobody) != 0 ||
            setresuid(nobody, nobody, nobody) != 0)
            _exit(3);
        const std::string found = work();
        if (::write(report[1], found.data(), found.size()) < 0) _exit(4);
        _exit(0);
    }
    close(report[1]);
    std::string found;
    char buffer[4096];
    for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;) found.append(buffer, static_cast<std::size_t>(n));
    close(report[0]);
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        found += "child failed (status " + std::to_string(status) + ")";
    return found;
}

TEST_F(WholeFileTargets, EndAsWritingInPlaceEndsForAnUnprivilegedUser) {
    if (geteuid() != 0) GTEST_SKIP() << "the test runs as an unprivileged user already";
    const fs::path base = tmp.path() / "nobody";
    fs::create_directories(base);
    ASSERT_EQ(chmod(tmp.path().c_str(), 0755), 0);
    ASSERT_EQ(chown(base.c_str(), nobody, nobody), 0);
    EXPECT_EQ(as_nobody([&] { return differences(base, false); }), "");
}

// In a shared folder such as /tmp (sticky, writable by all) a file that
// another user lets everyone write may be written but not replaced: it is
// written in place, as before, keeping its owner and mode.
TEST_F(WholeFileTargets, AWritableFileOfAnotherUserInASharedFolderIsWrittenInPlace) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to give the file to another user";
    ASSERT_EQ(chmod(tmp.path().c_str(), 0755), 0);
    for (const char* twin : {"p", "w"}) {
        const fs::path shared = tmp.path() / twin;
        fs::create_directories(shared);
        ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
        put(shared / "t", "earlier\r\n", 0666);
    }
    const std::string found = as_nobody([&] {
        std::string f;
        const int fd = open((tmp.path() / "p/t").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (fd < 0 || ::write(fd, "new\r\n", 5) != 5 || close(fd) != 0) f += "in place: error " + std::to_string(errno) + "\n";
        Whole_file w;
        File_error e = whole_file_open(w, (tmp.path() / "w/t").string());
        if (e.code == 0 && !write_text_line(w.f, "new")) e = File_error{-1, false};
        if (e.code == 0) e = whole_file_commit(w);
        if (e.code != 0) f += "whole: error " + std::to_string(e.code) + "\n";
        return f;
    });
    EXPECT_EQ(found, "");
    EXPECT_EQ(snapshot(tmp.path() / "w"), snapshot(tmp.path() / "p"));
    EXPECT_EQ(read_file(tmp.path() / "w/t"), "new\r\n");
}

// A file mounted over the name (a container's single-file volume) cannot be
// replaced by a rename: it is written in place, the file behind the mount
// taking the lines.
TEST_F(WholeFileTargets, AFileMountedOverTheNameIsWrittenInPlace) {
    const fs::path d = tmp.path();
    put(d / "p/real", "earlier\r\n");
    put(d / "w/real", "earlier\r\n");
    put(d / "p/t", "covered\r\n");
    put(d / "w/t", "covered\r\n");
    if (mount((d / "p/real").c_str(), (d / "p/t").c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "no bind mounts here: " << std::strerror(errno);
    if (mount((d / "w/real").c_str(), (d / "w/t").c_str(), nullptr, MS_BIND, nullptr) != 0) {
        umount((d / "p/t").c_str());
        GTEST_SKIP() << "no bind mounts here: " << std::strerror(errno);
    }
    const int fd = open((d / "p/t").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const bool in_place = fd >= 0 && ::write(fd, "new\r\n", 5) == 5 && close(fd) == 0;
    Whole_file w;
    File_error e = whole_file_open(w, (d / "w/t").string());
    if (e.code == 0 && !write_text_line(w.f, "new")) e = File_error{-1, false};
    if (e.code == 0) e = whole_file_commit(w);
    const std::map<std::string, std::string> a = snapshot(d / "p"), b = snapshot(d / "w");
    umount((d / "p/t").c_str());
    umount((d / "w/t").c_str());
    EXPECT_TRUE(in_place);
    EXPECT_EQ(e.code, 0) << file_error_text(e);
    EXPECT_EQ(b, a);
    EXPECT_EQ(read_file(d / "w/real"), "new\r\n");
    EXPECT_EQ(read_file(d / "w/t"), "covered\r\n");
}

}  // namespace
