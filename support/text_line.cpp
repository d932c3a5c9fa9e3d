#include "support/text_line.h"

bool write_text_line(std::FILE* f, std::string_view line) {
    if (!f) return false;
    if (!line.empty() && std::fwrite(line.data(), 1, line.size(), f) != line.size()) return false;
    return std::fputs("\r\n", f) >= 0;
}

namespace {

bool is_control(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

}  // namespace

bool has_control_char(std::string_view line) {
    for (char c : line)
        if (is_control(c)) return true;
    return false;
}

std::string blank_control_chars(std::string_view line) {
    std::string r(line);
    for (char& c : r)
        if (is_control(c)) c = ' ';
    return r;
}
