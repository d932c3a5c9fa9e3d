// Damaged fix times as a class, through the code the converter runs on the
// fixes it read: whatever the damage to the times of a few fixes or to a
// block of records, the rest of the flight comes out as from the sound
// track under every scheme, and the fixes left out are counted.
#include <cstring>
#include <iterator>
#include <random>
#include <utility>

#include <gtest/gtest.h>

#include "tests/converter/damaged_times.h"
#include "tracks/resample.h"

namespace {

const int32_t schemes[] = {scheme_next, scheme_previous, scheme_nearest, scheme_linear, scheme_parabolic};

// A sound track and its conversion by every scheme.
struct Sound {
    explicit Sound(std::vector<Raw_fix> f) : fixes(std::move(f)) {
        for (const int32_t scheme : schemes) flights.push_back(convert_fixes(fixes, scheme));
    }
    std::vector<Raw_fix> fixes;
    std::vector<Converted> flights;  // by the schemes in order
};

void expect_cost_only_the_damage(const Sound& sound, const Damaged_track& d) {
    for (std::size_t k = 0; k < std::size(schemes); ++k) {
        const std::string problem = damage_problem(sound.fixes, sound.flights[k], d, schemes[k]);
        EXPECT_EQ(problem, "") << "scheme " << schemes[k] << ", " << d.what;
    }
}

}  // namespace

TEST(FixTimesProperty, RandomDamageCostsOnlyItself) {
    std::mt19937_64 rng(20231);
    const int cases = 400;
    for (int c = 0; c < cases; ++c) {
        const Sound sound(sound_track(rng));
        const Damaged_track d = random_damage(sound.fixes, rng);
        SCOPED_TRACE("case " + std::to_string(c));
        expect_cost_only_the_damage(sound, d);
        if (HasFailure()) return;
    }
}

// Every bit of the float64 time of the first, a middle and the last fix,
// on tracks recorded every half second and every two seconds.
TEST(FixTimesProperty, EveryBitFlipOfATime) {
    std::mt19937_64 rng(7);
    for (int track = 0; track < 4; ++track) {
        const Sound sound(sound_track(rng));
        const std::size_t n = sound.fixes.size();
        for (const std::size_t fix : {std::size_t{0}, n / 2, n - 1})
            for (unsigned bit = 0; bit < 64; ++bit) {
                Damaged_track d;
                d.fixes = sound.fixes;
                double h = sound.fixes[fix].hours;
                uint64_t bits;
                std::memcpy(&bits, &h, sizeof bits);
                bits ^= uint64_t{1} << bit;
                std::memcpy(&h, &bits, sizeof h);
                damage_time(d, fix, h);
                d.what = "fix " + std::to_string(fix) + " of " + std::to_string(n) + ", bit " + std::to_string(bit);
                expect_cost_only_the_damage(sound, d);
            }
    }
}

// Blocks of 10, 45, 55 and 90 % of the fixes at the head, in the middle and
// at the tail, zeroed or stuck.
TEST(FixTimesProperty, BlocksOfRecords) {
    std::mt19937_64 rng(11);
    const Sound sound(sound_track(rng));
    const std::size_t n = sound.fixes.size();
    for (const Block kind : {Block::zeroed, Block::stuck, Block::stuck_clock})
        for (const std::size_t percent : {10, 45, 55, 90}) {
            const std::size_t count = n * percent / 100;
            for (const std::size_t first : {std::size_t{0}, (n - count) / 2, n - count}) {
                Damaged_track d;
                d.fixes = sound.fixes;
                damage_block(d, kind, first, count);
                d.what = "block " + std::to_string(static_cast<int>(kind)) + " of " + std::to_string(count) +
                         " from " + std::to_string(first) + " of " + std::to_string(n);
                expect_cost_only_the_damage(sound, d);
            }
        }
}
