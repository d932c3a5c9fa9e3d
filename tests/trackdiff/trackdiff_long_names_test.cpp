// Report names up to the system's limit: two logs whose names make a
// report name of 254 and 255 bytes are compared and the report written,
// an earlier one replaced, nothing else left.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "tests/converter/bremalo_sandbox.h"

#ifndef TRACKDIFF_EXE
#error "TRACKDIFF_EXE must name the built trackdiff"
#endif

TEST(TrackdiffLongNames, ReportNamesUpToTheSystemsLimit) {
    Bremalo_sandbox box;
    const fs::path trackdiff = box.add_program(TRACKDIFF_EXE);
    box.terrain("Slovenia3");
    box.track("t.ftr", e2e_track(3040));
    ASSERT_EQ(box.run({"t.ftr"}).status, 0);
    const std::string log = box.read("t.igc");
    for (const std::size_t first : {120u, 121u}) {
        // NAME1 "-" NAME2 "_igc_diff.txt", each name without ".igc".
        const std::string a(first, 'a'), b(120, 'b');
        const std::string report = a + "-" + b + "_igc_diff.txt";
        ASSERT_EQ(report.size(), first + 134);
        box.write(a + ".igc", log);
        box.write(b + ".igc", log);
        box.write(report, "earlier\r\n");
        const Bremalo_run r = box.run_installed(trackdiff, {a + ".igc", b + ".igc"});
        EXPECT_EQ(r.status, 0) << report.size() << r.both();
        EXPECT_NE(box.read(report), "earlier\r\n") << report.size();
        fs::remove(box.work() / report);
        fs::remove(box.work() / (a + ".igc"));
    }
    std::set<std::string> left;
    for (const fs::directory_entry& e : fs::directory_iterator(box.work())) left.insert(e.path().filename());
    left.erase("ErrorLog.txt");
    EXPECT_EQ(left, (std::set<std::string>{"t.ftr", "t.igc", std::string(120, 'b') + ".igc"}));
}
