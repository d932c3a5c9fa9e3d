// Writes the seed corpus of the track fuzzer: tracks of every layout made by
// the tests' track writer, whole and with their edges pushed.
//   ftr_seeds FOLDER

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>

#include "tests/common/track_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ftr_seeds FOLDER\n");
        return 2;
    }
    const std::string dir = argv[1];
    int n = 0;
    bool ok = true;
    auto put = [&](const track_desc& d) { ok = write_track(dir + "/seed" + std::to_string(n++) + ".ftr", d) && ok; };
    for (int32_t v : {2000, 2999, 3000, 3039, 3040, 3999}) {
        track_desc d = tw_sample(v);
        put(d);
        // Long texts, large counts, many disabled airspaces, a long trailer.
        d.firstname = tw_text("ABCDEFGHIJKLMNOP", 200);
        d.landscape = tw_text("Landscape", 255);
        d.nb_wp = 31;
        d.wzcount = 17;
        d.nb_pz = 11;
        d.ndisabled = 3;
        d.disabled = {0, 8192, -1};
        d.npts = 100000;
        d.nevents = 1000;
        d.trailer.resize(300, 0x42);
        put(d);
        // Damaged fix times: 0.4 h ahead, not a number, four hours behind,
        // and a step back under a second.
        d = tw_sample(v);
        for (std::size_t i = 0; i < 4 && i < d.fixes.size(); ++i) {
            tw_fix later = d.fixes[i];
            later.hours += 4.0 / 3600.0;
            d.fixes.push_back(later);
        }
        d.fixes[0].hours += 0.4;
        d.fixes[2].hours = NAN;
        d.fixes[4].hours = d.fixes[3].hours - 0.2 / 3600.0;
        d.fixes.back().hours -= 4.0;
        put(d);
        // No fixes and no trailer.
        d = tw_sample(v);
        d.fixes.clear();
        d.events.clear();
        d.trailer.clear();
        put(d);
    }
    if (!ok) std::fprintf(stderr, "ftr_seeds: cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
