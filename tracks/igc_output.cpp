// Writing the lines of the IGC file.
#include "tracks/igc_output.h"

#include <cstdio>
#include <string>

#include "support/ftext.h"
#include "support/platform.h"
#include "support/stop.h"
#include "support/text_line.h"

namespace {

/// Output buffer: a B record is 43 bytes with its line end, so this holds
/// about 1500 of them per write to the system.
constexpr std::size_t igc_buffer = 64 * 1024;

}  // namespace

void igc_open(Igc_output& out, std::string_view fich) {
    const File_error e = whole_file_open(out.file, trim_right(fich));
    if (e.code != 0) {
        stop_on_write_failure("The IGC file " + escape_path_for_message(out.file.target) + " cannot be created",
                              file_error_text(e));
    }
    std::setvbuf(out.file.f, nullptr, _IOFBF, igc_buffer);
}

void igc_put_line(Igc_output& out, std::string_view line) {
    // Each line stays one record, whatever bytes a name brought along.
    std::string cleaned;
    std::string_view text = line;
    if (has_control_char(line)) {
        cleaned = blank_control_chars(line);
        text = cleaned;
    }
    if (const File_error e = whole_file_put_line(out.file, text); e.code != 0) igc_write_failed(out, e);
}

void igc_close(Igc_output& out) {
    const File_error e = whole_file_commit(out.file);
    if (e.code != 0) igc_write_failed(out, e);
}

void igc_write_failed(Igc_output& out, const File_error& err) {
    // Whatever is still buffered is lost with the incomplete file.
    whole_file_discard(out.file);
    stop_on_write_failure("The IGC file " + escape_path_for_message(out.file.target) + " cannot be written",
                          file_error_text(err));
}
