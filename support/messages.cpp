#include "support/messages.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "support/console.h"
#include "support/platform_dialogs.h"
#include "support/ftext.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/stop.h"
#include "support/text_format.h"
#include "support/text_line.h"

namespace {

// The run log's name: relative, so the file lies in the working folder,
// until a "CREATE" message names another one.
std::string run_log_name = "Logfile.txt";

// The run log while a message is being written.  A message may lead to
// another one before it ends (an error-log failure inside an "{E}" message
// sends a fatal message), and the inner one must write into the same open
// file so that the lines stay in the order they were written.
std::FILE* open_run_log = nullptr;

constexpr std::size_t log_text_limit = 1024;

// The error log's name in the working folder, where it goes when the
// program folder is unknown or cannot be written.
constexpr const char* working_folder_log = "ErrorLog.txt";
constexpr std::size_t box_title_limit = 63;
constexpr std::size_t box_text_limit = 511;

std::string pairs(int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += "+-";
    return r;
}

const std::string banner_info = "+ INFO " + pairs(36);
const std::string banner_warning = "+ WARNING " + pairs(34);
const std::string banner_error = "+ ERROR " + pairs(35);
const std::string banner_fatal = "+ FATAL ERROR " + pairs(32);
const std::string banner_footer = pairs(39);

// The banner of a level; empty for a level without one.
const std::string& banner_of(int32_t nsta) {
    static const std::string none;
    switch (nsta) {
    case 0: return banner_info;
    case 1: return banner_error;
    case 2: return banner_warning;
    case 999: return banner_fatal;
    default: return none;
    }
}

// A banner or footer line on the console, then in the log.
void both(std::FILE* log, const std::string& line) {
    console_line(line);
    if (log) write_text_line(log, line);
}

std::string two(int v) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

std::string date_line(const LocalTime& t) {
    char b[64];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return b;
}

// Cuts a text to at most n bytes without splitting a UTF-8 character.
std::string cut_utf8(std::string_view s, std::size_t n) {
    if (s.size() <= n) return std::string(s);
    std::size_t k = n;
    while (k > 0 && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80) --k;
    return std::string(s.substr(0, k));
}

// The lines of a log text: cut at every "/" and line feed, "\/" being a
// literal slash; each piece without its trailing blanks.
std::vector<std::string> log_lines(std::string_view msg) {
    std::vector<std::string> lines;
    std::string_view t = trim_right(msg);
    if (t.empty()) {
        lines.emplace_back(" ");
        return lines;
    }
    const bool quoted = t.front() == '"' && t.back() == '"';
    std::string_view body = quoted ? t.substr(1, t.size() >= 2 ? t.size() - 2 : 0) : t;
    std::string piece;
    for (std::size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (c == '\\' && i + 1 < body.size() && body[i + 1] == '/') {
            piece += '/';
            ++i;
        } else if (c == '/' || c == '\n') {
            if (quoted) {
                piece += '/';
            } else {
                lines.emplace_back(trim_right(piece));
                piece.clear();
            }
        } else {
            piece += c;
        }
    }
    lines.emplace_back(quoted ? piece : std::string(trim_right(piece)));
    return lines;
}

// The text with each escaped slash "\/" written as a plain slash.
std::string unescape_slashes(std::string_view t) {
    std::string r;
    r.reserve(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\\' && i + 1 < t.size() && t[i + 1] == '/') continue;
        r += t[i];
    }
    return r;
}

// The level that a message's prefix asks log_message_f for: 0 for "{I}",
// 2 for "{W}", 1 for "{E}", 999 for "{F}"; -1 without a prefix.
int32_t prefix_level(std::string_view msg) {
    const std::string_view p = msg.substr(0, 3);
    if (p == "{I}") return 0;
    if (p == "{W}") return 2;
    if (p == "{E}") return 1;
    if (p == "{F}") return 999;
    return -1;
}

// A message that starts a new run log instead of going into the current one.
bool starts_new_log(std::string_view msg) { return msg.substr(0, 6) == "CREATE"; }

// The console echo of a run-log message: an escaped slash shows as a slash.
void echo_line(std::string_view msg) { console_line(" >>> " + unescape_slashes(trim_right(msg))); }

std::string generated_log_name(const LocalTime& t) {
    std::string base;
    extract_name(program_arg0(), base);
    std::size_t dot = base.find('.');
    if (dot != std::string::npos) base.erase(dot);
    return base + "_" + std::to_string(t.year) + "_" + two(t.month) + "_" + two(t.day) + "-" + two(t.hour) + "_" +
           two(t.minute) + "_" + two(t.second) + ".log";
}

// Starts a new run log named by the message (or a generated name); returns
// the name used.
std::string create_run_log(std::string_view msg) {
    LocalTime t = local_time_now();
    // A name escaped for messages ("\/") names the file with plain slashes.
    std::string name = fit(unescape_slashes(left_adjust(msg.substr(6))), 256);
    if (is_blank(name) || trim_right(msg) == "CREATE-SEND-NAME") name = generated_log_name(t);
    errno = 0;
    std::FILE* f = std::fopen(name.c_str(), "wb");
    int status = 0;
    if (f) {
        write_text_line(f, date_line(t));
        write_text_line(f, "");
        if (std::fclose(f) != 0) status = errno ? errno : 1;
    } else {
        status = errno ? errno : 1;
    }
    console_free("CREATE", name, status);
    run_log_name = name;
    return name;
}

}  // namespace

