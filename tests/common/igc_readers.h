// Two independent IGC readers for tests: gpsbabel and the igc-parser
// package in its strict mode (through tests/interop/igc_check.js, with the
// package that scripts/install-deps.sh installs into the build's interop
// folder).  They tell whether an IGC file is one that other soaring tools
// read, and what they read in it.  Every test that checks IGC files with
// other tools goes through these routines.
//
// A reader that is not installed is reported by igc_reader_present: a test
// failure with CI=true in the environment, a note otherwise.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

/// True when the environment variable CI says the tests run in CI (set, and
/// neither empty nor "0" nor "false").
bool igc_readers_in_ci();

/// What a reader made of a file.
struct igc_reading {
    bool available = false;  ///< the reader is installed
    bool accepted = false;   ///< it read the file without an error
    std::size_t fixes = 0;   ///< fixes (gpsbabel tracks: the points of one of its two tracks) or task points
    std::string problem;     ///< why not accepted, or what is missing
};

/// gpsbabel's reading: its unicsv rows, each as column name -> value.
struct gpsbabel_reading : igc_reading {
    std::vector<std::map<std::string, std::string>> rows;
};

/// igc-parser's reading: the lines igc_check.js prints, each split at its
/// commas ("date", "task", "point" and "fix" records; see that script).
struct igc_parser_reading : igc_reading {
    std::vector<std::vector<std::string>> records;
};

/// What gpsbabel is asked to read from an IGC file.
enum class gpsbabel_data {
    tracks,  ///< the fixes: one track from the pressure altitudes, one from the GNSS altitudes
    routes,  ///< the task declaration's points
};

/// gpsbabel reads `file` into unicsv: accepted when it ends with status 0
/// and prints nothing on standard error.  `fixes` is the number of rows
/// (halved for tracks, which come twice).
gpsbabel_reading read_with_gpsbabel(const std::string& file, gpsbabel_data what = gpsbabel_data::tracks);

/// igc-parser reads `file` in strict mode: accepted when it parses.
/// `fixes` is the number of "fix" records.
igc_parser_reading read_with_igc_parser(const std::string& file);

/// True when the reader behind `r` could be run.  When it could not: a
/// test failure naming r.problem under CI, a note on standard error
/// otherwise (the caller then skips what needs the reader).
bool igc_reader_present(const igc_reading& r);
