#include "support/watched_files.h"

#include <atomic>
#include <cstring>

namespace {

/// A slot's states: free, being filled by the program, holding a name, and
/// taken by the handler.
enum : int { slot_free, slot_filling, slot_ready, slot_claimed };

static_assert(std::atomic<int>::is_always_lock_free, "a stop handler needs a lock-free state");

struct Watched {
    std::atomic<int> state{slot_free};
    char name[watched_name_room];
};

Watched watched[max_watched_files];

}  // namespace

int32_t watch_temp_file(std::string_view path) {
    if (path.empty() || path.size() >= watched_name_room) return -1;
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

void remove_watched_files(void (*remove)(const char* path)) {
    for (Watched& w : watched) {
        int ready = slot_ready;
        if (w.state.compare_exchange_strong(ready, slot_claimed)) remove(w.name);
    }
}
