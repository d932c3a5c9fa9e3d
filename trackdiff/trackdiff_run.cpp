#include "trackdiff/trackdiff_run.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/console.h"
#include "support/ftext.h"
#include "support/platform.h"
#include "support/stop.h"
#include "support/text_line.h"
#include "trackdiff/diff_console.h"
#include "trackdiff/diff_report.h"
#include "trackdiff/fix_capacity.h"
#include "trackdiff/fix_matching.h"
#include "tracks/igc_reader.h"

namespace {

/// Size of the file in bytes; 0 when it cannot be taken.
int64_t file_size_bytes(const std::string& name) {
    const Path_entry entry = path_entry(name);
    return entry.kind == Entry_kind::file ? static_cast<int64_t>(entry.size) : 0;
}

/// Writes the report; false when it cannot be created or a line cannot be
/// written.
bool write_report(const std::string& name, const Match_result& r) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = true;
    for (const Fix_difference& d : r.differences)
        if (!write_text_line(f, report_line(d))) {
            ok = false;
            break;
        }
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

void print_lines(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) console_line(l);
}

int32_t compare(const std::string& ff1, const std::string& ff2, int64_t nlin) {
    std::vector<igc_fix> pp1, pp2;
    pp1.reserve(static_cast<std::size_t>(nlin));
    pp2.reserve(static_cast<std::size_t>(nlin));
    std::vector<std::string> igc_hdr(static_cast<std::size_t>(trackdiff_hdr_lines));
    int32_t nr1 = 0, nr2 = 0, nhdr = 0;
    const int32_t s1 = read_igc(ff1, false, false, pp1, igc_hdr, nr1, nhdr);
    const int32_t s2 = read_igc(ff2, false, false, pp2, igc_hdr, nr2, nhdr);
    if (nr1 != nr2) console_line(" different number of fixes");

    const Match_result r = match_fixes(pp1, pp2);
    if (s1 != 0 || s2 != 0) {
        print_lines(count_lines(r));
        if (s1 != 0) console_line("trackdiff : cannot read " + ff1 + " (status " + std::to_string(s1) + ")");
        if (s2 != 0) console_line("trackdiff : cannot read " + ff2 + " (status " + std::to_string(s2) + ")");
        return exit_error;
    }

    const std::string ff3 = report_name(ff1, ff2);
    const bool written = write_report(ff3, r);
    if (!written) console_line("trackdiff : cannot write the report " + ff3);
    print_lines(count_lines(r));
    if (r.nsom > 0) print_lines(difference_lines(r));
    return written ? 0 : exit_write_failed;
}

}  // namespace

int32_t trackdiff_run(std::string_view ff1_in, std::string_view ff2_in) {
    const std::string ff1(trim_right(ff1_in));
    const std::string ff2(trim_right(ff2_in));
    const int64_t nlin = std::max(fix_capacity(file_size_bytes(ff1)), fix_capacity(file_size_bytes(ff2)));
    try {
        return compare(ff1, ff2, nlin);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    console_line("trackdiff : not enough memory for the fixes (" + std::to_string(nlin) + " expected per log)");
    return exit_error;
}

int32_t trackdiff_main(int argc, const char* const* argv) {
    const std::string_view ff1 = argc > 1 && argv[1] ? argv[1] : "";
    const std::string_view ff2 = argc > 2 && argv[2] ? argv[2] : "";
    return trackdiff_run(ff1, ff2);
}
