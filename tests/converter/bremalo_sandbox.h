// Running the built Bremalo as a user would, for the end-to-end tests.
//
// A sandbox is a fresh folder holding an installation of the program (a
// copy of the built executable, so that its program folder, settings file
// and error log are the sandbox's own), a working folder for the runs and a
// Wine prefix (empty unless a test installs the simulator in it).  Runs are
// started with fork and execvp, never through a shell, with
// BREMALO_NO_GUI=1, WINEPREFIX at the sandbox's prefix and TZ=UTC.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

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
    fs::path exe() const { return program() / "Bremalo"; }
    /// The working folder of the runs.
    fs::path work() const { return root_ / "work"; }
    /// The Wine prefix of the runs.
    fs::path wine() const { return root_ / "wine"; }

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

    /// Installs simulator version `major` (2 or 3) in the Wine prefix: the
    /// registry's installation folder, its program and its log naming the
    /// version; returns the installation folder (host path).
    fs::path install_simulator(int major) const;

    /// Runs `args` (after the program name) in the working folder, with
    /// `env` ("NAME=value") added to the run's environment.  With `prefix`,
    /// those words come before the program (such as setpriv and its
    /// options).
    Bremalo_run run(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
                    const std::vector<std::string>& prefix = {}) const;

private:
    fs::path root_;
};

/// A track of `version` (tw_sample's task and identity, landscape
/// "Slovenia3") with `nfix` fixes one second apart from 12:30:00.5.
track_desc e2e_track(int32_t version, int nfix = 20);

/// The lines of an IGC (or any CR LF) text, line ends removed.
std::vector<std::string> file_lines(const std::string& text);

/// The number of lines that begin with `prefix`.
std::size_t count_prefixed(const std::vector<std::string>& lines, const std::string& prefix);

/// Checks that both IGC readers (tests/common/igc_readers.h) accept the IGC
/// file `path` and find `fixes` fixes in it.  A reader that is missing fails
/// the test under CI and is otherwise noted on standard error.
void expect_readable_igc(const fs::path& path, std::size_t fixes);
