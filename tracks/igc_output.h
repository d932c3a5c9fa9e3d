// The IGC file being written: the one place where its lines are written.
//
// write_igc and the L-record writer hand every line to igc_put_line, which
// adds CR LF.  The file is written whole (support/whole_file.h): under a
// temporary name beside it, through a large stdio buffer, and put in place
// when it is closed.  A file that cannot be created or written stops the
// program with exit status 2, after a message naming the file (console and
// run log); the incomplete file is removed and an earlier IGC file of that
// name stays as it was, so that no truncated IGC file is left behind
// looking like a whole one.
#pragma once

#include <string_view>

#include "support/whole_file.h"

/// An IGC output file.
struct Igc_output {
    /// file.f is open for binary writing from igc_open to igc_close;
    /// file.target is the path as given to igc_open.
    Whole_file file;
};

/// Begins the file `fich` (trailing blanks ignored), which replaces an
/// earlier file of that name when igc_close puts it in place.  A file that
/// cannot be created stops the program (exit status 2).
void igc_open(Igc_output& out, std::string_view fich);

/// Writes `line` and CR LF, every control character of the line (a byte
/// below 0x20, or 0x7F) written as a blank, so that each line stays one
/// record.  A failed write stops the program (status 2).
void igc_put_line(Igc_output& out, std::string_view line);

/// Flushes and closes the file and puts it in place.  A write error seen
/// now (a full disk shows itself when the buffer is flushed), or a rename
/// that fails, stops the program (status 2).
void igc_close(Igc_output& out);

/// Stops the program for a file that could not be written: message with
/// the file's name and the system's reason `err`, the incomplete file
/// closed and removed, exit status 2.
[[noreturn]] void igc_write_failed(Igc_output& out, const File_error& err);
