// Capturing or silencing the console (standard output) around a call.
#pragma once

#include <cstdio>
#include <string>

#include <fcntl.h>
#include <unistd.h>

/// Redirects standard output to a temporary file (or to /dev/null) while it
/// lives; text() gives what was written.
class ConsoleRedirect {
public:
    explicit ConsoleRedirect(bool keep = true) {
        std::fflush(stdout);
        saved_ = dup(1);
        if (keep) {
            file_ = std::tmpfile();
            dup2(fileno(file_), 1);
        } else {
            int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            close(null);
        }
    }
    ~ConsoleRedirect() { restore(); }
    ConsoleRedirect(const ConsoleRedirect&) = delete;
    ConsoleRedirect& operator=(const ConsoleRedirect&) = delete;

    /// Ends the redirection and returns the captured text.
    std::string text() {
        restore();
        std::string s;
        if (file_) {
            std::rewind(file_);
            char buf[4096];
            std::size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, file_)) > 0) s.append(buf, n);
            std::fclose(file_);
            file_ = nullptr;
        }
        return s;
    }

private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
        saved_ = -1;
    }
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
