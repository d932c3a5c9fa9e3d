// The IGC writer: one converted track as an IGC flight log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tracks/ftr_fixes.h"
#include "tracks/igc_records.h"

/// Writes the IGC file `fich` (created or replaced; trailing blanks
/// ignored), in this order: the header (igc_header_lines of nhdr and
/// igc_hdr); with nhdr 0 the task declaration, one C record per task point
/// 0 .. nwp-1 of rd_ftr_2.nwp (clamped to 0..31) and the last point's record
/// once more (no C records at all without a task point); one B record per
/// resampled fix ppsec[0 .. ntot-1] (ntot clamped to ppsec.size()); the L
/// records by the major version rd_fpl_0.fpl_vers / 1000: version 2 (only
/// with nhdr 0) the flight plan from the raw header, the flight information
/// and the scheme line (write_igc_fpl); version 3 the version-3 flight plan
/// (write_fpl_v3, "LCONFPL" lines) then the flight information and the
/// scheme line; any other version none.
/// Precondition: the UTM frame is set up (tracks/utm.h); positions are
/// converted with xytolatlon (0, 0 when no frame is set up).  The latitude
/// and longitude of each task point written (degrees, float32, unrounded)
/// are stored into rd_fpl_1.tplat / tplon.
/// nvar, ndeb and icnv are not used (a track_fix always holds its five
/// values).  Console lines: "WRITE_IGC", the name and nhdr; the major
/// version.  A file that cannot be created or written: a message naming it
/// (console and run log), the incomplete file removed, exit status 2.
void write_igc(std::string_view fich, const std::vector<track_fix>& ppsec, int32_t nvar, int32_t ndeb,
               int32_t ntot, int32_t icnv, int32_t nhdr, const std::vector<std::string>& igc_hdr);
