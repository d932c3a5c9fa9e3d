// The task model: one soaring task and the glider flown on it.
//
// The task (task points with their observation sectors, penalty zones,
// disabled airspaces, weather zones, game options, description) lives in a
// group of process-wide records, one instance each, that every reader fills
// (track header readers, IGC reader, flight-plan reader) and every writer
// reads (IGC writer, flight-plan writer).
//
// Index conventions.  Tables keep the index ranges of the file formats; where
// a range does not start at 0 the C++ index is shifted and the shift is named
// at the member:
//   - task points 0..maxtp, weather zones 0..maxwz, polygon points
//     0..maxwzpt, penalty zones 0..maxpz, corners 0..maxpzcorner and
//     airspaces 0..cmaxdisabledairspaceblockscount are used unshifted;
//   - a coordinate selector "1 = X, 2 = Y" becomes [0] = X, [1] = Y;
//   - description lines 1..16 are fpldesc[line - 1];
//   - the glider polar's 1-based arrays are [i - 1].
//
// Texts are fixed-length blank-padded fields (see support/ftext.h): in memory
// a std::string holding the value without its trailing blanks, at most the
// field width long (the *_len constants below); empty is blank.
//
// Start state.  Every number is 0 and every flag false until a reset runs.
// Texts start empty, i.e. blank, rather than filled with NUL characters: no
// path of either program writes a task or glider text before a reset or a
// reader has set it, and NUL bytes in a written file would only be a fault,
// so the NUL-filled start is not reproduced.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// ---------------------------------------------------------------------------
// Limits

/// Highest task-point index (task points 0..30, so at most 31 points).
inline constexpr int32_t maxtp = 30;
/// Highest weather-zone index (zones 0..16).
inline constexpr int32_t maxwz = 16;
/// Highest polygon-point index of a weather zone (points 0..16).
inline constexpr int32_t maxwzpt = 16;
/// Highest penalty-zone index (zones 0..10).
inline constexpr int32_t maxpz = 10;
/// Highest penalty-zone corner index (corners 0..3).
inline constexpr int32_t maxpzcorner = 3;
/// Highest airspace index of a landscape (airspaces 0..8192).
inline constexpr int32_t cmaxdisabledairspaceblockscount = 8192;
/// Number of description lines a task holds (lines 1..16).
inline constexpr int32_t maxfpldesc = 16;

/// Field widths of the task and glider texts, in characters.
inline constexpr std::size_t tpnam_len = 32;
inline constexpr std::size_t wznam_len = 32;
inline constexpr std::size_t fpldesc_len = 256;
inline constexpr std::size_t landscape_len = 64;
inline constexpr std::size_t fpl_000_len = 256;
inline constexpr std::size_t glider_len = 32;   ///< also glclass, glskin

/// One value per task point, indexed 0..maxtp.
template <typename T>
using tp_table = std::array<T, maxtp + 1>;
/// One value per weather zone, indexed 0..maxwz.
template <typename T>
using wz_table = std::array<T, maxwz + 1>;

// ---------------------------------------------------------------------------
// Task counters

struct Rd_fpl_0 {
    /// Version of the loaded task: the track's full version number (2000 to
    /// 3999) after a track header; the flight plan's "Condor version" / 1000
    /// (2 or 3) after a flight plan; 3 when the IGC reader hands over its file.
    int32_t fpl_vers = 0;
    /// Task points including the take-off point 0; at most maxtp + 1.
    int32_t nb_wp = 0;
    /// Penalty zones (flight-plan key PZCount).
    int32_t nb_pz = 0;
    /// Highest penalty-zone index addressed while a flight plan was read.
    int32_t npzmax = 0;
    /// Highest task-point index addressed while a flight plan was read.
    int32_t nwpmax = 0;
    /// Number of airspaces of the task's landscape.
    int32_t nb_as_zones = 0;
    /// Description lines held in fpldesc (0..maxfpldesc).
    int32_t nb_fpldesc = 0;
    /// Highest disabled airspace index; -1 when none is disabled.
    int32_t last_dis_as = 0;
};
extern Rd_fpl_0 rd_fpl_0;

// ---------------------------------------------------------------------------
// Task geometry.  Positions in landscape metres.

struct Rd_fpl_1 {
    /// Weather-zone polygons: wzp[c][p][z], c 0 = X, 1 = Y, point p 0..maxwzpt,
    /// zone z 0..maxwz.
    std::array<std::array<wz_table<float>, maxwzpt + 1>, 2> wzp{};
    /// Penalty-zone corners: pzp[c][k][z], c 0 = X, 1 = Y, corner k
    /// 0..maxpzcorner, zone z 0..maxpz.
    std::array<std::array<std::array<float, maxpz + 1>, maxpzcorner + 1>, 2> pzp{};
    /// Per penalty zone z: pza[0][z] base, pza[1][z] top, pza[2][z] penalty
    /// time factor.
    std::array<std::array<float, maxpz + 1>, 3> pza{};

