// The signals that end a run from outside (Ctrl-C, kill, a closed terminal)
// remove the run's temporary files first.  The handler may only do what is
// safe in a signal handler: it reads the table of support/watched_files.h,
// filled beforehand, and unlinks.
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "support/platform.h"
#include "support/watched_files.h"

namespace {

constexpr int stop_signals[] = {SIGINT, SIGTERM, SIGHUP};

void unlink_file(const char* path) { unlink(path); }

extern "C" void on_stop_signal(int sig) {
    const int saved = errno;
    remove_watched_files(unlink_file);
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
