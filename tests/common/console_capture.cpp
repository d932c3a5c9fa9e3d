#include "tests/common/console_capture.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

ConsoleRedirect::ConsoleRedirect(bool keep) {
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

ConsoleRedirect::~ConsoleRedirect() { restore(); }

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
    std::fflush(stdout);
    dup2(saved_, 1);
    close(saved_);
    saved_ = -1;
}

void begin_stdout_capture() {
    std::fflush(stdout);
    testing::internal::CaptureStdout();
}

std::string end_stdout_capture() {
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

void begin_stderr_capture() {
    std::fflush(stderr);
    testing::internal::CaptureStderr();
}

std::string end_stderr_capture() {
    std::fflush(stderr);
    return testing::internal::GetCapturedStderr();
}
