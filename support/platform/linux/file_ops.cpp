// File operations of Linux that the portable code cannot express: what a
// name stands for, the creation of a folder, the local modification time of
// a file, the renames that never replace a file and that replace one, the
// exclusive creation of a file and what writing a file in place needs.
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "support/platform.h"

Path_entry path_entry(std::string_view path) {
    const std::string p(path);
    Path_entry e;
    struct stat st{};
    if (stat(p.c_str(), &st) != 0) {
        e.error = errno != 0 ? errno : ENOENT;
        return e;
    }
    e.kind = S_ISREG(st.st_mode) ? Entry_kind::file : S_ISDIR(st.st_mode) ? Entry_kind::folder : Entry_kind::other;
    if (e.kind == Entry_kind::file) e.size = static_cast<uint64_t>(st.st_size);
    e.modified = static_cast<int64_t>(st.st_mtime);
    return e;
}

int32_t make_folder(std::string_view path) {
    const std::string p(path);
    errno = 0;
    if (mkdir(p.c_str(), 0777) == 0) return 0;
    return errno != 0 ? errno : 1;
}

bool file_modified_local(std::string_view path, LocalTime& t) {
    const std::string p(path);
    struct stat st{};
    if (p.empty() || stat(p.c_str(), &st) != 0) return false;
    tm local{};
    const time_t when = st.st_mtime;
    if (!localtime_r(&when, &local)) return false;
    t = LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
    return true;
}

namespace {

int errno_or_1() { return errno != 0 ? errno : 1; }

// Errors by which a file system says it does not offer an operation (rather
// than that the operation failed).
bool unsupported(int e) { return e == EINVAL || e == ENOSYS || e == ENOTSUP || e == EOPNOTSUPP || e == EPERM; }

// The last resort for file systems that offer neither the no-replace flag nor
// hard links: the target's name is taken first by creating an empty file
// exclusively, and the rename then replaces only that placeholder.
int32_t rename_over_placeholder(const std::string& from, const std::string& to) {
    const int fd = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno == EEXIST ? rename_target_taken : errno_or_1();
    close(fd);
    if (std::rename(from.c_str(), to.c_str()) == 0) return 0;
    const int32_t e = errno_or_1();
    unlink(to.c_str());
    return e;
}

}  // namespace

int32_t rename_no_replace(std::string_view from_path, std::string_view to_path) {
    const std::string from(from_path), to(to_path);
    if (from.empty() || to.empty()) return ENOENT;
    errno = 0;
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    int e = errno_or_1();
    if (e == EEXIST) return rename_target_taken;
    if (!unsupported(e)) return e;

    // A file system without the flag: a hard link fails when the target
    // exists, and the old name is then removed.
    errno = 0;
    if (link(from.c_str(), to.c_str()) == 0) {
        if (unlink(from.c_str()) == 0) return 0;
        e = errno_or_1();
        unlink(to.c_str());
        return e;
    }
    e = errno_or_1();
    if (e == EEXIST) return rename_target_taken;
    if (!unsupported(e)) return e;
    return rename_over_placeholder(from, to);
}

int32_t create_new_file(std::string_view path_in, std::string_view like_in, std::FILE*& f) {
    f = nullptr;
    const std::string path(path_in), like(like_in);
    if (path.empty()) return ENOENT;
    errno = 0;
    // O_EXCL also refuses a symbolic link of that name, wherever it leads.
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno == EEXIST ? create_name_taken : errno_or_1();
    struct stat st{};
    if (!like.empty() && lstat(like.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        // The owner where the system allows it (root), else at least the
        // group (a member of it); a refusal leaves the runner's.  Before
        // the mode, which a change of owner may clear bits of.
        if (fchown(fd, st.st_uid, st.st_gid) != 0) (void)fchown(fd, static_cast<uid_t>(-1), st.st_gid);
        // Only the permission bits: never set-user-id or the like.
        (void)fchmod(fd, st.st_mode & 0777);
    }
    f = fdopen(fd, "wb");
    if (f == nullptr) {
        const int32_t e = errno_or_1();
        close(fd);
        unlink(path.c_str());
        return e;
    }
    return 0;
}

int32_t check_writable(std::string_view path_in) {
    const std::string path(path_in);
    if (path.empty()) return ENOENT;
    errno = 0;
    // Neither O_CREAT nor O_TRUNC: the entry stays as it is.
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return errno_or_1();
    close(fd);
    return 0;
}

int32_t flush_to_disk(std::FILE* f) {
    errno = 0;
    return fsync(fileno(f)) == 0 ? 0 : errno_or_1();
}

int32_t rename_replacing(std::string_view from_path, std::string_view to_path) {
    const std::string from(from_path), to(to_path);
    if (from.empty() || to.empty()) return ENOENT;
    errno = 0;
    if (std::rename(from.c_str(), to.c_str()) == 0) return 0;
    return errno_or_1();
}

bool is_symbolic_link(std::string_view path_in) {
    const std::string path(path_in);
    struct stat st{};
    return !path.empty() && lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool replace_forbidden(std::string_view path_in) {
    const std::string path(path_in);
    std::size_t end = path.rfind('/');
    const std::string folder = end == std::string::npos ? std::string(".") : path.substr(0, end == 0 ? 1 : end);
    struct stat file{}, dir{};
    if (path.empty() || lstat(path.c_str(), &file) != 0 || stat(folder.c_str(), &dir) != 0) return false;
    // A file mounted over the name (a container's single-file volume) is
    // never renamed over.
    struct statx x{};
    if (file.st_dev != dir.st_dev) return true;
    if (statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, 0, &x) == 0 &&
        (x.stx_attributes_mask & x.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0)
        return true;
    // The sticky bit lets only the file's owner, the folder's owner and a
    // privileged process remove or replace an entry of the folder.
    const uid_t me = geteuid();
    return (dir.st_mode & S_ISVTX) != 0 && me != 0 && file.st_uid != me && dir.st_uid != me;
}

bool is_permission_error(int32_t code) { return code == EACCES || code == EPERM || code == EROFS; }

bool is_name_length_error(int32_t code) { return code == ENAMETOOLONG; }

int32_t longest_file_name(std::string_view folder_in) {
    const std::string folder = folder_in.empty() ? std::string(".") : std::string(folder_in);
    const long n = pathconf(folder.c_str(), _PC_NAME_MAX);
    return n > 0 && n < 4096 ? static_cast<int32_t>(n) : 255;
}

uint32_t process_number() { return static_cast<uint32_t>(getpid()); }

std::string os_error_text(int32_t code) {
    const char* text = std::strerror(code);
    return text != nullptr && *text != '\0' ? std::string(text) : std::string("unknown error");
}
