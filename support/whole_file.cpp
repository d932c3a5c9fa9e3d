#include "support/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "support/error_note.h"
#include "support/platform.h"
#include "support/text_line.h"
#include "support/watched_files.h"

namespace {

/// Temporary names tried before the folder counts as unusable.  Only
/// leftovers of killed runs whose process had this one's number take any.
constexpr int max_temp_names = 1000;

/// The count K of the temporary names this process made.
uint32_t temp_count = 0;

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
    unwatch_temp_file(w.watch);
    w.watch = -1;
}

/// The next temporary name for `target`: "NAME.P.K.tmp" beside it, NAME cut
/// short where the whole would not fit in a file name of the folder.
std::string temp_name(const std::string& target) {
    std::size_t start = target.size();
    while (start > 0 && !is_path_separator(target[start - 1])) --start;
    const std::string folder = target.substr(0, start);
    std::string name = target.substr(start);
    const std::string ending = "." + std::to_string(process_number()) + "." + std::to_string(++temp_count) + ".tmp";
    const std::size_t longest = static_cast<std::size_t>(longest_file_name(folder));
    if (name.size() + ending.size() > longest) {
        name.resize(longest > ending.size() ? longest - ending.size() : 0);
        // Never half a character of a multi-byte encoding.
        while (!name.empty() && static_cast<unsigned char>(name.back()) >= 0x80) name.pop_back();
    }
    return folder + name + ending;
}

/// Opens `w.target` itself for writing, as the system opens it.
File_error open_in_place(Whole_file& w, bool keep_content) {
    errno = 0;
    w.f = std::fopen(w.target.c_str(), keep_content ? "ab" : "wb");
    return w.f != nullptr ? File_error{} : c_error();
}

/// Creates the temporary file of `w.target`, known to the stop handler
/// before it exists.
File_error open_temp(Whole_file& w) {
    for (int tries = 0; tries < max_temp_names; ++tries) {
        const std::string temp = temp_name(w.target);
        const int32_t watch = watch_temp_file(temp);
        std::FILE* f = nullptr;
        const int32_t st = create_new_file(temp, w.target, f);
        if (st == 0) {
            w.f = f;
            w.temp = temp;
            w.watch = watch;
            return {};
        }
        unwatch_temp_file(watch);
        if (st != create_name_taken) return File_error{st, true};
    }
    return File_error{EEXIST, false};
}

/// Copies the bytes of the open file `in` to `to`.
File_error copy_bytes(std::FILE* in, std::FILE* to) {
    errno = 0;
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
    catch_stop_signals();
    w.target = std::string(target);
    if (w.target.empty()) return File_error{ENOENT, false};
    // Where a link leads, and whether it may be followed at all, is the
    // system's to decide (its protections against links planted in shared
    // folders, loops): its own open writes through the link.
    if (is_symbolic_link(w.target)) return open_in_place(w, keep_content);
    const Path_entry entry = path_entry(w.target);
    const Entry_kind kind = entry.kind;
    // A name too long for any file is refused as opening it would be (the
    // temporary name, cut short, would be made, and only its rename fail).
    if (kind == Entry_kind::none && entry.error == ENAMETOOLONG) return File_error{entry.error, false};
    // A device or a pipe takes the lines itself; there is no earlier file
    // to keep.
    if (kind == Entry_kind::other) return open_in_place(w, keep_content);
    if (kind != Entry_kind::none) {
        // Refused now as writing in place would refuse it (a folder, a file
        // without write permission), and with the same reason.
        if (const int32_t st = check_writable(w.target); st != 0) return File_error{st, false};
        // A file that may be written but not replaced (another user's file
        // in /tmp, a file mounted over the name) is written in place, as it
        // could be before.
        if (kind == Entry_kind::file && replace_forbidden(w.target)) return open_in_place(w, keep_content);
    }
    // The earlier bytes, when kept, go ahead of the new ones; a file that
    // may be appended to but not read is appended to in place, as before.
    std::FILE* earlier = nullptr;
    if (keep_content && kind == Entry_kind::file) {
        errno = 0;
        earlier = std::fopen(w.target.c_str(), "rb");
        if (earlier == nullptr) return errno == EACCES ? open_in_place(w, keep_content) : c_error();
    }
    if (const File_error e = open_temp(w); e.code != 0) {
        if (earlier != nullptr) std::fclose(earlier);
        // A folder where no new file may be made still lets its existing
        // file be written in place, as it could be before; so does a path
        // that holds the target but is too long for the temporary name.
        if (kind == Entry_kind::file && e.platform && (is_permission_error(e.code) || is_name_length_error(e.code)))
            return open_in_place(w, keep_content);
        return e;
    }
    open_files().push_back(&w);
    if (earlier != nullptr) {
        const File_error e = copy_bytes(earlier, w.f);
        std::fclose(earlier);
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
        const int32_t st = rename_replacing(w.temp, w.target);
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
