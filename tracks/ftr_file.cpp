#include "tracks/ftr_file.h"

#include <cstdio>

#include "support/ftext.h"
#include "support/platform.h"

Ftr_file ftr_file;

bool ftr_open(std::string_view path) {
    ftr_close();
    std::string name(trim_right(path));
    // Only a regular file has an end: a pipe would block the open and a
    // device such as /dev/zero would be read without bound.
    const Path_entry entry = path_entry(name);
    if (entry.kind != Entry_kind::file) return false;
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) return false;
    // Read in one piece into a buffer of the file's size (a long track is
    // tens of megabytes: growing the buffer step by step would copy it
    // again and again and hold up to three times its size); then on to the
    // end, in case the file grew meanwhile.
    std::vector<unsigned char> bytes;
    const uint64_t size = entry.size;
    if (size > 0 && size < bytes.max_size()) {
        bytes.reserve(static_cast<std::size_t>(size));
        hint_large_buffer(bytes.data(), bytes.capacity());
        bytes.resize(static_cast<std::size_t>(size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    }
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
