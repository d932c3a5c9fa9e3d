// Simulator installation discovery: installation folders from the registry
// and the simulator's own log, user-files and pilot folders from the
// documents folder, and the choice between two installed versions.
#include "support/condor_install.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/choosers.h"
#include "support/console.h"
#include "support/files.h"
#include "support/ftext.h"
#include "support/messages.h"
#include "support/number_fields.h"
#include "support/platform.h"
#include "support/paths.h"
#include "support/stop.h"

Inst00 inst00;

namespace {

constexpr const char* shell_folders_key =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\";

// The simulator's log names its version in a line starting with this.
constexpr std::string_view version_prefix = "Condor version:";
constexpr int log_lines_searched = 6;
constexpr std::size_t log_line_width = 132;

// Registry values are at most 255 bytes with their NUL.
constexpr int32_t reg_buffer = 255;

[[noreturn]] void stop_program(std::string_view text) {
    console_line(text);
    stop_run(exit_error);
}

std::string sep() { return std::string(path_sep_str()); }

// A folder text of the simulator (Windows form, or already a host path) as
// a path of this machine: a drive path goes through the Wine prefix, and
// backslashes become the platform's separator.
std::string host_form(std::string_view p) {
    std::string h = windows_to_host_path(p);
    for (char& c : h)
        if (c == '\\') c = path_separator();
    return h;
}

// The simulator's program in an installation folder.
std::string program_file(std::string_view folder) {
    return existing_case(std::string(trim_right(folder)) + sep() + "Condor.exe");
}

// One string value of the current user's registry; false when missing.
bool read_user_value(const std::string& key, const char* name, std::string& value) {
    char buf[reg_buffer + 1] = {};
    int32_t n = 0;  // 0: HKEY_CURRENT_USER
    const int32_t st = RdUsrReg(key.c_str(), name, buf, &n);
    if (st != 0) {
        console_free("RdUsrReg", key, name, "status", st);
        return false;
    }
    value.assign(buf);
    return true;
}

// The major version that the simulator's log names in one of its first
// lines ("Condor version: 3040" gives 3); 0 when the log is missing or holds
// no readable version line there.
int32_t log_version(const std::string& logfile) {
    std::FILE* f = std::fopen(logfile.c_str(), "rb");
    if (!f) return 0;
    int32_t version = 0;
    for (int i = 0; i < log_lines_searched; ++i) {
        std::string line;
        int c;
        bool any = false;
        while ((c = std::fgetc(f)) != EOF) {
            any = true;
            if (c == '\n') break;
            if (line.size() < log_line_width + 1) line += static_cast<char>(c);
        }
        if (!any) break;  // end of file or read error
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > log_line_width) line.resize(log_line_width);
        if (line.compare(0, version_prefix.size(), version_prefix) == 0) {
            int32_t full = 0;
            if (read_int(std::string_view(line).substr(version_prefix.size()), full))
                version = full / 1000;
            break;
        }
    }
    std::fclose(f);
    return version;
}

// The value of an environment variable, however long.  False when unset.
bool env_value(const std::string& name, std::string& value) {
    std::string buf(512, '\0');
    int32_t n = MyGetEnv(name.c_str(), buf.data(), 511);
    if (n >= 511) {
        // It did not fit: n is the size it needs.
        buf.assign(static_cast<std::size_t>(n) + 1, '\0');
        n = MyGetEnv(name.c_str(), buf.data(), n + 1);
        if (n >= static_cast<int32_t>(buf.size())) n = 0;  // changed meanwhile
    }
    if (n <= 0) return false;
    value.assign(buf.data(), static_cast<std::size_t>(n));
    return true;
}

// Expands the "%NAME%" of a documents folder such as
// "%USERPROFILE%\Documents": the name runs from the first "%" to the first
// separator of the text (a closing "%" is not part of it), the variable's
// value takes its place and the text before the first "%" is dropped.  A
// "%NAME%" without a separator is the value alone.  When a separator comes
// before the first "%", or nothing stands between the "%" and the separator,
// no variable is named and none can be read.  False (with the error message)
// when no value can be had.
bool expand_documents_folder(std::string& path) {
    const std::size_t pct = path.find('%');
    if (pct == std::string::npos) return true;
    const std::size_t cut = path.find_first_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(cut);
    std::string env;
    if (cut == std::string::npos)
        env = path.substr(pct + 1);
    else if (cut > pct)
        env = path.substr(pct + 1, cut - pct - 1);
    if (!env.empty() && env.back() == '%') env.pop_back();
    console_free("folder", folder);
    console_free("ENV", env);
    std::string value;
    if (env.empty() || !env_value(env, value)) {
        int32_t st = s_error;
        error_message_tit(st, "get_condor_user_path", "Error getting environment variable/" + env,
                          cmndta001.qline);
        return false;
    }
    path = value + folder;
    console_free(static_cast<int32_t>(path.size()), path);
    return true;
}

}  // namespace

