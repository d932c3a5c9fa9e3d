// Capturing the console around a call.
//
// ConsoleRedirect moves standard output (or standard error) itself to a
// temporary file (or to nothing), which also catches what child processes
// and raw writes print; begin_/end_std*_capture do the same between two
// calls.  The temporary file has no name on Linux and is deleted when it is
// closed on Windows, so a process that ends inside a capture (a run stopped
// by exit()) leaves nothing behind.  A death test's child, which never comes
// back to collect a capture, sends standard output on for good with
// stdout_into_file or stdout_into_stderr.
#pragma once

#include <cstdio>
#include <string>

/// Redirects standard output to a temporary file (or to nothing) while it
/// lives; text() gives what was written.
class ConsoleRedirect {
public:
    explicit ConsoleRedirect(bool keep = true) : ConsoleRedirect(stdout, keep) {}
    /// The same for `stream`, stdout or stderr.
    ConsoleRedirect(std::FILE* stream, bool keep);
    ~ConsoleRedirect();
    ConsoleRedirect(const ConsoleRedirect&) = delete;
    ConsoleRedirect& operator=(const ConsoleRedirect&) = delete;

    /// Ends the redirection and returns the captured text.
    std::string text();

private:
    void restore();
    std::FILE* stream_;
    int saved_ = -1;
    std::FILE* file_ = nullptr;
};

/// The console output of f().
template <typename F>
std::string capture_console(F f) {
    ConsoleRedirect c;
    f();
    return c.text();
}

/// What is printed on standard output (standard error) between begin and
/// end, through C stdio or raw writes; one capture of each stream at a
/// time.
void begin_stdout_capture();
std::string end_stdout_capture();
void begin_stderr_capture();
std::string end_stderr_capture();

/// For the rest of the process, standard output goes into the named file
/// (made anew), which the test reads once the death test's child has ended.
void stdout_into_file(const std::string& name);

/// For the rest of the process, standard output goes to standard error,
/// where a death test matches the child's output against its pattern.
void stdout_into_stderr();

/// Makes standard input a non-terminal at its end, so that nothing can wait
/// for an answer.
void stdin_from_nothing();
