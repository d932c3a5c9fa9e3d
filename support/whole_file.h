// Files that the programs write whole (IGC files, dumps, reports): written
// under a temporary name beside the file they are meant to be, and put in
// place by one rename once every byte has been written and flushed.  A write
// that fails part way (a full disk, a size limit) then never costs the user
// an earlier file of that name: the temporary file is removed and the
// earlier file stays as it was, byte for byte.  The new file keeps the
// earlier one's permission bits, and its owner and group where the system
// allows it.
//
// The temporary file is "NAME.P.K.tmp" in the target's folder (P the
// process's number, K = 1, 2, ... counted by the process), so that the
// rename stays on one file system and no two runs at once ever take the
// same name; a name too long for the folder is cut short before ".P.K.tmp".
// It is created exclusively and never opens an existing file: a name taken
// (a leftover of a run killed outright) is passed over and left alone.
//
// Some targets are written in place instead, as opening them for writing
// does, with no temporary file (and so without the earlier file kept on a
// failure): a symbolic link, which the system's own open follows or
// refuses (a loop, a link that its protections forbid to follow); a device
// or a pipe; an existing file that may be written in a folder where no
// new file may be made; one that may be written but not replaced (in a
// sticky folder such as /tmp, another user's file; a file mounted over the
// name); and one appended to
// (keep_content) that may be written but not read.
//
// Files open here are known to stop_run (support/stop.h), which removes
// their temporary files before the program ends, and to the handler of
// the signals that end a run from outside (catch_stop_signals of
// support/platform.h).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

/// Why a file could not be written: a number, and whose number it is.
struct File_error {
    /// 0: no error.
    int32_t code = 0;
    /// True for a number of the platform's file functions (os_error_text of
    /// support/platform.h: on Windows a GetLastError code); false for an
    /// errno value of the C library.
    bool platform = false;
};

/// The system's text of `e` ("No such file or directory").
std::string file_error_text(const File_error& e);

/// " (error N: TEXT)" of `e`, as messages give it after their own text.
std::string file_error_note(const File_error& e);

/// A file being written whole.  Not copied: the temporary file belongs to
/// one record.
struct Whole_file {
    Whole_file() = default;
    Whole_file(const Whole_file&) = delete;
    Whole_file& operator=(const Whole_file&) = delete;
    /// Removes the temporary file when it was neither put in place nor
    /// removed (an exception ended the writing).
    ~Whole_file();

    /// Open for binary writing between whole_file_open and
    /// whole_file_commit or whole_file_discard; null otherwise.
    std::FILE* f = nullptr;
    /// The name the caller gave, for its messages, and the file replaced.
    std::string target;
    /// The temporary file while open; empty when the target is written in
    /// place or nothing is open.
    std::string temp;
    /// The slot of `temp` in the stop handler's table; -1 for none.
    int32_t watch = -1;
};

/// Opens a temporary file for `target` (or the target itself, where it is
/// written in place).  An existing target that could not be written in
/// place (a folder, a file without write permission) is refused as opening
/// it for writing would be, with the same error, and before anything is
/// created.  With `keep_content` the file begins with
/// the bytes of the existing target (none when there is none), so that lines
/// written go after them, as when appending.  Returns code 0 with `w.f`
/// open; else the error, nothing left open or created.
File_error whole_file_open(Whole_file& w, std::string_view target, bool keep_content = false);

/// Writes `text` and CR LF into the open file; the C library's error when
/// the write fails (the caller then discards the file).
File_error whole_file_put_line(Whole_file& w, std::string_view text);

/// Flushes the file to its disk, closes it and renames it to its place,
/// replacing the earlier file.  On any failure (a write error seen now, the close, the
/// rename) the temporary file is removed and the earlier file stays; the
/// error is returned.  Code 0 when `w` holds nothing open.
File_error whole_file_commit(Whole_file& w);

/// Closes the file and removes the temporary file; the earlier file stays
/// as it was.  Nothing happens when `w` holds nothing open.
void whole_file_discard(Whole_file& w);

/// Discards every file of this module still open (whole_file_discard):
/// the program is about to stop.  The records stay valid, with nothing
/// open.
void discard_open_whole_files();
