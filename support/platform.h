// The platform layer: registry, environment, program path, sleeping and
// the local clock (the interface-language test IsLanguageFrench is declared
// in support/messages.h).  One implementation per platform
// (support/platform/<platform>/*.cpp); nothing here is platform-specific.
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
