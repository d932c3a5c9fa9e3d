// libFuzzer target: damaged fix times as a class, many more cases than the
// test suite's property test.  The input's bytes seed the making of a sound
// track and of its damage (a few times or a block of records); the damaged
// track, converted as the converter converts its raw fixes, must give the
// sound track's flight but near the damage, under every scheme.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "tests/converter/damaged_times.h"
#include "tracks/resample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::seed_seq seed(data, data + size);
    std::mt19937_64 rng(seed);
    const std::vector<Raw_fix> sound = sound_track(rng);
    const Damaged_track damaged = random_damage(sound, rng);
    for (const int32_t scheme : {scheme_next, scheme_previous, scheme_nearest, scheme_linear, scheme_parabolic}) {
        const std::string problem = damage_problem(sound, damaged, scheme);
        if (!problem.empty()) {
            std::fprintf(stderr, "scheme %d, %s: %s\n", scheme, damaged.what.c_str(), problem.c_str());
            __builtin_trap();
        }
    }
    return 0;
}
