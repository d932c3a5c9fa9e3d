// The IGC L records of a converted track: the task of a version-2 track as
// a flight plan ("LCONFPL" lines), the flight information from the track's
// trailer ("LCONFlightInfo" lines) and the interpolation scheme
// ("LCONFBREMALO" line).
//
// The line texts come from pure functions over the raw header and trailer
// bytes and the records; write_igc_fpl sequences them into the open IGC
// file.  Numbers are written by i2b, f2b and t2b (support/text_format.h):
// "real(d)" below is f2b with the layout F16.d, "rounded" the value rounded
// to the nearest integer (halves away from zero) through i2b.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/le_bytes.h"
#include "taskmodel/task_model.h"
#include "tracks/igc_output.h"
#include "tracks/track_records.h"

/// Most penalty-zone records the raw version-2 header can hold: record z
/// lies at bytes 1115 + 60 z .. 1174 + 60 z of the 3000 bytes.
inline constexpr int32_t igc_v2_max_pz = 31;

/// Status names of the trailer's player status code, 1..10; any other code
/// writes "??????".
const std::string& player_status_name(int32_t code);

/// The flight plan of a version-2 track, each line prefixed "LCONFPL":
/// "[Version]" with the header's version word (byte 3), "[Task]" with the
/// landscape, the task-point count `nwp` of `state` (clamped to 0..31) and
/// twelve lines per task point from the task model, the penalty-zone count
/// (header int32 at byte 1111, clamped to 0..igc_v2_max_pz) and eleven lines
/// per zone from the header's 60-byte records, "[Weather]", "[Plane]" and
/// "[GameOptions]" from the header fields, the class `compclass`, the glider
/// type, the masses and `nndate`.  `hdr` is the raw header (hdr byte k is
/// file byte k); fields outside it read as 0.
std::vector<std::string> igc_fpl_v2_lines(LeBytes hdr, const Rd_ftr_2& state, const Rd_ftr_c& id,
                                          const Rd_fpl_1& geo, const Rd_fpl_2& texts, const Ggg001& glider,
                                          const Gggmas& masses);

/// The ten "LCONFlightInfo" lines from the raw trailer `trl`: race id, the
/// start, flight, task-start and task times (hh:mm:ss), the player status
/// name, the distance flown (km, two decimals, then " km"), the average
/// speed (value / 1000, two decimals, then " km/h"), the penalty points (one
/// decimal) and the ghost count.  Fields outside `trl` read as 0.
std::vector<std::string> igc_flight_info_lines(LeBytes trl);

/// "LCONFBREMALOInterpolation=" and the 30-character name of scheme
/// `ndeg_int` (clamped to -2..3), trailing blanks kept.
std::string igc_interpolation_line(int32_t ndeg_int, const Rd_ftr_h& raw);

/// Appends the L records to the open IGC file `out`: the version-2 flight
/// plan (unless `qtrailonly`), the flight information and the interpolation
/// line, from the shared records as they stand (rd_ftr_h.hdr and trl, the
/// task model, the track and glider records).  With rd_ftr_2.qdbg the
/// flight plan also prints the byte positions (1-based) and float32 values
/// of the penalty-zone, dew-point and inversion-height fields, and the
/// position 1724 of the weather-randomising flag.  A failed write stops the
/// program (exit status 2, see igc_output.h).
void write_igc_fpl(Igc_output& out, bool qtrailonly);
