// Case-blind lookup of path parts on Linux, as Wine does for its programs.
#include "support/platform.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_ci(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

bool present(const std::string& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec)) && !ec;
}

// The name of the entry of `folder` that matches `part` ignoring case; empty
// when there is none or the folder cannot be read.
std::string matching_entry(const std::string& folder, std::string_view part) {
    std::error_code ec;
    std::string best;
    fs::directory_iterator it(folder.empty() ? std::string(".") : folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (same_ci(name, part) && (best.empty() || name < best)) best = name;
    }
    return best;
}

}  // namespace

std::string existing_case(std::string_view path) {
    std::string whole(path);
    if (whole.empty() || present(whole)) return whole;

    // `done` is the part of the path that exists, ending with "/" (or empty
    // for a relative path at its start).
    std::string done;
    std::size_t i = 0;
    while (i < whole.size() && whole[i] == '/') done += whole[i++];
    while (i < whole.size()) {
        std::size_t end = whole.find('/', i);
        if (end == std::string::npos) end = whole.size();
        const std::string_view part = std::string_view(whole).substr(i, end - i);
        std::string name(part);
        if (!part.empty() && part != "." && part != ".." && !present(done + name)) {
            name = matching_entry(done, part);
            if (name.empty()) return done + whole.substr(i);
        }
        done += name;
        if (end < whole.size()) done += '/';
        i = end + 1;
    }
    return done;
}
