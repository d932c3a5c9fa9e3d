// Message boxes on Linux: zenity or kdialog in a graphical session, else
// standard error with the answer from the terminal (or the default button
// when there is no terminal, so that nothing ever blocks).
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "support/console_dialogs.h"
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
        // An empty entry is the working folder.
        const std::string dir = end > start ? path.substr(start, end - start) : std::string(".");
        const std::string full = dir + "/" + program;
        if (access(full.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

std::string text_of(const char* s) { return s ? std::string(s) : std::string(); }

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
    const std::string type = box_type_of(dialog_type), icon = text_of(icon_type);
    const int def = box_default_button(type, default_button);
    if (dlg_graphical_session()) {
        int answer = graphical_box(dlg_dialog_program(), t, m, type, icon, def);
        if (answer >= 0) return answer;
    }
    return console_message_box(t, m, type, def, dlg_stdin_is_terminal());
}
