#include "tests/common/temp_dir.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "support/platform.h"
#include "tests/common/env_vars.h"

namespace fs = std::filesystem;

namespace {

// A death test runs its statement in a child process.  Where that child is
// a new run of the test program (on Windows, where there is no fork), the
// child builds the test's fixture anew: its temporary folders must be the
// parent's, so that the parent finds what the child wrote.  The parent
// hands each folder over in the variable BREMALO_TEST_DIR_<n>, n counting
// the folders of the process.
int folders_made = 0;

bool in_death_test_child() { return !GTEST_FLAG_GET(internal_run_death_test).empty(); }

std::string handed_over_name(int n) { return "BREMALO_TEST_DIR_" + std::to_string(n); }

// The ending of a fresh temporary name: the process's id, the clock and a
// count of the names this process took.  The clock keeps apart two
// processes that get the same id one after the other (Wine hands ids out
// again quickly).
std::string unique_ending() {
    static int taken = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
#ifdef _WIN32
    const int pid = _getpid();
#else
    const int pid = static_cast<int>(getpid());
#endif
    return std::to_string(pid) + "_" + std::to_string(stamp % 1000000) + "_" + std::to_string(taken++);
}

}  // namespace

std::string fresh_temp_file_name(std::string_view stem) {
    return (fs::temp_directory_path() / (std::string(stem) + unique_ending() + ".tmp")).string();
}

fs::path fresh_temp_folder(std::string_view stem) {
#ifdef _WIN32
    // No mkdtemp on Windows: a fresh name with an exclusive create.
    for (;;) {
        fs::path p = fs::temp_directory_path() / (std::string(stem) + unique_ending());
        if (fs::create_directory(p)) return p;
    }
#else
    std::string templ = (fs::temp_directory_path() / (std::string(stem) + "XXXXXX")).string();
    if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
    return templ;
#endif
}

TempDir::TempDir() {
    const std::string handed_over = handed_over_name(folders_made++);
    if (in_death_test_child()) {
        if (const char* parents = std::getenv(handed_over.c_str())) {
            path_ = parents;
            owned_ = false;
            return;
        }
    }
    path_ = fresh_temp_folder("bremalo_test_");
    set_env(handed_over.c_str(), path_.string().c_str());
}

TempDir::~TempDir() {
    if (!owned_) return;
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const std::string& content) const {
    fs::path p = path_ / name;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string TempDir::read(const std::string& name) const { return read_file(path_ / name); }

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void InTempDir::SetUp() {
    saved_ = fs::current_path();
    fs::current_path(tmp.path());
}

void InTempDir::TearDown() { fs::current_path(saved_); }

std::string native_path(std::string_view path) {
    std::string p(path);
    for (char& c : p)
        if (c == '/') c = path_separator();
    return p;
}
