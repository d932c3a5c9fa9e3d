// The platform layer: every function that a platform folder
// (support/platform/<platform>/*.cpp) defines, dialogs apart
// (support/platform_dialogs.h).  Registry, environment, program path,
// sleeping, the interface language, the local clock, path rules and the
// lookup of paths whose letter case differs.  Nothing outside the platform
// folders is platform-specific.
//
// On Linux the simulator runs under Wine: the registry is read from the Wine
// prefix's "user.reg" (HKEY_CURRENT_USER) and "system.reg"
// (HKEY_CLASSES_ROOT, under Software\Classes).  On Windows every function is
// the Windows API's own (ANSI texts): RegOpenKeyExA, RegQueryValueExA and
// RegCloseKey, GetEnvironmentVariableA, GetModuleFileNameA,
// GetUserDefaultUILanguage, Sleep, GetLocalTime.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

/// The running executable's full path into `Path` (capacity `len`, NUL
/// included); returns the number of characters stored, 0 on failure (a path
/// that does not fit is a failure).
int32_t GetExePath(char* Path, int32_t len);

/// Reads the string value `name` of the key `subkey` (a trailing separator
/// allowed; key and value names match without regard to case; an empty name
/// is the key's default value).  Root HKEY_CLASSES_ROOT when *len < 0 on
/// entry, else HKEY_CURRENT_USER.  Returns 0 when read: `outval` (at least
/// 255 bytes) gets the NUL-terminated value and *len its byte count with the
/// NUL.  A missing file, key or value, a value that is not a string or does
/// not fit in 255 bytes is a non-zero status, `outval` and *len untouched.
/// On Linux a value that is a Windows drive path ("C:\...") comes back as
/// the host path of that drive with the platform separator; other values
/// (and every value on Windows) as stored, an expandable one not expanded
/// (so "%USERPROFILE%\Documents" keeps its backslash).  The status codes
/// are Windows': 2 no key or value, 13 not a text, 234 too long, 87 no
/// buffer.  Console lines.
int32_t RdUsrReg(const char* subkey, const char* name, char* outval, int32_t* len);

/// The environment variable `name` into `value` (capacity `len`); returns
/// its length, 0 when not set, or the size needed (length + 1) without a
/// value when it does not fit.  On Linux the Windows profile variables
/// (USERPROFILE, APPDATA, LOCALAPPDATA, PUBLIC, ALLUSERSPROFILE,
/// PROGRAMDATA) fall back, when not set, to the Wine prefix's folders.  A
/// variable set to an empty text counts as not set.
int32_t MyGetEnv(const char* name, char* value, int32_t len);

/// Sleeps for that many milliseconds.
void My_Sleep(uint32_t dwMilliseconds);

/// A Windows drive path ("C:\a\b") as a host path ("<prefix>/drive_c/a/b"
/// on Linux, through the prefix's dosdevices); anything else unchanged.
std::string windows_to_host_path(std::string_view path);

/// The program's name as the command line gave it (argument 0, as main()
/// receives it); empty when unknown.
std::string program_arg0();

/// Local date and time now: year, month (1-12), day (1-31), hour (0-23),
/// minute, second (0-59; 60 for a leap second where the clock shows one).
struct LocalTime {
    int year, month, day, hour, minute, second;
};
LocalTime local_time_now();

/// The last modification time of the file `path` as local calendar time
/// (the machine's time zone, daylight saving included), to the second.
/// False, with `t` untouched, when the file does not exist or its time
/// cannot be had.
bool file_modified_local(std::string_view path, LocalTime& t);

/// 1 when the user's interface language is French, else 0: on Windows the
/// primary language 0x0C of GetUserDefaultUILanguage(), on Linux the first
/// of LC_ALL, LC_MESSAGES and LANG that is set beginning "fr".
int IsLanguageFrench();

// Path rules.

/// The platform's path separator: '/' on Linux, '\\' on Windows.
char path_separator();
/// The separator as a one-character text.
std::string_view path_sep_str();

/// True for a character that separates the parts of a path given to the
/// program: '/' on Linux; on Windows '\\' and '/', as the system takes
/// both in every path.  Paths that the program builds always join their
/// parts with path_separator().
bool is_path_separator(char c);

/// True for an absolute folder ("/..." on Linux; on Windows a drive "X:" or a
/// share "\\server").
bool is_absolute_folder(std::string_view folder);

/// The path with each "/" written "\/", so that a message shows it whole
/// ("/" being the message line break).  Unchanged on Windows.
std::string escape_path_for_message(std::string_view path);

/// The path as it exists on this machine.  A Windows program finds
/// "Logs\Logfile.txt" whatever case its files were written in; on Linux the
/// simulator's files sit in the Wine prefix with the case the simulator gave
/// them.  So when `path` itself does not exist, each part that is missing is
/// looked up in its folder without regard to the case of ASCII letters (an
/// exact match always wins; among several others the first in byte order).
/// From the first part that cannot be found on, the rest is kept as given, so
/// a path to something that does not exist comes back unchanged in case.
/// Unchanged on Windows.
std::string existing_case(std::string_view path);

