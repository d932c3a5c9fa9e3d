// The IGC L records: version-2 flight plan, flight information, scheme.
#include "tracks/igc_lrecords.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "support/console.h"
#include "support/ftext.h"
#include "support/text_format.h"
#include "taskmodel/nearest_int.h"

namespace {

constexpr std::string_view fpl_prefix = "LCONFPL";
constexpr std::string_view info_prefix = "LCONFlightInfo";
constexpr std::string_view scheme_prefix = "LCONFBREMALO";

// Where the version-2 header keeps the values of the flight plan.
constexpr std::size_t off_version = 3;
constexpr std::size_t off_nb_pz = 1111;
constexpr std::size_t off_pz = 1115;
constexpr std::size_t pz_size = 60;
constexpr std::size_t pz_corner_size = 12;
constexpr std::size_t pz_base = 48;
constexpr std::size_t pz_top = 52;
constexpr std::size_t pz_factor = 56;
constexpr std::size_t off_thermalsdew = 1663;
constexpr std::size_t off_inversion = 1675;
constexpr std::size_t off_randomize = 1723;
constexpr std::size_t off_icgbias = 1803;

/// How a header field is read and written.
enum class Form { real6, integer, byte, rounded };

struct Field {
    std::string_view key;
    Form form;
    std::size_t offset;
};

constexpr Field weather_fields[] = {
    {"WindDir", Form::real6, 1631},
    {"WindSpeed", Form::real6, 1635},
    {"WindUpperSpeed", Form::real6, 1639},
    {"WindDirVariation", Form::integer, 1643},
    {"WindSpeedVariation", Form::integer, 1647},
    {"WindTurbulence", Form::integer, 1651},
    {"ThermalsTemp", Form::real6, 1655},
    {"ThermalsTempVariation", Form::integer, 1659},
    {"ThermalsDew", Form::real6, off_thermalsdew},
    {"ThermalsStrength", Form::integer, 1667},
    {"ThermalsStrengthVariation", Form::integer, 1671},
    {"ThermalsInversionheight", Form::real6, off_inversion},
    {"ThermalsWidth", Form::integer, 1679},
    {"ThermalsWidthVariation", Form::integer, 1683},
    {"ThermalsActivity", Form::integer, 1687},
    {"ThermalsTurbulence", Form::integer, 1691},
    {"ThermalsFlatsActivity", Form::integer, 1695},
    {"ThermalsStreeting", Form::integer, 1699},
    {"HighCloudsCoverage", Form::integer, 1711},
    {"WavesStability", Form::integer, 1703},
    {"WavesMoisture", Form::integer, 1707},
    {"Pressure", Form::real6, 1715},
    {"WeatherPreset", Form::integer, 1719},
    {"RandomizeWeatherOnEachFlight", Form::integer, off_randomize},
};

/// The game options after "TaskDate=" (which comes from the track state).
constexpr Field game_fields[] = {
    {"IconsVisibleRange", Form::integer, 35},
    {"ThermalHelpersRange", Form::integer, 39},
    {"TurnpointHelpersRange", Form::integer, 43},
    {"AllowPDA", Form::byte, 47},
    {"AllowRealtimeScoring", Form::byte, 48},
    {"AllowExternalView", Form::byte, 49},
    {"AllowPadlockView", Form::byte, 50},
    {"AllowSmoke", Form::byte, 51},
    {"AllowPlaneRecovery", Form::byte, 52},
    {"AllowHeightRecovery", Form::byte, 53},
    {"AllowMidairCollisionRecovery", Form::byte, 54},
    {"PenaltyCloudFlying", Form::integer, 55},
    {"PenaltyPlaneRecovery", Form::integer, 59},
    {"PenaltyHeightRecovery", Form::integer, 63},
    {"PenaltyWrongWindowEnterance", Form::integer, 67},
    {"PenaltyWindowCollision", Form::integer, 71},
    {"PenaltyPenaltyZoneEnterance", Form::integer, 75},
    {"PenaltyThermalHelpers", Form::integer, 79},
    {"RandSeed", Form::integer, 83},
    {"StartType", Form::integer, 87},
    {"StartHeight", Form::integer, 91},
    {"BreakProb", Form::integer, 95},
    {"RopeLength", Form::rounded, 99},
    {"AcroFlight", Form::integer, 119},
};

std::string real6(float v) { return f2b(v, "(F16.6)"); }
std::string rounded(float v) { return i2b(nint(v)); }

std::string field_value(const LeFields& h, const Field& f) {
    switch (f.form) {
        case Form::real6: return real6(h.f32(f.offset));
        case Form::integer: return i2b(h.i32(f.offset));
        case Form::byte: return i2b(h.i8(f.offset));
        case Form::rounded: return rounded(h.f32(f.offset));
    }
    return {};
}

/// Collects prefixed lines.
struct Lines {
    std::string_view prefix;
    std::vector<std::string> out;

