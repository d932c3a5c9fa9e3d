#include "converter/track_rename.h"

#include "support/console.h"
#include "support/error_note.h"
#include "support/ftext.h"
#include "support/messages.h"
#include "support/number_fields.h"
#include "support/paths.h"
#include "support/platform.h"

namespace {

std::string quoted_if_blank(std::string_view s) {
    if (s.find(' ') == std::string_view::npos) return std::string(s);
    return "\"" + std::string(s) + "\"";
}

}  // namespace

std::string rename_command_text(std::string_view source, std::string_view target) {
    return "RENAME " + quoted_if_blank(source) + " " + quoted_if_blank(target);
}

bool rename_track(std::string_view infile, std::string_view ttt) {
    const std::string source(trim_right(infile));
    std::string folder, name;
    extract_path_name(source, folder, name);
    const std::string built(trim_right(ttt));
    for (int n = 0; n <= rename_max_number; ++n) {
        const std::string target = n == 0 ? built + ".ftr" : built + "_" + zero_padded_field(n, 2) + ".ftr";
        console_line(rename_command_text(source, target));
        const std::string path = folder + target;
        const bool exists = file_exists(path);
        console_free(exists, path);
        if (exists) continue;
        const int32_t status = rename_no_replace(source, path);
        console_free("exitstat=", status == 0 ? 0 : 1, "cmdstat=", status);
        if (status == 0) return true;
        // A file that took the name meanwhile is left alone: the next
        // number is tried.
        if (status != rename_target_taken) {
            log_message_f(path_for_log_message(source) + " : not renamed to " + literal_slashes(target) +
                          literal_slashes(os_error_note(status)));
            return false;
        }
    }
    log_message_f(path_for_log_message(source) + " : not renamed, " + literal_slashes(built) + ".ftr and its _01 to _" +
                  std::to_string(rename_max_number) + " are all taken, the track keeps its name");
    return false;
}
