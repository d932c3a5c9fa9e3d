// Track fixes, flight events and trailer.
//
// After read_ftr_hdr (tracks/ftr_header.h) the open track is at its first
// fix.  One fix reader (read_ftr_fixes for versions up to 3039, 40-byte
// records; read_ftr_fixes_304 from 3040 on, 64-byte records followed by the
// flight events) fills the raw fix array, then read_ftr_trl reads the
// trailer and closes the track.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

/// One fix: time of day in seconds, X and Y in landscape metres, altitude
/// in metres, ENL value.  Index with the fix_* constants.
using track_fix = std::array<float, 5>;
inline constexpr int fix_t = 0;
inline constexpr int fix_x = 1;
inline constexpr int fix_y = 2;
inline constexpr int fix_alt = 3;
inline constexpr int fix_enl = 4;

/// Size of a fix record below / from version 3040, bytes.
inline constexpr int32_t ftr_fix_size = 40;
inline constexpr int32_t ftr_fix_304_size = 64;

/// The number of fixes the open track can still hold for its version
/// (rd_fpl_0.fpl_vers), at most `npts` and at least 1: size the raw fix array
/// pp5 with this rather than with the announced count, which a damaged file
/// may put far beyond its length.
int32_t ftr_fix_capacity(int32_t npts);

/// Reads up to `npts` 40-byte fix records from the open track into
/// pp5[0 .. nrec-1] (time of day = decimal hours x 3600).  pp5 grows when it
/// is smaller than the fixes the file holds; it never shrinks.
/// qverb: verbose console output; on entry pp5[0][fix_t] >= 10000 then asks
///   for every (value / 10000)-th fix to be printed (1..200, else 200); that
///   cell is reset to 0.
/// nrec: out, fixes read; fewer than npts when the file ends first (a
///   console line says so; the fixes read are used).
/// Sets rd_ftr_2.dtmin / dtmax (1e30 / -1e30 with fewer than two fixes).
/// Leaves the track after the last fix read (at its end when it ran short).
void read_ftr_fixes(std::vector<track_fix>& pp5, int32_t& nrec, int32_t npts, bool qverb);

/// As read_ftr_fixes for the 64-byte records of version 3040 on (float64
/// time), then reads and prints the flight events that follow them.
void read_ftr_fixes_304(std::vector<track_fix>& pp5, int32_t& nrec, int32_t npts, bool qverb);

/// Reads the rest of the open track, in 4-byte words, as its trailer into
/// rd_ftr_h.trl (cleared first; the first 8192 bytes kept, a final fragment of
/// fewer than 4 bytes dropped), sets rd_ftr_2.d_fl (metres) and av_s from
/// trailer bytes 24 and 28, and closes the track.  With rd_ftr_2.qhdr every
/// word is printed.
void read_ftr_trl();
