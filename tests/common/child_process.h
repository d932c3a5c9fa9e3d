// Running another program from a test: no shell, arguments passed as they
// are, standard output and standard error kept.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// What a program run gave.
struct program_result {
    bool started = false;  ///< false when the program could not be started
    int status = -1;       ///< exit status; -1 when killed or not started
    std::string out;       ///< standard output
    std::string err;       ///< standard error
};

/// Where and how a program is run.
struct run_setting {
    /// The working folder of the run; empty: the caller's.
    std::string folder;
    /// Changes to the caller's environment: "NAME=value" sets a variable,
    /// "NAME" alone removes it; applied in order.
    std::vector<std::string> env;
    /// The program file to start when argv[0] is only the name the program
    /// is to see as its argument 0; empty: argv[0] itself (looked up in
    /// PATH) is started.
    std::string program;
    /// When not 0, the most bytes that the program may write into one file
    /// (Linux: RLIMIT_FSIZE, with SIGXFSZ ignored, so that a write beyond
    /// it fails with EFBIG instead of ending the program; its standard
    /// output and error then go through pipes, which the limit does not
    /// cut).  Not used on Windows.
    unsigned long long file_size_limit = 0;
};

/// Runs argv[0] (looked up in PATH) with the arguments argv[1..] and waits
/// for it, at most `timeout_s` seconds (then it is killed).  Standard input
/// reads nothing.
program_result run_program(const std::vector<std::string>& argv, int timeout_s = 120);

/// The same, in the folder, with the environment and the program file of
/// `how`.
program_result run_program(const std::vector<std::string>& argv, const run_setting& how, int timeout_s = 120);

/// The full path of the first executable file `name` in PATH; empty when
/// there is none.
std::string find_program(std::string_view name);
