// Flight-plan reader.
//
// The plan is ini-like text: section headers in square brackets and
// key=value lines; inside an IGC file every plan line carries the prefix
// "LCONFPL" and the first "LCONFlightInfo" line ends the plan, unless the
// description has begun: its lines are taken raw up to a blank line or the
// end of the input.  The lines are dispatched on their key; a line that
// matches nothing is ignored.
#include "taskmodel/read_fpl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "support/condor_install.h"
#include "support/console.h"
#include "support/ftext.h"
#include "support/julian.h"
#include "support/key_val.h"
#include "support/messages.h"
#include "support/number_fields.h"
#include "support/paths.h"
#include "support/text_format.h"
#include "taskmodel/airspace.h"
#include "taskmodel/nearest_int.h"
#include "taskmodel/task_model.h"
#include "support/stop.h"

namespace {

constexpr std::string_view fpl_prefix = "LCONFPL";
constexpr std::string_view info_prefix = "LCONFlightInfo";
/// Characters of a line taken, except where the disabled-airspace list
/// needs more.
constexpr std::size_t base_line_limit = 132;
/// Longest line kept whole (for the disabled-airspace list); the tail of a
/// longer one is passed over.  The list of every airspace index 0..8192
/// takes under 41 000 characters, so this leaves room for blanks between
/// items, while a hostile line can neither exhaust memory nor make the
/// item-by-item cutting of the list run for minutes.
constexpr std::size_t max_raw_line = std::size_t{64} << 10;
/// Width of the key and value texts of a split line.
constexpr std::size_t kv_len = 80;
/// Width of one disabled-airspace item.
constexpr std::size_t airspace_item_len = 8;
constexpr float pi_f = 3.14159274f;

bool starts_with(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

/// State of one call.
struct Reader {
    bool qverb = false;
    bool qfr = false;
    bool qtask = false;
    bool qweather = false;
    bool qplane = false;
    int32_t itp = 0;     ///< current task point
    int32_t ipz = 0;     ///< current penalty zone
    int32_t iwz = 0;     ///< current weather zone
    /// The last zone named (by a "PZPos" line, a zone header or a "Polygon"
    /// line) lies outside its table: the zone's values that follow have
    /// nowhere to go and are passed over, rather than landing in the zone
    /// named before it.
    bool pz_refused = false;
    bool wz_refused = false;
    int32_t icorner = 0; ///< current penalty-zone corner
    int32_t ipoint = 0;  ///< current polygon point
    std::size_t limit = base_line_limit;
    // Values at entry, given back by a version-2 plan.
    int32_t entry_maxstartgroundspeed = 0;
    float entry_aattime = 0;
    bool entry_qaat = false;
};

void out_of_range(std::string_view what, int32_t index, std::string_view line) {
    console_free("read_fpl:", what, index, "out of range, line ignored:", line);
}

bool in_range(int32_t v, int32_t hi) { return v >= 0 && v <= hi; }

// ---------------------------------------------------------------------------
// Version, landscape, task points

void on_version(Reader& r, std::string_view val) {
    int32_t v = 0;
    if (!read_int(val, v)) return;
    rd_fpl_0.fpl_vers = v / 1000;
    if (r.qverb) console_line(" Condor_version=" + int_field(rd_fpl_0.fpl_vers, 1));
    if (rd_fpl_0.fpl_vers == 2) {
        rd_fpl_6.maxstartgroundspeed = r.entry_maxstartgroundspeed;
        rd_fpl_6.aattime = r.entry_aattime;
        rd_fpl_6.qaat = r.entry_qaat;
        console_line("C2 FLIGHTPLAN - Reset AAT & MaxStartGroundSpeed");
    }
}

void on_landscape(std::string_view val) {
    rd_fpl_2.landscape = fit(val, landscape_len);
    if (rd_fpl_0.fpl_vers != 3) return;
    get_condor_inst_dir(-3, inst00.instpath3, true);
    const std::string_view sep = path_sep_str();
    // The file is named after the value as read, not the stored name.
    const std::string l(trim_right(val));
    std::string aspfile = std::string(trim_right(inst00.instpath3));
    aspfile += sep;
    aspfile += "Landscapes";
    aspfile += sep;
    aspfile += l;
    aspfile += sep;
    aspfile += l;
    aspfile += ".air";
    aspfile = fit(aspfile, 256);
    console_free("Airspace file :", aspfile);
    rd_fpl_0.nb_as_zones = get_airspace_size(aspfile);
    console_free("Airspace zones : ", rd_fpl_0.nb_as_zones);
}

void on_count(Reader& r, std::string_view val, std::string_view line) {
    int32_t n = 0;
    if (!read_int(val, n)) return;
    if (n < 0) {
        out_of_range("task-point count", n, line);
        return;
    }
    rd_fpl_0.nb_wp = n;
    if (r.qverb) console_line(" Number of legs=" + int_field(static_cast<long long>(n) - 2, 2));
    if (n > maxtp + 1) {
        int32_t status = s_error;
        error_message_tit(status, cmndta000.app_name,
                          r.qfr ? "XCSoar n'accepte pas plus que 30 points de virage"
                                : "XCSoar does not support more than 30 turnpoints",
                          cmndta001.qline);
        stop_run(exit_error);
    }
}

enum class Tp_kind { name, posx, posy, posz, airport, sectype, secdir, radius, angle, altitude,
                     width, height, azimuth };

struct Tp_key {
    std::string_view prefix;
    Tp_kind kind;
};

constexpr Tp_key tp_keys[] = {
    {"TPName", Tp_kind::name},         {"TPPosX", Tp_kind::posx},
    {"TPPosY", Tp_kind::posy},         {"TPPosZ", Tp_kind::posz},
    {"TPAirport", Tp_kind::airport},   {"TPSectorType", Tp_kind::sectype},
    {"TPSectorDirection", Tp_kind::secdir}, {"TPRadius", Tp_kind::radius},
    {"TPAngle", Tp_kind::angle},       {"TPAltitude", Tp_kind::altitude},
    {"TPWidth", Tp_kind::width},       {"TPHeight", Tp_kind::height},
    {"TPAzimuth", Tp_kind::azimuth},
};

/// Index text and value of an indexed key: the key after its prefix is the
/// index (the key ends at the line's first "=", else its first ":").
void store_tp(Reader& r, Tp_kind kind, std::string_view index_text, std::string_view val,
              std::string_view line) {
    int32_t i = r.itp;
    if (read_int(index_text, i)) {
        if (!in_range(i, maxtp)) {
            out_of_range("task point", i, line);
            return;
        }
        r.itp = i;
    }
    Rd_fpl_1& g = rd_fpl_1;
    if (kind == Tp_kind::name) {
        std::string name(val);
        cleanup_name(name, kv_len);
        rd_fpl_2.tpnam[i] = fit(name, tpnam_len);
        return;
    }
    const bool integer = kind == Tp_kind::airport || kind == Tp_kind::sectype ||
                         kind == Tp_kind::secdir;
    if (integer) {
        int32_t v = 0;
        if (!read_int(val, v)) return;
        if (kind == Tp_kind::airport) g.tpair[i] = v;
        else if (kind == Tp_kind::sectype) g.tpsec[i] = v;
        else g.tpsecdir[i] = v;
        return;
    }
    float v = 0;
    if (!read_real(val, v)) return;
    switch (kind) {
        case Tp_kind::posx: g.tpx[i] = v; break;
        case Tp_kind::posy: g.tpy[i] = v; break;
        case Tp_kind::posz: g.tpz[i] = v; break;
        case Tp_kind::radius: g.tprad[i] = nint(v); break;
        case Tp_kind::angle: g.tpang[i] = nint(v); break;
        case Tp_kind::altitude: g.tpalt[i] = std::round(v); break;
        case Tp_kind::width: g.tpwid[i] = std::round(v); break;
        case Tp_kind::height: g.tphei[i] = v; break;
        case Tp_kind::azimuth: g.tpazi[i] = std::round(v * 180.0f / pi_f); break;
        default: break;
    }
}

// ---------------------------------------------------------------------------
// Penalty zones and disabled airspaces

void on_pzcount(Reader& r, std::string_view val, std::string_view line) {
    int32_t n = 0;
    if (!read_int(val, n)) return;
    if (!in_range(n, maxpz + 1)) {
        out_of_range("penalty-zone count", n, line);
        return;
    }
    rd_fpl_0.nb_pz = n;
    if (rd_fpl_0.fpl_vers == 3) {
        const long long want = 5LL * rd_fpl_0.nb_as_zones + 17;
        if (want > static_cast<long long>(base_line_limit)) r.limit = static_cast<std::size_t>(want);
        console_free("allocate", r.limit);
        console_free("allocate", r.limit);
    }
}

/// Splits "<a><letter><b>" (the key after its prefix) at its first "X",
/// else its first "Y": coordinate 0 for X, 1 for Y, -1 for neither.
int32_t split_xy(std::string_view rest, std::string_view& before, std::string_view& after) {
    std::size_t pos = rest.find('X');
    int32_t c = 0;
    if (pos == std::string_view::npos) {
        pos = rest.find('Y');
        c = 1;
    }
    if (pos == std::string_view::npos) return -1;
    before = rest.substr(0, pos);
    after = rest.substr(pos + 1);
    return c;
}

/// Index and zone of a "PZPos" or "Polygon" line.  A zone number that
/// reads becomes the current zone; one outside its table refuses the zone
/// until a valid one is named.  An index that reads becomes the current
/// index.  False (with a console note) when the line has nowhere to go.
struct Xy_slot {
    int32_t& index;
    int32_t max_index;
    std::string_view index_what;
    int32_t& zone;
    bool& refused;
    int32_t max_zone;
    std::string_view zone_what;
};

/// True when the current zone may take the line's value; a note otherwise
/// (the zone last named was refused, so the line must not land in another).
bool zone_usable(bool refused, std::string_view zone_what, std::string_view line) {
    if (!refused) return true;
    console_free("read_fpl: no valid " + std::string(zone_what) + ", line ignored:", line);
    return false;
}

bool locate_xy(const Xy_slot& s, std::string_view index_text, std::string_view zone_text,
               std::string_view line) {
    int32_t z = 0;
    if (read_int(zone_text, z)) {
        s.refused = !in_range(z, s.max_zone);
        if (s.refused) {
            out_of_range(s.zone_what, z, line);
            return false;
        }
        s.zone = z;
    } else if (!zone_usable(s.refused, s.zone_what, line)) {
        return false;
    }
    int32_t k = 0;
    if (read_int(index_text, k)) {
        if (!in_range(k, s.max_index)) {
            out_of_range(s.index_what, k, line);
            return false;
        }
        s.index = k;
    }
    return true;
}

void on_pzpos(Reader& r, std::string_view rest, std::string_view val, std::string_view line) {
    std::string_view corner_text, zone_text;
    const int32_t c = split_xy(rest, corner_text, zone_text);
    if (c < 0) return;
    const Xy_slot slot{r.icorner, maxpzcorner, "penalty-zone corner",
                       r.ipz, r.pz_refused, maxpz, "penalty zone"};
    if (!locate_xy(slot, corner_text, zone_text, line)) return;
    float v = 0;
    if (read_real(val, v)) rd_fpl_1.pzp[c][r.icorner][r.ipz] = v;
}

void on_pza(Reader& r, int32_t row, std::string_view val, std::string_view line) {
    if (!zone_usable(r.pz_refused, "penalty zone", line)) return;
    float v = 0;
    if (read_real(val, v)) rd_fpl_1.pza[row][r.ipz] = v;
}

/// `list` is the text after the line's first "=" (the whole line without).
void on_disabled_airspaces(Reader& r, const std::string& text) {
    rd_fpl_0.last_dis_as = 0;
    std::string_view list(text);
    for (;;) {
        std::string item;
        extract_comma(list, item);
        item = fit(item, airspace_item_len);
        if (is_blank(item)) break;
        console_free("DisabledAirspaces", item);
        int32_t n = 0;
        if (!read_int(item, n)) continue;
        if (!in_range(n, cmaxdisabledairspaceblockscount)) {
            console_free("read_fpl: airspace", n, "out of range, ignored");
            continue;
        }
        rd_fpl_5.qas_disa[n] = true;
        rd_fpl_0.last_dis_as = std::max(rd_fpl_0.last_dis_as, n);
    }
    r.limit = base_line_limit;
}

// ---------------------------------------------------------------------------
// Weather

enum class Wz_conv { none, kelvin, whole };

/// One weather-zone key in the order of the reader's dispatch.
struct Wz_key {
    std::string_view key;
    wz_table<float>* real = nullptr;
    wz_table<int32_t>* integer = nullptr;
    Wz_conv conv = Wz_conv::none;
};

const Wz_key* find_wz_key(std::string_view key) {
    Rd_fpl_wz1& a = rd_fpl_wz1;
    Rd_fpl_wz2& b = rd_fpl_wz2;
    static const Wz_key keys[] = {
        {"MoveDir", &a.movedir},
        {"MoveSpeed", &a.movespeed},
        {"BorderWidth", &a.borderwidth},
        {"WindDir", &a.winddir},
        {"WindSpeed", &a.windspeed},
        {"WindUpperSpeed", &a.windupperspeed},
        {"WindDirVariation", nullptr, &b.winddirvariation},
        {"WindSpeedVariation", nullptr, &b.windspeedvariation},
        {"WindTurbulence", nullptr, &b.windturbulence},
        {"ThermalsTemp", &a.thermalstemp, nullptr, Wz_conv::kelvin},
        {"ThermalsTempVariation", nullptr, &b.thermalstempvariation},
        {"ThermalsDew", &a.thermalsdew},
        {"ThermalsStrength", nullptr, &b.thermalsstrength},
        {"ThermalsStrengthVariation", nullptr, &b.thermalsstrengthvariation},
        {"ThermalsInversionheight", &a.thermalsinversionheight, nullptr, Wz_conv::whole},
        {"ThermalsOverdevelopment", &b.thermalsoverdevelopment},
        {"ThermalsWidth", nullptr, &b.thermalswidth},
        {"ThermalsWidthVariation", nullptr, &b.thermalswidthvariation},
        {"ThermalsActivity", nullptr, &b.thermalsactivity},
        {"ThermalsActivityVariation", nullptr, &b.thermalsactivityvariation},
        {"ThermalsTurbulence", nullptr, &b.thermalsturbulence},
        {"ThermalsFlatsActivity", nullptr, &b.thermalsflatsactivity},
        {"ThermalsStreeting", nullptr, &b.thermalsstreeting},
        {"ThermalsBugs", nullptr, &b.thermalsbugs},
        {"WavesStability", nullptr, &b.wavesstability},
        {"WavesMoisture", nullptr, &b.wavesmoisture},
        {"HighCloudsCoverage", nullptr, &b.highcloudscoverage},
    };
    for (const Wz_key& k : keys)
        if (k.key == key) return &k;
    return nullptr;
}

/// `line` is the working line; the zone number is read from its own
/// columns 13 up to its first "]".
void weather_zone_header(Reader& r, std::string_view line) {
    const std::size_t rb = line.find(']');
    const std::string_view number =
        rb != std::string_view::npos && rb > 12 ? line.substr(12, rb - 12) : std::string_view();
    int32_t z = 0;
    const bool read = read_int(number, z);
    console_free(line, rb == std::string_view::npos ? 0 : static_cast<long long>(rb) + 1, number,
                 z, read ? 0 : 1);
    if (read) {
        if (in_range(z, maxwz)) {
            r.iwz = z;
            r.wz_refused = false;
        } else {
            out_of_range("weather zone", z, line);
            r.wz_refused = true;
        }
    }
    r.qweather = true;
    r.qtask = r.qplane = false;
    console_free("qweather", r.qweather, r.iwz);
}

void on_polygon(Reader& r, std::string_view rest, std::string_view val, std::string_view line) {
    std::string_view point_text, zone_text;
    const int32_t c = split_xy(rest, point_text, zone_text);
    if (c < 0) return;
    const Xy_slot slot{r.ipoint, maxwzpt, "polygon point",
                       r.iwz, r.wz_refused, maxwz, "weather zone"};
    if (!locate_xy(slot, point_text, zone_text, line)) return;
    float v = 0;
    if (read_real(val, v)) rd_fpl_1.wzp[c][r.ipoint][r.iwz] = v;
}

/// The weather keys; true when the key is one of them.
bool on_weather_key(Reader& r, std::string_view key, std::string_view val, std::string_view line) {
    Rd_fpl_wz2& b = rd_fpl_wz2;
    if (key == "RandomizeWeatherOnEachFlight") {
        b.randomizeweatheroneachflight = is_true(val);
        return true;
    }
    if (key == "WZCount") {
        int32_t n = 0;
        if (read_int(val, n)) {
            if (in_range(n, maxwz + 1)) b.wzcount = n;
            else out_of_range("weather-zone count", n, line);
        }
        return true;
    }
    if (key == "Name") {
        if (!zone_usable(r.wz_refused, "weather zone", line)) return true;
        rd_fpl_2.wznam[r.iwz] = fit(val, wznam_len);
        console_free("Name", r.iwz, rd_fpl_2.wznam[r.iwz]);
        return true;
    }
    if (key == "PointCount") {
        int32_t n = 0;
        if (!zone_usable(r.wz_refused, "weather zone", line) || !read_int(val, n)) return true;
        if (in_range(n, maxwzpt + 1)) b.pointcount[r.iwz] = n;
        else out_of_range("polygon-point count", n, line);
        return true;
    }
    if (starts_with(key, "Polygon")) {
        on_polygon(r, key.substr(7), val, line);
        return true;
    }
    if (const Wz_key* k = find_wz_key(key)) {
        if (!zone_usable(r.wz_refused, "weather zone", line)) return true;
        if (k->integer != nullptr) {
            int32_t v = 0;
            if (read_int(val, v)) (*k->integer)[r.iwz] = v;
            return true;
        }
        float v = 0;
        if (!read_real(val, v)) return true;
        if (k->conv == Wz_conv::kelvin) v = v + 273.15f;
        else if (k->conv == Wz_conv::whole) v = std::round(v);
        (*k->real)[r.iwz] = v;
        if (k->conv == Wz_conv::kelvin) console_free("ThermalsTemp", r.iwz, v);
        return true;
    }
    if (key == "Pressure") {
        float v = 0;
        if (read_real(val, v)) rd_fpl_4.pressure = v * 100.0f;
        return true;
    }
    return false;
}

/// The plane keys; true when the key is one of them.
bool on_plane_key(std::string_view key, std::string_view val) {
    float f = 0;
    int32_t n = 0;
    if (key == "Class") ggg001.glclass = fit(val, glider_len);
    else if (key == "Name") ggg001.glider = fit(val, glider_len);
    else if (key == "Skin") ggg001.glskin = fit(val, glider_len);
    else if (key == "Water") {
        if (!is_blank(val) && read_real(val, f)) gggmas.wmass = f;
    } else if (key == "FixedMass") {
        if (!is_blank(val) && read_real(val, f)) gggmas.fmass = f;
    } else if (key == "CGBias") {
        if (read_real(val, f)) ggg002.cgbias = f;
    } else if (key == "Seat") {
        if (read_int(val, n)) ggg002.glseat = n;
    } else if (key == "Bugwipers") ggg002.qbugwipers = is_true(val);
    else return false;
    return true;
}

// ---------------------------------------------------------------------------
// Game options

struct Option_key {
    std::string_view key;
    int32_t* integer = nullptr;
    float* real = nullptr;
    bool* flag = nullptr;
};

const Option_key* find_option_key(std::string_view key) {
    Rd_fpl_6& o = rd_fpl_6;
    static const Option_key keys[] = {
        {"StartTime", nullptr, &o.starttime},
        {"StartTimeWindow", nullptr, &o.starttimewindow},
        {"RaceStartDelay", nullptr, &o.racestartdelay},
        {"AATTime", nullptr, &o.aattime},
        {"IconsVisibleRange", &o.iconsvisiblerange},
        {"ThermalHelpersRange", &o.thermalhelpersrange},
        {"TurnpointHelpersRange", &o.turnpointhelpersrange},
        {"AAT", nullptr, nullptr, &o.qaat},
        {"AllowBugwipers", nullptr, nullptr, &o.allowbugwipers},
        {"AllowPDA", nullptr, nullptr, &o.allowpda},
        {"AllowRealtimeScoring", nullptr, nullptr, &o.allowrealtimescoring},
        {"AllowExternalView", nullptr, nullptr, &o.allowexternalview},
        {"AllowPadlockView", nullptr, nullptr, &o.allowpadlockview},
        {"AllowSmoke", nullptr, nullptr, &o.allowsmoke},
        {"AllowPlaneRecovery", nullptr, nullptr, &o.allowplanerecovery},
        {"AllowHeightRecovery", nullptr, nullptr, &o.allowheightrecovery},
        {"AllowMidairCollisionRecovery", nullptr, nullptr, &o.allowmidaircollisionrecovery},
        {"PenaltyCloudFlying", &o.penaltycloudflying},
        {"PenaltyPlaneRecovery", &o.penaltyplanerecovery},
        {"PenaltyHeightRecovery", &o.penaltyheightrecovery},
        {"PenaltyWrongWindowEnterance", &o.penaltywrongwindowenterance},
        {"PenaltyWindowCollision", &o.penaltywindowcollision},
        {"PenaltyAirspaceEnterance", &o.penaltyairspaceenterance},
        {"PenaltyPenaltyZoneEnterance", &o.penaltypenaltyzoneenterance},
        {"PenaltyThermalHelpers", &o.penaltythermalhelpers},
        {"MaxStartGroundSpeed", &o.maxstartgroundspeed},
        {"PenaltyStartSpeed", &o.penaltystartspeed},
        {"PenaltyHighStart", &o.penaltyhighstart},
        {"PenaltyLowFinish", &o.penaltylowfinish},
        {"RandSeed", &o.randseed},
        {"StartType", &o.starttype},
        {"StartHeight", &o.startheight},
        {"BreakProb", &o.breakprob},
        {"RopeLength", nullptr, &o.ropelength},
        {"MaxWingLoading", &o.maxwingloading},
        {"MaxTeams", &o.maxteams},
        {"AcroFlight", &o.acroflight},
    };
    for (const Option_key& k : keys)
        if (k.key == key) return &k;
    return nullptr;
}

/// The game-option keys; true when the key is one of them.
bool on_option_key(std::string_view key, std::string_view val) {
    if (key == "TaskDate") {
        int32_t d = 0;
        if (read_int(val, d)) {
            rd_fpl_6.taskdate = d;
            // Day 2 of the count is 1 January 1900.  A date far outside
            // any real task wraps as 32-bit arithmetic does.
            rd_fpl_4.jdate = static_cast<int32_t>(static_cast<uint32_t>(jd(1900, 1, 1)) +
                                                  static_cast<uint32_t>(d) - 2u);
            console_free("DATE", rd_fpl_6.taskdate, rd_fpl_4.jdate);
        }
        return true;
    }
    const Option_key* k = find_option_key(key);
    if (k == nullptr) return false;
    if (k->flag != nullptr) {
        *k->flag = is_true(val);
    } else if (k->integer != nullptr) {
        int32_t v = 0;
        if (read_int(val, v)) *k->integer = v;
    } else {
        float v = 0;
        if (read_real(val, v)) *k->real = v;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Description

/// Reads the description after its "Text" line: the lines that follow, up
/// to a blank line or the end of the input, each cut to the line limit.
/// They are taken raw, in an IGC file as in a plain plan: an "LCONFPL"
/// prefix stays in the text and a flight-information line does not end
/// the description.
void read_description(Fpl_input& input, std::string_view first, int32_t& ios) {
    Rd_fpl_2& t = rd_fpl_2;
    t.fpldesc[0] = fit(first, kv_len);
    int32_t count = 1;
    std::string line;
    for (;;) {
        ios = fpl_input_read_line(input, line, base_line_limit);
        console_free("IOS=", ios);
        if (ios != 0 || is_blank(line)) break;
        if (count >= maxfpldesc) {
            console_free("read_fpl: more than", maxfpldesc, "description lines, line ignored:", line);
            continue;
        }
        t.fpldesc[count] = fit(line, fpldesc_len);
        ++count;
    }
    rd_fpl_0.nb_fpldesc = count;
}

}  // namespace

void read_fpl(Fpl_input& input, bool qreset, bool qverb, bool qfr, int32_t& nl, int32_t& ios) {
    Reader r;
    r.qverb = qverb;
    r.qfr = qfr;
    r.entry_maxstartgroundspeed = rd_fpl_6.maxstartgroundspeed;
    r.entry_aattime = rd_fpl_6.aattime;
    r.entry_qaat = rd_fpl_6.qaat;

    rd_fpl_0.nb_as_zones = cmaxdisabledairspaceblockscount;
    if (qreset) {
        init_read_fpl();
        init_glider();
        init_wp();
    }
    rd_fpl_2.fpl_000 = fit(input.name, fpl_000_len);
    nl = 0;
    console_free("fpl_vers", rd_fpl_0.fpl_vers);

    std::string raw;
    for (;;) {
        // The line is read whole and then held to the limit; only the
        // disabled-airspace list is taken from the whole line, so that no
        // index of a long list is lost.
        ios = fpl_input_read_line(input, raw, std::max(r.limit, max_raw_line));
        if (ios != 0) break;
        const std::string line = raw.substr(0, std::min(raw.size(), r.limit));
        console_free(nl, line, r.limit);
        if (is_blank(line)) continue;
        const bool embedded = starts_with(line, fpl_prefix);
        std::string work;
        if (embedded) work = std::string(trim_right(std::string_view(line).substr(fpl_prefix.size())));
        else if (starts_with(line, info_prefix)) break;
        else work = std::string(trim_right(line));
        ++nl;

        std::string key, val;
        extract_key_val(work, key, val);
        key = fit(key, kv_len);
        val = fit(val, kv_len);
        console_free(nl, work, work.size());
        console_free(nl, key + " " + val);

        if (work == "[Plane]") {
            r.qplane = true;
            r.qtask = r.qweather = false;
        } else if (work == "[Version]") {
            r.qtask = r.qweather = r.qplane = false;
        } else if (work == "[Task]") {
            r.qtask = true;
            r.qweather = r.qplane = false;
        } else if (work == "[Weather]") {
            r.qweather = true;
            r.qtask = r.qplane = false;
            if (rd_fpl_0.fpl_vers == 2) {
                r.iwz = 0;
                r.wz_refused = false;
            }
            console_free("qweather", r.qweather, r.iwz);
        } else if (starts_with(key, "[WeatherZone")) {
            weather_zone_header(r, work);
        } else if (key == "Condor version") {
            on_version(r, val);
        } else if (key == "Landscape") {
            on_landscape(val);
        } else if (key == "Count" && r.qtask) {
            on_count(r, val, work);
        } else if (const auto tp = std::find_if(std::begin(tp_keys), std::end(tp_keys),
                                                [&](const Tp_key& k) { return starts_with(key, k.prefix); });
                   tp != std::end(tp_keys)) {
            store_tp(r, tp->kind, left_adjust(std::string_view(key).substr(tp->prefix.size())), val,
                     work);
        } else if (key == "PZCount") {
            on_pzcount(r, val, work);
        } else if (starts_with(key, "PZPos")) {
            on_pzpos(r, std::string_view(key).substr(5), val, work);
        } else if (starts_with(key, "PZBase")) {
            on_pza(r, 0, val, work);
        } else if (starts_with(key, "PZTop")) {
            on_pza(r, 1, val, work);
        } else if (starts_with(key, "PZPenaltyTimeFactor")) {
            on_pza(r, 2, val, work);
        } else if (key == "DisabledAirspaces") {
            const std::size_t eq = raw.find('=');
            on_disabled_airspaces(r, eq == std::string::npos ? raw : raw.substr(eq + 1));
        } else if (r.qweather && on_weather_key(r, key, val, work)) {
        } else if (r.qplane && on_plane_key(key, val)) {
        } else if (on_option_key(key, val)) {
        } else if (key == "Text") {
            read_description(input, val, ios);
            break;
        }
        rd_fpl_0.nwpmax = std::max(rd_fpl_0.nwpmax, r.itp);
        rd_fpl_0.npzmax = std::max(rd_fpl_0.npzmax, r.ipz);
    }

    fpl_input_close(input);
    if (qreset) {
        if (rd_fpl_0.fpl_vers == 2) {
            rd_fpl_wz2.wzcount = 1;
            rd_fpl_2.wznam[0] = "Base";
            rd_fpl_wz2.pointcount[0] = 0;
        }
        compute_dist();
    }
    console_free("IOS=", ios);
}
