// The signals that end a run from outside (Ctrl-C, kill, a closed terminal)
// remove the run's temporary files first.  The handler may only do what is
// safe in a signal handler: it reads a table filled beforehand and unlinks;
// nothing is allocated, locked or flushed.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "support/platform.h"

namespace {

/// The longest name a slot keeps, NUL included.
constexpr std::size_t name_room = 4096;

/// A slot's states: free, being filled by the program, holding a name, and
/// taken by the handler.
enum : int { slot_free, slot_filling, slot_ready, slot_claimed };

struct Watched {
    std::atomic<int> state{slot_free};
    char name[name_room];
};

Watched watched[max_watched_files];

constexpr int stop_signals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void on_stop_signal(int sig) {
    const int saved = errno;
    for (Watched& w : watched) {
        int ready = slot_ready;
        if (w.state.compare_exchange_strong(ready, slot_claimed)) unlink(w.name);
    }
    // The handler was reset to the default when it was called: the signal,
    // blocked until this returns, then ends the program with its own status.
    raise(sig);
    errno = saved;
}

}  // namespace

void catch_stop_signals() {
    static bool done = false;
    if (done) return;
    done = true;
    static_assert(std::atomic<int>::is_always_lock_free, "a signal handler needs a lock-free state");
    struct sigaction act{};
    act.sa_handler = on_stop_signal;
    act.sa_flags = SA_RESETHAND;
    sigemptyset(&act.sa_mask);
    for (int sig : stop_signals) sigaddset(&act.sa_mask, sig);
    for (int sig : stop_signals) {
        struct sigaction old{};
        // A signal ignored when the program started (nohup) stays ignored.
        if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler != SIG_IGN) sigaction(sig, &act, nullptr);
    }
    signal(SIGXFSZ, SIG_IGN);
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
