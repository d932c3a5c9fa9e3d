// Wildcard matches on Windows, where the command interpreter hands patterns
// over as typed.
#include <windows.h>

#include <algorithm>

#include "support/platform.h"

std::vector<std::string> wildcard_matches(const std::string& pattern) {
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
