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

// Short tracks (3 to 24 fixes), a block of every length at every place:
// the few fixes left give no recording step of their own, so a zeroed or
// stuck record next to them must add no flight.  A track is converted
// whenever two neighbouring fixes outside the block are left.
TEST(FixTimesProperty, BlocksOfShortTracks) {
    std::mt19937_64 rng(23);
    for (int track = 0; track < 2; ++track) {
        const std::vector<Raw_fix> long_track = sound_track(rng);
        for (std::size_t n = 3; n <= 24; ++n) {
            const Sound sound(std::vector<Raw_fix>(long_track.begin(), long_track.begin() + static_cast<std::ptrdiff_t>(n)));
            for (const Block kind : {Block::zeroed, Block::stuck, Block::stuck_clock})
                for (std::size_t count = 1; count < n; ++count)
                    for (std::size_t first = 0; first + count <= n; ++first) {
                        Damaged_track d;
                        d.fixes = sound.fixes;
                        damage_block(d, kind, first, count);
                        d.what = "block " + std::to_string(static_cast<int>(kind)) + " of " + std::to_string(count) +
                                 " from " + std::to_string(first) + " of " + std::to_string(n);
                        const bool pair_left = first >= 2 || n - first - count >= 2;
                        for (std::size_t k = 0; k < std::size(schemes); ++k) {
                            if (!convert_fixes(d.fixes, schemes[k]).converted) {
                                EXPECT_FALSE(pair_left) << "scheme " << schemes[k] << ", " << d.what << ": not converted";
                                continue;
                            }
                            EXPECT_EQ(damage_problem(sound.fixes, sound.flights[k], d, schemes[k]), "")
                                << "scheme " << schemes[k] << ", " << d.what;
                        }
                        if (HasFailure()) return;
                    }
        }
    }
}