    void line(std::string_view text) {
        std::string l(prefix);
        l += text;
        out.push_back(std::move(l));
    }
    void key(std::string_view k, std::string_view v) {
        std::string l(prefix);
        l += k;
        l += '=';
        l += v;
        out.push_back(std::move(l));
    }
};

int32_t task_points(const Rd_ftr_2& state) { return std::clamp<int32_t>(state.nwp, 0, maxtp + 1); }

int32_t penalty_zones(const LeFields& h) { return std::clamp<int32_t>(h.i32(off_nb_pz), 0, igc_v2_max_pz); }

std::size_t pz_offset(int32_t z) { return off_pz + pz_size * static_cast<std::size_t>(z); }

void task_point_lines(Lines& w, int32_t i, const Rd_fpl_1& g, const Rd_fpl_2& t) {
    const std::string n = i2b(i);
    const std::size_t k = static_cast<std::size_t>(i);
    w.key("TPName" + n, pad_right(t.tpnam[k], tpnam_len));
    w.key("TPPosX" + n, real6(g.tpx[k]));
    w.key("TPPosY" + n, real6(g.tpy[k]));
    w.key("TPPosZ" + n, rounded(g.tpz[k]));
    w.key("TPAirport" + n, i2b(g.tpair[k]));
    w.key("TPSectorType" + n, i2b(g.tpsec[k]));
    w.key("TPRadius" + n, i2b(g.tprad[k]));
    w.key("TPAngle" + n, i2b(g.tpang[k]));
    w.key("TPAltitude" + n, rounded(g.tpalt[k]));
    w.key("TPWidth" + n, rounded(g.tpwid[k]));
    w.key("TPHeight" + n, rounded(g.tphei[k]));
    w.key("TPAzimuth" + n, rounded(g.tpazi[k]));
}

void penalty_zone_lines(Lines& w, const LeFields& h, int32_t z) {
    const std::string zs = i2b(z);
    const std::size_t rec = pz_offset(z);
    for (int32_t c = 0; c <= maxpzcorner; ++c) {
        const std::size_t corner = rec + pz_corner_size * static_cast<std::size_t>(c);
        const std::string cs = i2b(c);
        w.key("PZPos" + cs + "X" + zs, real6(h.f32(corner)));
        w.key("PZPos" + cs + "Y" + zs, real6(h.f32(corner + 4)));
    }
    w.key("PZBase" + zs, rounded(h.f32(rec + pz_base)));
    w.key("PZTop" + zs, rounded(h.f32(rec + pz_top)));
    w.key("PZPenaltyTimeFactor" + zs, rounded(h.f32(rec + pz_factor)));
}

/// The diagnostic lines of the flight plan: byte position (1-based) and
/// float32 value of each penalty-zone value written, of the dew point and
/// the inversion height, then the position of the randomising flag.
void fpl_v2_debug_lines(const LeFields& h) {
    const int32_t nb_pz = penalty_zones(h);
    auto show = [&](std::size_t off) { console_free(static_cast<long long>(off) + 1, h.f32(off)); };
    for (int32_t z = 0; z < nb_pz; ++z) {
        const std::size_t rec = pz_offset(z);
        for (std::size_t c = 0; c <= static_cast<std::size_t>(maxpzcorner); ++c) {
            show(rec + pz_corner_size * c);
            show(rec + pz_corner_size * c + 4);
        }
        show(rec + pz_base);
        show(rec + pz_top);
        show(rec + pz_factor);
    }
    show(off_thermalsdew);
    show(off_inversion);
    console_free(static_cast<long long>(off_randomize) + 1);
}

}  // namespace

