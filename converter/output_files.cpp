#include "converter/output_files.h"

#include "support/platform.h"
#include "support/stop.h"

Output_file::Output_file(std::string_view path, bool append) {
    const File_error e = whole_file_open(file_, path, append);
    if (e.code != 0) failed("created", e);
}

void Output_file::line(std::string_view text) {
    if (const File_error e = whole_file_put_line(file_, text); e.code != 0) failed("written", e);
}

void Output_file::close() {
    const File_error e = whole_file_commit(file_);
    if (e.code != 0) failed("written", e);
}

void Output_file::failed(std::string_view what, const File_error& err) {
    whole_file_discard(file_);
    stop_on_write_failure("The file " + escape_path_for_message(file_.target) + " cannot be " + std::string(what),
                          file_error_text(err));
}
