#include "tests/common/igc_readers.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/common/child_process.h"

#ifndef BREMALO_INTEROP_DIR
#define BREMALO_INTEROP_DIR ""
#endif
#ifndef BREMALO_INTEROP_SCRIPT
#define BREMALO_INTEROP_SCRIPT ""
#endif

namespace fs = std::filesystem;

bool igc_readers_in_ci() {
    const char* ci = std::getenv("CI");
    if (!ci) return false;
    const std::string v = ci;
    return !v.empty() && v != "0" && v != "false";
}

namespace {

/// The lines of a reader's output, line ends (LF or CR LF) removed, empty
/// lines left out.
std::vector<std::string> output_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string l;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (!l.empty()) lines.push_back(l);
    }
    return lines;
}

/// The fields of a line between its commas (a final comma gives a final
/// empty field).
std::vector<std::string> split_commas(const std::string& line) {
    std::vector<std::string> f;
    std::size_t b = 0;
    for (;;) {
        const std::size_t e = line.find(',', b);
        f.push_back(line.substr(b, e == std::string::npos ? std::string::npos : e - b));
        if (e == std::string::npos) return f;
        b = e + 1;
    }
}

}  // namespace

gpsbabel_reading read_with_gpsbabel(const std::string& file, gpsbabel_data what) {
    gpsbabel_reading r;
    const std::string gpsbabel = find_program("gpsbabel");
    if (gpsbabel.empty()) {
        r.problem = "gpsbabel is missing";
        return r;
    }
    r.available = true;
    const bool tracks = what == gpsbabel_data::tracks;
    const program_result p =
        run_program({gpsbabel, tracks ? "-t" : "-r", "-i", "igc", "-f", file, "-o", "unicsv", "-F", "-"});
    r.accepted = p.started && p.status == 0 && p.err.empty();
    if (!r.accepted) r.problem = "gpsbabel status " + std::to_string(p.status) + ": " + p.err;
    const std::vector<std::string> lines = output_lines(p.out);
    if (!lines.empty()) {
        const std::vector<std::string> head = split_commas(lines[0]);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string> f = split_commas(lines[i]);
            std::map<std::string, std::string> row;
            for (std::size_t k = 0; k < head.size() && k < f.size(); ++k) row[head[k]] = f[k];
            r.rows.push_back(std::move(row));
        }
    }
    r.fixes = tracks ? r.rows.size() / 2 : r.rows.size();
    return r;
}

igc_parser_reading read_with_igc_parser(const std::string& file) {
    igc_parser_reading r;
    std::string node = find_program("node");
    if (node.empty()) node = find_program("nodejs");
    if (node.empty()) {
        r.problem = "node is missing";
        return r;
    }
    const std::string module_dir = BREMALO_INTEROP_DIR;
    std::error_code ec;
    if (module_dir.empty() || !fs::exists(fs::path(module_dir) / "node_modules" / "igc-parser" / "package.json", ec)) {
        r.problem = "the igc-parser package is missing (in " + module_dir + ")";
        return r;
    }
    const std::string script = BREMALO_INTEROP_SCRIPT;
    if (script.empty() || !fs::exists(script, ec)) {
        r.problem = "the script igc_check.js is missing (" + script + ")";
        return r;
    }
    r.available = true;
    const program_result p = run_program({node, script, module_dir, file});
    r.accepted = p.started && p.status == 0;
    if (!r.accepted) r.problem = "igc-parser: " + p.err;
    for (const std::string& l : output_lines(p.out)) {
        r.records.push_back(split_commas(l));
        if (r.records.back()[0] == "fix") ++r.fixes;
    }
    return r;
}

bool igc_reader_present(const igc_reading& r) {
    if (r.available) return true;
    if (igc_readers_in_ci())
        ADD_FAILURE() << r.problem << ": run scripts/install-deps.sh (CI=true)";
    else
        std::fprintf(stderr, "IGC reader not checked: %s (scripts/install-deps.sh installs it)\n", r.problem.c_str());
    return false;
}
