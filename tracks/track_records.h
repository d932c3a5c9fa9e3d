// The shared track records: the state of the track being converted, its
// identity for the IGC header, and the raw header and trailer bytes.
//
// One instance each for the whole run.  The track readers fill them; the
// converter, the resampler and the IGC writers read them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

/// Track state.
struct Rd_ftr_2 {
    float start_rec = 0;   ///< time of the first raw fix, decimal hours (set by the converter)
    float dtmin = 0;       ///< smallest step between consecutive raw fixes, seconds (fix readers)
    float dtmax = 0;       ///< largest step between consecutive raw fixes, seconds (fix readers)
    int32_t nwp = 0;       ///< task-point count for the IGC writers (0..31)
    int32_t nndate = 0;    ///< version-2 task date, days since 1899-12-30
    bool qdbg = false;     ///< verbose diagnostics ("-debug")
    int32_t ndeg_int = 0;  ///< interpolation scheme code, -2..3 (index into schem)
    float d_fl = 0;        ///< distance flown from the trailer, metres
    float av_s = 0;        ///< average speed from the trailer
    bool qhdr = false;     ///< header and trailer word dumps ("-hdr")
};
extern Rd_ftr_2 rd_ftr_2;

/// Width of the identity texts of rd_ftr_c, in characters.
inline constexpr std::size_t ftr_id_len = 32;
/// Width of c_date.
inline constexpr std::size_t c_date_len = 6;

/// Track identity (fixed-length texts held without their blank fill).
struct Rd_ftr_c {
    std::string pilot_name;  ///< first name, one blank, second name; ftr_id_len
    std::string gliderid;    ///< registration; ftr_id_len
    std::string compid;      ///< competition number; ftr_id_len
    std::string compclass;   ///< competition class; ftr_id_len
    std::string c_date;      ///< task date as DDMMYY (c_date_len digits)
};
extern Rd_ftr_c rd_ftr_c;

/// Size of the raw version-2 header block kept in hdr.
inline constexpr std::size_t ftr_hdr_len = 3000;
/// Size of the raw trailer kept in trl (2048 words of 4 bytes).
inline constexpr std::size_t ftr_trl_len = 8192;
/// Lowest and highest interpolation scheme code.
inline constexpr int32_t schem_first = -2;
inline constexpr int32_t schem_last = 3;
/// Width of a scheme name.
inline constexpr std::size_t schem_len = 30;

/// Raw track bytes and the scheme names.
struct Rd_ftr_h {
    /// The raw version-2 header: hdr[k] is file byte k of the last version-2
    /// track read (bytes 0..2002; 2003..2999 stay zero).  Decode it with
    /// LeBytes (support/le_bytes.h).
    std::array<unsigned char, ftr_hdr_len> hdr{};
    /// The raw trailer of the last track read: trailer byte k is trl[k];
    /// zero beyond the trailer (cleared for every track).
    std::array<unsigned char, ftr_trl_len> trl{};
    /// Scheme names for codes -2..3 as schem[code - schem_first].
    std::array<std::string, schem_last - schem_first + 1> schem{
        "Next point (Condor default)", "Previous point",      "Nearest point",
        "Linear",                      "Parabolic (closest)", "Parabolic (average)"};
};
extern Rd_ftr_h rd_ftr_h;

/// The name of scheme `code`, or an empty text for a code outside -2..3.
const std::string& schem_name(int32_t code);
