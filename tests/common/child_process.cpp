#include "tests/common/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::string read_all(std::FILE* f) {
    std::string s;
    if (!f) return s;
    std::rewind(f);
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    return s;
}

// Where the program's standard output or error goes: a file, so that a
// chatty program never blocks on a full pipe; or, when the program's file
// sizes are limited (a limit that would cut that file too), a pipe that is
// drained while the program runs.
class Sink {
public:
    explicit Sink(bool as_pipe) {
        if (!as_pipe) {
            file_ = std::tmpfile();
            ok_ = file_ != nullptr;
        } else {
            ok_ = pipe2(pipe_, O_CLOEXEC) == 0;
        }
    }
    ~Sink() {
        if (file_) std::fclose(file_);
        for (int fd : pipe_)
            if (fd >= 0) close(fd);
    }
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    bool ok() const { return ok_; }
    /// The descriptor that the program writes to.
    int program_end() const { return file_ ? fileno(file_) : pipe_[1]; }
    /// In the caller, once the program is started: only the program writes.
    void started() {
        if (file_) return;
        close(pipe_[1]);
        pipe_[1] = -1;
        fcntl(pipe_[0], F_SETFL, fcntl(pipe_[0], F_GETFL) | O_NONBLOCK);
    }
    /// Takes what the pipe holds now.
    void drain() {
        if (file_ || pipe_[0] < 0) return;
        char buf[4096];
        ssize_t n;
        while ((n = read(pipe_[0], buf, sizeof buf)) > 0) text_.append(buf, static_cast<std::size_t>(n));
    }
    /// Everything the program wrote.
    std::string text() {
        if (file_) return read_all(file_);
        drain();
        return text_;
    }

private:
    std::FILE* file_ = nullptr;
    int pipe_[2] = {-1, -1};
    std::string text_;
    bool ok_ = false;
};

}  // namespace

program_result run_program(const std::vector<std::string>& argv, int timeout_s) {
    return run_program(argv, run_setting{}, timeout_s);
}

program_result run_program(const std::vector<std::string>& argv, const run_setting& how, int timeout_s) {
    program_result r;
    if (argv.empty() || argv[0].empty()) return r;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    const bool limited = how.file_size_limit != 0;
    Sink out(limited), err(limited);
    if (!out.ok() || !err.ok()) return r;
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        if (in < 0 || (!how.folder.empty() && chdir(how.folder.c_str()) != 0)) _exit(126);
        dup2(in, STDIN_FILENO);
        dup2(out.program_end(), STDOUT_FILENO);
        dup2(err.program_end(), STDERR_FILENO);
        if (limited) {
            // An ignored signal stays ignored across exec.
            const rlimit limit{how.file_size_limit, how.file_size_limit};
            if (signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
        }
        for (const std::string& e : how.env) {
            const std::size_t eq = e.find('=');
            if (eq == std::string::npos)
                unsetenv(e.c_str());
            else
                setenv(e.substr(0, eq).c_str(), e.c_str() + eq + 1, 1);
        }
        if (how.program.empty())
            execvp(args[0], args.data());
        else
            execv(how.program.c_str(), args.data());
        _exit(127);
    }
    if (pid > 0) {
        out.started();
        err.started();
        int status = 0;
        bool ended = false;
        const std::time_t end = std::time(nullptr) + timeout_s;
        for (;;) {
            out.drain();
            err.drain();
            const pid_t w = waitpid(pid, &status, WNOHANG);
            if (w == pid) {
                ended = true;
                break;
            }
            if (w < 0 && errno != EINTR) break;
            if (std::time(nullptr) > end) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                break;
            }
            usleep(10000);
        }
        if (ended && WIFEXITED(status)) {
            r.status = WEXITSTATUS(status);
            r.started = r.status != 127 && r.status != 126;  // not run, or not set up
        }
        r.out = out.text();
        r.err = err.text();
    }
    return r;
}

std::string find_program(std::string_view name) {
    const char* path = std::getenv("PATH");
    if (!path || name.empty()) return {};
    std::string_view rest(path);
    while (true) {
        const std::size_t colon = rest.find(':');
        std::string dir(rest.substr(0, colon));
        if (dir.empty()) dir = ".";
        const std::string candidate = dir + "/" + std::string(name);
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    return {};
}
