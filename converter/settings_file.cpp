#include "converter/settings_file.h"

#include "converter/run_options.h"
#include "support/console.h"
#include "support/paths.h"
#include "support/ftext.h"
#include "support/key_val.h"
#include "support/platform.h"
#include "taskmodel/fpl_input.h"

namespace {

// One character value: "_" and "-" are the only ones a name may be joined
// or filled with.
std::string one_char_setting(std::string_view value, char& setting, char fallback) {
    setting = value[0];
    if (setting == '_' || setting == '-') return {};
    const char given = setting;
    setting = fallback;
    return std::string(" ") + given + " : invalid separator";
}

}  // namespace

std::string ini_file_name(std::string_view arg0) {
    const std::string_view p = trim_right(arg0);
    const std::size_t i = last_path_separator(p);
    if (i == std::string_view::npos) return "Bremalo.ini";
    return std::string(p.substr(0, i + 1)) + "Bremalo.ini";
}

std::string rd_ini_line(std::string_view line, std::string& fmtstr, char& sep, char& wsubs,
                        std::string& targetfolder) {
    const std::string_view l = line.substr(0, line.size() < ini_line_len ? line.size() : ini_line_len);
    if (is_blank(l) || l[0] == '#') return {};
    std::string key, val;
    extract_key_val(l, key, val);
    if (is_blank(val)) return {};
    const std::string_view k = trim_right(key);
    if (k == "File format") {
        fmtstr = fit(val, fmtstr_len);
    } else if (k == "Output Folder") {
        targetfolder = fit(val, targetfolder_len);
    } else if (k == "Separator") {
        return one_char_setting(val, sep, '_');
    } else if (k == "Withespace substitute") {
        return one_char_setting(val, wsubs, '-');
    }
    return {};
}

void rd_ini(std::string_view arg0, std::string& fmtstr, char& sep, char& wsubs, std::string& targetfolder) {
    const std::string name = ini_file_name(arg0);
    if (!file_exists(name)) return;
    // The flight plans' line input: lines cut to their width, CR LF line
    // ends taken as well, a last line without a line end read too.
    Fpl_input in;
    if (!fpl_input_open(in, name)) return;
    // Windows editors begin a UTF-8 file with a byte-order mark: it is no
    // part of the first key.  Lines are read as long as a mark and a whole
    // line; rd_ini_line cuts them to their width.
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    std::string line;
    bool first = true;
    while (fpl_input_read_line(in, line, ini_line_len + bom.size()) == 0) {
        if (first && line.compare(0, bom.size(), bom) == 0) line.erase(0, bom.size());
        first = false;
        const std::string note = rd_ini_line(line, fmtstr, sep, wsubs, targetfolder);
        if (!note.empty()) console_line(note);
    }
}
