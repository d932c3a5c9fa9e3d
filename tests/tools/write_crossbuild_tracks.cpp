// Writes the tracks on which the Linux and the Windows build of the
// converter are compared (tests/crossbuild/compare_bremalo.sh), into the
// folder named on the command line: one track of each layout (versions
// 2500, 3000 and 3040) with a task of five points, and a version-3040
// flight past midnight, all in the sample's landscape "Sample" (whose
// terrain header the script takes from samples/).  The fixes come at
// uneven times, so that every interpolation scheme gives other positions.
//   write_crossbuild_tracks FOLDER
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/common/track_writer.h"
#include "tests/tools/sample_task.h"

namespace fs = std::filesystem;

namespace {

// A track of `version` with `n` fixes from `t0` (hours; past 24 after
// midnight), about two a second, climbing in a turn inside the landscape.
track_desc flight(int32_t version, double t0, int n) {
    track_desc d = tw_sample(version);
    d.landscape = "Sample";
    d.compno = "CB";
    d.tps = sample_task();
    d.fixes.clear();
    for (int k = 0; k < n; ++k) {
        const double s = 0.47 * k + 0.15 * std::sin(0.9 * k);  // seconds after t0
        const double heading = 0.2 + s / 250.0;
        tw_fix f;
        f.hours = t0 + s / 3600.0;
        f.x = static_cast<float>(52000.0 - 150.0 * (1.0 - std::cos(s / 90.0)) - 27.0 * s * std::sin(heading));
        f.y = static_cast<float>(41000.0 + 27.0 * s * std::cos(heading));
        f.alt = static_cast<float>(310.0 + 1.9 * s + 12.0 * std::sin(s / 17.0));
        f.enl = static_cast<float>(0.001 * ((k * 37) % 1100));
        d.fixes.push_back(f);
    }
    d.trailer = tw_trailer(1, static_cast<float>(t0), 0.2f, 0.0f, 0.0f, 0, 12345.0f, 98765.0f, 0.0f, 0);
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_crossbuild_tracks FOLDER\n");
        return 1;
    }
    const fs::path folder = argv[1];
    std::error_code ec;
    fs::create_directories(folder, ec);
    const struct {
        const char* name;
        track_desc track;
    } tracks[] = {
        {"v2500.ftr", flight(2500, 13.0 + 5.0 / 60.0, 700)},
        {"v3000.ftr", flight(3000, 10.5, 700)},
        {"v3040.ftr", flight(3040, 15.25, 700)},
        {"midnight.ftr", flight(3040, 23.0 + 57.5 / 60.0, 900)},
    };
    for (const auto& t : tracks) {
        const std::string path = (folder / t.name).string();
        if (!write_track(path, t.track)) {
            std::fprintf(stderr, "write_crossbuild_tracks: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
