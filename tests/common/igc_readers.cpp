#include "tests/common/igc_readers.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/common/child_process.h"

namespace fs = std::filesystem;

bool igc_readers_in_ci() {
    const char* ci = std::getenv("CI");
    if (!ci) return false;
    const std::string v = ci;
    return !v.empty() && v != "0" && v != "false";
}

namespace {

std::size_t lines_beginning(const std::string& text, const std::string& prefix) {
    std::istringstream in(text);
    std::string l;
    std::size_t n = 0;
    while (std::getline(in, l)) n += l.compare(0, prefix.size(), prefix) == 0;
    return n;
}

}  // namespace

igc_reading read_with_gpsbabel(const std::string& file) {
    igc_reading r;
    const std::string gpsbabel = find_program("gpsbabel");
    if (gpsbabel.empty()) {
        r.problem = "gpsbabel is missing";
        return r;
    }
    r.available = true;
    const std::string csv = file + ".gpsbabel.csv";
    const program_result p = run_program({gpsbabel, "-t", "-i", "igc", "-f", file, "-o", "unicsv", "-F", csv});
    std::ifstream in(csv, std::ios::binary);
    const std::string rows((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::error_code ec;
    fs::remove(csv, ec);
    r.accepted = p.started && p.status == 0 && p.err.empty();
    if (!r.accepted) r.problem = "gpsbabel status " + std::to_string(p.status) + ": " + p.err;
    // Two tracks, one from each altitude, with the same fixes; one header.
    const std::size_t lines = lines_beginning(rows, "");
    r.fixes = lines > 1 ? (lines - 1) / 2 : 0;
    return r;
}

igc_reading read_with_igc_parser(const std::string& file, const std::string& module_dir, const std::string& script) {
    igc_reading r;
    std::string node = find_program("node");
    if (node.empty()) node = find_program("nodejs");
    std::error_code ec;
    if (node.empty()) {
        r.problem = "node is missing";
        return r;
    }
    if (module_dir.empty() || !fs::exists(fs::path(module_dir) / "node_modules" / "igc-parser" / "package.json", ec)) {
        r.problem = "the igc-parser package is missing (in " + module_dir + ")";
        return r;
    }
    r.available = true;
    const program_result p = run_program({node, script, module_dir, file});
    r.accepted = p.started && p.status == 0;
    if (!r.accepted) r.problem = "igc-parser: " + p.err;
    r.fixes = lines_beginning(p.out, "fix,");
    return r;
}
