// One track's road through the converter: extension test, header, fixes,
// dumps and smoothing, trailer, terrain header and UTM frame, resampling,
// naming, IGC file and renaming.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "converter/run_options.h"

/// What the start-up hands to the per-track loop.
struct Run_state {
    Run_options opt;
    std::vector<int32_t> kfield;      ///< the parsed naming pattern
    bool installation_found = false;  ///< a simulator installation was detected at start-up
};

/// Line of 52 "-" that opens a track's console block.
inline constexpr std::string_view track_rule = "----------------------------------------------------";

/// Converts the track named `name` (number `n` of the run, for the console).
/// A name beginning with "-" (an option) is passed over silently.  A track
/// that cannot be converted is skipped with a message (a wrong extension, a
/// missing file, an unusable header, no fix, damaged fix times, a missing
/// terrain header, an output folder that cannot be created); a terrain
/// header from which no UTM frame can be set up stops the run (exit status
/// 1).  An IGC file or dump that cannot be written stops it with status 2.
void convert_track(int32_t n, std::string_view name, const Run_state& run);
