// The error log of a program whose folder cannot take it: the entries go to
// the working folder and the run goes on; when neither folder can take it
// the run stops with status 1.  A folder standing under the log's name
// keeps the file from being opened on every platform and for every user
// (root and Windows alike).
#include <gtest/gtest.h>

#include "tests/converter/bremalo_sandbox.h"

TEST(BremaloErrorLog, FallsBackToTheWorkingFolder) {
    Bremalo_sandbox box;
    box.terrain("Slovenia3");
    tracks_first_without_terrain(box);
    fs::create_directory(box.program() / "ErrorLog.txt");

    // The missing terrain header of the first track is an error: logged in
    // the working folder, and the second track is converted after it (the
    // run's status says that one was not).
    const Bremalo_run r = box.run({"other.ftr", "t.ftr"});
    EXPECT_EQ(r.status, 1) << r.both();
    EXPECT_NE(r.out.find(" ErrorLog.txt : error log in the working folder\n"), std::string::npos) << r.out;
    const std::string log = box.read("ErrorLog.txt");
    EXPECT_NE(log.find("Nowhere.trn\r\nFile not found\r\n"), std::string::npos) << log << r.both();
    EXPECT_EQ(count_prefixed(file_lines(box.read("t.igc")), "B"), 20u) << r.both();

    // Neither folder can take it: the error stops the run, with status 1,
    // before the second track.
    fs::remove(box.work() / "ErrorLog.txt");
    fs::remove(box.work() / "t.igc");
    fs::create_directory(box.work() / "ErrorLog.txt");
    const Bremalo_run stopped = box.run({"other.ftr", "t.ftr"});
    EXPECT_EQ(stopped.status, 1) << stopped.both();
    EXPECT_NE(stopped.out.find("ErrorLog.txt : Error opening)"), std::string::npos) << stopped.out;
    EXPECT_FALSE(box.exists("t.igc"));
}
