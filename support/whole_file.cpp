#include "support/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "support/error_note.h"
#include "support/platform.h"
#include "support/text_line.h"

namespace {

/// Temporary names tried before the folder counts as unusable.
constexpr int max_temp_names = 1000;

int32_t errno_code() { return errno != 0 ? errno : EIO; }

File_error c_error() { return File_error{errno_code(), false}; }

/// The records whose files are open here, as stop_run must find them.  A
/// record cannot be copied or moved, so its address stays valid while it
/// is open.
std::vector<Whole_file*>& open_files() {
    static std::vector<Whole_file*> files;
    return files;
}

void forget(const Whole_file& w) {
    std::vector<Whole_file*>& files = open_files();
    files.erase(std::remove(files.begin(), files.end(), &w), files.end());
}

void remove_temp(Whole_file& w) {
    if (!w.temp.empty()) std::remove(w.temp.c_str());
    w.temp.clear();
}

/// Copies the bytes of the file `from` to `to`.
File_error copy_bytes(const std::string& from, std::FILE* to) {
    errno = 0;
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (in == nullptr) return c_error();
    char buffer[64 * 1024];
    File_error e;
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, in);
        if (n > 0 && std::fwrite(buffer, 1, n, to) != n) {
            e = c_error();
            break;
        }
        if (n < sizeof buffer) {
            if (std::ferror(in) != 0) e = c_error();
            break;
        }
    }
    std::fclose(in);
    return e;
}

}  // namespace

std::string file_error_text(const File_error& e) {
    return e.platform ? os_error_text(e.code) : errno_text(e.code);
}

std::string file_error_note(const File_error& e) {
    return e.platform ? os_error_note(e.code) : errno_note(e.code);
}

Whole_file::~Whole_file() { whole_file_discard(*this); }

File_error whole_file_open(Whole_file& w, std::string_view target, bool keep_content) {
    whole_file_discard(w);
    w.target = std::string(target);
    w.place = file_behind_links(w.target);
    const Entry_kind kind = path_entry(w.place).kind;
    if (kind == Entry_kind::other) {
        // A device or a pipe takes the lines itself; there is no earlier
        // file to keep.
        errno = 0;
        w.f = std::fopen(w.place.c_str(), keep_content ? "ab" : "wb");
        return w.f != nullptr ? File_error{} : c_error();
    }
    if (kind != Entry_kind::none) {
        // Refused now as writing in place would refuse it (a folder, a file
        // without write permission), and with the same reason; opened
        // without emptying it, so the file stays as it is.
        if (const int32_t st = check_writable(w.place); st != 0) return File_error{st, false};
    }
    std::FILE* f = nullptr;
    std::string temp;
    for (int k = 1;; ++k) {
        if (k > max_temp_names) return File_error{EEXIST, false};
        temp = w.place + "." + std::to_string(k) + ".tmp";
        const int32_t st = create_new_file(temp, w.place, f);
        if (st == 0) break;
        if (st != create_name_taken) return File_error{st, true};
    }
    w.f = f;
    w.temp = temp;
    open_files().push_back(&w);
    if (keep_content && kind == Entry_kind::file) {
        const File_error e = copy_bytes(w.place, f);
        if (e.code != 0) {
            whole_file_discard(w);
            return e;
        }
    }
    return {};
}

File_error whole_file_put_line(Whole_file& w, std::string_view text) {
    errno = 0;
    return write_text_line(w.f, text) ? File_error{} : c_error();
}

File_error whole_file_commit(Whole_file& w) {
    if (w.f == nullptr) return {};
    std::FILE* f = w.f;
    w.f = nullptr;
    forget(w);
    errno = 0;
    File_error e;
    if (std::ferror(f) != 0 || std::fflush(f) != 0) e = c_error();
    // On its disk before it takes the earlier file's name, so that a crash
    // never leaves the name to an empty or partial file.
    if (e.code == 0 && !w.temp.empty())
        if (const int32_t st = flush_to_disk(f); st != 0) e = File_error{st, false};
    errno = 0;
    if (std::fclose(f) != 0 && e.code == 0) e = c_error();
    if (e.code == 0 && !w.temp.empty()) {
        const int32_t st = rename_replacing(w.temp, w.place);
        if (st == 0)
            w.temp.clear();
        else
            e = File_error{st, true};
    }
    remove_temp(w);
    return e;
}

void whole_file_discard(Whole_file& w) {
    forget(w);
    if (w.f != nullptr) {
        std::fclose(w.f);
        w.f = nullptr;
    }
    remove_temp(w);
}

void discard_open_whole_files() {
    // Through each record, so that none is left holding a closed file.
    while (!open_files().empty()) whole_file_discard(*open_files().back());
}
