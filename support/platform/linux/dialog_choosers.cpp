// Chooser dialogs on Linux: zenity or kdialog in a graphical session, a
// console prompt when standard input is a terminal, else nothing chosen.
#include "support/platform_dialogs.h"

#include <string>

#include "support/console_dialogs.h"
#include "support/platform.h"
#include "support/platform/linux/dialog_runner.h"
#include "support/text_utils.h"

namespace {

enum class Program { zenity, kdialog, none };

// The dialog program of the graphical session, none without one.
Program graphical_program() {
    if (!dlg_graphical_session()) return Program::none;
    const std::string program = dlg_dialog_program();
    if (program == "zenity") return Program::zenity;
    if (program == "kdialog") return Program::kdialog;
    return Program::none;
}

using Asked = ConsoleAsked;

// The program's answer without the line end it prints after it.
std::string answer_line(std::string out) {
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

// zenity opens a folder given with a trailing "/" inside it.
std::string zenity_start(std::string_view start) {
    std::string s(start);
    if (path_entry(s).kind == Entry_kind::folder && s.back() != '/') s += '/';
    return s;
}

// kdialog wants a start folder whenever a filter follows it.
std::string kdialog_start(std::string_view start) { return start.empty() ? std::string(".") : std::string(start); }

std::string kdialog_filter(const std::vector<std::string>& patterns, std::string_view desc) {
    if (patterns.empty()) return "*";
    std::string f = joined(patterns, " ");
    if (!desc.empty()) f += "|" + std::string(desc);
    return f;
}

// A graphical dialog: its answer when the program ended with success (0),
// a cancel for any other status, not asked when it could not run.
Asked run_dialog(const std::vector<std::string>& argv, std::string& answer) {
    std::string out;
    const int rc = dlg_run_program(argv, out);
    if (rc < 0) return Asked::not_asked;
    if (rc != 0) return Asked::cancelled;
    answer = answer_line(out);
    return Asked::chosen;
}

std::string zenity_filter(const std::vector<std::string>& patterns, std::string_view desc) {
    return "--file-filter=" + (desc.empty() ? std::string() : std::string(desc) + " | ") + joined(patterns, " ");
}

// kdialog lists several files one per line: joined by "|" as the callers
// expect.
std::string lines_joined(const std::string& text) {
    std::string j;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string::npos) nl = text.size();
        if (nl > pos) {
            if (!j.empty()) j += '|';
            j += text.substr(pos, nl - pos);
        }
        pos = nl + 1;
    }
    return j;
}

// The end of every chooser: a non-empty answer is the choice.
bool take_answer(Asked asked, const std::string& answer, std::string& chosen) {
    if (asked != Asked::chosen || answer.empty()) return false;
    chosen = answer;
    return true;
}

}  // namespace

std::string dlg_native_text(std::string_view ansi) {
    // Latin-1 to UTF-8; the ANSI page's 0x80-0x9F extras are not used here.
    std::string out;
    for (char ch : ansi) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool dlg_open_file(std::string_view title, std::string_view start, const std::vector<std::string>& patterns,
                   std::string_view desc, bool multi, std::string& chosen) {
    std::string answer;
    Asked asked = Asked::not_asked;
    switch (graphical_program()) {
    case Program::zenity: {
        std::vector<std::string> argv{"zenity", "--file-selection", "--title=" + std::string(title)};
        if (!start.empty()) argv.push_back("--filename=" + zenity_start(start));
        if (multi) {
            argv.push_back("--multiple");
            argv.push_back("--separator=|");
        }
        if (!patterns.empty()) argv.push_back(zenity_filter(patterns, desc));
        asked = run_dialog(argv, answer);
        break;
    }
    case Program::kdialog: {
        std::vector<std::string> argv{"kdialog", "--title", std::string(title), "--getopenfilename",
                                      kdialog_start(start), kdialog_filter(patterns, desc)};
        if (multi) {
            argv.push_back("--multiple");
            argv.push_back("--separate-output");
        }
        asked = run_dialog(argv, answer);
        answer = lines_joined(answer);
        break;
    }
    case Program::none:
        break;
    }
    if (asked == Asked::not_asked) asked = console_open_file(title, patterns, multi, answer, dlg_stdin_is_terminal());
    return take_answer(asked, answer, chosen);
}

bool dlg_save_file(std::string_view title, std::string_view start, const std::vector<std::string>& patterns,
                   std::string_view desc, std::string& chosen) {
    std::string answer;
    Asked asked = Asked::not_asked;
    switch (graphical_program()) {
    case Program::zenity: {
        std::vector<std::string> argv{"zenity", "--file-selection", "--save", "--confirm-overwrite",
                                      "--title=" + std::string(title)};
        if (!start.empty()) argv.push_back("--filename=" + zenity_start(start));
        if (!patterns.empty()) argv.push_back(zenity_filter(patterns, desc));
        asked = run_dialog(argv, answer);
        break;
    }
    case Program::kdialog:
        asked = run_dialog({"kdialog", "--title", std::string(title), "--getsavefilename", kdialog_start(start),
                            kdialog_filter(patterns, desc)},
                           answer);
        break;
    case Program::none:
        break;
    }
    if (asked == Asked::not_asked) asked = console_save_file(title, patterns, answer, dlg_stdin_is_terminal());
    return take_answer(asked, answer, chosen);
}

bool dlg_select_folder(std::string_view title, std::string_view start, std::string& chosen) {
    std::string answer;
    Asked asked = Asked::not_asked;
    switch (graphical_program()) {
    case Program::zenity: {
        std::vector<std::string> argv{"zenity", "--file-selection", "--directory", "--title=" + std::string(title)};
        if (!start.empty()) argv.push_back("--filename=" + zenity_start(start));
        asked = run_dialog(argv, answer);
        break;
    }
    case Program::kdialog:
        asked = run_dialog({"kdialog", "--title", std::string(title), "--getexistingdirectory", kdialog_start(start)},
                           answer);
        break;
    case Program::none:
        break;
    }
    if (asked == Asked::not_asked) asked = console_select_folder(title, start, answer, dlg_stdin_is_terminal());
    return take_answer(asked, answer, chosen);
}

bool dlg_input_box(std::string_view title, std::string_view prompt, std::string_view def, std::string& answer) {
    std::string text;
    Asked asked = Asked::not_asked;
    switch (graphical_program()) {
    case Program::zenity:
        asked = run_dialog({"zenity", "--entry", "--title=" + std::string(title), "--text=" + std::string(prompt),
                            "--entry-text=" + std::string(def)},
                           text);
        break;
    case Program::kdialog:
        asked = run_dialog({"kdialog", "--title", std::string(title), "--inputbox", std::string(prompt),
                            std::string(def)},
                           text);
        break;
    case Program::none:
        break;
    }
    if (asked == Asked::not_asked) asked = console_input_box(title, prompt, def, text, dlg_stdin_is_terminal());
    if (asked != Asked::chosen) return false;
    answer = text;  // an empty answer is an answer
    return true;
}
