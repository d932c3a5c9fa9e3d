// The registry of the Wine prefix, read from its text files: "user.reg"
// holds HKEY_CURRENT_USER, "system.reg" HKEY_LOCAL_MACHINE, whose
// Software\Classes is HKEY_CLASSES_ROOT.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "support/platform.h"
#include "support/platform/linux/wine_prefix.h"

namespace {

// Windows status codes, as the registry calls return them.
constexpr int32_t err_file_not_found = 2;
constexpr int32_t err_invalid_data = 13;
constexpr int32_t err_invalid_parameter = 87;
constexpr int32_t err_more_data = 234;
constexpr int32_t value_buffer = 255;

char fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool same_ci(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

// A key name without leading and trailing backslashes.
std::string_view bare_key(std::string_view k) {
    while (!k.empty() && k.front() == '\\') k.remove_prefix(1);
    while (!k.empty() && k.back() == '\\') k.remove_suffix(1);
    return k;
}

void append_utf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted, escaped text starting at s[i] == '"'; i ends after the
// closing quote.  Non-ASCII characters are escaped as UTF-16 code units
// ("\x00e9") and come back as UTF-8.
bool read_quoted(std::string_view s, std::size_t& i, std::string& out) {
    out.clear();
    if (i >= s.size() || s[i] != '"') return false;
    ++i;
    unsigned high_surrogate = 0;
    while (i < s.size()) {
        char c = s[i++];
        if (c == '"') return true;
        if (c != '\\' || i >= s.size()) {
            out += c;
            continue;
        }
        char e = s[i++];
        switch (e) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'a': out += '\a'; break;
        case 'b': out += '\b'; break;
        case 'e': out += '\x1b'; break;
        case 'f': out += '\f'; break;
        case 'v': out += '\v'; break;
        case 'x': {
            unsigned cp = 0;
            int n = 0;
            while (n < 4 && i < s.size() && hex_digit(s[i]) >= 0) cp = cp * 16 + static_cast<unsigned>(hex_digit(s[i++])), ++n;
            if (n == 0) {
                out += 'x';
            } else if (cp >= 0xD800 && cp < 0xDC00) {
                high_surrogate = cp;
            } else if (cp >= 0xDC00 && cp < 0xE000 && high_surrogate) {
                append_utf8(out, 0x10000 + ((high_surrogate - 0xD800) << 10) + (cp - 0xDC00));
                high_surrogate = 0;
            } else {
                append_utf8(out, cp);
            }
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                unsigned v = static_cast<unsigned>(e - '0');
                for (int n = 1; n < 3 && i < s.size() && s[i] >= '0' && s[i] <= '7'; ++n)
                    v = v * 8 + static_cast<unsigned>(s[i++] - '0');
                append_utf8(out, v);
            } else {
                out += e;  // \\ and \" and anything else: the character itself
            }
        }
    }
    return false;  // unterminated
}

struct Lookup {
    bool file_found = false;
    bool key_found = false;
    bool value_found = false;
    bool is_string = false;
    std::string value;
};

// Finds `name` (empty: the default value "@") under `key` in a .reg file.
Lookup find_value(const std::string& file, std::string_view key, std::string_view name) {
    Lookup r;
    std::ifstream in(file, std::ios::binary);
    if (!in) return r;
    r.file_found = true;
    std::string line;
    bool in_key = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line[0] == '[') {
            std::size_t close = line.rfind(']');
            if (close == std::string::npos || close == 0) {
                in_key = false;
                continue;
            }
            // Key names are written with each backslash doubled.
            std::string k;
            for (std::size_t i = 1; i < close; ++i) {
                if (line[i] == '\\' && i + 1 < close && line[i + 1] == '\\') ++i;
                k += line[i];
            }
            in_key = same_ci(bare_key(k), key);
            if (in_key) r.key_found = true;
            continue;
        }
        if (!in_key) continue;
        std::size_t i = 0;
        std::string vname;
        if (line[0] == '@') {
            i = 1;
        } else if (line[0] == '"') {
            if (!read_quoted(line, i, vname)) continue;
        } else {
            continue;
        }
        if (i >= line.size() || line[i] != '=') continue;
        ++i;
        if (!same_ci(vname, name)) continue;
        r.value_found = true;
        std::string_view data = std::string_view(line).substr(i);
        if (data.substr(0, 7) == "str(2):") {
            i += 7;
        } else if (data.empty() || data[0] != '"') {
            return r;  // dword, hex or other data: not a string
        }
        r.is_string = read_quoted(line, i, r.value);
        return r;
    }
    return r;
}

}  // namespace

int32_t RdUsrReg(const char* subkey, const char* name, char* outval, int32_t* len) {
    const char* sk = subkey ? subkey : "";
    const char* nm = name ? name : "";
    std::printf("Subkey,name : %s %s \n", sk, nm);
    if (!outval || !len) return err_invalid_parameter;
    const bool classes_root = *len < 0;
    const std::string prefix = wine_prefix();
    Lookup found;
    if (classes_root)
        found = find_value(prefix + "/system.reg", "Software\\Classes\\" + std::string(bare_key(sk)), nm);
    else
        found = find_value(prefix + "/user.reg", bare_key(sk), nm);
    const int32_t open_status = found.key_found ? 0 : err_file_not_found;
    if (!classes_root) std::printf("USER Open Status : %d\n", open_status);
    if (open_status != 0) return open_status;

    int32_t query_status = 0;
    int32_t length = value_buffer;
    std::string value;
    if (!found.value_found) {
        query_status = err_file_not_found;
    } else if (!found.is_string) {
        query_status = err_invalid_data;
    } else {
        value = windows_to_host_path(found.value);
        // A value holding a NUL ends there, as the C string it is handed on as.
        value = value.substr(0, std::strlen(value.c_str()));
        if (value.size() + 1 > static_cast<std::size_t>(value_buffer)) {
            query_status = err_more_data;
            length = static_cast<int32_t>(value.size() + 1);
        } else {
            length = static_cast<int32_t>(value.size() + 1);
        }
    }
    std::printf("Query Status, Length : %d %d\n", query_status, length);
    if (query_status == 0) {
        std::printf("value : %s \n", value.c_str());
        *len = length;
        std::memcpy(outval, value.c_str(), value.size() + 1);
    }
    std::printf("Status : %d\n", 0);
    return query_status;
}
