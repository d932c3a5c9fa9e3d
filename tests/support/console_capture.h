// Capture of what a routine prints on standard output or standard error
// through C stdio.
#pragma once

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

inline void begin_stdout_capture() {
    std::fflush(stdout);
    testing::internal::CaptureStdout();
}

inline std::string end_stdout_capture() {
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

inline void begin_stderr_capture() {
    std::fflush(stderr);
    testing::internal::CaptureStderr();
}

inline std::string end_stderr_capture() {
    std::fflush(stderr);
    return testing::internal::GetCapturedStderr();
}