int32_t get_condor_inst_dir(int32_t nc, std::string& path, bool silent) {
    if (nc == -2 && !is_blank(inst00.instpath2)) {
        path = inst00.instpath2;
        return 2;
    }
    if (nc == -3 && !is_blank(inst00.instpath3)) {
        path = inst00.instpath3;
        return 3;
    }
    const int32_t v = nc < 0 ? (nc >= -3 ? -nc : 0) : nc;
    if (v < 1 || v > 3) {
        console_free("get_condor_inst_dir nc =", nc);
        stop_program("get_condor_inst_dir : incorrect Condor version");
    }
    const char digit = static_cast<char>('0' + v);
    const std::string key = v == 1 ? "SOFTWARE\\Condor\\" : std::string("SOFTWARE\\Condor") + digit + "\\";

    std::string value;
    if (!read_user_value(key, "InstallDir", value)) {
        path.clear();
        if (!silent) {
            int32_t st = s_info;
            error_message(st, std::string("*** Condor") + digit + " installation not detected on this computer ***",
                          cmndta001.qline);
        }
        return 0;
    }
    // Kept as the registry gives it: no separator is added or removed.
    path = existing_case(host_form(value));
    const std::string logfile = existing_case(path + sep() + "Logs" + sep() + "Logfile.txt");
    console_line(trim_right(path));
    console_line(trim_right(logfile));
    const int32_t version = log_version(logfile);
    console_free("Condor version", version);
    return version;
}

int32_t get_condor_user_path(std::string_view msgpltfldr, bool qconfirm, bool qpilot, bool qdocreg,
                             std::string& condoruserpath) {
    for (int i = 0; i < 7; ++i) console_line("");
    console_line("get_condor_user_path");
    console_free("qconfirm,qpilot,qdocreg", qconfirm, qpilot, qdocreg);
    console_line(trim_right(condoruserpath));

    const bool v3 = same_text(condoruserpath, "3");
    const std::string cndr_doc = v3 ? "Condor3" : "Condor";
    const std::string cndr_reg = v3 ? "Condor3" : "Condor2";

    std::string path;
    if (!qdocreg) {
        path = std::string(trim_right(condoruserpath));
    } else if (!read_user_value(shell_folders_key, "Personal", path)) {
        path.clear();
        console_line("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders NOT READABLE");
    } else {
        console_free("path", path);
        if (!expand_documents_folder(path)) return 0;
        path = host_form(path);
    }
    path = std::string(trim_right(path));
    if (path.empty()) return 0;

    if (qpilot) {
        std::string player;
        if (read_user_value("SOFTWARE\\" + cndr_reg + "\\", "LastPlayer", player)) {
            path += sep() + cndr_doc + sep() + "Pilots" + sep() + player;
        } else {
            player.clear();  // the pilot folder falls back to the documents folder
        }
        console_free("player", trim_right(player));
    } else {
        path += sep() + cndr_doc + sep();
    }
    // The simulator named its folders; under Wine their case may differ.
    path = existing_case(path);
    console_line("Final Path : " + std::string(trim_right(path)));

    int32_t result = is_blank(path) ? 0 : 1;
    if (!qconfirm) {
        condoruserpath = path;
    } else if (qpilot || is_blank(path)) {
        // The user confirms or picks the folder; a cancel keeps the entry
        // value and reports no folder.
        std::string title;
        if (qpilot) {
            title = is_blank(path) ? std::string(trim_right(msgpltfldr)) + " DOCUMENTS" + sep() + cndr_doc + sep() +
                                         "Pilots" + sep() + "NAME"
                                   : std::string(trim_right(msgpltfldr)) + " " + path;
        } else {
            title = std::string(trim_right(msgpltfldr)) + "Path to the Condor user files folder: usually DOCUMENTS" +
                    sep() + cndr_doc + sep();
        }
        const std::string start = std::string(trim_right(path)) + sep();
        std::string chosen;
        int32_t lc = 0;
        if (GetFolder(title, start, lc, chosen) == 0) {
            condoruserpath = chosen;
            result = 1;
        } else {
            result = 0;
        }
    } else {
        condoruserpath = path;
    }
    console_free("get_condor_user_path=", result);
    return result;
}

