#include "support/files.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "support/console.h"
#include "support/error_note.h"
#include "support/ftext.h"
#include "support/messages.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/platform_dialogs.h"
#include "support/text_line.h"
#include "support/stop.h"

namespace {

bool is_folder(std::string_view name) { return path_entry(name).kind == Entry_kind::folder; }

// Creates the folder `dir` with each missing folder above it, one part at a
// time from the top.  A part that cannot be made is left to the caller,
// who judges by the result; the system's error number of the last part
// that could not be made comes back (0 when none failed).
int32_t make_folders(std::string_view dir) {
    int32_t last_error = 0;
    for (std::size_t end = 1; end <= dir.size(); ++end) {
        if (end < dir.size() && !is_path_separator(dir[end])) continue;
        const std::string_view part = dir.substr(0, end);
        // "/", "C:\" and the empty part between doubled separators are no
        // folders to make.
        if (is_path_separator(part.back()) || path_entry(part).kind != Entry_kind::none) continue;
        if (const int32_t e = make_folder(part); e != 0) last_error = e;
    }
    return last_error;
}

int errno_status() { return errno != 0 ? errno : 1; }

// Poll period and the longest wait of the waiting routines.
constexpr uint32_t poll_ms = 2000;
constexpr int32_t max_wait_s = 43199;

[[noreturn]] void stop_with(const std::string& text) {
    console_line(text);
    stop_run(exit_error);
}

}  // namespace

int32_t check_dir(std::string_view tmpdir) {
    std::string_view dir = trim_right(tmpdir);
    // Only a folder counts: a file under the folder's name cannot take the
    // files meant for the folder.
    if (!dir.empty() && is_folder(dir)) return 1;
    console_line(std::string("MKDIR ") + std::string(dir));
    // Created through the file system, missing parents included, so that no
    // character of the name is ever seen by a command interpreter.
    int exitstat = 1;
    int cmdstat = 0;
    int32_t reason = 0;
    if (!dir.empty()) {
        reason = make_folders(dir);
        // Judged by the result: a folder that is there now was made.
        if (is_folder(dir)) exitstat = 0;
    }
    console_free("exitstat=", exitstat, "cmdstat=", cmdstat);
    if (exitstat == 0 && cmdstat == 0) return 1;
    // Nothing was refused when the name was taken by a file already: the
    // system's answer to making the folder over it says so.
    if (reason == 0) reason = dir.empty() ? ENOENT : make_folder(dir);
    int32_t status = s_error;
    error_message(status, escape_path_for_message(dir) + "/ERROR CREATING" + literal_slashes(os_error_note(reason)), false);
    return 0;
}

void check_writable_folder(std::string_view folder, std::string_view msg_tit) {
    // Not cut to a field width: a cut name would probe (and delete) some
    // other file, or fail for a folder that is writable.
    const std::string probe = std::string(trim_right(folder)) + std::string(path_sep_str()) +
                              "tmp_TMP_tmp_TMP_tmp_TMP_tmp_TMP_tmp.txt";
    console_line("check_writable_folder " + probe);
    int st_open = 1, st_rewind = 1, st_write = 1, st_close = 1;
    std::FILE* f = std::fopen(probe.c_str(), "wb");
    if (f) {
        st_open = 0;
        errno = 0;
        std::rewind(f);
        st_rewind = std::ferror(f) ? errno_status() : 0;
        if (st_rewind == 0) {
            st_write = write_text_line(f, "TMP TMP TMP TMPTMP TMPTMP TMP TMP TMP TMP TMP") ? 0 : 1;
        }
        int closed = std::fclose(f);
        if (st_write == 0) st_close = (closed == 0 && std::remove(probe.c_str()) == 0) ? 0 : 1;
        else std::remove(probe.c_str());
    } else {
        st_open = errno_status();
    }
    console_free(st_open, st_rewind, st_write, st_close);
    if (st_open == 0 && st_rewind == 0 && st_write == 0 && st_close == 0) return;
    std::string shown = escape_path_for_message(trim_right(folder));
    std::string msg;
    if (cmndta001.qfr)
        // Written in the ANSI code page ("\xE9" e acute, "\xE8" e grave,
        // "\xE0" a grave), shown in the platform's own encoding.
        msg = "Le dossier " + shown + dlg_native_text(" n'est pas accessible en \xE9" "criture") +
              dlg_native_text("/Modifiez les droit d'acc\xE8s du dossier") +
              dlg_native_text("/Ou installez Pemsik \xE0 un autre emplacement");
    else
        msg = "The " + shown + " folder is not writable/Change the access rights of the folder" +
              "/Or install in another location";
    int32_t status = s_error;
    error_message_tit(status, msg_tit, msg, cmndta001.qline);
    stop_run(exit_error);
}

