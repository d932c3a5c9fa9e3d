// The error log of a program installed where its users cannot write (as
// /usr/local/bin is): the entries go to the working folder and the run goes
// on.  As root writes anywhere, the program then runs as an unprivileged
// user (through setpriv).
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/converter/bremalo_sandbox.h"

namespace {

class BremaloUnprivileged : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(as_user.empty() || as_user[0] != "setpriv-missing")
            << "setpriv (util-linux) is needed to run the program as an unprivileged user";
        box.terrain("Slovenia3");
    }

    const std::vector<std::string> as_user = unprivileged_prefix();
    Bremalo_sandbox box;
};

}  // namespace

TEST_F(BremaloUnprivileged, ReadOnlyProgramFolder) {
    tracks_first_without_terrain(box);
    fs::permissions(box.work(), fs::perms::all);
    for (const fs::path& p : {box.work() / "other.ftr", box.work() / "t.ftr"})
        fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                               fs::perms::others_read);
    fs::permissions(box.program(), read_only_folder);

    // The missing terrain header of the first track is an error: logged in
    // the working folder, and the second track is converted after it (the
    // status tells of the first).
    const Bremalo_run r = box.run({"other.ftr", "t.ftr"}, {}, as_user);
    EXPECT_EQ(r.status, 1) << r.both();
    EXPECT_FALSE(box.exists(box.program() / "ErrorLog.txt"));
    const std::string log = box.read("ErrorLog.txt");
    EXPECT_NE(log.find("Nowhere.trn\r\nFile not found\r\n"), std::string::npos) << log << r.both();
    EXPECT_EQ(count_prefixed(file_lines(box.read("t.igc")), "B"), 20u) << r.both();

    // Neither folder writable: the error stops the run, with status 1.
    fs::permissions(box.work(), read_only_folder);
    fs::permissions(box.work() / "ErrorLog.txt", fs::perms::owner_read);
    const Bremalo_run stopped = box.run({"other.ftr", "t.ftr"}, {}, as_user);
    fs::permissions(box.work(), fs::perms::all);
    EXPECT_EQ(stopped.status, 1) << stopped.both();
    EXPECT_NE(stopped.out.find("ErrorLog.txt : Error opening)"), std::string::npos) << stopped.out;
}

// An earlier IGC file that its user may not write is refused, as writing
// it in place would be, even where the folder would let a new file take
// its name: the file stays, and the run ends with status 2.
TEST_F(BremaloUnprivileged, ReadOnlyEarlierIgcFile) {
    box.track("t.ftr", e2e_track(3040));
    box.write("t.igc", "earlier\r\n");
    fs::permissions(box.work(), fs::perms::all);
    fs::permissions(box.work() / "t.ftr", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(box.work() / "t.igc", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    const Bremalo_run r = box.run({"t.ftr"}, {}, as_user);
    EXPECT_EQ(r.status, 2) << r.both();
    EXPECT_NE(r.out.find(" >>> The IGC file t.igc cannot be created: Permission denied\n"), std::string::npos)
        << r.out;
    EXPECT_EQ(box.read("t.igc"), "earlier\r\n");
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(box.work())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Logfile.txt", "t.ftr", "t.igc"}));
}

// IGC files that their user may write, in a folder where that user may
// make no file: written in place, one track after the other.
TEST_F(BremaloUnprivileged, WritableFilesInAFolderThatIsNot) {
    if (as_user.empty()) GTEST_SKIP() << "needs root, to give the files to another user";
    box.track("t.ftr", e2e_track(3040));
    box.track("u.ftr", e2e_track(3040));
    for (const char* f : {"t.igc", "u.igc", "Logfile.txt"}) {
        box.write(f, "earlier\r\n");
        ASSERT_EQ(chown((box.work() / f).c_str(), 65534, 65534), 0);
        fs::permissions(box.work() / f, fs::perms::owner_read | fs::perms::owner_write);
    }
    fs::permissions(box.work(), read_only_folder);
    const Bremalo_run r = box.run({"t.ftr", "u.ftr"}, {}, as_user);
    fs::permissions(box.work(), fs::perms::all);
    EXPECT_EQ(r.status, 0) << r.both();
    for (const char* f : {"t.igc", "u.igc"}) EXPECT_EQ(count_prefixed(file_lines(box.read(f)), "B"), 20u) << f;
}
