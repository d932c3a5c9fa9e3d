// The converter on a machine where the simulator is installed: the terrain
// header comes from the installation of the track's own version.  On Linux
// the installation is made in the sandbox's Wine prefix; on Windows it is
// the one that scripts/test-windows.sh made in the run's prefix.
#include <gtest/gtest.h>

#include "tests/converter/bremalo_sandbox.h"

namespace {

std::vector<std::string> igc(const Bremalo_sandbox& box, const fs::path& p) { return file_lines(box.read(p)); }

}  // namespace

// With the simulator installed, the terrain header comes
// from the installation of the track's version; a version that is not
// installed looks beside the program.
TEST(BremaloInstallation, TerrainFromTheInstallation) {
    Bremalo_sandbox box;
    box.terrain("Slovenia3");
    const fs::path inst = box.install_simulator(3);
    box.write(inst / "Landscapes" / "Alps" / "Alps.trn", trn_bytes(TrnFields{}));
    track_desc alps = e2e_track(3040);
    alps.landscape = "Alps";
    box.track("alps.ftr", alps);
    box.track("v2.ftr", e2e_track(2500));  // Slovenia3, beside the program
    const Bremalo_run r = box.run({"alps.ftr", "v2.ftr"});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_NE(r.out.find("utm_init " + (inst / "Landscapes" / "Alps" / "Alps.trn").string()), std::string::npos)
        << r.out;
    EXPECT_EQ(count_prefixed(igc(box, "alps.igc"), "B"), 20u);
    EXPECT_EQ(count_prefixed(igc(box, "v2.igc"), "B"), 20u);

    // A landscape that only the program's folder has is not found for an
    // installed version.
    box.track("v3.ftr", e2e_track(3040));
    const Bremalo_run missing = box.run({"v3.ftr"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(box.exists("v3.igc"));
    EXPECT_NE(missing.err.find("Slovenia3.trn\nFile not found"), std::string::npos) << missing.both();
}

