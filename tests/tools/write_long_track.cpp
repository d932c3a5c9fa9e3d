// Writes a long version-3040 flight track for the converter's benchmark
// (scripts/benchmark.sh): N fixes ten a second from 08:00, circling within
// the sample landscape ("Sample"), with the sample's pilot and a two-point
// task.
//   write_long_track FILE N
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/common/track_writer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: write_long_track FILE N\n");
        return 1;
    }
    const long n = std::strtol(argv[2], nullptr, 10);
    if (n < 1 || n > 10000000) {
        std::fprintf(stderr, "write_long_track: N must be 1 to 10000000\n");
        return 1;
    }
    track_desc d = tw_sample(3040);
    d.landscape = "Sample";
    d.tps[0].x = 50000.0f;
    d.tps[0].y = 40000.0f;
    d.tps[1].x = 30000.0f;
    d.tps[1].y = 60000.0f;
    d.fixes.clear();
    d.fixes.reserve(static_cast<std::size_t>(n));
    for (long k = 0; k < n; ++k) {
        const double s = 0.1 * static_cast<double>(k) + 0.03 * std::sin(0.37 * static_cast<double>(k));
        const double a = s / 600.0;  // one circle every hour
        tw_fix f;
        f.hours = 8.0 + s / 3600.0;
        f.x = static_cast<float>(50000.0 + 20000.0 * std::cos(a));
        f.y = static_cast<float>(40000.0 + 20000.0 * std::sin(a));
        f.alt = static_cast<float>(1500.0 + 600.0 * std::sin(s / 900.0));
        f.enl = static_cast<float>(0.01 * (k % 7));
        d.fixes.push_back(f);
    }
    if (!write_track(argv[1], d)) {
        std::fprintf(stderr, "write_long_track: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
