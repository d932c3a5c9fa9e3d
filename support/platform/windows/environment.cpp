// Environment, program path, sleeping, interface language and clock on
// Windows.  The simulator runs here natively: there is no Wine prefix and
// drive paths are host paths.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "support/platform.h"

std::string windows_to_host_path(std::string_view path) { return std::string(path); }

int32_t MyGetEnv(const char* name, char* value, int32_t len) {
    if (!name || !*name) return 0;
    char none[1];
    char* out = value && len > 0 ? value : none;
    const DWORD capacity = value && len > 0 ? static_cast<DWORD>(len) : 0;
    const DWORD n = GetEnvironmentVariableA(name, out, capacity);
    // 0: not set (or empty); n >= capacity: the size it needs, NUL
    // included, with nothing stored.
    return static_cast<int32_t>(n > 0x7fffffffUL ? 0x7fffffffUL : n);
}

int32_t GetExePath(char* Path, int32_t len) {
    if (!Path || len <= 1) return 0;
    const DWORD n = GetModuleFileNameA(nullptr, Path, static_cast<DWORD>(len));
    if (n == 0 || n >= static_cast<DWORD>(len)) {
        // Unknown, or cut: a cut path would name a wrong folder.
        Path[0] = '\0';
        return 0;
    }
    return static_cast<int32_t>(n);
}

std::string program_arg0() {
    // The runtime's own split of the command line, as main() receives it.
    return __argc > 0 && __argv && __argv[0] ? std::string(__argv[0]) : std::string();
}

void My_Sleep(uint32_t dwMilliseconds) { Sleep(dwMilliseconds); }

// French: the low 8 bits of the language identifier, its primary language,
// are 0x0C whatever the country.
int IsLanguageFrench() { return (GetUserDefaultUILanguage() & 0xFF) == 0x0C ? 1 : 0; }

LocalTime local_time_now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}
