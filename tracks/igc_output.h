// The IGC file being written: the one place where its lines are written.
//
// write_igc and the L-record writer hand every line to igc_put_line, which
// adds CR LF.  The file is written through a large stdio buffer.  A file
// that cannot be created or written stops the program with exit status 2,
// after a message naming the file (console and run log) and the removal of
// the incomplete file, so that no truncated IGC file is left behind looking
// like a whole one.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

/// An IGC output file.
struct Igc_output {
    std::FILE* f = nullptr;  ///< open for binary writing, null when closed
    std::string name;        ///< the path, as given to igc_open
};

/// Creates or replaces `fich` (trailing blanks ignored) for writing.  A file
/// that cannot be created stops the program (exit status 2).
void igc_open(Igc_output& out, std::string_view fich);

/// Writes `line` and CR LF, every control character of the line (a byte
/// below 0x20, or 0x7F) written as a blank, so that each line stays one
/// record.  A failed write stops the program (status 2).
void igc_put_line(Igc_output& out, std::string_view line);

/// Flushes and closes the file.  A write error seen now (a full disk shows
/// itself when the buffer is flushed) stops the program (status 2).
void igc_close(Igc_output& out);

/// Stops the program for a file that could not be written: message with
/// the file's name and the system's reason, the incomplete file closed and
/// removed, exit status 2.
[[noreturn]] void igc_write_failed(Igc_output& out, int err);
