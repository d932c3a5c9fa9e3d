#include "tests/common/fake_dialog.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "tests/common/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Only shell built-ins: the PATH holds nothing but the stand-in.
const char* const script =
    "#!/bin/sh\n"
    "d=\"${0%/*}\"\n"
    "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$d/calls.txt\"; done\n"
    "printf '%s\\n' '--end-of-call--' >> \"$d/calls.txt\"\n"
    "if [ -f \"$d/answer.txt\" ]; then\n"
    "  while IFS= read -r l || [ -n \"$l\" ]; do printf '%s\\n' \"$l\"; done < \"$d/answer.txt\"\n"
    "fi\n"
    "st=0\n"
    "if [ -f \"$d/status.txt\" ]; then read -r st < \"$d/status.txt\"; fi\n"
    "exit \"$st\"\n";

void write_text(const fs::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << text;
}

}  // namespace

FakeDialog::FakeDialog(const fs::path& folder, const std::string& program) : dir_(folder), program_(program) {
    fs::create_directories(dir_);
    const fs::path exe = dir_ / program;
    write_text(exe, script);
    fs::permissions(exe, fs::perms::owner_all);
    setenv("PATH", dir_.string().c_str(), 1);
    setenv("DISPLAY", ":97", 1);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("BREMALO_NO_GUI");
    answer("", 0);
}

void FakeDialog::answer(const std::string& out, int status) const {
    write_text(dir_ / "answer.txt", out);
    write_text(dir_ / "status.txt", std::to_string(status) + "\n");
}

void FakeDialog::make_unstartable() const {
    const fs::path exe = dir_ / program_;
    write_text(exe, "#!/nonexistent/interpreter\n");
    fs::permissions(exe, fs::perms::owner_all);
}

std::vector<std::vector<std::string>> FakeDialog::calls() const {
    std::vector<std::vector<std::string>> all;
    std::ifstream in(dir_ / "calls.txt");
    std::vector<std::string> one;
    std::string line;
    while (std::getline(in, line)) {
        if (line == "--end-of-call--") {
            all.push_back(one);
            one.clear();
        } else {
            one.push_back(line);
        }
    }
    return all;
}
