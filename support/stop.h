// The one way the programs stop before their normal end.
#pragma once

#include <cstdint>

/// Exit status of a stop on an error (a fatal message, a folder that cannot
/// be written, a task with too many points, an unusable coordinate frame, an
/// unrecognized option, ...).
inline constexpr int32_t exit_error = 1;
/// Exit status when an output file that is written without a status check
/// cannot be created or written.
inline constexpr int32_t exit_write_failed = 2;

/// Ends the program with `status`: the console and every open file are
/// flushed first, so that no line written before the stop is lost, whichever
/// routine stops the program; a file being written whole
/// (support/whole_file.h) is not put in place, its temporary file removed.
/// Status 0 is a normal end.
[[noreturn]] void stop_run(int32_t status);
