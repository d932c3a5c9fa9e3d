// One track's road through the converter: extension test, header, fixes,
// dumps and smoothing, trailer, terrain header and UTM frame, resampling,
// naming, IGC file and renaming.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "converter/run_options.h"
#include "converter/written_names.h"

/// What the start-up hands to the per-track loop.
struct Run_state {
    Run_options opt;
    std::vector<int32_t> kfield;      ///< the parsed naming pattern
    bool installation_found = false;  ///< a simulator installation was detected at start-up
};

/// Line of 52 "-" that opens a track's console block.
inline constexpr std::string_view track_rule = "----------------------------------------------------";

/// What became of one name of the track list.
enum class Track_outcome {
    converted,      ///< done as asked (IGC file unless "-noigc", renamed with "-rftr")
    not_a_track,    ///< an option among the names, passed over
    not_converted,  ///< skipped with a message; no IGC file
    not_renamed,    ///< converted, but the "-rftr" renaming failed
};

/// Converts the track named `name` (number `n` of the run, for the console)
/// and says what became of it.  A name beginning with "-" (an option) is
/// passed over silently.  A track that cannot be converted is skipped with a
/// run-log line naming it (echoed on the console after ">>> "): a wrong
/// extension, a missing file, an unusable header, no fix, damaged fix
/// times or fixes spanning more than max_track_span_s, a missing terrain
/// header or one that gives no coordinate frame (each also a box), an
/// output folder that cannot be created (with check_dir's box), a flight
/// date that is no calendar day, no fix that can be written.  A track cut
/// short among its fixes, and fixes or a task declaration left out of the
/// IGC file, are told on the console and in the error log.  An IGC name that this run
/// has already written (`written`, which gets the name written) is not
/// written again: the first free numbered name is taken instead
/// (unwritten_name), with a console line.  An IGC file or dump that cannot
/// be written stops the run with status 2.
Track_outcome convert_track(int32_t n, std::string_view name, const Run_state& run, Written_names& written);

/// The run's exit status from what became of its track names: 0 when every
/// track was converted (options among the names do not count), else
/// exit_error.
int32_t run_status(const std::vector<Track_outcome>& outcomes);
