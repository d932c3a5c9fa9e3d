// trackdiff installed where its users cannot write (as /usr/local/bin is):
// an error while it compares goes to the error log of the working folder and
// the comparison goes on.  As root writes anywhere, the program then runs as
// an unprivileged user (through setpriv).
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/converter/bremalo_sandbox.h"

#ifndef TRACKDIFF_EXE
#error "TRACKDIFF_EXE must name the built trackdiff"
#endif

TEST(TrackdiffUnprivileged, ReadOnlyProgramFolder) {
    const std::vector<std::string> as_user = unprivileged_prefix();
    ASSERT_TRUE(as_user.empty() || as_user[0] != "setpriv-missing")
        << "setpriv (util-linux) is needed to run the program as an unprivileged user";
    Bremalo_sandbox box;
    const fs::path trackdiff = box.add_program(TRACKDIFF_EXE);
    box.terrain("Slovenia3");
    box.track("t.ftr", e2e_track(3040));
    const Bremalo_run converted = box.run({"t.ftr"});
    ASSERT_EQ(converted.status, 0) << converted.both();
    fs::permissions(box.work() / "t.igc", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                              fs::perms::others_read);
    fs::permissions(box.work(), fs::perms::all);
    fs::permissions(box.program(), read_only_folder);

    // A version-3 log on a machine without the simulator: its flight plan's
    // landscape has no airspace file, an error for each log.  Logged in the
    // working folder, and the comparison ends with its report.
    const Bremalo_run r = box.run_installed(trackdiff, {"t.igc", "t.igc"}, {}, as_user);
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_FALSE(box.exists(box.program() / "ErrorLog.txt"));
    const std::string log = box.read("ErrorLog.txt");
    EXPECT_NE(log.find("Slovenia3.air\r\nAirspace file : error opening\r\n"), std::string::npos) << log << r.both();
    EXPECT_NE(r.out.find("ErrorLog.txt : error log in the working folder\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" time matches        =   20\n data matches        =   20\n"), std::string::npos)
        << r.out;
    EXPECT_TRUE(box.exists("t-t_igc_diff.txt"));

    // Neither folder writable: the first error stops the run, with status 1,
    // before any count.
    fs::permissions(box.work(), read_only_folder);
    fs::permissions(box.work() / "ErrorLog.txt", fs::perms::owner_read);
    const Bremalo_run stopped = box.run_installed(trackdiff, {"t.igc", "t.igc"}, {}, as_user);
    fs::permissions(box.work(), fs::perms::all);
    EXPECT_EQ(stopped.status, 1) << stopped.both();
    EXPECT_NE(stopped.out.find("ErrorLog.txt : Error opening)"), std::string::npos) << stopped.out;
    EXPECT_EQ(stopped.out.find("time matches"), std::string::npos) << stopped.out;
    EXPECT_EQ(box.read("ErrorLog.txt"), log);
}
