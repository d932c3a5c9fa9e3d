#include "trackdiff/trackdiff_run.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/console.h"
#include "support/error_note.h"
#include "support/ftext.h"
#include "support/platform.h"
#include "support/stop.h"
#include "support/whole_file.h"
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

/// Writes the report whole, in place of an earlier one only once it is
/// complete; the error when it cannot be created or written (an earlier
/// report then stays as it was).
File_error write_report(const std::string& name, const Match_result& r) {
    Whole_file w;
    const File_error opened = whole_file_open(w, name);
    if (opened.code != 0) return opened;
    for (const Fix_difference& d : r.differences) {
        const File_error e = whole_file_put_line(w, report_line(d));
        if (e.code != 0) {
            whole_file_discard(w);
            return e;
        }
    }
    return whole_file_commit(w);
}

void print_lines(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) console_line(l);
}

/// The line that names a log the comparison cannot use: one that could not
/// be opened (`status`, the reader's error number, with its text: a bare
/// number reads like the exit status) or one that holds no fix.
std::string unusable_log_line(const std::string& name, int32_t status) {
    if (status == 0) return "trackdiff : " + name + " holds no fix";
    return "trackdiff : cannot read " + name + errno_note(status);
}

int32_t compare(const std::string& ff1, const std::string& ff2, int64_t nlin) {
    std::vector<igc_fix> pp1, pp2;
    pp1.reserve(static_cast<std::size_t>(nlin));
    pp2.reserve(static_cast<std::size_t>(nlin));
    std::vector<std::string> igc_hdr(static_cast<std::size_t>(trackdiff_hdr_lines));
    int32_t nr1 = 0, nr2 = 0, nhdr = 0;
    const int32_t s1 = read_igc(ff1, false, false, pp1, igc_hdr, nr1, nhdr);
    const int32_t s2 = read_igc(ff2, false, false, pp2, igc_hdr, nr2, nhdr);

    // A log without a fix (empty, not IGC text, no B record) has nothing to
    // compare: no comparison is made and no count printed, since zero
    // matches would read as a result about two unrelated logs.
    const bool bad1 = s1 != 0 || nr1 == 0;
    const bool bad2 = s2 != 0 || nr2 == 0;
    if (bad1 || bad2) {
        if (bad1) console_line(unusable_log_line(ff1, s1));
        if (bad2) console_line(unusable_log_line(ff2, s2));
        return exit_error;
    }

    if (nr1 != nr2) console_line(" different number of fixes");
    const Match_result r = match_fixes(pp1, pp2);
    const std::string ff3 = report_name(ff1, ff2);
    const File_error e = write_report(ff3, r);
    const bool written = e.code == 0;
    if (!written) console_line("trackdiff : cannot write the report " + ff3 + file_error_note(e));
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
    if (argc < 3) {
        console_line(argc < 2 ? "trackdiff : the names of both IGC files are missing"
                              : "trackdiff : the name of the second IGC file is missing");
        console_line("trackdiff FILE1 FILE2");
        return exit_error;
    }
    return trackdiff_run(argv[1] ? argv[1] : "", argv[2] ? argv[2] : "");
}
