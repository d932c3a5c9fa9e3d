// Version-3 flight-plan writer: the task model as ".fpl" lines, plain or
// prefixed "LCONFPL" as IGC L records.
#include "taskmodel/write_fpl_v3.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <string>

#include "support/console.h"
#include "support/text_line.h"
#include "support/ftext.h"
#include "support/number_fields.h"
#include "support/text_format.h"
#include "taskmodel/nearest_int.h"
#include "taskmodel/task_model.h"

namespace {

constexpr std::string_view real_form = "(F16.6)";
constexpr std::string_view rope_form = "(F12.2)";

struct Writer {
    std::FILE* out = nullptr;
    bool qigc = false;
    int32_t status = 0;

    void line(std::string_view text) {
        std::string l;
        if (qigc) {
            // An L record stays one record of the IGC file, whatever bytes
            // a name brought along from the track.
            l = "LCONFPL";
            l += blank_control_chars(text);
        } else {
            l = text;
        }
        if (!write_text_line(out, l) && status == 0) status = errno > 0 ? errno : EIO;
    }
    /// The one-blank line before a section, in the plain text only.
    void sep() {
        if (!qigc) line(" ");
    }
    void key(std::string_view k, std::string_view v) {
        std::string l(k);
        l += '=';
        l += v;
        line(l);
    }
};

std::string real(float v) { return f2b(v, real_form); }
std::string integer(int32_t v) { return i2b(v); }
std::string logical(bool v) { return i2b(log2int(v)); }
std::string text(std::string_view s) { return std::string(trim_right(s)); }

/// The task-point index (and the point count): a two-column integer field,
/// left-adjusted.
std::string tp_index(int32_t n) { return std::string(left_adjust(int_field(n, 2))); }

void write_task_points(Writer& w, int32_t nb_wp) {
    const Rd_fpl_1& g = rd_fpl_1;
    for (int32_t i = 0; i < nb_wp; ++i) {
        const std::string n = tp_index(i);
        console_free("TP", i, g.tpwid[i]);
        w.key("TPName" + n, text(rd_fpl_2.tpnam[i]));
        w.key("TPPosX" + n, real(g.tpx[i]));
        w.key("TPPosY" + n, real(g.tpy[i]));
        w.key("TPPosZ" + n, real(g.tpz[i]));
        w.key("TPAirport" + n, integer(g.tpair[i]));
        w.key("TPSectorType" + n, integer(g.tpsec[i]));
        w.key("TPSectorDirection" + n, integer(g.tpsecdir[i]));
        w.key("TPRadius" + n, integer(g.tprad[i]));
        w.key("TPAngle" + n, integer(g.tpang[i]));
        w.key("TPAltitude" + n, real(g.tpalt[i]));
        w.key("TPWidth" + n, real(g.tpwid[i]));
        w.key("TPHeight" + n, real(g.tphei[i]));
        w.key("TPAzimuth" + n, real(g.tpazi[i]));
    }
}

void write_penalty_zones(Writer& w, int32_t nb_pz) {
    const Rd_fpl_1& g = rd_fpl_1;
    w.key("PZCount", integer(nb_pz));
    for (int32_t z = 0; z < nb_pz; ++z) {
        const std::string zt = i2b(z);
        for (int32_t k = 0; k <= maxpzcorner; ++k) {
            const std::string kt = i2b(k);
            w.key("PZPos" + kt + "X" + zt, real(g.pzp[0][k][z]));
            w.key("PZPos" + kt + "Y" + zt, real(g.pzp[1][k][z]));
        }
        w.key("PZBase" + zt, integer(nint(g.pza[0][z])));
        w.key("PZTop" + zt, integer(nint(g.pza[1][z])));
        w.key("PZPenaltyTimeFactor" + zt, integer(nint(g.pza[2][z])));
    }
}

void write_disabled_airspaces(Writer& w) {
    const int32_t last = std::min(rd_fpl_0.last_dis_as, cmaxdisabledairspaceblockscount);
    console_free("Airspace zones : ", rd_fpl_0.nb_as_zones, rd_fpl_0.last_dis_as);
    std::string list;
    for (int32_t i = 0; i <= last; ++i) {
        if (!rd_fpl_5.qas_disa[i]) continue;
        list += i2b(i);
        if (i < last) list += ',';
    }
    w.key("DisabledAirspaces", list);
}

void write_weather_zone(Writer& w, int32_t z) {
    const Rd_fpl_wz1& a = rd_fpl_wz1;
    const Rd_fpl_wz2& b = rd_fpl_wz2;
    w.sep();
    w.line("[WeatherZone" + i2b(z) + "]");
    w.key("Name", text(rd_fpl_2.wznam[z]));
    const int32_t points = std::clamp(b.pointcount[z], 0, maxwzpt + 1);
    w.key("PointCount", integer(points));
    for (int32_t p = 0; p < points; ++p) {
        const std::string pt = i2b(p);
        w.key("Polygon" + pt + "X", real(rd_fpl_1.wzp[0][p][z]));
        w.key("Polygon" + pt + "Y", real(rd_fpl_1.wzp[1][p][z]));
    }
    // The three motion values go out in the order in which the version-3
    // track stores them, not each under its namesake key.
    w.key("MoveDir", real(a.movespeed[z]));
    w.key("MoveSpeed", real(a.borderwidth[z]));
    w.key("BorderWidth", real(a.movedir[z]));
    w.key("WindDir", real(a.winddir[z]));
    w.key("WindSpeed", real(a.windspeed[z]));
    w.key("WindUpperSpeed", real(a.windupperspeed[z]));
    w.key("WindDirVariation", integer(b.winddirvariation[z]));
    w.key("WindSpeedVariation", integer(b.windspeedvariation[z]));
    w.key("WindTurbulence", integer(b.windturbulence[z]));
    w.key("ThermalsTemp", real(a.thermalstemp[z] - 273.15f));
    w.key("ThermalsTempVariation", integer(b.thermalstempvariation[z]));
    w.key("ThermalsDew", real(a.thermalsdew[z]));
    w.key("ThermalsStrength", integer(b.thermalsstrength[z]));
    w.key("ThermalsStrengthVariation", integer(b.thermalsstrengthvariation[z]));
    w.key("ThermalsInversionheight", real(a.thermalsinversionheight[z]));
    w.key("ThermalsOverdevelopment", real(b.thermalsoverdevelopment[z]));
    w.key("ThermalsWidth", integer(b.thermalswidth[z]));
    w.key("ThermalsWidthVariation", integer(b.thermalswidthvariation[z]));
    w.key("ThermalsActivity", integer(b.thermalsactivity[z]));
    w.key("ThermalsActivityVariation", integer(b.thermalsactivityvariation[z]));
    w.key("ThermalsTurbulence", integer(b.thermalsturbulence[z]));
    w.key("ThermalsFlatsActivity", integer(b.thermalsflatsactivity[z]));
    w.key("ThermalsStreeting", integer(b.thermalsstreeting[z]));
    w.key("ThermalsBugs", integer(b.thermalsbugs[z]));
    w.key("WavesStability", integer(b.wavesstability[z]));
    w.key("WavesMoisture", integer(b.wavesmoisture[z]));
    w.key("HighCloudsCoverage", integer(b.highcloudscoverage[z]));
}

void write_plane(Writer& w) {
    w.sep();
    w.line("[Plane]");
    w.key("Class", text(ggg001.glclass));
    w.key("Name", text(ggg001.glider));
    w.key("Skin", text(ggg001.glskin));
    w.key("Water", real(gggmas.wmass));
    w.key("FixedMass", real(gggmas.fmass));
    w.key("CGBias", real(ggg002.cgbias));
    w.key("Seat", integer(ggg002.glseat));
    w.key("Bugwipers", logical(ggg002.qbugwipers));
}

void write_game_options(Writer& w) {
    const Rd_fpl_6& o = rd_fpl_6;
    w.sep();
    w.line("[GameOptions]");
    w.key("TaskDate", integer(o.taskdate));
    w.key("StartTime", real(o.starttime));
    w.key("StartTimeWindow", real(o.starttimewindow));
    w.key("RaceStartDelay", real(o.racestartdelay));
    w.key("AATTime", real(o.aattime));
    w.key("IconsVisibleRange", integer(o.iconsvisiblerange));
    w.key("ThermalHelpersRange", integer(o.thermalhelpersrange));
    w.key("TurnpointHelpersRange", integer(o.turnpointhelpersrange));
    w.key("AAT", logical(o.qaat));
    w.key("AllowBugwipers", logical(o.allowbugwipers));
    w.key("AllowPDA", logical(o.allowpda));
    w.key("AllowRealtimeScoring", logical(o.allowrealtimescoring));
    w.key("AllowExternalView", logical(o.allowexternalview));
    w.key("AllowPadlockView", logical(o.allowpadlockview));
    w.key("AllowSmoke", logical(o.allowsmoke));
    w.key("AllowPlaneRecovery", logical(o.allowplanerecovery));
    w.key("AllowHeightRecovery", logical(o.allowheightrecovery));
    w.key("AllowMidairCollisionRecovery", logical(o.allowmidaircollisionrecovery));
    w.key("PenaltyCloudFlying", integer(o.penaltycloudflying));
    w.key("PenaltyPlaneRecovery", integer(o.penaltyplanerecovery));
    w.key("PenaltyHeightRecovery", integer(o.penaltyheightrecovery));
    w.key("PenaltyWrongWindowEnterance", integer(o.penaltywrongwindowenterance));
    w.key("PenaltyWindowCollision", integer(o.penaltywindowcollision));
    w.key("PenaltyAirspaceEnterance", integer(o.penaltyairspaceenterance));
    w.key("PenaltyPenaltyZoneEnterance", integer(o.penaltypenaltyzoneenterance));
    w.key("PenaltyThermalHelpers", integer(o.penaltythermalhelpers));
    w.key("MaxStartGroundSpeed", integer(o.maxstartgroundspeed));
    w.key("PenaltyStartSpeed", integer(o.penaltystartspeed));
    w.key("PenaltyHighStart", integer(o.penaltyhighstart));
    w.key("PenaltyLowFinish", integer(o.penaltylowfinish));
    w.key("RandSeed", integer(o.randseed));
    w.key("StartType", integer(o.starttype));
    w.key("StartHeight", integer(o.startheight));
    w.key("BreakProb", integer(o.breakprob));
    w.key("RopeLength", f2b(o.ropelength, rope_form));
    w.key("MaxWingLoading", integer(o.maxwingloading));
    w.key("MaxTeams", integer(o.maxteams));
    w.key("AcroFlight", integer(o.acroflight));
}

void write_description(Writer& w) {
    w.sep();
    w.line("[Description]");
    w.key("Text", text(rd_fpl_2.fpldesc[0]));
    const int32_t lines = std::min(rd_fpl_0.nb_fpldesc, maxfpldesc);
    for (int32_t i = 1; i < lines; ++i) w.line(text(rd_fpl_2.fpldesc[i]));
}

}  // namespace

