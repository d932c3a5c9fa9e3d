// Damaged fix times as a class: a sound track made up at random, the same
// track with the time fields of a few fixes damaged or a block of records
// zeroed or stuck, both converted as the converter converts its raw fixes
// (damaged times left out, span checked, resampled by a scheme), and the
// check that the damage cost only itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tracks/ftr_fixes.h"

/// One raw fix as a 64-byte record holds it: the time a float64 of decimal
/// hours.
struct Raw_fix {
    double hours = 0;
    float x = 0, y = 0, alt = 0, enl = 0;
};

/// A sound track of 120 to 1500 fixes, recorded every 0.2, 0.5, 1 or 2 s
/// (each step 15 % either way), moving on a curve.
std::vector<Raw_fix> sound_track(std::mt19937_64& rng);

/// A damaged copy of a sound track.
struct Damaged_track {
    std::vector<Raw_fix> fixes;
    std::vector<std::size_t> damaged;  ///< indices of the fixes changed, rising
    std::size_t block = 0;             ///< fixes of a zeroed or stuck block (0: none)
    std::string what;                  ///< the damage, for a failure's message
};

/// The time field of `fix` set to `hours`.
void damage_time(Damaged_track& d, std::size_t fix, double hours);
/// Fixes first .. first+count-1 zeroed (every byte 0), stuck (each a copy
/// of the record before the block, of the block's first at the head) or
/// under a stuck clock (the time of the block's first fix repeated, the
/// positions as they were); the whole block counts as damaged.
enum class Block { zeroed, stuck, stuck_clock };
void damage_block(Damaged_track& d, Block kind, std::size_t first, std::size_t count);

/// Damage at random: the time fields of one to three fixes (at the head,
/// the tail or anywhere: a bit flip, 0, NaN, +-inf, a neighbour's value, an
/// hour or a day off), or a block of zeroed or stuck records at a random
/// place, up to 90 % of the fixes.
Damaged_track random_damage(const std::vector<Raw_fix>& sound, std::mt19937_64& rng);

/// A track converted as the converter converts the fixes it read.
struct Converted {
    bool converted = false;   ///< its kept fixes give an IGC file
    int32_t left_out = 0;     ///< fixes left out for their times
    std::vector<track_fix> seconds;  ///< the resampled fixes, as written
};
Converted convert_fixes(const std::vector<Raw_fix>& fixes, int32_t scheme);

/// The largest shift of either end of the flight, and the distance from a
/// damaged fix beyond which nothing may change, for `sound`: 5 s or ten
/// times its median step, whichever is more.
double damage_reach_s(const std::vector<Raw_fix>& sound);

/// Empty when `damaged`, converted by `scheme`, gives the flight of `sound`
/// except within damage_reach_s of a damaged fix's own time: every
/// resampled fix farther away the same, none added, neither end moved by
/// more than that from the nearest undamaged fix, and the fixes left out
/// counted.  Otherwise what differs.
std::string damage_problem(const std::vector<Raw_fix>& sound, const Damaged_track& damaged, int32_t scheme);
/// The same with `want`, the conversion of `sound` by `scheme`, made once.
std::string damage_problem(const std::vector<Raw_fix>& sound, const Converted& want, const Damaged_track& damaged,
                           int32_t scheme);
