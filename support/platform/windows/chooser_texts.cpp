#include "support/platform/windows/chooser_texts.h"

#include "support/text_utils.h"

std::string chooser_filter(const std::vector<std::string>& patterns, std::string_view desc) {
    std::string list = joined(patterns, ";");
    if (list.empty()) list = "*.*";
    std::string f = desc.empty() ? list : std::string(desc);
    f += '\0';
    f += list;
    f += '\0';
    return f;
}

std::string chooser_selection(const char* buffer, std::size_t size) {
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (buffer && i < size && buffer[i] != '\0') {
        std::size_t end = i;
        while (end < size && buffer[end] != '\0') ++end;
        parts.emplace_back(buffer + i, end - i);
        i = end + 1;
    }
    if (parts.size() <= 1) return parts.empty() ? std::string() : parts[0];
    std::string folder = parts[0];
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    std::string out;
    for (std::size_t k = 1; k < parts.size(); ++k) {
        if (!out.empty()) out += '|';
        out += folder + parts[k];
    }
    return out;
}