void write_fpl_v3(std::FILE* out, int32_t& iost, bool qigc, std::string_view new_landscape) {
    Writer w;
    w.out = out;
    w.qigc = qigc;
    console_free("write_fpl_v3 unit", out != nullptr ? fileno(out) : -1, "LCONFPL", qigc);
    console_free("Landscape", trim_right(new_landscape));
    console_free("line layouts: key=value,", qigc ? "LCONFPL prefix" : "plain with separator lines");
    if (out == nullptr) {
        iost = std::max(iost, static_cast<int32_t>(EBADF));
        return;
    }

    // Counts are held to the tables, so that a model filled past its limits
    // is never read outside them; the count written is the one used.
    const int32_t nb_wp = std::clamp(rd_fpl_0.nb_wp, 0, maxtp + 1);
    const int32_t nb_pz = std::clamp(rd_fpl_0.nb_pz, 0, maxpz + 1);
    const int32_t wzcount = std::clamp(rd_fpl_wz2.wzcount, 0, maxwz + 1);

    w.line("[Version]");
    w.line("Condor version=3000");
    w.sep();
    w.line("[Task]");
    w.key("Landscape", text(new_landscape));
    w.key("Count", tp_index(nb_wp));
    write_task_points(w, nb_wp);
    write_penalty_zones(w, nb_pz);
    write_disabled_airspaces(w);
    w.sep();
    w.line("[Weather]");
    w.key("RandomizeWeatherOnEachFlight", logical(rd_fpl_wz2.randomizeweatheroneachflight));
    w.key("WZCount", integer(wzcount));
    console_free("WZCount", rd_fpl_wz2.wzcount);
    for (int32_t z = 0; z < wzcount; ++z) write_weather_zone(w, z);
    write_plane(w);
    write_game_options(w);
    write_description(w);

    // The lines may still sit in the stream's buffer: a failure to write
    // them out shows only here.
    if ((std::fflush(out) != 0 || std::ferror(out)) && w.status == 0) w.status = errno > 0 ? errno : EIO;
    iost = std::max(iost, w.status);
}