    tp_table<float> tpx{};      ///< task-point X
    tp_table<float> tpy{};      ///< task-point Y
    tp_table<float> tpz{};      ///< task-point elevation, metres
    tp_table<float> tplat{};    ///< latitude, degrees (set by the IGC writer)
    tp_table<float> tplon{};    ///< longitude, degrees (set by the IGC writer)
    /// Sector azimuth: whole degrees after the flight-plan reader; the
    /// track's own unit after a track reader (nothing converts between them).
    tp_table<float> tpazi{};
    tp_table<float> tphei{};    ///< sector height
    tp_table<float> tpalt{};    ///< task-point altitude, metres
    tp_table<float> tpwid{};    ///< sector width, metres
    tp_table<int32_t> tpsecdir{};  ///< sector direction code
    /// Length of the leg ending at point i (i >= 1), metres (compute_dist).
    tp_table<float> tpdist{};
    tp_table<int32_t> tpair{};  ///< airport flag or index
    tp_table<int32_t> tpsec{};  ///< sector type code
    tp_table<int32_t> tprad{};  ///< sector radius, metres
    tp_table<int32_t> tpang{};  ///< sector angle, degrees (360 = full circle)
    tp_table<int32_t> tpid{};   ///< task-point identifier
};
extern Rd_fpl_1 rd_fpl_1;

// ---------------------------------------------------------------------------
// Task texts

struct Rd_fpl_2 {
    tp_table<std::string> tpnam;   ///< task-point names, tpnam_len each
    wz_table<std::string> wznam;   ///< weather-zone names, wznam_len each
    /// Description lines 1..maxfpldesc as fpldesc[line - 1], fpldesc_len each.
    std::array<std::string, maxfpldesc> fpldesc;
    std::string landscape;         ///< landscape name, landscape_len
    std::string fpl_000;           ///< file the flight plan was last read from, fpl_000_len
};
extern Rd_fpl_2 rd_fpl_2;

// ---------------------------------------------------------------------------
// Task scalars

struct Rd_fpl_4 {
    int32_t cloudbase = 0;
    int32_t jdate = 0;          ///< Julian day number of the task date
    float finishminalt = 0;
    float fimialt_eff = 0;
    float tp_septhr = 0;
    float pressure = 0;         ///< sea-level pressure, pascal (reset: 101325)
    float dist_tot = 0;         ///< task distance, metres (compute_dist)
};
extern Rd_fpl_4 rd_fpl_4;

// ---------------------------------------------------------------------------
// Disabled airspaces

struct Rd_fpl_5 {
    /// qas_disa[i] true when airspace i (0..8192) of the landscape is disabled.
    std::array<bool, cmaxdisabledairspaceblockscount + 1> qas_disa{};
};
extern Rd_fpl_5 rd_fpl_5;

// ---------------------------------------------------------------------------
// Game options, members named after the flight plan's "[GameOptions]" keys
// in lower case.

struct Rd_fpl_6 {
    /// Task date as a day count, 0 = 30 December 1899.
    int32_t taskdate = 0;
    float starttime = 0;
    float starttimewindow = 0;
    float racestartdelay = 0;
    float aattime = 0;
    int32_t iconsvisiblerange = 0;
    int32_t thermalhelpersrange = 0;
    int32_t turnpointhelpersrange = 0;
    bool qaat = false;          ///< key "AAT" (assigned-area task)
    bool allowbugwipers = false;
    bool allowpda = false;
    bool allowrealtimescoring = false;
    bool allowexternalview = false;
    bool allowpadlockview = false;
    bool allowsmoke = false;
    bool allowplanerecovery = false;
    bool allowheightrecovery = false;
    bool allowmidaircollisionrecovery = false;
    int32_t penaltycloudflying = 0;
    int32_t penaltyplanerecovery = 0;
    int32_t penaltyheightrecovery = 0;
    int32_t penaltywrongwindowenterance = 0;
    int32_t penaltywindowcollision = 0;
    int32_t penaltyairspaceenterance = 0;
    int32_t penaltypenaltyzoneenterance = 0;
    int32_t penaltythermalhelpers = 0;
    int32_t maxstartgroundspeed = 0;
    int32_t penaltystartspeed = 0;
    int32_t penaltyhighstart = 0;
    int32_t penaltylowfinish = 0;
    int32_t randseed = 0;
    int32_t starttype = 0;
    int32_t startheight = 0;
    int32_t breakprob = 0;
    float ropelength = 0;
    int32_t maxteams = 0;
    int32_t acroflight = 0;
    int32_t team = 0;           ///< from a version-3 track; no flight-plan key
    int32_t maxwingloading = 0;
};
extern Rd_fpl_6 rd_fpl_6;

// ---------------------------------------------------------------------------
// Weather zones, one value per zone 0..maxwz.

struct Rd_fpl_wz1 {
    wz_table<float> movedir{};
    wz_table<float> movespeed{};
    wz_table<float> borderwidth{};
    wz_table<float> winddir{};
    wz_table<float> windspeed{};
    wz_table<float> windupperspeed{};
    /// Thermal temperature: kelvin after a version-3 track or a flight plan
    /// (the files hold degrees Celsius); a version-2 track stores its header
    /// value unconverted.
    wz_table<float> thermalstemp{};
    wz_table<float> thermalsdew{};
    wz_table<float> thermalsinversionheight{};
};
extern Rd_fpl_wz1 rd_fpl_wz1;

