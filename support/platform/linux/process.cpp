// Running a program without a shell, capturing its standard output.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "support/platform/linux/dialog_runner.h"

namespace {

void close_fd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

}  // namespace

int dlg_run_program(const std::vector<std::string>& argv, std::string& stdout_text) {
    stdout_text.clear();
    if (argv.empty() || argv[0].empty()) return -1;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    int out[2] = {-1, -1};
    int err[2] = {-1, -1};  // tells the parent that exec failed
    if (pipe2(out, O_CLOEXEC) != 0) return -1;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close_fd(out[0]);
        close_fd(out[1]);
        return -1;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    pid_t pid = fork();
    if (pid < 0) {
        close_fd(out[0]);
        close_fd(out[1]);
        close_fd(err[0]);
        close_fd(err[1]);
        return -1;
    }
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        execvp(args[0], args.data());
        int e = errno;
        ssize_t ignored = write(err[1], &e, sizeof e);
        (void)ignored;
        _exit(127);
    }
    close_fd(out[1]);
    close_fd(err[1]);
    char buf[4096];
    for (;;) {
        ssize_t n = read(out[0], buf, sizeof buf);
        if (n > 0) {
            stdout_text.append(buf, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    close_fd(out[0]);
    int exec_errno = 0;
    ssize_t got;
    do got = read(err[0], &exec_errno, sizeof exec_errno);
    while (got < 0 && errno == EINTR);
    close_fd(err[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    if (got > 0) return -1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return -1;
}
