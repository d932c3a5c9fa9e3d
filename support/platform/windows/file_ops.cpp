// File operations of Windows that the portable code cannot express: what a
// name stands for, the creation of a folder, the local modification time
// of a file, the renames that never replace a file and that replace one,
// the exclusive creation of a file and the check that a file could be
// written.  Every name goes to the *A calls, which read it in the ANSI code
// page as fopen does.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>

#include "support/platform.h"

namespace {

/// 100-nanosecond intervals from 1601 (the FILETIME epoch) to 1970.
constexpr int64_t filetime_1970 = 116444736000000000LL;

/// How long a replace refused because the target is held open is tried
/// again, and the pause between the tries (milliseconds).
constexpr ULONGLONG replace_retry_ms = 1000;
constexpr DWORD replace_retry_pause_ms = 20;

/// The C library's errno value for a system error code, as its own file
/// functions (fopen, _open) map the codes of CreateFileA.
int32_t errno_of_system_error(DWORD e) {
    if (e >= ERROR_WRITE_PROTECT && e <= ERROR_SHARING_BUFFER_EXCEEDED) return EACCES;
    switch (e) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_NO_MORE_FILES:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_CURRENT_DIRECTORY:
        case ERROR_NETWORK_ACCESS_DENIED:
        case ERROR_CANNOT_MAKE:
        case ERROR_FAIL_I24:
        case ERROR_DRIVE_LOCKED:
        case ERROR_SEEK_ON_DEVICE:
        case ERROR_NOT_LOCKED:
        case ERROR_LOCK_FAILED:
            return EACCES;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_ARENA_TRASHED:
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_INVALID_BLOCK:
        case ERROR_NOT_ENOUGH_QUOTA:
            return ENOMEM;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        case ERROR_DISK_FULL:
            return ENOSPC;
        case ERROR_BROKEN_PIPE:
            return EPIPE;
        case ERROR_DIR_NOT_EMPTY:
            return ENOTEMPTY;
        case ERROR_INVALID_HANDLE:
        case ERROR_INVALID_TARGET_HANDLE:
        case ERROR_DIRECT_ACCESS_HANDLE:
            return EBADF;
        default:
            return EINVAL;
    }
}

}  // namespace

Path_entry path_entry(std::string_view path) {
    const std::string p(path);
    Path_entry e;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(p.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD err = GetLastError();
        e.error = err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION ? EACCES : ENOENT;
        return e;
    }
    const DWORD a = data.dwFileAttributes;
    e.kind = (a & FILE_ATTRIBUTE_DEVICE) != 0      ? Entry_kind::other
             : (a & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Entry_kind::folder
                                                   : Entry_kind::file;
    if (e.kind == Entry_kind::file)
        e.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                               data.ftLastWriteTime.dwLowDateTime);
    // Whole seconds, rounded down also before 1970.
    const int64_t since_1970 = ticks - filetime_1970;
    e.modified = since_1970 / 10000000 - (since_1970 % 10000000 < 0 ? 1 : 0);
    return e;
}

int32_t make_folder(std::string_view path) {
    const std::string p(path);
    if (CreateDirectoryA(p.c_str(), nullptr)) return 0;
    const DWORD e = GetLastError();
    return e != 0 ? static_cast<int32_t>(e) : 1;
}

