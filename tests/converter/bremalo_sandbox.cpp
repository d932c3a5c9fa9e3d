#include "tests/converter/bremalo_sandbox.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "tests/common/igc_readers.h"

#ifndef BREMALO_EXE
#error "BREMALO_EXE must name the built converter"
#endif

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The longest a run may take before it counts as hanging.
constexpr auto run_limit = std::chrono::seconds(120);

}  // namespace

Bremalo_sandbox::Bremalo_sandbox() {
    std::string templ = (fs::temp_directory_path() / "bremalo_e2e_XXXXXX").string();
    if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
    root_ = templ;
    // Open to every user, so that a run as an unprivileged user reaches
    // the program and its working folder.
    fs::permissions(root_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
    fs::create_directories(program() / "LandscapeFiles");
    fs::create_directories(work());
    fs::create_directories(wine());
    fs::copy_file(BREMALO_EXE, exe());
    fs::permissions(exe(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
}

Bremalo_sandbox::~Bremalo_sandbox() {
    std::error_code ec;
    // A test may have left folders read-only.
    for (auto it = fs::recursive_directory_iterator(root_, ec); it != fs::recursive_directory_iterator();
         it.increment(ec))
        if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

void Bremalo_sandbox::terrain(const std::string& landscape, const TrnFields& h) const {
    write(program() / "LandscapeFiles" / (landscape + ".trn"), trn_bytes(h));
}

std::string Bremalo_sandbox::track(const std::string& rel, const track_desc& d) const {
    const fs::path p = work() / rel;
    fs::create_directories(p.parent_path());
    if (!write_track(p.string(), d)) throw std::runtime_error("cannot write " + p.string());
    return rel;
}

void Bremalo_sandbox::write(const fs::path& p, const std::string& content) const {
    const fs::path full = p.is_absolute() ? p : work() / p;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string Bremalo_sandbox::read(const fs::path& p) const { return slurp(p.is_absolute() ? p : work() / p); }

bool Bremalo_sandbox::exists(const fs::path& p) const {
    std::error_code ec;
    return fs::exists(p.is_absolute() ? p : work() / p, ec);
}

fs::path Bremalo_sandbox::install_simulator(int major) const {
    const std::string v = std::to_string(major);
    fs::create_directories(wine() / "drive_c");
    fs::create_directories(wine() / "dosdevices");
    std::error_code ec;
    fs::create_symlink("../drive_c", wine() / "dosdevices" / "c:", ec);
    const fs::path folder = wine() / "drive_c" / ("Condor" + v);
    write(folder / "Condor.exe", "MZ");
    write(folder / "Logs" / "Logfile.txt", "Condor log started\r\nCondor version: " + v + "040\r\n");
    // The registry as Wine keeps it: the current user's keys in user.reg.
    std::string reg = slurp(wine() / "user.reg");
    if (reg.empty()) reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n";
    reg += "\n[Software\\\\Condor" + v + "] 1700000000\n\"InstallDir\"=\"C:\\\\Condor" + v + "\"\n";
    write(wine() / "user.reg", reg);
    return folder;
}

Bremalo_run Bremalo_sandbox::run(const std::vector<std::string>& args, const std::vector<std::string>& env,
                                 const std::vector<std::string>& prefix) const {
    std::vector<std::string> argv = prefix;
    argv.push_back(exe().string());
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (std::string& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);

    const fs::path out_file = root_ / "run.out";
    const fs::path err_file = root_ / "run.err";
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || chdir(work().c_str()) != 0) _exit(126);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        setenv("BREMALO_NO_GUI", "1", 1);
        setenv("WINEPREFIX", wine().c_str(), 1);
        setenv("TZ", "UTC", 1);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        for (const std::string& e : env) {
            const std::size_t eq = e.find('=');
            if (eq != std::string::npos) setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
        }
        execvp(cargv[0], cargv.data());
        _exit(127);
    }
    Bremalo_run r;
    int wstatus = 0;
    const auto until = std::chrono::steady_clock::now() + run_limit;
    for (;;) {
        const pid_t w = waitpid(pid, &wstatus, WNOHANG);
        if (w == pid) break;
        if (w < 0 && errno != EINTR) throw std::runtime_error("waitpid failed");
        if (std::chrono::steady_clock::now() > until) {
            kill(pid, SIGKILL);
            waitpid(pid, &wstatus, 0);
            r.err = "(killed after running too long)\n";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (WIFEXITED(wstatus)) r.status = WEXITSTATUS(wstatus);
    r.out = slurp(out_file);
    r.err += slurp(err_file);
    return r;
}

track_desc e2e_track(int32_t version, int nfix) {
    track_desc d = tw_sample(version);
    d.fixes.clear();
    for (int i = 0; i < nfix; ++i) {
        tw_fix f;
        // Half a second into each second, so that every fix keeps its
        // second whatever the precision of the stored time.
        f.hours = (45000.5 + i) / 3600.0;
        f.x = 1000.0f + 20.0f * static_cast<float>(i);
        f.y = 2000.0f + 15.0f * static_cast<float>(i);
        f.alt = 500.0f + static_cast<float>(i);
        f.enl = 0.0f;
        d.fixes.push_back(f);
    }
    return d;
}

std::vector<std::string> file_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string l;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

std::size_t count_prefixed(const std::vector<std::string>& lines, const std::string& prefix) {
    std::size_t n = 0;
    for (const std::string& l : lines) n += l.compare(0, prefix.size(), prefix) == 0;
    return n;
}

void expect_readable_igc(const fs::path& path, std::size_t fixes) {
    const igc_reading readings[] = {read_with_gpsbabel(path.string()), read_with_igc_parser(path.string())};
    for (const igc_reading& r : readings) {
        if (!igc_reader_present(r)) continue;
        EXPECT_TRUE(r.accepted) << path << ": " << r.problem;
        EXPECT_EQ(r.fixes, fixes) << path << ": " << r.problem;
    }
}
