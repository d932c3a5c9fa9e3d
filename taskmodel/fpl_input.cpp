// Line input over a C stdio file for the flight-plan reader.
#include "taskmodel/fpl_input.h"

#include <cerrno>
#include <utility>

Fpl_input::Fpl_input(Fpl_input&& other) noexcept
    : file(std::exchange(other.file, nullptr)), name(std::move(other.name)), cr_ends_line(other.cr_ends_line) {}

Fpl_input& Fpl_input::operator=(Fpl_input&& other) noexcept {
    if (this != &other) {
        fpl_input_close(*this);
        file = std::exchange(other.file, nullptr);
        name = std::move(other.name);
        cr_ends_line = other.cr_ends_line;
    }
    return *this;
}

Fpl_input::~Fpl_input() { fpl_input_close(*this); }

bool fpl_input_open(Fpl_input& input, std::string_view path) {
    fpl_input_close(input);
    const std::string p(path);
    input.file = std::fopen(p.c_str(), "rb");
    input.name = p;
    return input.file != nullptr;
}

void fpl_input_adopt(Fpl_input& input, std::FILE* file, std::string_view name) {
    if (input.file != file) fpl_input_close(input);
    input.file = file;
    input.name = std::string(name);
}

int32_t fpl_input_read_line(Fpl_input& input, std::string& line, std::size_t limit) {
    line.clear();
    if (input.file == nullptr) return EBADF;
    bool any = false;
    for (;;) {
        const int c = std::fgetc(input.file);
        if (c == EOF) {
            if (std::ferror(input.file)) return errno > 0 ? errno : EIO;
            break;
        }
        any = true;
        if (c == '\n') break;
        if (c == '\r' && input.cr_ends_line) {
            // CR LF is one line end; any other byte after a CR begins the
            // next line.
            const int next = std::fgetc(input.file);
            if (next != '\n' && next != EOF) std::ungetc(next, input.file);
            break;
        }
        if (line.size() < limit) line.push_back(static_cast<char>(c));
    }
    if (!any) return -1;
    // CR LF files: the CR belongs to the line end.  Only the line as kept is
    // looked at; a CR cut off by the limit is gone with the tail.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return 0;
}

void fpl_input_close(Fpl_input& input) {
    if (input.file != nullptr) {
        std::fclose(input.file);
        input.file = nullptr;
    }
}
