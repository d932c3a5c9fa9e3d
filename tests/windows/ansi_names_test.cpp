// File names in the ANSI code page, end to end: the converter finds a track
// and makes an output folder under the very names that fopen and the *A
// calls give them.  The names hold "\x8A\xE9": in cp1252 (Wine's default)
// S caron and e acute; "\x8A" is a control character when the bytes are
// taken as Latin-1, so a Latin-1 reading names another file.
#include <windows.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "tests/common/track_writer.h"
#include "tests/converter/bremalo_sandbox.h"
#include "tests/windows/ansi_text.h"

namespace {

const std::string ansi_name = "\x8A\xE9";

// The B records of the IGC file of that ANSI name, read as the program
// writes it.
std::size_t fixes_in(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return 0;
    std::string text;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
    std::fclose(f);
    return count_prefixed(file_lines(text), "B");
}

class AnsiNames : public ::testing::Test {
protected:
    void SetUp() override {
        box.terrain("Slovenia3");
        ASSERT_NE(from_ansi(ansi_name), from_latin1(ansi_name))
            << "the ANSI code page takes these bytes as Latin-1: nothing to tell apart";
    }
    Bremalo_sandbox box;
};

}  // namespace

// A track of that name converts; an output folder of that name is made
// under it (and under no Latin-1 reading of it) and gets the IGC file.
TEST_F(AnsiNames, TrackAndOutputFolder) {
    struct Case {
        std::string track;   // the track, in the working folder
        std::string folder;  // the settings file's output folder; empty: none
        std::string igc;     // the IGC file, relative to the working folder
    } cases[] = {
        {ansi_name + ".ftr", "", ansi_name + ".igc"},
        {"t.ftr", ansi_name, ansi_name + "\\t.igc"},
        {"in\\" + ansi_name + " 2.ftr", ansi_name + " out", "in\\" + ansi_name + " out\\" + ansi_name + " 2.igc"},
    };
    const std::string work = box.work().string() + "\\";
    const std::wstring wide_work = box.work().wstring() + L"\\";
    for (const Case& c : cases) {
        // Written through fopen: the sandbox's own writer would take the
        // name through std::filesystem.
        CreateDirectoryA((work + "in").c_str(), nullptr);
        ASSERT_TRUE(write_track(work + c.track, e2e_track(3040)));
        ASSERT_NE(wide_attributes(wide_work + from_ansi(c.track)), INVALID_FILE_ATTRIBUTES) << c.track;
        box.write(box.program() / "Bremalo.ini", c.folder.empty() ? "" : "Output Folder = " + c.folder + "\r\n");

        const Bremalo_run r = box.run({c.track});
        EXPECT_EQ(r.status, 0) << c.track << "\n" << r.both();
        EXPECT_EQ(fixes_in(work + c.igc), 20u) << c.igc << "\n" << r.both();
        if (c.folder.empty()) continue;
        const std::string parent = c.igc.substr(0, c.igc.find(c.folder));
        EXPECT_TRUE(wide_is_folder(wide_work + from_ansi(parent + c.folder))) << c.folder;
        EXPECT_EQ(wide_attributes(wide_work + from_ansi(parent) + from_latin1(c.folder)), INVALID_FILE_ATTRIBUTES)
            << "a folder under the Latin-1 reading of " << c.folder;
    }
}
