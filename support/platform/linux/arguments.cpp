// Wildcard matches on Linux.
#include <glob.h>

#include "support/platform.h"

std::vector<std::string> wildcard_matches(const std::string& pattern) {
    std::vector<std::string> names;
    glob_t g{};
    // glob sorts the names.
    if (glob(pattern.c_str(), 0, nullptr, &g) == 0)
        for (std::size_t i = 0; i < g.gl_pathc; ++i) names.emplace_back(g.gl_pathv[i]);
    globfree(&g);
    return names;
}
