// Converting test tracks to IGC files as the converter does: a UTM frame
// from a ".trn" header, the track read by the track readers, the fixes
// resampled, the IGC file written.  Shared by the IGC writer tests, the
// interoperability tests and the tests that read converter logs back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/common/igc_sandbox.h"
#include "tests/common/track_writer.h"
#include "tracks/ftr_fixes.h"
#include "tracks/igc_writer.h"

/// One fix as an IGC reader should report it.
struct expected_fix {
    int32_t second;  ///< time of day, 0..86399
    double lat;      ///< degrees, as the frame converts the fix
    double lon;
    int32_t alt;     ///< metres
    int32_t enl;     ///< 0..999
};

/// Sets the frame up from a ".trn" header written at `trn` (the default
/// test landscape: UTM zone 32 north, origin at easting 600000 m, northing
/// 5100000 m); true on success.
bool igc_test_frame(const std::string& trn);

/// Each test in its own working folder, sandboxed for reading IGC logs
/// (InIgcSandbox), with the task model and the glider record reset and the
/// default test frame set up (from "land.trn" in that folder), as the
/// converter has them before a track is read.
class InIgcFrame : public InIgcSandbox {
protected:
    void SetUp() override;
};

/// Reads the track `d` (header, fixes, trailer), resamples it by `scheme`
/// (next point by default), sets the track state as the converter does and
/// writes the IGC file `igc` with the standard header.  The console output
/// is dropped.  Returns the resampled fixes; `written`, when given, gets
/// what write_igc did (unchanged when the track gave no fix).
std::vector<track_fix> convert_test_track(const track_desc& d, const std::string& igc, int32_t scheme = -2,
                                          Igc_written* written = nullptr);

/// The landscape X, Y of a latitude and longitude in the frame, adjusted so
/// that xytolatlon gives back exactly `lat` (within a few float32 steps of
/// Y), for positions that must sit on a chosen side of a whole degree.
void igc_test_xy(float lat, float lon, float& x, float& y);

/// What a reader should report for the resampled fixes (the frame's
/// latitude and longitude, altitudes and ENL rounded as the writer does,
/// times of day modulo 24 hours).
std::vector<expected_fix> expected_fixes(const std::vector<track_fix>& ppsec);

/// A version-2 or version-3 track for the readers: two task points (one of
/// them just below a whole degree of latitude), fixes every second from
/// 23:59:56 (plus a quarter second) across midnight, negative altitudes and
/// ENL values from 0 to 999, one of them above 999.  The frame must be set
/// up (igc_test_frame).
track_desc interop_track(int32_t version);

/// The CR LF lines of a file (a final line without CR LF is kept too).
std::vector<std::string> crlf_lines(const std::string& text);