// Shared libraries.

/// Loads the shared library `name` (a file name, searched for as the
/// platform searches for libraries, or a path): dlopen on Linux,
/// LoadLibraryA on Windows (without the system's box for a missing one).  Returns an opaque handle,
/// or nullptr when it cannot be loaded (missing, or not a library of this
/// platform: a Windows DLL on Linux).  The library stays loaded for the rest
/// of the run.
void* open_shared_library(std::string_view name);

/// The address of the function `name` that the library `lib` (a handle from
/// open_shared_library) exports; nullptr when it exports none of that name
/// or `lib` is null.
void* shared_library_function(void* lib, const char* name);

/// The characters that a file name (one path part) cannot hold on this
/// platform: "/" and NUL on Linux; on Windows the control characters and
/// < > : " / \ | ? *.  A name built from a track's texts has
/// them replaced, so that it always names a file in the folder meant.
bool forbidden_in_file_name(char c);

/// The text by which this platform's file system tells two names of files
/// apart, for comparing names the program built: on Linux the name itself;
/// on Windows the name with "/" as "\\" and ASCII letters in lower case,
/// as the system finds a file whatever the case of its name.
std::string file_name_key(std::string_view path);

/// Tells the system that the `bytes` bytes at `data` (memory just reserved
/// and not yet written, such as a large std::vector's after reserve()) are
/// about to be filled at once: on Linux, transparent huge pages are asked
/// for, so that filling tens of megabytes takes a few page faults instead of
/// thousands.  Only a hint: nothing changes when the system declines it.
void hint_large_buffer(void* data, std::size_t bytes);

// Files and folders by name.  A name is a text as fopen takes it: on
// Windows in the ANSI code page, as the *A calls take it.  (The C++
// library's std::filesystem takes a narrow name there as Latin-1 instead,
// and so names another file for every byte that the code page reads
// otherwise, such as cp1252's 0x80-0x9F.)

/// What a name stands for.
enum class Entry_kind { none, file, folder, other };

/// What is known of the entry a name stands for.
struct Path_entry {
    Entry_kind kind = Entry_kind::none;
    /// Why nothing could be found (kind none), as an errno value.
    int32_t error = 0;
    /// Size of a file in bytes; 0 for the other kinds.
    uint64_t size = 0;
    /// Last modification, seconds since 1 January 1970 (UTC).
    int64_t modified = 0;
};

/// The entry that `path` names, symbolic links followed.  On Linux stat: a
/// regular file is a file, a directory a folder, anything else (a pipe, a
/// device) other; when stat fails, kind none with its errno.  On Windows
/// GetFileAttributesExA: a device is other; when it fails, kind none with
/// EACCES for a refused access and ENOENT for anything else.
Path_entry path_entry(std::string_view path);

/// Creates the one folder `path`, whose parent must exist: mkdir (mode 0777
/// less the umask) on Linux, CreateDirectoryA on Windows.  0 when made,
/// else the system's error number (errno; on Windows GetLastError): an
/// entry of that name that exists already is an error.
int32_t make_folder(std::string_view path);

/// The system's text of an error number that a file function of this
/// layer returns (make_folder, rename_no_replace, rename_replacing,
/// create_new_file): strerror's text on
/// Linux, where those numbers are errno values; on Windows, where they are
/// GetLastError codes, the system's message for the code, without its
/// closing period and line end.  Never empty: an unknown code gives
/// "unknown error".
std::string os_error_text(int32_t code);

// Wildcard matches and renaming.

/// The names of the files that match the wildcard pattern `pattern` ("*"
/// and "?"), in sorted order; empty when none matches.  On Linux glob(3);
/// on Windows FindFirstFileA and FindNextFileA (wildcards in the last part
/// only; "." and ".." left out), each name with the pattern's folder part
/// in front.  The program's arguments are expanded with it by
/// expand_wildcards (support/paths.h).
std::vector<std::string> wildcard_matches(const std::string& pattern);

// Files written whole: made under a temporary name and put in place by one
// rename (support/whole_file.h).

/// Result of create_new_file when an entry of that name exists.
inline constexpr int32_t create_name_taken = -1;

/// Creates the file `path` and opens it for binary writing into `f`, only
/// when no entry of that name exists (a file, a folder, a symbolic link
/// even when it leads nowhere): an existing file is never opened, emptied
/// or changed.  On Linux open with O_CREAT | O_EXCL (mode 0666 less the
/// umask); when `like` names an existing regular file (not a link), the
/// new one gets its permission bits instead, and its owner and group where
/// the system allows it (root; the group alone for a member of it), so
/// that a file that replaces it keeps them.  On Windows CreateFileA with
/// CREATE_NEW, shared for reading and writing as fopen shares a file and
/// for deleting, so that the stop handler can remove it while it is open;
/// when `like` names an existing file, the new one gets its hidden,
/// system, archive and not-indexed attributes.  Result 0 with `f` open;
/// create_name_taken when the name is taken; else the system's error
/// number (errno; on Windows GetLastError), `f` null and nothing created.
int32_t create_new_file(std::string_view path, std::string_view like, std::FILE*& f);

