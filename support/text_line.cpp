#include "support/text_line.h"

bool write_text_line(std::FILE* f, std::string_view line) {
    if (!f) return false;
    if (!line.empty() && std::fwrite(line.data(), 1, line.size(), f) != line.size()) return false;
    return std::fputs("\r\n", f) >= 0;
}
