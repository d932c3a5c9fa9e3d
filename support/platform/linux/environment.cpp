// Environment, program path, sleeping, interface language and clock on
// Linux, with the Wine prefix that holds the simulator's Windows side.
#include <pwd.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "support/platform.h"
#include "support/platform/linux/wine_prefix.h"

namespace fs = std::filesystem;

namespace {

std::string env_text(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string user_name() {
    std::string u = env_text("USER");
    if (!u.empty()) return u;
    if (const passwd* pw = getpwuid(getuid())) return pw->pw_name ? pw->pw_name : "";
    return {};
}

bool same_ci(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

// The prefix's own folder for a Windows profile variable; empty for any
// other name.
std::string profile_fallback(std::string_view name) {
    const std::string drive_c = wine_prefix() + "/drive_c";
    const std::string profile = drive_c + "/users/" + user_name();
    if (same_ci(name, "USERPROFILE")) return profile;
    if (same_ci(name, "APPDATA")) return profile + "/AppData/Roaming";
    if (same_ci(name, "LOCALAPPDATA")) return profile + "/AppData/Local";
    if (same_ci(name, "PUBLIC")) return drive_c + "/users/Public";
    if (same_ci(name, "ALLUSERSPROFILE") || same_ci(name, "PROGRAMDATA")) return drive_c + "/ProgramData";
    return {};
}

}  // namespace

std::string wine_prefix() {
    std::string p = env_text("WINEPREFIX");
    if (p.empty()) {
        std::string home = env_text("HOME");
        if (home.empty())
            if (const passwd* pw = getpwuid(getuid())) home = pw->pw_dir ? pw->pw_dir : "";
        while (!home.empty() && home.back() == '/') home.pop_back();
        p = home + "/.wine";
    }
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
}

std::string windows_to_host_path(std::string_view path) {
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       (path.size() == 2 || path[2] == '\\' || path[2] == '/');
    if (!drive) return std::string(path);
    char letter = path[0];
    if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
    const std::string prefix = wine_prefix();
    std::string root;
    std::error_code ec;
    fs::path device = fs::path(prefix) / "dosdevices" / (std::string(1, letter) + ":");
    if (fs::exists(device, ec)) {
        fs::path target = fs::canonical(device, ec);
        root = ec ? device.string() : target.string();
    } else if (letter == 'c') {
        root = prefix + "/drive_c";
    } else {
        return std::string(path);  // a drive the prefix does not know
    }
    while (!root.empty() && root.back() == '/') root.pop_back();
    std::string rest(path.substr(2));
    for (char& c : rest)
        if (c == '\\') c = '/';
    // A drive mapped to "/" (Wine's Z:) leaves an empty root: the rest
    // already begins with the separator.
    if (root.empty() && rest.empty()) return "/";
    return root + rest;
}

int32_t MyGetEnv(const char* name, char* value, int32_t len) {
    if (!name || !*name) return 0;
    std::string v;
    if (const char* e = std::getenv(name))
        v = e;
    else
        v = profile_fallback(name);
    if (v.empty()) return 0;
    const auto n = static_cast<int32_t>(v.size() > 0x7ffffffe ? 0x7ffffffe : v.size());
    if (!value || len < n + 1) return n + 1;
    std::memcpy(value, v.data(), static_cast<std::size_t>(n));
    value[n] = '\0';
    return n;
}

int32_t GetExePath(char* Path, int32_t len) {
    if (!Path || len <= 1) return 0;
    ssize_t n = readlink("/proc/self/exe", Path, static_cast<std::size_t>(len) - 1);
    if (n <= 0 || n >= len - 1) {
        // Unknown, or possibly cut: a cut path would name a wrong folder.
        Path[0] = '\0';
        return 0;
    }
    Path[n] = '\0';
    return static_cast<int32_t>(n);
}

std::string program_arg0() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t nul = all.find('\0');
    return nul == std::string::npos ? all : all.substr(0, nul);
}

void My_Sleep(uint32_t dwMilliseconds) {
    timespec req{static_cast<time_t>(dwMilliseconds / 1000), static_cast<long>(dwMilliseconds % 1000) * 1000000L};
    timespec rem{};
    while (nanosleep(&req, &rem) != 0 && errno == EINTR) req = rem;
}

int IsLanguageFrench() {
    // The first of these that is set decides, as for the C library.
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string v = env_text(var);
        if (!v.empty()) return v.rfind("fr", 0) == 0 ? 1 : 0;
    }
    return 0;
}

LocalTime local_time_now() {
    time_t now = time(nullptr);
    tm t{};
    localtime_r(&now, &t);
    return LocalTime{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}
