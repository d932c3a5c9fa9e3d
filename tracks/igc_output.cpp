// Writing the lines of the IGC file.
#include "tracks/igc_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "support/ftext.h"
#include "support/messages.h"
#include "support/platform.h"
#include "support/stop.h"
#include "support/text_line.h"

namespace {

/// Output buffer: a B record is 43 bytes with its line end, so this holds
/// about 1500 of them per write to the system.
constexpr std::size_t igc_buffer = 64 * 1024;

int error_code() { return errno != 0 ? errno : EIO; }

/// Removes the incomplete output when it is a plain file (never a device
/// or anything else the name may stand for).
void remove_partial(const std::string& name) {
    if (path_entry(name).kind == Entry_kind::file) std::remove(name.c_str());
}

}  // namespace

void igc_open(Igc_output& out, std::string_view fich) {
    out.name = std::string(trim_right(fich));
    errno = 0;
    out.f = std::fopen(out.name.c_str(), "wb");
    if (!out.f) {
        const int err = error_code();
        log_message_f("The IGC file " + escape_path_for_message(out.name) +
                      " cannot be created: " + std::strerror(err));
        stop_run(exit_write_failed);
    }
    std::setvbuf(out.f, nullptr, _IOFBF, igc_buffer);
}

void igc_put_line(Igc_output& out, std::string_view line) {
    // Each line stays one record, whatever bytes a name brought along.
    std::string cleaned;
    std::string_view text = line;
    if (has_control_char(line)) {
        cleaned = blank_control_chars(line);
        text = cleaned;
    }
    errno = 0;
    if (!write_text_line(out.f, text)) igc_write_failed(out, error_code());
}

void igc_close(Igc_output& out) {
    if (!out.f) return;
    errno = 0;
    if (std::ferror(out.f) != 0 || std::fflush(out.f) != 0) igc_write_failed(out, error_code());
    std::FILE* f = out.f;
    out.f = nullptr;
    if (std::fclose(f) != 0) igc_write_failed(out, error_code());
}

void igc_write_failed(Igc_output& out, int err) {
    if (out.f) {
        // Whatever is still buffered is lost with the partial file.
        std::fclose(out.f);
        out.f = nullptr;
    }
    remove_partial(out.name);
    log_message_f("The IGC file " + escape_path_for_message(out.name) + " cannot be written: " +
                  std::strerror(err));
    stop_run(exit_write_failed);
}