void print_message(std::FILE* log, std::string_view msg) {
    for (const std::string& line : log_lines(msg)) {
        console_line(line);
        if (log) write_text_line(log, line);
    }
}

void log_plain_line(std::string_view line) {
    const bool opened_here = open_run_log == nullptr;
    if (opened_here) open_run_log = std::fopen(run_log_name.c_str(), "ab");
    if (!open_run_log) return;
    write_text_line(open_run_log, line);
    std::fflush(open_run_log);
    if (opened_here) {
        std::fclose(open_run_log);
        open_run_log = nullptr;
    }
}

void log_message_f(std::string_view msg) {
    echo_line(msg);
    if (starts_new_log(msg)) {
        create_run_log(msg);
        return;
    }
    const bool opened_here = open_run_log == nullptr;
    if (opened_here) {
        open_run_log = std::fopen(run_log_name.c_str(), "ab");
        if (!open_run_log) console_free(run_log_name, ": Error opening");
    }
    std::FILE* log = open_run_log;

    const int32_t nsta = prefix_level(msg);
    std::string_view text = is_blank(msg) ? std::string_view() : nsta >= 0 ? msg.substr(3) : msg;
    std::string copy(text.substr(0, text.size() < log_text_limit ? text.size() : log_text_limit));

    if (nsta >= 0) both(log, banner_of(nsta));
    if (nsta == 1 || nsta == 2) log_error_f(copy, nsta);
    print_message(log, copy);
    if (nsta >= 0) both(log, banner_footer);
    if (log) std::fflush(log);
    if (opened_here && open_run_log) {
        std::fclose(open_run_log);
        open_run_log = nullptr;
    }
    if (nsta == 999) stop_run(exit_error);
}

std::string path_for_log_message(std::string_view path) {
    if (prefix_level(path) < 0 && !starts_new_log(path)) return escape_path_for_message(path);
    return escape_path_for_message("." + std::string(path_sep_str()) + std::string(path));
}

void log_message_f(std::string& msg) {
    if (trim_right(msg) == "CREATE-SEND-NAME") {
        echo_line(msg);
        msg = create_run_log(msg);
        return;
    }
    log_message_f(std::string_view(msg));
}

