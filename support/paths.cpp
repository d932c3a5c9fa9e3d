#include "support/paths.h"

#include "support/console.h"
#include "support/ftext.h"
#include "support/platform.h"
#include "support/text_format.h"
#include "support/text_utils.h"

std::size_t last_path_separator(std::string_view path) {
    for (std::size_t i = path.size(); i-- > 0;)
        if (is_path_separator(path[i])) return i;
    return std::string_view::npos;
}

void extract_name(std::string_view path, std::string& name) {
    std::string_view p = trim_right(path);
    std::size_t i = last_path_separator(p);
    name = std::string(i == std::string_view::npos ? p : p.substr(i + 1));
}

void extract_path_name(std::string_view path, std::string& folder, std::string& name) {
    std::string_view copy = trim_right(path.substr(0, path.size() < 1024 ? path.size() : 1024));
    if (copy.empty()) {
        folder.clear();
        name.clear();
        return;
    }
    if (copy == "..") {
        folder = std::string("..") + path_separator();
        name.clear();
        return;
    }
    std::size_t i = last_path_separator(copy);
    if (i == std::string_view::npos) {
        folder = std::string(".") + path_separator();
        name = std::string(copy);
        return;
    }
    folder = std::string(copy.substr(0, i + 1));
    name = std::string(copy.substr(i + 1));
}

void updir(std::string_view path, std::string& parent) {
    std::string_view p = trim_right(path);
    // Positions counted from 0: the last character is not looked at, the
    // first one only when no other separator is found.
    for (std::size_t k = p.size() >= 2 ? p.size() - 1 : 0; k-- > 0;) {
        if (p[k] == path_separator()) {
            parent = k > 0 ? std::string(p.substr(0, k)) : std::string(p);
            return;
        }
    }
    parent.clear();
}

void get_inst_path(std::string& instpath) {
    char buf[512];
    int32_t n = GetExePath(buf, static_cast<int32_t>(sizeof buf));
    if (n <= 0) {
        instpath.clear();
        return;
    }
    std::string full;
    int32_t ls = n < 512 ? n : 512;
    strcpy_c2f(buf, full, ls, 512);
    std::string name;
    extract_path_name(full, instpath, name);
    if (instpath.size() >= 2 && instpath[1] == ':') {
        std::string first = instpath.substr(0, 1);
        majusc(first);
        instpath[0] = first[0];
    }
}

void locate_file(std::string& fff, bool qcur) {
    std::string inst;
    get_inst_path(inst);
    console_free(trim_right(fff));
    console_free(trim_right(inst));
    const std::string prefix = std::string("%INST%") + path_separator();
    std::string_view f = trim_right(fff);
    if (f.substr(0, prefix.size()) == prefix) {
        fff = std::string(trim_right(inst)) + std::string(f.substr(prefix.size()));
    } else if (f.find(path_separator()) != std::string_view::npos) {
        // A name with a folder part stays as it is.
    } else if (qcur && file_exists(f)) {
        // Found in the working folder.
    } else {
        fff = std::string(trim_right(inst)) + std::string(f);
    }
}

bool file_exists(std::string_view path) {
    std::string_view p = trim_right(path);
    return !p.empty() && path_entry(p).kind != Entry_kind::none;
}

std::vector<std::string> expand_wildcards(const std::vector<std::string>& args) {
    std::vector<std::string> out;
    out.reserve(args.size());
    for (const std::string& a : args) {
        std::vector<std::string> names;
        if (a.find_first_of("*?") != std::string::npos) names = wildcard_matches(a);
        if (names.empty())
            out.push_back(a);  // no pattern, or a pattern without a match: as typed
        else
            out.insert(out.end(), names.begin(), names.end());
    }
    return out;
}
