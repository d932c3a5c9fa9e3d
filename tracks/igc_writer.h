// The IGC writer: one converted track as an IGC flight log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tracks/ftr_fixes.h"
#include "tracks/igc_records.h"

/// Why write_igc wrote no file.
enum class Igc_refusal {
    none,      ///< the file was written
    bad_date,  ///< the flight date rd_ftr_c.c_date is no calendar day: no valid HFDTE record
    no_fix,    ///< fixes were given, but none of them can be written as a valid B record
};

/// What write_igc did.
struct Igc_written {
    Igc_refusal refused = Igc_refusal::none;
    /// Resampled fixes (seconds) left without a B record because their
    /// values cannot be written (position or altitude out of range or not a
    /// number); the others were written.
    int32_t fixes_left_out = 0;
    /// The C records were left out: a task point's position cannot be
    /// written (a declaration must list every point).
    bool task_left_out = false;
};

/// Writes the IGC file `fich` (created or replaced; trailing blanks
/// ignored), in this order: the header (igc_header_lines of nhdr and
/// igc_hdr; the flight date is rd_ftr_c.c_date, or the later day of the
/// first B record written when that lies at or past 24 h, igc_flight_date);
/// with nhdr 0 the task declaration (of the same date), one C record per task point
/// 0 .. nwp-1 of rd_ftr_2.nwp (clamped to 0..31) and the last point's record
/// once more (no C records at all without a task point); one B record per
/// resampled fix ppsec[0 .. ntot-1] (ntot clamped to ppsec.size()); the L
/// records by the major version rd_fpl_0.fpl_vers / 1000: version 2 (only
/// with nhdr 0) the flight plan from the raw header, the flight information
/// and the scheme line (write_igc_fpl); version 3 the version-3 flight plan
/// (write_fpl_v3, "LCONFPL" lines) then the flight information and the
/// scheme line; any other version none.
///
/// Records that no strict IGC reader would take are not written, whatever
/// damage in the track brought them: a fix whose record cannot be made
/// (igc_b_record) is left out and counted; when a task point's record cannot
/// be made, the whole task declaration is left out.  No file is written at
/// all (an existing file of that name stays as it was) when the standard
/// header's flight date is no calendar day, or when fixes were given
/// (ntot > 0) and none can be written; the result says which.
///
/// Precondition: the UTM frame is set up (tracks/utm.h); positions are
/// converted with xytolatlon (0, 0 when no frame is set up).  The latitude
/// and longitude of each task point (degrees, float32, unrounded) are
/// stored into rd_fpl_1.tplat / tplon, also when the declaration is left
/// out.
/// nvar, ndeb and icnv are not used (a track_fix always holds its five
/// values).  Console lines: "WRITE_IGC", the name and nhdr; the major
/// version.  A file that cannot be created or written: a message naming it
/// (console and run log), the incomplete file removed, exit status 2.
Igc_written write_igc(std::string_view fich, const std::vector<track_fix>& ppsec, int32_t nvar, int32_t ndeb,
                      int32_t ntot, int32_t icnv, int32_t nhdr, const std::vector<std::string>& igc_hdr);
