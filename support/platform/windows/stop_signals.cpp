// Ctrl-C, Ctrl-Break and the closing of the console remove the run's
// temporary files first.  The system calls the handler on a thread of its
// own while the program goes on: a slot is taken by the handler before it
// reads the name, so that the program never changes a name being read.
// The files were created sharing the right to delete them, so that they go
// while the program still holds them open (when its last handle closes, as
// the process ends).
#include <windows.h>

#include <atomic>
#include <cstring>

#include "support/platform.h"

namespace {

/// The longest name a slot keeps, NUL included.
constexpr std::size_t name_room = MAX_PATH;

/// A slot's states: free, being filled by the program, holding a name, and
/// taken by the handler.
enum : int { slot_free, slot_filling, slot_ready, slot_claimed };

struct Watched {
    std::atomic<int> state{slot_free};
    char name[name_room];
};

Watched watched[max_watched_files];

BOOL WINAPI on_console_event(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
    for (Watched& w : watched) {
        int ready = slot_ready;
        if (w.state.compare_exchange_strong(ready, slot_claimed)) DeleteFileA(w.name);
    }
    // Ended as the system's own handler ends it, with its status (which
    // Wine's handler does not give).
    ExitProcess(STATUS_CONTROL_C_EXIT);
}

}  // namespace

void catch_stop_signals() {
    static bool done = false;
    if (done) return;
    done = true;
    SetConsoleCtrlHandler(on_console_event, TRUE);
}

int32_t watch_temp_file(std::string_view path) {
    if (path.empty() || path.size() >= name_room) return -1;
    for (int32_t i = 0; i < max_watched_files; ++i) {
        int free = slot_free;
        if (!watched[i].state.compare_exchange_strong(free, slot_filling)) continue;
        std::memcpy(watched[i].name, path.data(), path.size());
        watched[i].name[path.size()] = '\0';
        watched[i].state.store(slot_ready);
        return i;
    }
    return -1;
}

void unwatch_temp_file(int32_t slot) {
    if (slot < 0 || slot >= max_watched_files) return;
    // A slot the handler took stays its own: the run is ending.
    int ready = slot_ready;
    watched[slot].state.compare_exchange_strong(ready, slot_free);
}
