// The system's reason for a failed file operation, as the messages give it
// beside their own text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// strerror's text of the errno value `err`; "unknown error" when it has
/// none.
std::string errno_text(int err);

/// " (error N: TEXT)" for the errno value `err`, TEXT being errno_text's:
/// " (error 2: No such file or directory)".
std::string errno_note(int err);

/// The same for an error number of the platform's file functions
/// (make_folder, rename_no_replace, rename_replacing, create_new_file),
/// TEXT being os_error_text's.
std::string os_error_note(int32_t code);

/// `text` for a message, where "/" breaks the line: each "/" written "\/",
/// so that a reason such as "Input/output error" stays one line.
std::string literal_slashes(std::string_view text);
