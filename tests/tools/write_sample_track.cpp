// Writes the repository's sample: a short version-3 flight track with a task
// ("sample.ftr") and the terrain header of its landscape
// ("LandscapeFiles/Sample.trn"), into the folder named on the command line.
//   write_sample_track FOLDER
// The committed files in samples/ were made by this program; the README's
// sample conversion runs the converter on a copy of them.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/le_bytes.h"
#include "tests/common/track_writer.h"
#include "tests/tools/sample_task.h"

namespace fs = std::filesystem;

namespace {

// The landscape: 100 km west-east and 80 km south-north in UTM zone 33
// (northern hemisphere), its south-eastern corner at easting 460000 m,
// northing 5060000 m.
std::vector<unsigned char> terrain_header() {
    std::vector<unsigned char> b;
    le_put::i32(b, 1112);   // columns
    le_put::i32(b, 889);    // rows
    le_put::f32(b, 0.0f);   // orientation
    le_put::f32(b, 90.0f);  // west-east cell, m
    le_put::f32(b, 90.0f);  // south-north cell, m
    le_put::f32(b, 460000.0f);
    le_put::f32(b, 5060000.0f);
    le_put::u8(b, 33);
    le_put::bytes(b, std::string(3, '\0'));
    le_put::u8(b, 'N');
    le_put::bytes(b, std::string(3, '\0'));
    return b;
}

// Five minutes of flight after a winch launch, a fix about every half second
// (the simulator's times fall anywhere within the second): climbing away
// from the take-off towards the start point in a gentle turn.
track_desc sample_track() {
    track_desc d;
    d.version = 3040;
    d.starttime = 13.5f;
    d.starttimewindow = 0.5f;
    d.date = 45458.0;  // 15 June 2024
    d.iconsvisiblerange = 20;
    d.thermalhelpersrange = 5;
    d.turnpointhelpersrange = 10;
    d.allowpda = 1;
    d.allowsmoke = 1;
    d.starttype = 1;
    d.startheight = 1500;
    d.firstname = "Jane";
    d.secondname = "Doe";
    d.country = "Norway";
    d.registration = "D-1234";
    d.compno = "JD";
    d.landscape = "Sample";
    d.glclass = "Standard";
    d.gltype = "Discus";
    d.skin = "Default";
    d.iseat = 1;
    d.tps = sample_task();
    tw_wz wz;
    wz.name = "Default";
    wz.winddir = 270.0f;
    wz.windspeed = 3.0f;
    wz.thermalstemp = 24.0f;
    wz.thermalsdew = 12.0f;
    d.wzs = {wz};

    const double t0 = 13.0 + 5.0 / 60.0;  // 13:05:00, hours
    const int n = 600;
    for (int k = 0; k < n; ++k) {
        const double s = 0.5 * k + 0.12 * std::sin(0.7 * k);  // seconds after t0
        const double heading = 0.3 + s / 300.0;            // radians from north, turning right
        tw_fix f;
        f.hours = t0 + s / 3600.0;
        // X grows towards the west: flying north-east lowers it.
        f.x = static_cast<float>(52000.0 - 180.0 * (1.0 - std::cos(s / 100.0)) - 25.0 * s * std::sin(heading));
        f.y = static_cast<float>(41000.0 + 25.0 * s * std::cos(heading));
        f.alt = static_cast<float>(310.0 + 2.2 * s + 15.0 * std::sin(s / 20.0));
        f.enl = 0.02f;
        d.fixes.push_back(f);
    }
    d.events = {{1, 0.0f, 0.0f}};
    // Player status 3: landed (the codes run from 1 to 10).
    d.trailer = tw_trailer(1, 13.0833f, 0.0833f, 0.0f, 0.0f, 3, 7400.0f, 88800.0f, 0.0f, 0);
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_sample_track FOLDER\n");
        return 1;
    }
    const fs::path folder = argv[1];
    std::error_code ec;
    fs::create_directories(folder / "LandscapeFiles", ec);
    if (!write_track((folder / "sample.ftr").string(), sample_track())) {
        std::fprintf(stderr, "write_sample_track: cannot write %s\n", (folder / "sample.ftr").string().c_str());
        return 1;
    }
    const std::vector<unsigned char> trn = terrain_header();
    std::FILE* f = std::fopen((folder / "LandscapeFiles" / "Sample.trn").string().c_str(), "wb");
    if (!f || std::fwrite(trn.data(), 1, trn.size(), f) != trn.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "write_sample_track: cannot write the terrain header\n");
        return 1;
    }
    return 0;
}
