// trackdiff FILE1 FILE2: compares two IGC flight logs fix by fix.
#include "support/platform.h"
#include "support/stop.h"
#include "trackdiff/trackdiff_run.h"

int main(int argc, char** argv) {
    // From the start, so that no file is left by a run ended from outside
    // and a size limit is a write error for every file, the logs included.
    catch_stop_signals();
    stop_run(trackdiff_main(argc, argv));
}
