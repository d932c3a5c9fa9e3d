// The one way the programs stop before their normal end.
#pragma once

#include <cstdint>
#include <string_view>

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

/// The console line of a stop on an output file that cannot be written.
inline constexpr const char* write_stop_line = "The run stops here: the tracks after this one are not converted";

/// Stops the converter on an output file that cannot be created or written
/// (exit status 2, through stop_run): the run-log message `what` (naming
/// the file, its path escaped for messages), ": ", the system's `reason`
/// (its slashes kept literal), then the run-log message write_stop_line,
/// both also on the console.
[[noreturn]] void stop_on_write_failure(std::string_view what, std::string_view reason);
