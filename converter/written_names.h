// The IGC files that one run has written, so that two tracks of the run
// never write the same file: the second would replace the first without a
// word (tracks copied without their times get the same pattern name; two
// tracks of one name from different folders meet in an absolute output
// folder).  Files from earlier runs are not counted: running the same
// command again gives the same files.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

/// The names written so far, as file_name_key (support/platform.h) gives
/// them.
struct Written_names {
    std::set<std::string> keys;
    /// Per name built (its key), the first number that may still be free:
    /// every lower one is written already, as names written stay so.  Many
    /// tracks of one built name then cost no search over all their numbers.
    std::map<std::string, int> next_number;
};

/// `name` with "_", `n` as two digits zero-filled (more when n > 99) before
/// its ".igc" (at the end when it has none): "a.igc", 1 gives "a_01.igc".
std::string numbered_igc_name(std::string_view name, int n);

/// The name under which the run writes the IGC file built as `name`:
/// `name` itself when the run has not written a file of that name, else the
/// first of numbered_igc_name(name, 1), (name, 2), ... that it has not.
/// Remembers where that search ended, so that the next search for `name`
/// begins there.
std::string unwritten_name(Written_names& written, std::string_view name);

/// Records that the run wrote `name`.
void note_written(Written_names& written, std::string_view name);
