// Wildcard expansion of command-line arguments on Windows, where the command
// interpreter hands patterns over as typed.
#include <windows.h>

#include <algorithm>

#include "support/platform.h"

namespace {

// The names of the entries that match `pattern` (its folder part kept in
// front), "." and ".." left out, in sorted order.
std::vector<std::string> matches(const std::string& pattern) {
    const std::size_t cut = pattern.find_last_of("\\/:");
    const std::string folder = cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE h = FindFirstFileA(pattern.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(folder + name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::vector<std::string> expand_wildcards(const std::vector<std::string>& args) {
    std::vector<std::string> out;
    out.reserve(args.size());
    for (const std::string& a : args) {
        if (a.find_first_of("*?") == std::string::npos) {
            out.push_back(a);
            continue;
        }
        const std::vector<std::string> names = matches(a);
        if (names.empty())
            out.push_back(a);  // a pattern without a match is kept as typed
        else
            out.insert(out.end(), names.begin(), names.end());
    }
    return out;
}
