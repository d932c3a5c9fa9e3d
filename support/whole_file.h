// Files that the programs write whole (IGC files, dumps, reports): written
// under a temporary name beside the file they are meant to be, and put in
// place by one rename once every byte has been written and flushed.  A write
// that fails part way (a full disk, a size limit) then never costs the user
// an earlier file of that name: the temporary file is removed and the
// earlier file stays as it was, byte for byte.
//
// The temporary file is "NAME.K.tmp" in the target's folder (K = 1, 2, ...,
// the first name that no entry takes), so that the rename stays on one file
// system; it is created exclusively and never opens an existing file.  A
// target that is a symbolic link is written through it: the file it leads
// to is replaced and the link stays.  A target that is a device or a pipe
// (no file that a rename could put in place) is written directly.
//
// Files open here are known to stop_run (support/stop.h), which removes
// their temporary files before the program ends.
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
    /// The name the caller gave, for its messages.
    std::string target;
    /// The file that is replaced: `target`, or the file its symbolic link
    /// leads to.
    std::string place;
    /// The temporary file while open; empty when the target is written
    /// directly (a device) or nothing is open.
    std::string temp;
};

/// Opens a temporary file for `target`.  An existing target that could not
/// be written in place (a folder, a file without write permission) is
/// refused as opening it for writing would be, with the same error, and
/// before anything is created.  With `keep_content` the file begins with
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
