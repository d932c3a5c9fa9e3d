#include "tests/converter/bremalo_sandbox.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#endif

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "tests/common/igc_readers.h"
#include "tests/common/igc_strict.h"
#include "tests/common/temp_dir.h"

#ifndef BREMALO_EXE
#error "BREMALO_EXE must name the built converter"
#endif

namespace {

// The longest a run may take before it counts as hanging, in seconds.
constexpr int run_limit = 120;

#ifdef _WIN32
// A version of the simulator in the current user's registry.
bool simulator_in_registry(const char* key) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

// The console in text mode ends its lines CR LF.
std::string unix_lines(const std::string& s) {
    std::string u;
    u.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i)
        if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) u += s[i];
    return u;
}
#endif

}  // namespace

Bremalo_sandbox::Bremalo_sandbox() {
    root_ = fresh_temp_folder("bremalo_e2e_");
    // Open to every user, so that a run as an unprivileged user reaches
    // the program and its working folder.
    fs::permissions(root_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
    fs::create_directories(program() / "LandscapeFiles");
    fs::create_directories(work());
#ifndef _WIN32
    fs::create_directories(wine());
#endif
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

fs::path Bremalo_sandbox::exe() const { return program() / fs::path(BREMALO_EXE).filename(); }

fs::path Bremalo_sandbox::add_program(const fs::path& built) const {
    const fs::path p = program() / built.filename();
    fs::copy_file(built, p, fs::copy_options::overwrite_existing);
    fs::permissions(p, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec);
    return p;
}

Bremalo_run Bremalo_sandbox::run(const std::vector<std::string>& args, const std::vector<std::string>& env,
                                 const std::vector<std::string>& prefix) const {
    return run_installed(exe(), args, env, prefix);
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

std::string Bremalo_sandbox::read(const fs::path& p) const { return read_file(p.is_absolute() ? p : work() / p); }

bool Bremalo_sandbox::exists(const fs::path& p) const {
    std::error_code ec;
    return fs::exists(p.is_absolute() ? p : work() / p, ec);
}

#ifdef _WIN32

void Bremalo_sandbox::date_file(const fs::path& p, const LocalTime& t) const {
    const fs::path full = p.is_absolute() ? p : work() / p;
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(t.year);
    local.wMonth = static_cast<WORD>(t.month);
    local.wDay = static_cast<WORD>(t.day);
    local.wHour = static_cast<WORD>(t.hour);
    local.wMinute = static_cast<WORD>(t.minute);
    local.wSecond = static_cast<WORD>(t.second);
    SYSTEMTIME utc{};
    FILETIME ft{};
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && SystemTimeToFileTime(&utc, &ft));
    HANDLE h = CreateFileA(full.string().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << full;
    EXPECT_TRUE(SetFileTime(h, nullptr, &ft, &ft)) << full;
    CloseHandle(h);
}

fs::path Bremalo_sandbox::install_simulator(int major) {
    installed_ = true;
    EXPECT_EQ(major, 3) << "scripts/test-windows.sh installs version 3 only";
    char folder[256] = {};
    DWORD size = sizeof folder - 1;
    const LONG st = RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Condor3", "InstallDir", RRF_RT_REG_SZ, nullptr, folder,
                                 &size);
    EXPECT_EQ(st, ERROR_SUCCESS) << "no simulator in this Wine prefix: run the test through scripts/test-windows.sh";
    return folder;
}

Bremalo_run Bremalo_sandbox::run_installed(const fs::path& program, const std::vector<std::string>& args,
                                           const std::vector<std::string>& env,
                                           const std::vector<std::string>& prefix) const {
    if (!installed_ && (simulator_in_registry("SOFTWARE\\Condor2") || simulator_in_registry("SOFTWARE\\Condor3")))
        ADD_FAILURE() << "the simulator is installed in this Wine prefix: scripts/test-windows.sh runs this test "
                         "in a prefix without it";
    std::vector<std::string> argv = prefix;
    argv.push_back(program.string());
    argv.insert(argv.end(), args.begin(), args.end());
    run_setting how;
    how.folder = work().string();
    how.env = {"BREMALO_NO_GUI=1"};
    how.env.insert(how.env.end(), env.begin(), env.end());
    return finish(run_program(argv, how, run_limit));
}

Bremalo_run Bremalo_sandbox::run_by_bare_name(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{"Bremalo"};
    argv.insert(argv.end(), args.begin(), args.end());
    run_setting how;
    how.folder = work().string();
    how.env = {"BREMALO_NO_GUI=1"};
    how.program = exe().string();
    return finish(run_program(argv, how, run_limit));
}

Bremalo_run Bremalo_sandbox::finish(const program_result& p) const {
    Bremalo_run r;
    r.status = p.status;
    r.out = unix_lines(p.out);
    r.err = unix_lines(p.err);
    if (!p.started) r.err += "(the program could not be started)\n";
    return r;
}

#else

void Bremalo_sandbox::date_file(const fs::path& p, const LocalTime& t) const {
    const fs::path full = p.is_absolute() ? p : work() / p;
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    const timespec times[2] = {{timegm(&tm), 0}, {timegm(&tm), 0}};
    EXPECT_EQ(utimensat(AT_FDCWD, full.c_str(), times, 0), 0) << full;
}

fs::path Bremalo_sandbox::install_simulator(int major) {
    installed_ = true;
    const std::string v = std::to_string(major);
    fs::create_directories(wine() / "drive_c");
    fs::create_directories(wine() / "dosdevices");
    std::error_code ec;
    fs::create_symlink("../drive_c", wine() / "dosdevices" / "c:", ec);
    const fs::path folder = wine() / "drive_c" / ("Condor" + v);
    write(folder / "Condor.exe", "MZ");
    write(folder / "Logs" / "Logfile.txt", "Condor log started\r\nCondor version: " + v + "040\r\n");
    // The registry as Wine keeps it: the current user's keys in user.reg.
    std::string reg = read_file(wine() / "user.reg");
    if (reg.empty()) reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n";
    reg += "\n[Software\\\\Condor" + v + "] 1700000000\n\"InstallDir\"=\"C:\\\\Condor" + v + "\"\n";
    write(wine() / "user.reg", reg);
    return folder;
}

Bremalo_run Bremalo_sandbox::run_installed(const fs::path& program, const std::vector<std::string>& args,
                                           const std::vector<std::string>& env,
                                           const std::vector<std::string>& prefix) const {
    std::vector<std::string> argv = prefix;
    argv.push_back(program.string());
    argv.insert(argv.end(), args.begin(), args.end());
    run_setting how;
    how.folder = work().string();
    how.env = {"BREMALO_NO_GUI=1", "WINEPREFIX=" + wine().string(), "TZ=UTC", "DISPLAY", "WAYLAND_DISPLAY"};
    how.env.insert(how.env.end(), env.begin(), env.end());
    how.file_size_limit = file_size_limit_;
    return finish(run_program(argv, how, run_limit));
}

Bremalo_run Bremalo_sandbox::run_by_bare_name(const std::vector<std::string>& args) const {
    // Found on the PATH by env(1), as a shell finds it.
    const std::string path = "PATH=" + program().string() + ":/usr/bin:/bin";
    std::vector<std::string> prefix{"env", path, "Bremalo"};
    prefix.insert(prefix.end(), args.begin(), args.end());
    run_setting how;
    how.folder = work().string();
    how.env = {"BREMALO_NO_GUI=1", "WINEPREFIX=" + wine().string(), "TZ=UTC", "DISPLAY", "WAYLAND_DISPLAY", path};
    return finish(run_program(prefix, how, run_limit));
}

Bremalo_run Bremalo_sandbox::finish(const program_result& p) const {
    Bremalo_run r;
    r.status = p.status;
    r.out = p.out;
    r.err = p.err;
    if (!p.started) r.err += "(the program could not be started)\n";
    return r;
}

std::vector<std::string> unprivileged_prefix() {
    if (geteuid() != 0) return {};
    const std::string setpriv = find_program("setpriv");
    if (setpriv.empty()) return {"setpriv-missing"};
    return {setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"};
}

#endif

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

void tracks_first_without_terrain(const Bremalo_sandbox& box) {
    track_desc other = e2e_track(3040);
    other.landscape = "Nowhere";
    box.track("other.ftr", other);
    box.track("t.ftr", e2e_track(3040));
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
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(igc_strict_file_problem(text), "") << path;
#ifdef _WIN32
    (void)fixes;
#else
    const igc_reading readings[] = {read_with_gpsbabel(path.string()), read_with_igc_parser(path.string())};
    for (const igc_reading& r : readings) {
        if (!igc_reader_present(r)) continue;
        EXPECT_TRUE(r.accepted) << path << ": " << r.problem;
        EXPECT_EQ(r.fixes, fixes) << path << ": " << r.problem;
    }
#endif
}