const std::string& player_status_name(int32_t code) {
    static const std::array<std::string, 11> names{"??????", "Warmup",   "Racing", "Landed",
                                                   "Crashed", "Finished", "??????", "??????",
                                                   "??????", "??????",   "??????"};
    if (code < 1 || code > 10) return names[0];
    return names[static_cast<std::size_t>(code)];
}

std::vector<std::string> igc_fpl_v2_lines(LeBytes hdr, const Rd_ftr_2& state, const Rd_ftr_c& id,
                                          const Rd_fpl_1& geo, const Rd_fpl_2& texts, const Ggg001& glider,
                                          const Gggmas& masses) {
    const LeFields h{hdr};
    Lines w{fpl_prefix, {}};
    w.line("[Version]");
    w.key("Condor version", i2b(h.i32(off_version)));
    w.line("[Task]");
    w.key("Landscape", trim_right(texts.landscape));
    const int32_t nwp = task_points(state);
    w.key("Count", i2b(nwp));
    for (int32_t i = 0; i < nwp; ++i) task_point_lines(w, i, geo, texts);
    const int32_t nb_pz = penalty_zones(h);
    w.key("PZCount", i2b(nb_pz));
    for (int32_t z = 0; z < nb_pz; ++z) penalty_zone_lines(w, h, z);
    w.line("[Weather]");
    for (const Field& f : weather_fields) w.key(f.key, field_value(h, f));
    w.line("[Plane]");
    w.key("Class", trim_right(id.compclass));
    w.key("Name", trim_right(glider.glider));
    w.key("Water", rounded(masses.wmass));
    w.key("FixedMass", rounded(masses.fmass));
    w.key("CGBias", i2b(h.i32(off_icgbias)));
    w.line("[GameOptions]");
    w.key("StartTime", real6(h.f32(7)));
    w.key("StartTimeWindow", real6(h.f32(19)));
    w.key("RaceStartDelay", real6(h.f32(15)));
    w.key("TaskDate", i2b(state.nndate));
    for (const Field& f : game_fields) w.key(f.key, field_value(h, f));
    return std::move(w.out);
}

std::vector<std::string> igc_flight_info_lines(LeBytes trl) {
    const LeFields t{trl};
    Lines w{info_prefix, {}};
    w.key("RaceID", i2b(t.i32(0)));
    w.key("StartTime", t2b(t.f32(4)));
    w.key("FlightTime", t2b(t.f32(8)));
    w.key("TaskStart", t2b(t.f32(12)));
    w.key("TaskTime", t2b(t.f32(16)));
    w.key("PlayerStatus", fit(player_status_name(t.i32(20)), 20));
    w.key("DistanceFlown", f2b(t.f32(24) / 1000.0f, "(F16.2)") + " km");
    w.key("AverageSpeed", f2b(t.f32(28) / 1000.0f, "(F16.2)") + " km/h");
    w.key("PenaltyPoints", f2b(t.f32(32), "(F16.1)"));
    w.key("GhostCount", i2b(t.i32(36)));
    return std::move(w.out);
}

std::string igc_interpolation_line(int32_t ndeg_int, const Rd_ftr_h& raw) {
    const int32_t code = std::clamp(ndeg_int, schem_first, schem_last);
    std::string l(scheme_prefix);
    l += "Interpolation=";
    l += pad_right(raw.schem[static_cast<std::size_t>(code - schem_first)], schem_len);
    return l;
}

void write_igc_fpl(Igc_output& out, bool qtrailonly) {
    const Rd_ftr_h& raw = rd_ftr_h;
    if (!qtrailonly) {
        const LeBytes hdr(raw.hdr.data(), raw.hdr.size());
        if (rd_ftr_2.qdbg) fpl_v2_debug_lines(LeFields{hdr});
        for (const std::string& l : igc_fpl_v2_lines(hdr, rd_ftr_2, rd_ftr_c, rd_fpl_1, rd_fpl_2, ggg001, gggmas))
            igc_put_line(out, l);
    }
    for (const std::string& l : igc_flight_info_lines(LeBytes(raw.trl.data(), raw.trl.size())))
        igc_put_line(out, l);
    igc_put_line(out, igc_interpolation_line(rd_ftr_2.ndeg_int, raw));
}
