#include "support/stop.h"

#include <cstdio>
#include <cstdlib>

#include "support/error_note.h"
#include "support/messages.h"
#include "support/whole_file.h"

void stop_run(int32_t status) {
    // A file being written whole is incomplete: its temporary file goes, and
    // the earlier file of its name stays.
    discard_open_whole_files();
    // A null stream flushes every open output stream, the run log included
    // when a message is being written; exit then closes them.
    std::fflush(nullptr);
    std::exit(status);
}

void stop_on_write_failure(std::string_view what, std::string_view reason) {
    // The run log tells why the later tracks were not converted, as the
    // console does.
    log_message_f(std::string(what) + ": " + literal_slashes(reason));
    log_message_f(write_stop_line);
    stop_run(exit_write_failed);
}
