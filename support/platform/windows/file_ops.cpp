// File operations of Windows that the portable code cannot express: the
// local modification time of a file and the rename that never replaces a
// file.
#include <windows.h>

#include <string>

#include "support/platform.h"

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
