// The path rules of Windows: "\" separates the parts of the paths the
// program builds, "/" separates them as well in the paths it is given, an
// absolute folder begins with a drive ("C:") or a share ("\\server"), a
// message shows paths as they are, and the file system itself finds names
// whatever their letter case.
#include "support/platform.h"

char path_separator() { return '\\'; }

std::string_view path_sep_str() { return "\\"; }

// The system takes "/" in a path as it takes "\": a name given as
// "C:/flights/a.ftr" has its folders split off as well.
bool is_path_separator(char c) { return c == '\\' || c == '/'; }

bool is_absolute_folder(std::string_view folder) {
    const bool drive = folder.size() >= 2 && folder[1] == ':' &&
                       ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'));
    return drive || folder.substr(0, 2) == "\\\\";
}

std::string escape_path_for_message(std::string_view path) { return std::string(path); }

std::string existing_case(std::string_view path) { return std::string(path); }

bool forbidden_in_file_name(char c) {
    // Control characters and the characters Windows reserves in names.
    const auto u = static_cast<unsigned char>(c);
    return u < 32 || c == '<' || c == '>' || c == ':' || c == '"' || c == '/' || c == '\\' || c == '|' ||
           c == '?' || c == '*';
}

std::string file_name_key(std::string_view path) {
    std::string key(path);
    for (char& c : key) {
        if (c == '/') c = '\\';
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}
