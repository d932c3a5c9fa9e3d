// Ctrl-C, Ctrl-Break and the closing of the console remove the run's
// temporary files first.  The system calls the handler on a thread of its
// own while the program goes on; the table of support/watched_files.h lets
// it read each name safely.  The files were created sharing the right to
// delete them, so that they go while the program still holds them open
// (when its last handle closes, as the process ends).
#include <windows.h>

#include "support/platform.h"
#include "support/watched_files.h"

namespace {

void delete_file(const char* path) { DeleteFileA(path); }

BOOL WINAPI on_console_event(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
    remove_watched_files(delete_file);
    // Ended with the status the system's own handler gives (which Wine's
    // does not).  Terminated, not exited: this thread is the system's, and
    // an exit would run the C library's clean-up, which may wait for a lock
    // that the program's thread holds in the middle of a write.
    TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
    return TRUE;
}

}  // namespace

void catch_stop_signals() {
    static bool done = false;
    if (done) return;
    done = true;
    SetConsoleCtrlHandler(on_console_event, TRUE);
}
