#include "support/stop.h"

#include <cstdio>
#include <cstdlib>

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
