// trackdiff FILE1 FILE2: compares two IGC flight logs fix by fix.
#include "support/stop.h"
#include "trackdiff/trackdiff_run.h"

int main(int argc, char** argv) { stop_run(trackdiff_main(argc, argv)); }
