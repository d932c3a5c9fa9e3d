#include "support/console_dialogs.h"

#include <cstdio>

#include "support/platform.h"
#include "support/text_utils.h"

namespace {

std::string pattern_hint(const std::vector<std::string>& patterns) {
    return patterns.empty() ? std::string() : " (" + joined(patterns, " ") + ")";
}

// One line from standard input, without its line end; false at the end of
// the input.
bool read_console_line(std::string& line) {
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(stdin)) != EOF) {
        any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

// The answer to a question box read from the terminal; the default for an
// empty line or the end of the input.
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

bool console_yes(std::string_view question, bool can_ask) {
    std::string a;
    if (console_ask("", question, a, can_ask) != ConsoleAsked::chosen) return false;
    return !a.empty() && (a[0] == 'y' || a[0] == 'Y' || a[0] == 'o' || a[0] == 'O');
}

}  // namespace

std::string box_type_of(const char* dialog_type) {
    const std::string type = dialog_type ? dialog_type : "";
    if (type != "okcancel" && type != "yesno" && type != "yesnocancel") return "ok";
    return type;
}

int box_default_button(std::string_view type, int def) {
    if (type == "yesnocancel") return def >= 0 && def <= 2 ? def : 1;
    if (type == "yesno" || type == "okcancel") return def == 0 ? 0 : 1;
    return 1;
}

int console_message_box(std::string_view title, std::string_view message, std::string_view type, int def,
                        bool can_ask) {
    std::fprintf(stderr, "%.*s\n%.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    if (type == "ok") return 1;
    if (!can_ask) return def;
    return terminal_answer(type, def);
}

ConsoleAsked console_ask(std::string_view title, std::string_view question, std::string& answer, bool can_ask) {
    if (!can_ask) return ConsoleAsked::not_asked;
    std::printf("%.*s\n%.*s", static_cast<int>(title.size()), title.data(), static_cast<int>(question.size()),
                question.data());
    std::fflush(stdout);
    return read_console_line(answer) ? ConsoleAsked::chosen : ConsoleAsked::cancelled;
}

ConsoleAsked console_open_file(std::string_view title, const std::vector<std::string>& patterns, bool multi,
                               std::string& answer, bool can_ask) {
    return console_ask(title,
                       std::string(multi ? "File names, separated by |" : "File name") + pattern_hint(patterns) +
                           ", empty to cancel: ",
                       answer, can_ask);
}

ConsoleAsked console_save_file(std::string_view title, const std::vector<std::string>& patterns,
                               std::string& answer, bool can_ask) {
    ConsoleAsked asked = console_ask(title, "File name" + pattern_hint(patterns) + ", empty to cancel: ", answer,
                                     can_ask);
    // Nothing is overwritten without the user saying so.
    if (asked == ConsoleAsked::chosen && !answer.empty() && path_entry(answer).kind != Entry_kind::none &&
        !console_yes("Replace the existing file " + answer + "? [y/n] ", can_ask))
        asked = ConsoleAsked::cancelled;
    return asked;
}

ConsoleAsked console_select_folder(std::string_view title, std::string_view start, std::string& answer,
                                   bool can_ask) {
    std::string question = "Folder";
    if (!start.empty()) question += " (starting from " + std::string(start) + ")";
    return console_ask(title, question + ", empty to cancel: ", answer, can_ask);
}

ConsoleAsked console_input_box(std::string_view title, std::string_view prompt, std::string_view def,
                               std::string& answer, bool can_ask) {
    std::string question(prompt);
    if (!def.empty()) question += " [" + std::string(def) + "]";
    ConsoleAsked asked = console_ask(title, question + ": ", answer, can_ask);
    if (asked == ConsoleAsked::chosen && answer.empty()) answer = std::string(def);
    return asked;
}
