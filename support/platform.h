// The platform layer: every function that a platform folder
// (support/platform/<platform>/*.cpp) defines, dialogs apart
// (support/platform_dialogs.h).  Registry, environment, program path,
// sleeping, the interface language, the local clock, path rules and the
// lookup of paths whose letter case differs.  Nothing outside the platform
// folders is platform-specific.
//
// On Linux the simulator runs under Wine: the registry is read from the Wine
// prefix's "user.reg" (HKEY_CURRENT_USER) and "system.reg"
// (HKEY_CLASSES_ROOT, under Software\Classes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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
/// A value that is a Windows drive path ("C:\...") comes back as the host
/// path of that drive with the platform separator; other values as stored
/// (so "%USERPROFILE%\Documents" keeps its backslash).  Console lines.
int32_t RdUsrReg(const char* subkey, const char* name, char* outval, int32_t* len);

/// The environment variable `name` into `value` (capacity `len`); returns
/// its length, 0 when not set, or the size needed (length + 1) without a
/// value when it does not fit.  On Linux the Windows profile variables
/// (USERPROFILE, APPDATA, LOCALAPPDATA, PUBLIC, ALLUSERSPROFILE,
/// PROGRAMDATA) fall back, when not set, to the Wine prefix's folders.
int32_t MyGetEnv(const char* name, char* value, int32_t len);

/// Sleeps for that many milliseconds.
void My_Sleep(uint32_t dwMilliseconds);

/// The Wine prefix: $WINEPREFIX, else ~/.wine (Linux); empty elsewhere.
std::string wine_prefix();

/// A Windows drive path ("C:\a\b") as a host path ("<prefix>/drive_c/a/b"
/// on Linux, through the prefix's dosdevices); anything else unchanged.
std::string windows_to_host_path(std::string_view path);

/// The program's name as the command line gave it (argument 0); empty when
/// unknown.
std::string program_arg0();

/// Local date and time now: year, month (1-12), day, hour, minute, second.
struct LocalTime {
    int year, month, day, hour, minute, second;
};
LocalTime local_time_now();

/// 1 when the user's interface language is French, else 0.
int IsLanguageFrench();

// Path rules.

/// The platform's path separator: '/' on Linux, '\\' on Windows.
char path_separator();
/// The separator as a one-character text.
std::string_view path_sep_str();

/// True for an absolute folder ("/..." on Linux, a drive "X:" on Windows).
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
/// platform searches for libraries, or a path).  Returns an opaque handle,
/// or nullptr when it cannot be loaded (missing, or not a library of this
/// platform: a Windows DLL on Linux).  The library stays loaded for the rest
/// of the run.
void* open_shared_library(std::string_view name);

/// The address of the function `name` that the library `lib` (a handle from
/// open_shared_library) exports; nullptr when it exports none of that name
/// or `lib` is null.
void* shared_library_function(void* lib, const char* name);
