// Two independent IGC readers for tests: gpsbabel and the igc-parser
// package in its strict mode (through tests/interop/igc_check.js, with the
// package that scripts/install-deps.sh installs into the build's interop
// folder).  They tell whether an IGC file is one that other soaring tools
// read.
//
// A reader that is not installed makes the calling test skip, except with
// CI=true in the environment, where the test fails instead.
#pragma once

#include <cstddef>
#include <string>

/// True when the environment variable CI says the tests run in CI.
bool igc_readers_in_ci();

/// What a reader made of a file.
struct igc_reading {
    bool available = false;  ///< the reader is installed
    bool accepted = false;   ///< it read the file without an error
    std::size_t fixes = 0;   ///< fixes it found (gpsbabel: track points of one of its two tracks)
    std::string problem;     ///< why not accepted, or what is missing
};

/// gpsbabel reads `file` (tracks to unicsv): accepted when it ends with
/// status 0 and prints nothing on standard error.
igc_reading read_with_gpsbabel(const std::string& file);

/// igc-parser reads `file` in strict mode: accepted when it parses.
/// `module_dir` is the folder holding node_modules/igc-parser, `script` the
/// path of igc_check.js.
igc_reading read_with_igc_parser(const std::string& file, const std::string& module_dir, const std::string& script);
