// Wildcard expansion of command-line arguments on Linux.
#include <glob.h>

#include "support/platform.h"

std::vector<std::string> expand_wildcards(const std::vector<std::string>& args) {
    std::vector<std::string> out;
    out.reserve(args.size());
    for (const std::string& a : args) {
        if (a.find_first_of("*?") == std::string::npos) {
            out.push_back(a);
            continue;
        }
        glob_t g{};
        // glob sorts the names; a pattern without a match is kept as typed.
        if (glob(a.c_str(), 0, nullptr, &g) == 0 && g.gl_pathc > 0) {
            for (std::size_t i = 0; i < g.gl_pathc; ++i) out.emplace_back(g.gl_pathv[i]);
        } else {
            out.push_back(a);
        }
        globfree(&g);
    }
    return out;
}
