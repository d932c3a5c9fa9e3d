// Message boxes on Linux: zenity or kdialog in a graphical session, else
// standard error with the answer from the terminal (or the default button
// when there is no terminal, so that nothing ever blocks).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "support/platform/linux/dialog_runner.h"
#include "support/platform_dialogs.h"

namespace {

std::string env_text(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

bool on_path(const std::string& program) {
    std::string path = env_text("PATH");
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        std::string dir = path.substr(start, end - start);
        if (dir.empty()) dir = ".";
        std::string full = dir + "/" + program;
        if (access(full.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

std::string text_of(const char* s) { return s ? std::string(s) : std::string(); }

int clamp_default(std::string_view type, int def) {
    if (type == "yesnocancel") return def >= 0 && def <= 2 ? def : 1;
    if (type == "yesno" || type == "okcancel") return def == 0 ? 0 : 1;
    return 1;
}

// Answer from a dialog program, or -1 when it could not be shown.
int graphical_box(const std::string& program, const std::string& title, const std::string& message,
                  std::string_view type, std::string_view icon, int def) {
    std::vector<std::string> argv{program};
    std::string out;
    if (program == "zenity") {
        if (type == "ok") {
            argv.push_back(icon == "error" ? "--error" : icon == "warning" ? "--warning" : "--info");
        } else {
            argv.push_back("--question");
            if (type == "okcancel") {
                argv.push_back("--ok-label=OK");
                argv.push_back("--cancel-label=Cancel");
            } else if (type == "yesno") {
                argv.push_back("--ok-label=Yes");
                argv.push_back("--cancel-label=No");
            } else {
                argv.push_back("--ok-label=Yes");
                argv.push_back("--cancel-label=Cancel");
                argv.push_back("--extra-button=No");
            }
            if (def == 0) argv.push_back("--default-cancel");
        }
        argv.push_back("--no-markup");
        argv.push_back("--title=" + title);
        argv.push_back("--text=" + message);
        int rc = dlg_run_program(argv, out);
        if (rc < 0) return -1;
        if (type == "ok") return 1;
        if (rc == 0) return 1;
        if (type == "yesnocancel" && out.find("No") != std::string::npos) return 2;
        return 0;
    }
    // kdialog
    argv.push_back("--title");
    argv.push_back(title);
    if (type == "ok") {
        argv.push_back(icon == "error" ? "--error" : icon == "warning" ? "--sorry" : "--msgbox");
    } else if (type == "yesnocancel") {
        argv.push_back("--yesnocancel");
    } else {
        argv.push_back("--yesno");
    }
    argv.push_back(message);
    if (type == "okcancel") {
        argv.insert(argv.end(), {"--yes-label", "OK", "--no-label", "Cancel"});
    }
    int rc = dlg_run_program(argv, out);
    if (rc < 0) return -1;
    if (type == "ok") return 1;
    if (type == "yesnocancel") return rc == 0 ? 1 : rc == 1 ? 2 : 0;
    return rc == 0 ? 1 : 0;
}

// The answer read from the terminal; the default for an empty line or the
// end of the input.
int terminal_answer(std::string_view type, int def) {
    const char* prompt = type == "okcancel" ? "[o]k / [c]ancel" : type == "yesno" ? "[y]es / [n]o" : "[y]es / [n]o / [c]ancel";
    for (;;) {
        std::fprintf(stderr, "%s ? ", prompt);
        std::fflush(stderr);
        char line[256];
        if (!std::fgets(line, sizeof line, stdin)) return def;
        std::string a(line);
        while (!a.empty() && (a.back() == '\n' || a.back() == '\r' || a.back() == ' ')) a.pop_back();
        std::size_t b = a.find_first_not_of(' ');
        a = b == std::string::npos ? std::string() : a.substr(b);
        for (char& c : a)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (a.empty()) return def;
        if (type == "okcancel") {
            if (a == "o" || a == "ok") return 1;
            if (a == "c" || a == "cancel") return 0;
        } else {
            if (a == "y" || a == "yes" || a == "o" || a == "oui") return 1;
            if (a == "n" || a == "no" || a == "non") return type == "yesnocancel" ? 2 : 0;
            if (type == "yesnocancel" && (a == "c" || a == "cancel")) return 0;
        }
    }
}

}  // namespace

bool dlg_stdin_is_terminal() { return isatty(STDIN_FILENO) == 1; }

std::string dlg_dialog_program() {
    for (const char* p : {"zenity", "kdialog"})
        if (on_path(p)) return p;
    return {};
}

bool dlg_graphical_session() {
    if (env_text("BREMALO_NO_GUI") == "1") return false;
    if (env_text("DISPLAY").empty() && env_text("WAYLAND_DISPLAY").empty()) return false;
    return !dlg_dialog_program().empty();
}

int dlg_message_box(const char* title, const char* message, const char* dialog_type, const char* icon_type,
                    int default_button) {
    const std::string t = text_of(title), m = text_of(message);
    std::string type = text_of(dialog_type), icon = text_of(icon_type);
    if (type != "okcancel" && type != "yesno" && type != "yesnocancel") type = "ok";
    const int def = clamp_default(type, default_button);
    if (dlg_graphical_session()) {
        int answer = graphical_box(dlg_dialog_program(), t, m, type, icon, def);
        if (answer >= 0) return answer;
    }
    std::fprintf(stderr, "%s\n%s\n", t.c_str(), m.c_str());
    std::fflush(stderr);
    if (type == "ok") return 1;
    if (!dlg_stdin_is_terminal()) return def;
    return terminal_answer(type, def);
}
