// Messages for the user, the run log and the error log.
//
// Three outlets: the message routine (a box, or a console line in console
// mode), the run log "Logfile.txt" in the working folder, and the error log
// "ErrorLog.txt" in the program folder (in the working folder when the
// program folder cannot be written).  In every message text "/" is a line
// break and "\/" a literal slash; a path shown in a message is escaped with
// escape_path_for_message (support/platform.h) so that it stays whole.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "support/program_settings.h"

/// Message status values (in/out argument of the message routine).  For the
/// questions (3 to 5) the answer replaces the status: 0 no or cancel, 1 yes
/// or ok, 2 no in the yes/no/cancel box.
inline constexpr int32_t s_info = 0;
inline constexpr int32_t s_error = 1;
inline constexpr int32_t s_warning = 2;
inline constexpr int32_t s_yesno = 3;
inline constexpr int32_t s_okcancel = 4;
inline constexpr int32_t s_yesnocancel = 5;
/// Fatal: logs only, the program stops (exit status 1).
inline constexpr int32_t s_fatal = 999;

/// Shows `msg` under the title `tit` (cut to 63 characters; text cut to 511).
/// "/" breaks the line, "\/" is a literal slash.  `qline` true: one console
/// line instead of a box, status untouched.  Box mode: for a question the
/// answer replaces `msg_status`.  A status of 1 or 2 as given also appends
/// the text to the error log (in console mode too).
void error_message_tit(int32_t& msg_status, std::string_view tit, std::string_view msg, bool qline);

/// error_message_tit with the title "Dralto".
void error_message(int32_t& msg_status, std::string_view msg, bool qline);

/// One run-log message: echoed on the console after ">>> ", appended to the
/// run log (opened, written and closed per call).  A leading "{I}", "{W}",
/// "{E}" or "{F}" frames the text with banner lines; "{W}" and "{E}" also go
/// to the error log; "{F}" ends the program with exit status 1 after writing.
/// A message beginning "CREATE" starts a new dated run log instead.
void log_message_f(std::string_view msg);

/// As above; for the message "CREATE-SEND-NAME" the generated log name is
/// copied back into `msg`.
void log_message_f(std::string& msg);

/// A path as a run-log message that begins with it names it: the slashes
/// escaped (escape_path_for_message), and when the path itself begins with
/// one of the prefixes that log_message_f acts on ("{I}", "{W}", "{E}",
/// "{F}", "CREATE"), "." and the separator in front (the same file), so that
/// a file's name never frames, stops or redirects the log.
std::string path_for_log_message(std::string_view path);

/// Appends one plain line (no console echo, no banner, no "/" splitting) to
/// the current run log, opening and closing it as a message does; used for
/// the few lines that go to the run log alone.  A run log that cannot be
/// opened loses the line silently, as it is only a trace.
void log_plain_line(std::string_view line);

/// One error-log entry: an empty line, the date line, the banner of level
/// `nsta` (1 error, 2 warning, 999 fatal; any other value no banner) and the
/// text lines.  999 ends the program (exit status 1).  The error log is
/// "ErrorLog.txt" in the program folder (cmndta000.app_path, filled when
/// blank); when it cannot be opened there, "ErrorLog.txt" in the working
/// folder takes the entry (a console line says so).  Only when neither can
/// be opened does the program stop, through a fatal run-log message naming
/// the program folder's error log (exit status 1).
void log_error_f(std::string_view msg, int32_t nsta);

/// Writes `msg` line by line (split at "/" and line feeds, "\/" kept as a
/// literal slash) to the console and then to `log` (lines ending CR LF) when
/// `log` is not null.  A blank message is one line holding a blank; a message
/// enclosed in double quotes is one line without them.
void print_message(std::FILE* log, std::string_view msg);

/// log_message_f / log_error_f for NUL-terminated text (cut to 1024
/// characters), with a console trace line.  A null pointer is an empty text.
void log_message(const char* string);
void log_error(const char* string, int32_t nsta);

/// The box for `status` 0 to 5 (buttons and icon by status, default button
/// ok/yes).  Returns the box's answer; for 3 to 5 the answer is also stored
/// into *status.  Any other status shows nothing and returns the status.
int32_t DisplayMessage(const char* title, const char* message, int32_t* status);