void log_error_f(std::string_view msg, int32_t nsta) {
    if (is_blank(cmndta000.app_path) || cmndta000.app_path[0] == '\0') get_inst_path(cmndta000.app_path);
    std::string folder(trim_right(cmndta000.app_path));
    std::string path;
    if (folder.empty() || folder[0] == '\0')
        path = working_folder_log;  // no program folder: the working folder
    else if (folder.back() == path_separator())
        path = folder + "ErrorLog.txt";
    else
        path = folder + std::string(path_sep_str()) + "ErrorLog.txt";
    console_free(static_cast<int>(folder.size()), folder);
    console_free(66, path);

    std::FILE* log = std::fopen(path.c_str(), "ab");
    if (!log) {
        console_free(path + " : Error opening)");
        // A program installed where its users cannot write (as is usual on
        // Linux) keeps its error log in the working folder instead; only
        // when that fails too is the run stopped.
        if (path != working_folder_log) {
            log = std::fopen(working_folder_log, "ab");
            if (log) console_free(std::string(working_folder_log) + " : error log in the working folder");
            else console_free(std::string(working_folder_log) + " : Error opening)");
        }
    }
    if (!log) {
        log_message_f("{F}" + escape_path_for_message(path) + " : Error opening)");
        stop_run(exit_error);  // not reached: the fatal message ends the program
    }
    write_text_line(log, "");
    write_text_line(log, date_line(local_time_now()));
    const std::string& banner = banner_of(nsta);
    if (nsta != 0 && !banner.empty()) both(log, banner);
    std::string copy(msg.substr(0, msg.size() < log_text_limit ? msg.size() : log_text_limit));
    print_message(log, copy);
    std::fflush(log);
    std::fclose(log);
    if (nsta == 999) stop_run(exit_error);
}

void log_message(const char* string) {
    std::string text;
    int32_t ls = 0;
    strcpy_c2f(string, text, ls, log_text_limit);
    console_free("log_message", ls, static_cast<int>(text.size()), text);
    log_message_f(std::string_view(text));
}

void log_error(const char* string, int32_t nsta) {
    std::string text;
    int32_t ls = 0;
    strcpy_c2f(string, text, ls, log_text_limit);
    console_free("log_error", nsta, ls, static_cast<int>(text.size()), text);
    int32_t level = nsta;
    log_error_f(text, level);
}

void error_message_tit(int32_t& msg_status, std::string_view tit, std::string_view msg, bool qline) {
    // `shown` breaks the lines with line feeds and holds literal slashes;
    // `logged` is the same text for the logs, where a literal slash must be
    // written "\/" again to stay one.
    std::string shown, logged;
    for (std::size_t i = 0; i < msg.size(); ++i) {
        if (msg[i] == '\\' && i + 1 < msg.size() && msg[i + 1] == '/') {
            shown += '/';
            logged += "\\/";
            ++i;
        } else if (msg[i] == '/') {
            shown += '\n';
            logged += '\n';
        } else {
            shown += msg[i];
            logged += msg[i];
        }
    }
    const int32_t given = msg_status;
    if (qline) {
        console_line(" " + std::string(trim_right(shown)));
    } else {
        std::string text = cut_utf8(trim_right(shown), box_text_limit);
        std::string title = cut_utf8(trim_right(tit), box_title_limit);
        DisplayMessage(title.c_str(), text.c_str(), &msg_status);
    }
    if (given == s_error || given == s_warning) log_error_f(logged, given);
}

void error_message(int32_t& msg_status, std::string_view msg, bool qline) {
    error_message_tit(msg_status, "Dralto", msg, qline);
}

int32_t DisplayMessage(const char* title, const char* message, int32_t* status) {
    if (!status) return 0;
    struct Box {
        const char* buttons;
        const char* icon;
    };
    static const Box boxes[] = {{"ok", "info"},          {"ok", "error"},         {"ok", "warning"},
                                {"yesno", "question"},   {"okcancel", "question"}, {"yesnocancel", "question"}};
    const int32_t s = *status;
    if (s < 0 || s > 5) return s;
    int answer = dlg_message_box(title, message, boxes[s].buttons, boxes[s].icon, 1);
    if (s >= s_yesno) *status = answer;
    return answer;
}