struct Rd_fpl_wz2 {
    wz_table<int32_t> pointcount{};   ///< polygon points of the zone
    wz_table<int32_t> winddirvariation{};
    wz_table<int32_t> windspeedvariation{};
    wz_table<int32_t> windturbulence{};
    wz_table<int32_t> thermalstempvariation{};
    wz_table<int32_t> thermalsstrength{};
    wz_table<int32_t> thermalsstrengthvariation{};
    wz_table<float> thermalsoverdevelopment{};
    wz_table<int32_t> thermalswidth{};
    wz_table<int32_t> thermalswidthvariation{};
    wz_table<int32_t> thermalsactivity{};
    wz_table<int32_t> thermalsactivityvariation{};
    wz_table<int32_t> thermalsturbulence{};
    wz_table<int32_t> thermalsflatsactivity{};
    wz_table<int32_t> thermalsstreeting{};
    wz_table<int32_t> thermalsbugs{};
    wz_table<int32_t> wavesstability{};
    wz_table<int32_t> wavesmoisture{};
    wz_table<int32_t> highcloudscoverage{};
    bool randomizeweatheroneachflight = false;  ///< one per task
    int32_t wzcount = 0;                        ///< number of weather zones
};
extern Rd_fpl_wz2 rd_fpl_wz2;

// ---------------------------------------------------------------------------
// Glider

struct Ggg001 {
    std::string glider;    ///< glider type name, glider_len
    std::string glclass;   ///< class, glider_len
    std::string glskin;    ///< skin, glider_len
};
extern Ggg001 ggg001;

struct Ggg002 {
    float cgbias = 0;      ///< centre-of-gravity bias
    int32_t glseat = 0;    ///< seat number (reset: 1)
    bool qbugwipers = false;
};
extern Ggg002 ggg002;

/// Glider masses, kg.  Only wmass and fmass are used outside the reset.
struct Gggmas {
    float rmass = 0;
    float mmass = 0;
    float cmass = 0;
    float wmass = 0;       ///< water ballast
    float fmass = 0;       ///< fixed mass
    float balmax = 0;
};
extern Gggmas gggmas;

/// A glider polar; only init_glider touches it.  Arrays are 1-based in the
/// polar's own notation: vap(i) is vap[i - 1].
struct Gggpol {
    std::array<float, 3> vap{};
    std::array<float, 3> vzp{};
    std::array<float, 3> vap00{};
    std::array<float, 3> vzp00{};
    std::array<float, 2> pol_a{};
    std::array<float, 2> pol_b{};
    std::array<float, 2> pol_c{};
    float pol_d = 0;
    float pol_v = 0;
    float calage = 0;
    float pol_a00 = 0;
    float pol_b00 = 0;
    float pol_c00 = 0;
    float pol_d00 = 0;
    float pol_v00 = 0;
    float vmin_00 = 0;
    float vvzm_00 = 0;
    float vfmax_00 = 0;
    float fmax_00 = 0;
    float v_vzmin = 0;
    float h_wnd = 0;
    float fmulatm = 0;
    float vmin = 0;
    float vvzm = 0;
    float gforce = 0;
};
extern Gggpol gggpol;

// ---------------------------------------------------------------------------
// Operations on the records

/// Resets the task model: counters, task points (sector type, radius and
/// angle to 0), penalty and weather zones, disabled airspaces, texts, game
/// options (except taskdate, starttime, team), pressure 101325 Pa,
/// last_dis_as -1.  Leaves fpl_vers, fpl_000, tpsecdir, tpdist, the other
/// task scalars, randomizeweatheroneachflight, wzcount and the glider alone.
void init_read_fpl();

/// Resets the task-point table to the sector defaults: nb_wp 0, positions,
/// heights, widths, azimuths, airports and sector directions 0, sector type
/// 1, radius 3000 m, angle 90 degrees, names blank.  tpid and tpdist are
/// left alone.
void init_wp();

/// Resets the glider: masses, cgbias and polar 0 (except vfmax_00, fmax_00,
/// gforce), texts blank, glseat 1, qbugwipers false.
void init_glider();

/// Computes the leg lengths tpdist(1..nb_wp-1) and the task distance
/// dist_tot (metres, single precision) from the task points, and prints
/// them.  The leg from take-off point 0 to the start point 1 is not part of
/// dist_tot; the last leg ends at the edge of a full-circle (360 degree)
/// finish.  An nb_wp outside 0..maxtp+1 is clamped to the table.
void compute_dist();

/// Escapes "<" as "&lt;" and then ">" as "&gt;" in a name held in a field
/// of `width` characters; after each replacement the text is cut back to
/// the width (the tail that no longer fits is lost).  "&" is not escaped.
void cleanup_name(std::string& name, std::size_t width);
