#include "tests/common/child_process.h"

#include <fcntl.h>
#include <signal.h>
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

    // Files rather than pipes: a chatty program never blocks on a full pipe.
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    if (!out || !err) {
        if (out) std::fclose(out);
        if (err) std::fclose(err);
        return r;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        if (in < 0 || (!how.folder.empty() && chdir(how.folder.c_str()) != 0)) _exit(126);
        dup2(in, STDIN_FILENO);
        dup2(fileno(out), STDOUT_FILENO);
        dup2(fileno(err), STDERR_FILENO);
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
        int status = 0;
        bool ended = false;
        const std::time_t end = std::time(nullptr) + timeout_s;
        for (;;) {
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
        r.out = read_all(out);
        r.err = read_all(err);
    }
    std::fclose(out);
    std::fclose(err);
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
