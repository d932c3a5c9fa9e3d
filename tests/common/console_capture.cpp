#include "tests/common/console_capture.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"

namespace {

// The descriptor calls under the names of each C runtime.
#ifdef _WIN32
int fd_dup(int fd) { return _dup(fd); }
int fd_dup2(int from, int to) { return _dup2(from, to); }
int fd_close(int fd) { return _close(fd); }
int fd_open_write(const char* name) { return _open(name, _O_WRONLY); }
int fd_of(std::FILE* f) { return _fileno(f); }
constexpr const char* null_device = "NUL";

// A temporary file, deleted when closed.  Not the runtime's tmpfile: it
// takes a name that another process may take at the same moment, and then
// one of them gets no file.
std::FILE* temporary_file() {
    return std::fopen(fresh_temp_file_name("bremalo_console_").c_str(), "w+bD");  // "D": deleted when closed
}
#else
int fd_dup(int fd) { return dup(fd); }
int fd_dup2(int from, int to) { return dup2(from, to); }
int fd_close(int fd) { return close(fd); }
int fd_open_write(const char* name) { return open(name, O_WRONLY); }
int fd_of(std::FILE* f) { return fileno(f); }
constexpr const char* null_device = "/dev/null";
std::FILE* temporary_file() { return std::tmpfile(); }
#endif

// The captures of begin_/end_std*_capture.  Not GoogleTest's capture: its
// file has a name in /tmp and is removed only when the capture is
// collected, so a process that ends inside it stays behind as a file.
std::unique_ptr<ConsoleRedirect> stdout_capture;
std::unique_ptr<ConsoleRedirect> stderr_capture;

void begin_capture(std::unique_ptr<ConsoleRedirect>& capture, std::FILE* stream, const char* name) {
    if (capture) {
        ADD_FAILURE() << name << " is captured already";
        return;
    }
    capture = std::make_unique<ConsoleRedirect>(stream, true);
}

std::string end_capture(std::unique_ptr<ConsoleRedirect>& capture, const char* name) {
    if (!capture) {
        ADD_FAILURE() << name << " is not being captured";
        return {};
    }
    std::string text = capture->text();
    capture.reset();
    return text;
}

}  // namespace

ConsoleRedirect::ConsoleRedirect(std::FILE* stream, bool keep) : stream_(stream) {
    std::fflush(stream_);
    const int fd = fd_of(stream_);
    saved_ = fd_dup(fd);
    if (keep) {
        file_ = temporary_file();
        if (!file_) {
            ADD_FAILURE() << "no temporary file for the console";
            return;
        }
        fd_dup2(fd_of(file_), fd);
    } else {
        int null = fd_open_write(null_device);
        fd_dup2(null, fd);
        fd_close(null);
    }
}

ConsoleRedirect::~ConsoleRedirect() {
    restore();
    if (file_) std::fclose(file_);
}

std::string ConsoleRedirect::text() {
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

void ConsoleRedirect::restore() {
    if (saved_ < 0) return;
    std::fflush(stream_);
    fd_dup2(saved_, fd_of(stream_));
    fd_close(saved_);
    saved_ = -1;
}

void begin_stdout_capture() { begin_capture(stdout_capture, stdout, "standard output"); }

std::string end_stdout_capture() { return end_capture(stdout_capture, "standard output"); }

void begin_stderr_capture() { begin_capture(stderr_capture, stderr, "standard error"); }

std::string end_stderr_capture() { return end_capture(stderr_capture, "standard error"); }

void stdout_into_file(const std::string& name) {
    std::fflush(stdout);
    if (!std::freopen(name.c_str(), "wb", stdout)) {
        std::fprintf(stderr, "standard output not sent into %s\n", name.c_str());
        std::abort();
    }
}

void stdout_into_stderr() {
    std::fflush(stdout);
    fd_dup2(fd_of(stderr), fd_of(stdout));
}

void stdin_from_nothing() {
    if (!std::freopen(null_device, "r", stdin)) std::abort();
}
