// The converter's own text outputs (the dumps and the smoothing
// diagnostics): files written whole, line by line, whose failure stops the
// run.
//
// A file that cannot be created or written stops the program with exit
// status 2 after a message naming the file and the system's reason (console
// and run log).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

/// One output text file, open from construction until close().
class Output_file {
public:
    /// Creates or replaces `path` (with `append`, appends to it instead).
    explicit Output_file(std::string_view path, bool append = false);
    ~Output_file();
    Output_file(const Output_file&) = delete;
    Output_file& operator=(const Output_file&) = delete;

    /// Writes `text` and CR LF.
    void line(std::string_view text);

    /// Flushes and closes the file; a write error seen now stops the
    /// program as well.
    void close();

private:
    [[noreturn]] void failed(std::string_view what, int err);
    std::string path_;
    std::FILE* f_ = nullptr;
};
