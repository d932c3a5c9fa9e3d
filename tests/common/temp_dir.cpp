#include "tests/common/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string templ = (fs::temp_directory_path() / "bremalo_test_XXXXXX").string();
#ifdef _WIN32
    // No mkdtemp on Windows: a name from the clock and an exclusive create.
    for (int i = 0;; ++i) {
        fs::path p = fs::temp_directory_path() / ("bremalo_test_" + std::to_string(std::rand()) + std::to_string(i));
        if (fs::create_directory(p)) { path_ = p; break; }
    }
#else
    if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
    path_ = templ;
#endif
}

TempDir::~TempDir() {
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