int32_t delete_file(std::string_view fnam) {
    console_line(" delete_file");
    std::string name(trim_right(fnam));
    if (path_entry(name).kind == Entry_kind::none) {
        console_line(" INEXISTING");
        return -1;
    }
    // Opened for writing without creating or emptying it, to learn whether
    // it may be changed at all before it is deleted.
    errno = 0;
    std::FILE* f = std::fopen(name.c_str(), "r+");
    int32_t st_open = f ? 0 : errno_status();
    console_free("OPEN", st_open);
    if (st_open != 0) return st_open;
    std::fclose(f);
    errno = 0;
    int32_t st_delete = std::remove(name.c_str()) == 0 ? 0 : errno_status();
    console_free("DELETE", st_delete);
    return st_delete;
}

int32_t modified_date(std::string_view infile) {
    int32_t t = -1;
    const Path_entry e = path_entry(trim_right(infile));
    if (e.kind != Entry_kind::none) {
        const int64_t s = e.modified;
        t = s > INT32_MAX ? INT32_MAX : s < 0 ? 0 : static_cast<int32_t>(s);
    }
    console_free(t);
    return t;
}

bool is_file_updated(int32_t t_start, std::string_view infile) {
    int32_t t = modified_date(infile);
    console_free(t, t_start);
    if (t < 0) return false;
    return t >= t_start;
}

namespace {

// Polls every 2 s until `counted_time()` (a modification time, -1 for a
// missing file) is at least `t_start`, then sleeps 2 s more so that the
// writer can finish; stops the program after 12 hours.  `label` names the
// file(s) in the console lines.
template <typename CountedTime>
void wait_until_written(int32_t t_start, const std::string& label, const std::string& stop_text,
                        CountedTime counted_time) {
    int32_t counter = 0;
    console_free("waiting for " + label, counter, t_start);
    for (;;) {
        int32_t t = counted_time();
        if (t >= 0 && t >= t_start) {
            My_Sleep(poll_ms);
            return;
        }
        My_Sleep(poll_ms);
        if (counter > max_wait_s) stop_with(stop_text);
        counter += 2;
        if (counter % 10 == 0) console_free("waiting for " + label, counter);
    }
}

}  // namespace

void wait_for_file(int32_t t_start, std::string_view infile) {
    const std::string name(trim_right(infile));
    wait_until_written(t_start, name, "waiting for" + name + " : 12 hours", [&] { return modified_date(name); });
}

void wait_for_2_files(int32_t t_start, std::string_view infile1, std::string_view infile2, int32_t& nmod) {
    const std::string n1(trim_right(infile1)), n2(trim_right(infile2));
    wait_until_written(t_start, n1 + ", " + n2, "waiting for" + n1 + " " + n2 + " : 12 hours", [&] {
        int32_t t1 = modified_date(n1);
        int32_t t2 = modified_date(n2);
        // The newer of the two counts.
        nmod = t2 > t1 ? 2 : 1;
        return t2 > t1 ? t2 : t1;
    });
}

