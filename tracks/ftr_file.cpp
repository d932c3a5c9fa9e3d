#include "tracks/ftr_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "support/ftext.h"

Ftr_file ftr_file;

bool ftr_open(std::string_view path) {
    ftr_close();
    std::string name(trim_right(path));
    // Only a regular file has an end: a pipe would block the open and a
    // device such as /dev/zero would be read without bound.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(name, ec)) return false;
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) return false;
    std::vector<unsigned char> bytes;
    unsigned char buf[65536];
    bool ok = true;
    for (;;) {
        std::size_t n = std::fread(buf, 1, sizeof buf, f);
        bytes.insert(bytes.end(), buf, buf + n);
        if (n < sizeof buf) {
            // A folder opens on some systems but cannot be read: that is
            // an error, not an empty track.
            ok = !std::ferror(f);
            break;
        }
    }
    std::fclose(f);
    if (!ok) return false;
    ftr_open_bytes(name, std::move(bytes));
    return true;
}

void ftr_open_bytes(std::string_view name, std::vector<unsigned char> bytes) {
    ftr_file.name.assign(trim_right(name));
    ftr_file.bytes = std::move(bytes);
    ftr_file.pos = 0;
    ftr_file.open = true;
}

void ftr_close() {
    ftr_file.bytes.clear();
    ftr_file.bytes.shrink_to_fit();
    ftr_file.pos = 0;
    ftr_file.open = false;
}
