// The IGC reader's own results, one instance each for the whole run.
//
// Only the IGC reader (tracks/igc_reader.h) fills them; they hold what the
// last log read declared beside its fixes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

/// Highest waypoint index of a task declaration (waypoints 0..30).
inline constexpr int32_t igc_max_wp = 30;

/// Field widths of the texts of rdigc000, in characters.
inline constexpr std::size_t igc_lnd_len = 80;
inline constexpr std::size_t igc_gld_len = 40;
inline constexpr std::size_t igc_cn_len = 3;
inline constexpr std::size_t igc_fldate_len = 8;

/// Texts of the log (fixed-length texts held without their blank fill).
struct Rdigc000 {
    std::string lnd;     ///< not used by any routine; igc_lnd_len
    std::string gld;     ///< not used by any routine; igc_gld_len
    /// Competition id: the first 3 characters of the "HFCIDCOMPETITIONID"
    /// value; "XXX" for a log without one.  Reset by every read.
    std::string cn;
    /// Flight date text (igc_fldate_len characters) from the "HFDTE" record;
    /// kept from an earlier log when the log read has none.
    std::string fldate;
};
extern Rdigc000 rdigc000;

/// Declaration and kind of logger.
struct Rdigc001 {
    /// Declared waypoints k = 0..igc_max_wp: wp_pp[0][k] latitude and
    /// wp_pp[1][k] longitude in degrees (south and west negative);
    /// wp_pp[2] is not used.  Kept from an earlier log beyond the waypoints
    /// the log read declares.
    std::array<std::array<float, igc_max_wp + 1>, 3> wp_pp{};
    /// Engine threshold: a fix whose ENL or MOP value is at least this gets
    /// the engine flag.  Nothing sets it, so it stays 0.0.
    float enl_thr = 0.0f;
    /// Number of waypoint C records read (the declaration line not counted),
    /// at most igc_max_wp + 1.
    int32_t nb_igcwp = 0;
    bool qgps_alt = false;  ///< altitudes from the GNSS field, not the pressure field
    bool qcndr = false;     ///< the log comes from the simulator
    bool qcndrtrk = false;  ///< the log comes from CondorTracker
};
extern Rdigc001 rdigc001;
