// A write that fails part way costs the user no earlier file: run under a
// file-size limit of 12 KiB (as on a small file system; a write beyond it
// fails with EFBIG), the converter stops with status 2, the IGC file, the
// dumps and fort.88 of an earlier run stay byte for byte, and no temporary
// file is left; a run that succeeds replaces them.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/converter/bremalo_sandbox.h"

namespace {

constexpr unsigned long long small_disk = 12 * 1024;

// Every entry under `folder`, as paths relative to it.
std::set<std::string> entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder))
        names.insert(fs::relative(e.path(), folder).generic_string());
    return names;
}

class BremaloWriteFailure : public ::testing::Test {
protected:
    void SetUp() override {
        box.terrain("Slovenia3");
        // 600 fixes: an IGC file of about 27 KB, a raw dump of 42 KB.
        box.track("a.ftr", e2e_track(3040, 600));
        for (const std::string& f : earlier_files) box.write(f, earlier(f));
    }

    // What an earlier run left in `name`.
    static std::string earlier(const std::string& name) { return "earlier " + name + "\r\n"; }

    const std::vector<std::string> earlier_files = {"a.igc", "out/a.igc", "a_tXYZ.txt", "a_tXYZ_SMOOTH.txt",
                                                    "fort.88"};
    Bremalo_sandbox box;
};

TEST_F(BremaloWriteFailure, EarlierFilesStayAndNothingIsLeft) {
    struct Case {
        const char* what;
        std::string ini;  // the settings file
        std::vector<std::string> args;
        std::string said;  // the console's line
    } cases[] = {
        {"IGC file", "", {"a.ftr"}, " >>> The IGC file a.igc cannot be written: File too large\n"},
        {"IGC file in the output folder", "Output Folder = out\n", {"a.ftr"},
         " >>> The IGC file ./out/a.igc cannot be written: File too large\n"},
        {"raw dump", "", {"-noigc", "-wr", "a.ftr"}, " >>> The file a_tXYZ.txt cannot be written: File too large\n"},
        {"smoothing diagnostics", "", {"-noigc", "-sm:10", "a.ftr"},
         " >>> The file fort.88 cannot be written: File too large\n"},
    };
    for (const Case& c : cases) {
        box.write(box.program() / "Bremalo.ini", c.ini);
        fs::remove(box.work() / "Logfile.txt");
        std::set<std::string> before = entries(box.work());
        box.limit_file_size(small_disk);
        const Bremalo_run r = box.run(c.args);
        EXPECT_EQ(r.status, 2) << c.what << "\n" << r.both();
        EXPECT_NE(r.out.find(c.said), std::string::npos) << c.what << "\n" << r.out;
        for (const std::string& f : earlier_files) EXPECT_EQ(box.read(f), earlier(f)) << c.what << ": " << f;
        before.insert("Logfile.txt");
        EXPECT_EQ(entries(box.work()), before) << c.what;
    }

    // Without the limit every one of them is replaced.
    box.limit_file_size(0);
    const std::set<std::string> before = entries(box.work());
    for (const char* ini : {"", "Output Folder = out\n"}) {
        box.write(box.program() / "Bremalo.ini", ini);
        const Bremalo_run r = box.run({"-wr", "-sm:10", "a.ftr"});
        EXPECT_EQ(r.status, 0) << ini << r.both();
    }
    for (const char* igc : {"a.igc", "out/a.igc"}) EXPECT_EQ(count_prefixed(file_lines(box.read(igc)), "B"), 600u);
    EXPECT_EQ(file_lines(box.read("a_tXYZ.txt")).size(), 601u);
    EXPECT_EQ(file_lines(box.read("a_tXYZ_SMOOTH.txt")).size(), 601u);
    // One line per inner point, of each of the two runs: a run's first
    // smoothing replaces the file.
    EXPECT_EQ(file_lines(box.read("fort.88")).size(), 598u);
    EXPECT_EQ(entries(box.work()), before);
}

// The second smoothing of a run goes after the first one's lines; when it
// fails, fort.88 holds what the first one wrote.
TEST_F(BremaloWriteFailure, ALaterSmoothingOfTheRunKeepsTheEarlierLines) {
    box.track("s.ftr", e2e_track(3040, 20));
    ASSERT_EQ(box.run({"-noigc", "-sm:10", "s.ftr"}).status, 0);
    const std::string first = box.read("fort.88");
    ASSERT_EQ(file_lines(first).size(), 18u);
    box.write("fort.88", earlier("fort.88"));

    std::set<std::string> before = entries(box.work());
    before.insert("Logfile.txt");
    box.limit_file_size(small_disk);
    const Bremalo_run r = box.run({"-noigc", "-sm:10", "s.ftr", "a.ftr"});
    EXPECT_EQ(r.status, 2) << r.both();
    EXPECT_EQ(box.read("fort.88"), first);
    EXPECT_EQ(entries(box.work()), before);
}

}  // namespace
