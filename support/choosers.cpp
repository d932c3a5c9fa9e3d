// File and folder choosers with the empty-choice warning.
#include "support/choosers.h"

#include <string>

#include "support/console.h"
#include "support/platform_dialogs.h"
#include "support/messages.h"
#include "support/platform.h"

namespace {

// Empty-choice texts, in the Windows ANSI code page ("\xE9" is e acute).
constexpr const char* no_file_fr = "Aucun fichier sp\xE9" "cifi\xE9";
constexpr const char* no_file_en = "No file specification returned";
constexpr const char* no_folder_fr = "Aucun dossier sp\xE9" "cifi\xE9";
constexpr const char* no_folder_en = "No folder returned";

// Nothing was chosen: a warning box in the user's language, and the same
// text in the error log as a warning.
void report_empty_choice(const char* title, const char* french, const char* english) {
    const std::string text = dlg_native_text(IsLanguageFrench() ? french : english);
    dlg_message_box(title, text.c_str(), "ok", "warning", 1);
    log_error(text.c_str(), s_warning);
}

// What every chooser does with the dialog's outcome: a non-empty answer goes
// to the caller with its length; anything else is the empty choice (the
// warning, length 0, the caller's text untouched).  True for a choice.
bool deliver_choice(bool answered, const std::string& chosen, std::string& out, int32_t& len,
                    const char* title, const char* french, const char* english) {
    if (answered && !chosen.empty()) {
        out = chosen;
        len = static_cast<int32_t>(out.size());
        return true;
    }
    report_empty_choice(title, french, english);
    len = 0;
    return false;
}

void note_left_out(std::string_view why, std::string_view pattern) {
    console_line("filter pattern left out (" + std::string(why) + "): " + std::string(pattern));
}

}  // namespace

std::vector<std::string> split_filter(std::string_view filter) {
    std::vector<std::string> patterns;
    std::string work(filter);
    std::size_t offset = 0;  // where work starts in filter
    while (!work.empty()) {
        const std::size_t d = work.find(',');
        const bool last = d == std::string::npos || d == 0;
        std::string pattern;
        if (last)
            pattern = work;
        else
            substrpos(work, pattern, 0, static_cast<int32_t>(d) - 1);

        // A cut pattern would select other files than meant, so patterns
        // beyond the limits are left out whole.
        if (offset + pattern.size() > filter_max_chars) {
            note_left_out("filter over 63 characters", pattern);
        } else if (pattern.size() > filter_max_pattern) {
            note_left_out("over 31 characters", pattern);
        } else if (patterns.size() >= filter_max_patterns) {
            note_left_out("more than 10 patterns", pattern);
        } else {
            patterns.push_back(pattern);
        }
        if (last) break;
        work.erase(0, d + 1);
        offset += d + 1;
    }
    return patterns;
}

int32_t GetFileName(std::string& file, std::string_view title, std::string_view path, std::string_view filter,
                    std::string_view desc, int32_t multi, int32_t& len) {
    console_line("GetFileName " + std::string(filter) + " " + std::to_string(filter.size()));
    console_line("GetFileName " + std::string(path) + " " + std::to_string(path.size()));
    const std::vector<std::string> patterns = split_filter(filter);
    std::string chosen;
    const bool answered = dlg_open_file(title, path, patterns, desc, multi != 0, chosen);
    return deliver_choice(answered, chosen, file, len, "Get file", no_file_fr, no_file_en) ? 1 : 0;
}

int32_t SaveFileName(std::string& file, std::string_view title, std::string_view path, std::string_view filter,
                     std::string_view desc, int32_t& len) {
    console_line("SaveFileName " + std::string(filter) + " " + std::to_string(filter.size()) + " " +
                 std::string(path) + " ");
    const std::vector<std::string> patterns = split_filter(filter);
    std::string chosen;
    const bool answered = dlg_save_file(title, path, patterns, desc, chosen);
    return deliver_choice(answered, chosen, file, len, "Save File", no_file_fr, no_file_en) ? 1 : 0;
}

int32_t GetFolder(std::string_view title, std::string_view deflt, int32_t& len, std::string& folder) {
    std::string chosen;
    const bool answered = dlg_select_folder(title, deflt, chosen);
    // The folder chooser reports a choice with 0.
    return deliver_choice(answered, chosen, folder, len, "Select Folder", no_folder_fr, no_folder_en) ? 0 : 1;
}

void GetString(std::string_view title, std::string_view prompt, std::string& string, std::string_view def,
               int32_t& len) {
    console_line(prompt);
    std::string answer;
    if (dlg_input_box(title, prompt, def, answer)) {
        string = answer;
        len = static_cast<int32_t>(string.size());
    } else {
        len = 0;
    }
    console_free(len, string);
}

void substrpos(std::string_view s, std::string& sub, int32_t p1, int32_t p2) {
    const auto n = static_cast<int32_t>(s.size());
    if (p1 < 0) p1 = 0;
    if (p2 >= n) p2 = n - 1;
    if (p2 < p1) {
        sub.clear();
        return;
    }
    sub.assign(s.substr(static_cast<std::size_t>(p1), static_cast<std::size_t>(p2 - p1 + 1)));
}

int32_t substring(std::string_view s, std::string& sub, int32_t p, int32_t l) {
    sub.clear();
    if (l <= 0 || p < 0 || static_cast<std::size_t>(p) >= s.size()) return 0;
    sub.assign(s.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(l)));
    return static_cast<int32_t>(sub.size());
}