bool file_modified_local(std::string_view path, LocalTime& t) {
    const std::string p(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (p.empty() || !GetFileAttributesExA(p.c_str(), GetFileExInfoStandard, &data)) return false;
    SYSTEMTIME utc{}, local{};
    // The time zone rules of that date, daylight saving included.
    if (!FileTimeToSystemTime(&data.ftLastWriteTime, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return false;
    t = LocalTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
    return true;
}

int32_t rename_no_replace(std::string_view from_path, std::string_view to_path) {
    const std::string from(from_path), to(to_path);
    if (from.empty() || to.empty()) return ERROR_FILE_NOT_FOUND;
    // Without MOVEFILE_REPLACE_EXISTING the system refuses an existing
    // target itself, in the same step as the rename.
    if (MoveFileExA(from.c_str(), to.c_str(), 0)) return 0;
    const DWORD e = GetLastError();
    if (e == ERROR_ALREADY_EXISTS || e == ERROR_FILE_EXISTS) return rename_target_taken;
    return e != 0 ? static_cast<int32_t>(e) : 1;
}

int32_t create_new_file(std::string_view path_in, std::string_view like_in, std::FILE*& f) {
    f = nullptr;
    const std::string path(path_in), like(like_in);
    if (path.empty()) return ERROR_FILE_NOT_FOUND;
    // The file that this one replaces lends it the attributes a user set on
    // it (hidden, system, archive, not indexed), as the Linux side keeps
    // the mode; read-only is not among them, as such a file is not replaced.
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (!like.empty()) {
        const DWORD a = GetFileAttributesA(like.c_str());
        constexpr DWORD kept =
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0 && (a & kept) != 0)
            attributes = a & kept;
    }
    // mingw's fopen has no exclusive mode: the handle is made by the system
    // and then given to the C library.
    // Deleting shared too: the stop handler removes the file while it is open.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, CREATE_NEW, attributes, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        if (e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS) return create_name_taken;
        return e != 0 ? static_cast<int32_t>(e) : 1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
    if (fd == -1) {
        CloseHandle(h);
        DeleteFileA(path.c_str());
        return ERROR_TOO_MANY_OPEN_FILES;
    }
    f = _fdopen(fd, "wb");
    if (f == nullptr) {
        _close(fd);
        DeleteFileA(path.c_str());
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    return 0;
}

int32_t check_writable(std::string_view path_in) {
    const std::string path(path_in);
    if (path.empty()) return ENOENT;
    // Every sharing right: another program may read, write, rename or
    // replace the file while it is open here.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return errno_of_system_error(GetLastError());
    CloseHandle(h);
    return 0;
}

int32_t flush_to_disk(std::FILE* f) {
    errno = 0;
    return _commit(_fileno(f)) == 0 ? 0 : (errno != 0 ? errno : EIO);
}

int32_t rename_replacing(std::string_view from_path, std::string_view to_path) {
    const std::string from(from_path), to(to_path);
    if (from.empty() || to.empty()) return ERROR_FILE_NOT_FOUND;
    // A file that another program holds open (a virus scanner, a viewer,
    // another run checking the same target; under Wine any open handle) is
    // not replaced while it is open: such a refusal is tried again until
    // the holder is likely done.  A lasting refusal of that kind (a
    // read-only file, a folder) then costs that long before it is reported.
    const ULONGLONG deadline = GetTickCount64() + replace_retry_ms;
    for (;;) {
        if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
        const DWORD e = GetLastError();
        const bool held = e == ERROR_SHARING_VIOLATION || e == ERROR_ACCESS_DENIED || e == ERROR_LOCK_VIOLATION;
        if (!held || GetTickCount64() >= deadline) return e != 0 ? static_cast<int32_t>(e) : 1;
        Sleep(replace_retry_pause_ms);
    }
}

bool is_symbolic_link(std::string_view path_in) {
    const std::string path(path_in);
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
    // Other reparse points (mount points, files kept in a cloud) are not links.
    WIN32_FIND_DATAA data{};
    const HANDLE h = FindFirstFileA(path.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return data.dwReserved0 == IO_REPARSE_TAG_SYMLINK;
}

// No folder of Windows lets a file be written but not replaced by its writer
// the way a sticky folder of Linux does.
bool replace_forbidden(std::string_view) { return false; }

bool is_permission_error(int32_t code) { return code == ERROR_ACCESS_DENIED || code == ERROR_WRITE_PROTECT; }

bool is_name_length_error(int32_t code) {
    return code == ERROR_FILENAME_EXCED_RANGE || code == ERROR_PATH_NOT_FOUND;
}

int32_t longest_file_name(std::string_view folder_in) {
    // The *A calls take paths of fewer than MAX_PATH characters in all.
    const std::string folder = folder_in.empty() ? std::string(".") : std::string(folder_in);
    char full[MAX_PATH + 1] = {};
    const DWORD n = GetFullPathNameA(folder.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n > MAX_PATH) return 255;
    const bool separated = full[n - 1] == '\\' || full[n - 1] == '/';
    const int32_t room = MAX_PATH - 1 - static_cast<int32_t>(n) - (separated ? 0 : 1);
    return room < 255 ? (room > 0 ? room : 0) : 255;
}

uint32_t process_number() { return static_cast<uint32_t>(GetCurrentProcessId()); }

std::string os_error_text(int32_t code) {
    char buffer[512] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                   static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer,
                                   sizeof buffer, nullptr);
    std::string text(buffer, n);
    // The system ends its messages with a period and CR LF.
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? std::string("unknown error") : text;
}
