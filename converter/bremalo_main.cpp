// Bremalo: converts the simulator's flight tracks (".ftr") to IGC files.
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "converter/bremalo.h"
#include "support/console.h"
#include "support/platform.h"
#include "support/stop.h"

int main(int argc, char** argv) {
    // From the start, so that no file is left by a run ended from outside
    // and a size limit is a write error for every file, the logs included.
    catch_stop_signals();
    try {
        const std::vector<std::string> args(argv, argv + argc);
        return bremalo(args);
    } catch (const std::bad_alloc&) {
        console_line(" Allocation would exceed memory limit");
        stop_run(exit_error);
    } catch (const std::length_error&) {
        console_line(" Integer overflow when calculating the amount of memory to allocate");
        stop_run(exit_write_failed);
    }
}
