#include "converter/output_files.h"

#include <cerrno>
#include <cstring>

#include "support/messages.h"
#include "support/platform.h"
#include "support/stop.h"
#include "support/text_line.h"

namespace {

int error_code() { return errno != 0 ? errno : EIO; }

}  // namespace

Output_file::Output_file(std::string_view path, bool append) : path_(path) {
    errno = 0;
    f_ = std::fopen(path_.c_str(), append ? "ab" : "wb");
    if (!f_) failed("created", error_code());
}

Output_file::~Output_file() {
    if (f_) std::fclose(f_);
}

void Output_file::line(std::string_view text) {
    errno = 0;
    if (!write_text_line(f_, text)) failed("written", error_code());
}

void Output_file::close() {
    if (!f_) return;
    errno = 0;
    std::FILE* f = f_;
    f_ = nullptr;
    const bool ok = std::ferror(f) == 0 && std::fflush(f) == 0;
    const int err = error_code();
    if (std::fclose(f) != 0 || !ok) failed("written", ok ? error_code() : err);
}

void Output_file::failed(std::string_view what, int err) {
    if (f_) {
        std::fclose(f_);
        f_ = nullptr;
    }
    log_message_f("The file " + escape_path_for_message(path_) + " cannot be " + std::string(what) + ": " +
                  std::strerror(err));
    stop_run(exit_write_failed);
}
