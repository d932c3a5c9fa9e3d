// Counting the airspaces of a landscape's airspace file.
#include "taskmodel/airspace.h"

#include <cstdio>
#include <string>

#include "support/console.h"
#include "support/ftext.h"
#include "support/messages.h"
#include "support/paths.h"
#include "support/platform_dialogs.h"

namespace {

/// Characters of a line looked at; only the first two matter.
constexpr std::size_t line_limit = 256;
constexpr std::size_t message_limit = 256;

}  // namespace

int32_t get_airspace_size(std::string_view aspfile) {
    const std::string name(trim_right(aspfile));
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) {
        // The path is escaped so that its separators are not taken for the
        // message's line breaks.
        std::string msg = escape_path_for_message(name);
        // The French text is written in the ANSI code page ("\xE9" is e
        // acute), in the platform's own encoding on the console and in logs.
        msg += cmndta001.qfr ? dlg_native_text("/Fichier d'espace a\xE9rien : ouverture impossible")
                             : std::string("/Airspace file : error opening");
        int32_t status = s_error;
        error_message(status, fit(msg, message_limit), cmndta001.qline);
        return 0;
    }
    int32_t count = 0;
    std::string line;
    bool at_line_start = true;
    for (;;) {
        const int c = std::fgetc(f);
        if (c == EOF) break;  // end of file or a read error: the count so far
        if (c == '\n') {
            at_line_start = true;
            line.clear();
            continue;
        }
        if (at_line_start && line.size() < line_limit) {
            line.push_back(static_cast<char>(c));
            if (line.size() == 2) {
                if (line == "AC") ++count;
                at_line_start = false;
            }
        }
    }
    std::fclose(f);
    return count;
}
