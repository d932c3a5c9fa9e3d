// The temporary files that a run ended from outside (Ctrl-C, a signal, the
// console closed) must remove before it ends.  The stop handlers of the
// platform layer (catch_stop_signals, support/platform.h) run where almost
// nothing is safe: in a signal handler on Linux, on a thread of the
// system's while the program goes on on Windows.  So the names are kept in
// a table of fixed slots filled beforehand, each slot with a lock-free
// state that the handler claims before it reads the name: nothing is
// allocated, locked or flushed there, and the program never changes a name
// being read.
#pragma once

#include <cstdint>
#include <string_view>

/// How many temporary files the stop handler can know of at once.
inline constexpr int32_t max_watched_files = 32;

/// The longest name a slot keeps, in bytes, its closing NUL included.
inline constexpr std::size_t watched_name_room = 4096;

/// Tells the stop handler to remove the file `path` (a name relative to
/// the working folder or absolute) if the run is ended from outside.
/// Returns the slot to give unwatch_temp_file, or -1 when the name is not
/// kept (all slots taken, an empty name or one too long for a slot).
int32_t watch_temp_file(std::string_view path);

/// The file of `slot` (from watch_temp_file) is no longer removed; -1 does
/// nothing.
void unwatch_temp_file(int32_t slot);

/// Calls `remove` on the name of every slot that holds one, claiming each
/// slot first, so that no later call and no unwatch_temp_file touches it
/// again: the run is ending.  Safe in a signal handler and on another
/// thread when `remove` is (unlink, DeleteFileA).
void remove_watched_files(void (*remove)(const char* path));