int32_t get_condor_2_path(std::string_view msgpltfldr, bool qconfirm, bool qpilot, std::string& condoruserpath) {
    const int32_t r = get_condor_user_path(msgpltfldr, qconfirm, qpilot, true, condoruserpath);
    console_free("get_condor_user_path=", r);
    return r;
}

int32_t check_condor_install(std::string_view msgpltfldr) {
    int32_t result = 0;
    // A version counts only when its log names that same version and its
    // program is there.
    inst00.qc2 = get_condor_inst_dir(2, inst00.instpath2, false) == 2;
    if (inst00.qc2) inst00.qc2 = file_exists(program_file(inst00.instpath2));
    inst00.qc3 = get_condor_inst_dir(3, inst00.instpath3, false) == 3;
    if (inst00.qc3) inst00.qc3 = file_exists(program_file(inst00.instpath3));

    // The run log breaks lines at "/": the folders are logged escaped so
    // that each stays whole.
    if (inst00.qc2) {
        log_message_f("Condor 2 install path: " + escape_path_for_message(trim_right(inst00.instpath2)));
        inst00.pilpath2.clear();
        get_condor_2_path(msgpltfldr, false, true, inst00.pilpath2);
        inst00.rootpath2.clear();
        get_condor_2_path(msgpltfldr, false, false, inst00.rootpath2);
        result = 2;
    }
    if (inst00.qc3) {
        log_message_f("Condor 3 install path: " + escape_path_for_message(trim_right(inst00.instpath3)));
        inst00.pilpath3 = "3";
        get_condor_2_path(msgpltfldr, false, true, inst00.pilpath3);
        inst00.rootpath3 = "3";
        get_condor_2_path(msgpltfldr, false, false, inst00.rootpath3);
        result = 3;
    }

    if (inst00.qc2 && inst00.qc3) {
        inst00.condor_version = 0;
        inst00.cndrpilpath = inst00.pilpath3;
        inst00.cndrrootpath = inst00.rootpath3;
        inst00.cndrinstpath = inst00.instpath3;
    } else if (inst00.qc2) {
        inst00.condor_version = 2;
        inst00.cndrrootpath = inst00.rootpath2;
        inst00.cndrpilpath = inst00.pilpath2;
        inst00.cndrinstpath = inst00.instpath2;
    } else if (inst00.qc3) {
        inst00.condor_version = 3;
        inst00.cndrrootpath = inst00.rootpath3;
        inst00.cndrpilpath = inst00.pilpath3;
        inst00.cndrinstpath = inst00.instpath3;
    }
    return result;
}

void get_active_condor_version() {
    if (!inst00.qc2 && !inst00.qc3) check_condor_install(" ");
    console_line("get_active_condor_version");
    console_line("");

    int32_t version = inst00.condor_version;
    if (inst00.qc2 && inst00.qc3) {
        auto dated = [](const std::string& folder, std::string_view rest) {
            return modified_date(existing_case(std::string(trim_right(folder)) + std::string(rest)));
        };
        const std::string plan = sep() + "FlightPlan.fpl";
        const std::string log = sep() + "Logs" + sep() + "Logfile.txt";
        // Visited in this order; a later file wins only when strictly newer.
        const struct { int32_t date; int32_t version; } files[] = {
            {dated(inst00.pilpath3, plan), 3},
            {dated(inst00.pilpath2, plan), 2},
            {dated(inst00.instpath3, log), 3},
            {dated(inst00.instpath2, log), 2},
        };
        int32_t newest = 0;
        int32_t chosen = 0;
        for (const auto& f : files) {
            if (f.date > newest) {
                newest = f.date;
                chosen = f.version;
            }
        }
        version = chosen == 3 ? 3 : 2;
    } else if (inst00.qc2) {
        version = 2;
    } else if (inst00.qc3) {
        version = 3;
    }
    inst00.condor_version = version;
    if (version == 2) {
        inst00.cndrrootpath = inst00.rootpath2;
        inst00.cndrpilpath = inst00.pilpath2;
        inst00.cndrinstpath = inst00.instpath2;
    } else {
        inst00.cndrrootpath = inst00.rootpath3;
        inst00.cndrpilpath = inst00.pilpath3;
        inst00.cndrinstpath = inst00.instpath3;
    }
    console_free(inst00.condor_version, trim_right(inst00.cndrinstpath), trim_right(inst00.cndrpilpath));
}
