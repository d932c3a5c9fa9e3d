// The converter's own text outputs (the dumps and the smoothing
// diagnostics): files written whole, line by line, whose failure stops the
// run.
//
// Each is written under a temporary name beside it and put in place when it
// is closed (support/whole_file.h).  A file that cannot be created or
// written stops the program with exit status 2 after a message naming the
// file and the system's reason (console and run log); the incomplete file
// is removed and an earlier file of that name stays as it was.
#pragma once

#include <string>
#include <string_view>

#include "support/whole_file.h"

/// One output text file, open from construction until close().
class Output_file {
public:
    /// Begins the file `path`, which replaces an earlier file of that name
    /// when close() puts it in place.  With `append` the file begins with
    /// the earlier file's bytes, so that the lines written go after them.
    explicit Output_file(std::string_view path, bool append = false);
    /// Removes the file when close() was not reached.
    ~Output_file() = default;
    Output_file(const Output_file&) = delete;
    Output_file& operator=(const Output_file&) = delete;

    /// Writes `text` and CR LF.
    void line(std::string_view text);

    /// Flushes and closes the file and puts it in place; a write error seen
    /// now, or a rename that fails, stops the program as well.
    void close();

private:
    [[noreturn]] void failed(std::string_view what, const File_error& err);
    /// file_.target: the path as given.
    Whole_file file_;
};