/// Whether the existing entry `path` could be opened for writing in place,
/// asked by opening it for writing (never creating or emptying it) and
/// closing it at once: 0 when it could, else the C library's errno value
/// that opening it for writing gives (EISDIR for a folder on Linux, EACCES
/// for a file its user may not write).  On Linux open with O_WRONLY; on
/// Windows CreateFileA with GENERIC_WRITE, shared for reading, writing and
/// deleting, so that another program's replace of the file is never refused
/// for it, and the system's error mapped to errno as the C library maps it
/// (a folder, a read-only file: EACCES).
int32_t check_writable(std::string_view path);

/// Makes the system write the bytes of the open file `f` (flushed by the
/// caller) to its disk before it returns: fsync on Linux, _commit on
/// Windows.  A file put in place by rename_replacing after it is then never
/// found empty or in part after a crash or a power loss.  0 when done, else
/// the C library's errno value.
int32_t flush_to_disk(std::FILE* f);

/// Renames the file `from` to `to` (both paths as the file routines take
/// them, in one folder or at least on one file system), replacing a file
/// `to` in the same step: whoever opens `to` finds the earlier file or the
/// new one, never a part of either.  No command interpreter is involved.
/// On Linux rename(2); on Windows MoveFileExA with
/// MOVEFILE_REPLACE_EXISTING, tried again for about a second while the
/// system refuses it for a sharing, access or lock violation (another
/// program, such as a virus scanner, holding `to` open).  Result 0 when renamed, else the system's
/// error number (errno; on Windows GetLastError), both files then left as
/// they were: a missing `from` or a folder of `to` that does not exist
/// gives ENOENT (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND).
int32_t rename_replacing(std::string_view from, std::string_view to);

/// True when `path` itself is a symbolic link, whatever it leads to (or
/// whether it leads anywhere): lstat on Linux; on Windows a reparse point
/// tagged as a symbolic link.
bool is_symbolic_link(std::string_view path);

/// True when the existing file `path` may be written but not replaced by a
/// rename from this run: on Linux a file mounted over the name, and a file
/// in a folder with the sticky bit (such as /tmp) that belongs neither to
/// the runner nor to the folder's owner, the runner not being root; never
/// on Windows.
bool replace_forbidden(std::string_view path);

/// True for an error number of create_new_file by which the system refuses
/// a new file in that folder (no write permission, a read-only file
/// system): EACCES, EPERM, EROFS on Linux; ERROR_ACCESS_DENIED and
/// ERROR_WRITE_PROTECT on Windows.
bool is_permission_error(int32_t code);

/// True for an error number of create_new_file by which the system refuses
/// a path that is too long (the whole path, where each name fits):
/// ENAMETOOLONG on Linux; ERROR_FILENAME_EXCED_RANGE and, as the *A calls
/// give it for a path beyond MAX_PATH in a folder that exists,
/// ERROR_PATH_NOT_FOUND on Windows.
bool is_name_length_error(int32_t code);

/// The most bytes a file name (one path part) may have in `folder` (empty:
/// the working folder): pathconf's _PC_NAME_MAX on Linux, 255 when it
/// cannot be had; on Windows 255, or fewer where the folder's full path
/// leaves less room within MAX_PATH.
int32_t longest_file_name(std::string_view folder);

/// The number of this process, which no other process running at the same
/// time has: getpid on Linux, GetCurrentProcessId on Windows.
uint32_t process_number();

// A run ended from outside: Ctrl-C, a signal, the console closed.

/// Makes the run remove the files that watch_temp_file
/// (support/watched_files.h) names before it
/// ends by SIGINT, SIGTERM or SIGHUP (Linux; a signal ignored when the
/// program started stays ignored) or by Ctrl-C, Ctrl-Break or the closing
/// of its console (Windows); the program then ends as that event ends it
/// (Linux: by the signal; Windows: status STATUS_CONTROL_C_EXIT, as the
/// system's own handler ends it).  On
/// Linux SIGXFSZ is also ignored, so that a write beyond the file-size
/// limit fails with EFBIG instead of ending the program.  Once per run;
/// later calls do nothing.
void catch_stop_signals();

/// Result of rename_no_replace when a file of the target's name exists.
inline constexpr int32_t rename_target_taken = -1;

/// Renames the file `from` to `to` (both paths as the file routines take
/// them) without ever replacing an existing file: when `to` exists, or
/// appears while the rename runs, nothing is changed and the result is
/// rename_target_taken.  No command interpreter is involved, so any
/// character of the names is taken literally.  Result 0 when renamed, else
/// the system's error number (the source is then left as it was; on
/// Windows MoveFileExA without MOVEFILE_REPLACE_EXISTING, its GetLastError).
int32_t rename_no_replace(std::string_view from, std::string_view to);
