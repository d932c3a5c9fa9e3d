// A report that cannot be written whole costs the user no earlier report:
// run under a file-size limit of 12 KiB (a write beyond it fails with
// EFBIG), trackdiff says why, ends with status 2, the earlier report stays
// byte for byte and no temporary file is left; a run that succeeds
// replaces it.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "tests/converter/bremalo_sandbox.h"

#ifndef TRACKDIFF_EXE
#error "TRACKDIFF_EXE must name the built trackdiff"
#endif

namespace {

// Every entry under `folder`, as paths relative to it.
std::set<std::string> entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder))
        names.insert(fs::relative(e.path(), folder).generic_string());
    return names;
}

TEST(TrackdiffWriteFailure, AnEarlierReportStays) {
    Bremalo_sandbox box;
    const fs::path trackdiff = box.add_program(TRACKDIFF_EXE);
    box.terrain("Slovenia3");
    // Every one of 600 fixes 10 m higher: a report of 42 KB.
    track_desc d = e2e_track(3040, 600);
    box.track("t.ftr", d);
    for (tw_fix& f : d.fixes) f.alt += 10.0f;
    box.track("u.ftr", d);
    const Bremalo_run converted = box.run({"t.ftr", "u.ftr"});
    ASSERT_EQ(converted.status, 0) << converted.both();
    const std::string earlier = "earlier report\r\n";
    box.write("t-u_igc_diff.txt", earlier);
    const std::set<std::string> before = entries(box.work());

    box.limit_file_size(12 * 1024);
    const Bremalo_run r = box.run_installed(trackdiff, {"t.igc", "u.igc"});
    EXPECT_EQ(r.status, 2) << r.both();
    EXPECT_NE(r.out.find("\ntrackdiff : cannot write the report t-u_igc_diff.txt (error 27: File too large)\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(box.read("t-u_igc_diff.txt"), earlier);
    EXPECT_EQ(entries(box.work()), before);

    box.limit_file_size(0);
    const Bremalo_run ok = box.run_installed(trackdiff, {"t.igc", "u.igc"});
    EXPECT_EQ(ok.status, 0) << ok.both();
    EXPECT_EQ(file_lines(box.read("t-u_igc_diff.txt")).size(), 600u);
    EXPECT_EQ(entries(box.work()), before);
}

}  // namespace
