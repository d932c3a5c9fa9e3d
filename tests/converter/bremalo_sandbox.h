// Running the built Bremalo as a user would, for the end-to-end tests.
//
// A sandbox is a fresh folder holding an installation of the program (a
// copy of the built executable, so that its program folder, settings file
// and error log are the sandbox's own) and a working folder for the runs.
// Other programs of the project (trackdiff) can join the installation, for
// the tests that run them on the converter's outputs.
// Runs are started through tests/common/child_process.h, never through a
// shell, with BREMALO_NO_GUI=1 and no display.
//
// On Linux the sandbox also holds the Wine prefix of its runs (WINEPREFIX;
// empty unless a test installs the simulator in it), and the runs have
// TZ=UTC.  On Windows the registry is the machine's (under Wine, the run's
// prefix): scripts/test-windows.sh runs the end-to-end tests without an
// installation in a prefix that has none, and those of an installation in
// the prefix where it installed the simulator.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/platform.h"
#include "tests/common/child_process.h"
#include "tests/common/track_writer.h"
#include "tests/tracks/terrain_fixtures.h"

namespace fs = std::filesystem;

/// What a run of the program gave.
struct Bremalo_run {
    int status = -1;   ///< exit status; -1 when it did not end normally
    std::string out;   ///< standard output
    std::string err;   ///< standard error (where message boxes go without a display)
    /// Both, for failure messages.
    std::string both() const { return "--- stdout:\n" + out + "--- stderr:\n" + err; }
};

class Bremalo_sandbox {
public:
    Bremalo_sandbox();
    ~Bremalo_sandbox();
    Bremalo_sandbox(const Bremalo_sandbox&) = delete;
    Bremalo_sandbox& operator=(const Bremalo_sandbox&) = delete;

    const fs::path& root() const { return root_; }
    /// The program folder (holds Bremalo and LandscapeFiles/).
    fs::path program() const { return root_ / "program"; }
    /// The program itself ("Bremalo", "Bremalo.exe" on Windows).
    fs::path exe() const;
    /// The working folder of the runs.
    fs::path work() const { return root_ / "work"; }
#ifndef _WIN32
    /// The Wine prefix of the runs.
    fs::path wine() const { return root_ / "wine"; }
#endif

    /// Writes a ".trn" terrain header `landscape`.trn into the program's
    /// LandscapeFiles folder.
    void terrain(const std::string& landscape, const TrnFields& h = {}) const;

    /// Writes the track `rel` (relative to the working folder; folders
    /// created) and returns its path relative to the working folder.
    std::string track(const std::string& rel, const track_desc& d) const;

    /// Writes a text file (relative to the working folder, or absolute).
    void write(const fs::path& p, const std::string& content) const;
    /// The bytes of a file (relative to the working folder, or absolute);
    /// empty when missing.
    std::string read(const fs::path& p) const;
    bool exists(const fs::path& p) const;

    /// Sets the modification time of a file (relative to the working
    /// folder, or absolute) to the local time `t` of the runs, to the
    /// second: on Linux UTC (the runs' TZ), on Windows the machine's time
    /// zone as the system converts it, daylight saving included.
    void date_file(const fs::path& p, const LocalTime& t) const;

    /// Installs simulator version `major` (2 or 3) for the runs and returns
    /// its installation folder (host path).  On Linux in the sandbox's Wine
    /// prefix: the registry's installation folder, its program and its log
    /// naming the version.  On Windows the installation that
    /// scripts/test-windows.sh made in the run's prefix (version 3 only),
    /// read from the registry; the test fails when there is none.
    fs::path install_simulator(int major);

    /// Runs `args` (after the program name) in the working folder, with
    /// `env` ("NAME=value") added to the run's environment.  With `prefix`,
    /// those words come before the program (such as setpriv and its
    /// options).  On Windows the program's console lines end CR LF; they
    /// come back ending "\n" as on Linux.  A run on Windows without
    /// install_simulator in a prefix where the simulator is installed fails
    /// the test: its results would not be those of a machine without it.
    Bremalo_run run(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
                    const std::vector<std::string>& prefix = {}) const;

    /// Copies another built program of the project (such as trackdiff) into
    /// the program folder beside the converter, as an installation holds
    /// both, and returns its path there.
    fs::path add_program(const fs::path& built) const;

    /// Runs `program` (one that add_program copied) as run() runs the
    /// converter: in the working folder, with the same environment.
    Bremalo_run run_installed(const fs::path& program, const std::vector<std::string>& args,
                              const std::vector<std::string>& env = {},
                              const std::vector<std::string>& prefix = {}) const;

#ifndef _WIN32
    /// The runs that follow may write at most `bytes` bytes into one file
    /// (child_process.h's file_size_limit: a longer write fails with
    /// EFBIG); 0 lifts the limit.
    void limit_file_size(unsigned long long bytes) { file_size_limit_ = bytes; }
#endif

    /// Runs `args` with the program named by its bare name, as when it is
    /// found on the PATH: argument 0 is "Bremalo" (on Windows "Bremalo"
    /// without ".exe", as a user types it).
    Bremalo_run run_by_bare_name(const std::vector<std::string>& args) const;

private:
    Bremalo_run finish(const program_result& p) const;
    fs::path root_;
    bool installed_ = false;  // install_simulator was called
    unsigned long long file_size_limit_ = 0;
};

/// Permissions of a folder that every user reads and no one writes.
inline constexpr fs::perms read_only_folder = fs::perms::owner_read | fs::perms::owner_exec |
                                              fs::perms::group_read | fs::perms::group_exec |
                                              fs::perms::others_read | fs::perms::others_exec;

#ifndef _WIN32
/// The words that run a program as the unprivileged user "nobody" (through
/// setpriv), as run()'s prefix, when the tests run as root, where every
/// folder can be written; none otherwise.  When setpriv is missing, the one
/// word "setpriv-missing".
std::vector<std::string> unprivileged_prefix();
#endif

/// A track of `version` (tw_sample's task and identity, landscape
/// "Slovenia3") with `nfix` fixes one second apart from 12:30:00.5.
track_desc e2e_track(int32_t version, int nfix = 20);

/// Writes two tracks of e2e_track(3040) into the working folder of `box`:
/// "other.ftr" of the landscape "Nowhere", which has no terrain header,
/// then "t.ftr", which converts.
void tracks_first_without_terrain(const Bremalo_sandbox& box);

/// The lines of an IGC (or any CR LF) text, line ends removed.
std::vector<std::string> file_lines(const std::string& text);

/// The number of lines that begin with `prefix`.
std::size_t count_prefixed(const std::vector<std::string>& lines, const std::string& prefix);

/// Checks that the IGC file `path` passes the strict record check
/// (tests/common/igc_strict.h) and that both IGC readers
/// (tests/common/igc_readers.h) accept it and find `fixes` fixes in it.  A
/// reader that is missing fails the test under CI and is otherwise noted on
/// standard error.  On Windows, where neither reader runs, only the record
/// check is made: the Windows build's IGC files are compared byte for byte
/// with the Linux build's as well (tests/crossbuild/).
void expect_readable_igc(const fs::path& path, std::size_t fixes);
