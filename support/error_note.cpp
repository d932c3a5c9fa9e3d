#include "support/error_note.h"

#include <cstring>

#include "support/platform.h"

std::string errno_text(int err) {
    const char* text = std::strerror(err);
    return text != nullptr && *text != '\0' ? std::string(text) : std::string("unknown error");
}

std::string errno_note(int err) { return " (error " + std::to_string(err) + ": " + errno_text(err) + ")"; }

std::string literal_slashes(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '/') out += '\\';
        out += c;
    }
    return out;
}

std::string os_error_note(int32_t code) {
    return " (error " + std::to_string(code) + ": " + os_error_text(code) + ")";
}
