// The path rules of Linux: "/" separates, an absolute folder begins with
// "/", and a path shown in a message has its slashes escaped because "/"
// breaks message lines.
#include "support/platform.h"

char path_separator() { return '/'; }

std::string_view path_sep_str() { return "/"; }

bool is_path_separator(char c) { return c == '/'; }

bool is_absolute_folder(std::string_view folder) { return !folder.empty() && folder[0] == '/'; }

std::string escape_path_for_message(std::string_view path) {
    std::string r;
    r.reserve(path.size() + 8);
    for (char c : path) {
        if (c == '/') r += '\\';
        r += c;
    }
    return r;
}

bool forbidden_in_file_name(char c) { return c == '/' || c == '\0'; }

std::string file_name_key(std::string_view path) { return std::string(path); }
