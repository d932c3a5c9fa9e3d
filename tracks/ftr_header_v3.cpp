// The version-3 track header (simulator versions 3000 to 3999): a sequential
// header of 21679 bytes, read here field by field at its fixed offsets.

#include <algorithm>
#include <cstdint>
#include <string>

#include "support/ftext.h"
#include "taskmodel/task_model.h"
#include "tracks/ftr_echo.h"
#include "tracks/ftr_file.h"
#include "tracks/ftr_header.h"
#include "tracks/track_records.h"

namespace {

/// Field readers on the open track; the caller has checked that the whole
/// header is there, so a failing read (which leaves 0) cannot happen.
struct V3 : LeFields {
    V3() : LeFields{ftr_view()} {}
    bool flag(std::size_t o) const { return i8(o) != 0; }
    /// The text of a field whose signed length byte is at `o` and whose area
    /// of `width` bytes follows: a negative length is empty, a length above
    /// the width takes the whole area.
    std::string text(std::size_t o, std::size_t width) const {
        int32_t len = i8(o);
        std::size_t n = len < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(len), width);
        std::string s;
        b.bytes(o + 1, n, s);
        return s;
    }
    /// Echo of a text: the text, its length byte and the codes of its whole
    /// area.
    void echo_codes(const char* label, std::size_t o, std::size_t width) const {
        ftr_echo e;
        e << label << ftr_printable(text(o, width)) << i8(o);
        for (std::size_t k = 0; k < width; ++k) e << static_cast<int>(b.data()[o + 1 + k]);
        e.put();
    }
    /// Echo of a text: its length byte and its area as characters.
    void echo_area(const char* label, std::size_t o, std::size_t width) const {
        ftr_echo e;
        e << label << i8(o) << ftr_printable(b.data() + o + 1, width);
        e.put();
    }
};

void read_task_point(const V3& r, int n) {
    const std::size_t p = 247 + 84 * static_cast<std::size_t>(n);
    auto& t = rd_fpl_1;
    console_line("");
    console_free(n);
    rd_fpl_2.tpnam[n] = fit(r.text(p, 16), tpnam_len);
    t.tpx[n] = r.f32(p + 17);
    t.tpy[n] = r.f32(p + 21);
    t.tpz[n] = r.f32(p + 25);
    t.tpsec[n] = r.i8(p + 41);
    t.tpsecdir[n] = r.i16(p + 42);
    t.tprad[n] = r.i32(p + 44);
    t.tpang[n] = r.i32(p + 48);
    t.tpalt[n] = r.f32(p + 52);
    t.tpwid[n] = r.f32(p + 56);
    t.tphei[n] = r.f32(p + 60);
    t.tpazi[n] = r.f32(p + 64);
    t.tpair[n] = r.i8(p + 68);
    ftr_echo e;
    e << rd_fpl_2.tpnam[n] << t.tpx[n] << t.tpy[n] << t.tpz[n] << r.f32(p + 29) << r.f32(p + 33) << r.f32(p + 37);
    e.put();
    e << t.tpsec[n] << t.tpsecdir[n] << t.tprad[n] << t.tpang[n] << t.tpalt[n] << t.tpwid[n] << t.tphei[n]
      << t.tpazi[n] << t.tpair[n] << r.f32(p + 69) << r.f32(p + 73) << r.f32(p + 77);
    e.put();
}

void read_penalty_zone(const V3& r, int z) {
    const std::size_t p = 1595 + 60 * static_cast<std::size_t>(z);
    console_line("");
    console_free(z);
    ftr_echo e;
    for (int k = 0; k < 4; ++k) {
        rd_fpl_1.pzp[0][k][z] = r.f32(p + 12 * k);
        rd_fpl_1.pzp[1][k][z] = r.f32(p + 12 * k + 4);
        e << rd_fpl_1.pzp[0][k][z] << rd_fpl_1.pzp[1][k][z];
    }
    for (int i = 0; i < 3; ++i) {
        rd_fpl_1.pza[i][z] = r.f32(p + 48 + 4 * i);
        e << rd_fpl_1.pza[i][z];
    }
    e.put();
}

void read_weather_zone(const V3& r, int z) {
    const std::size_t p = 18503 + 340 * static_cast<std::size_t>(z);
    auto& w1 = rd_fpl_wz1;
    auto& w2 = rd_fpl_wz2;
    console_line("");
    console_free(z);
    rd_fpl_2.wznam[z] = fit(r.text(p, 24), wznam_len);
    w2.pointcount[z] = ftr_clamp_count(r.i32(p + 28), maxwzpt + 1, "Weather-zone point count");
    ftr_echo e;
    e << rd_fpl_2.wznam[z] << w2.pointcount[z];
    e.put();
    for (int k = 0; k < 16; ++k) {
        rd_fpl_1.wzp[0][k][z] = r.f32(p + 32 + 12 * k);
        rd_fpl_1.wzp[1][k][z] = r.f32(p + 36 + 12 * k);
        e << rd_fpl_1.wzp[0][k][z] << rd_fpl_1.wzp[1][k][z];
    }
    e.put();
    w1.movespeed[z] = r.f32(p + 224);
    w1.borderwidth[z] = r.f32(p + 228);
    w1.movedir[z] = r.f32(p + 232);
    w1.winddir[z] = r.f32(p + 236);
    w1.windspeed[z] = r.f32(p + 240);
    w1.windupperspeed[z] = r.f32(p + 244);
    w2.winddirvariation[z] = r.i32(p + 248);
    w2.windspeedvariation[z] = r.i32(p + 252);
    w2.windturbulence[z] = r.i32(p + 256);
    // The file holds degrees Celsius; the task model holds kelvin.
    w1.thermalstemp[z] = r.f32(p + 260) + 273.15f;
    w2.thermalstempvariation[z] = r.i32(p + 264);
    w1.thermalsdew[z] = r.f32(p + 268);
    w2.thermalsstrength[z] = r.i32(p + 272);
    w2.thermalsstrengthvariation[z] = r.i32(p + 276);
    w1.thermalsinversionheight[z] = r.f32(p + 280);
    w2.thermalsoverdevelopment[z] = r.f32(p + 284);
    w2.thermalswidth[z] = r.i32(p + 288);
    w2.thermalswidthvariation[z] = r.i32(p + 292);
    w2.thermalsactivity[z] = r.i32(p + 296);
    w2.thermalsactivityvariation[z] = r.i32(p + 300);
    w2.thermalsturbulence[z] = r.i32(p + 304);
    w2.thermalsflatsactivity[z] = r.i32(p + 308);
    w2.thermalsstreeting[z] = r.i32(p + 312);
    w2.thermalsbugs[z] = r.i32(p + 316);
    w2.wavesstability[z] = r.i32(p + 320);
    w2.wavesmoisture[z] = r.i32(p + 324);
    w2.highcloudscoverage[z] = r.i32(p + 328);
    e << w1.movespeed[z] << w1.borderwidth[z] << w1.movedir[z] << w1.winddir[z] << w1.windspeed[z]
      << w1.windupperspeed[z] << w2.winddirvariation[z] << w2.windspeedvariation[z] << w2.windturbulence[z];
    e.put();
    e << w1.thermalstemp[z] << w2.thermalstempvariation[z] << w1.thermalsdew[z] << w2.thermalsstrength[z]
      << w2.thermalsstrengthvariation[z] << w1.thermalsinversionheight[z] << w2.thermalsoverdevelopment[z]
      << w2.thermalswidth[z] << w2.thermalswidthvariation[z] << w2.thermalsactivity[z]
      << w2.thermalsactivityvariation[z];
    e.put();
    e << w2.thermalsturbulence[z] << w2.thermalsflatsactivity[z] << w2.thermalsstreeting[z] << w2.thermalsbugs[z]
      << w2.wavesstability[z] << w2.wavesmoisture[z] << w2.highcloudscoverage[z] << r.i8(p + 332)
      << r.f32(p + 333);
    e.put();
}

void read_disabled_airspaces(const V3& r) {
    const int32_t announced = r.i32(2075);
    console_free("iDisabledAirspaceBlocksCount", announced);
    const int32_t n = ftr_clamp_count(announced, cmaxdisabledairspaceblockscount, "Disabled airspace count");
    rd_fpl_5.qas_disa.fill(false);
    rd_fpl_0.last_dis_as = -1;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t v = r.i16(2079 + 2 * static_cast<std::size_t>(i));
        console_free(i, v);
        if (v < 0 || v > cmaxdisabledairspaceblockscount) {
            console_free("Disabled airspace", v, "outside 0 to", cmaxdisabledairspaceblockscount, ", skipped");
            continue;
        }
        rd_fpl_5.qas_disa[static_cast<std::size_t>(v)] = true;
        rd_fpl_0.last_dis_as = std::max(rd_fpl_0.last_dis_as, v);
    }
    console_free("last_dis_AS", rd_fpl_0.last_dis_as);
}

}  // namespace

void read_ftr_hdr_c3(int32_t& npts) {
    init_wp();
    if (ftr_file.bytes.size() < ftr_v3_first_fix) {
        ftr_header_truncated(npts);
        return;
    }
    const V3 r;
    auto& g = rd_fpl_6;
    std::string magic;
    r.b.bytes(0, 3, magic);
    console_free(magic);

    // Version, start times, date, AAT time, helper ranges.
    rd_fpl_0.fpl_vers = r.i32(3);
    g.starttime = r.f32(7);
    g.racestartdelay = r.f32(15);
    g.starttimewindow = r.f32(19);
    const int32_t date_word = r.i32(31);
    g.taskdate = ftr_day_count(date_word);
    rd_ftr_c.c_date = ftr_c_date(g.taskdate);
    g.aattime = r.f32(35);
    g.iconsvisiblerange = r.i32(39);
    g.thermalhelpersrange = r.i32(43);
    g.turnpointhelpersrange = r.i32(47);
    {
        ftr_echo e;
        e << rd_fpl_0.fpl_vers << g.starttime << r.f32(11) << g.racestartdelay << g.starttimewindow << r.i32(23)
          << r.f32(27) << date_word << g.taskdate << rd_ftr_c.c_date << g.aattime << g.iconsvisiblerange
          << g.thermalhelpersrange << g.turnpointhelpersrange;
        e.put();
    }

    // The ten flags.
    g.qaat = r.flag(51);
    g.allowbugwipers = r.flag(52);
    g.allowpda = r.flag(53);
    g.allowrealtimescoring = r.flag(54);
    g.allowexternalview = r.flag(55);
    g.allowpadlockview = r.flag(56);
    g.allowsmoke = r.flag(57);
    g.allowplanerecovery = r.flag(58);
    g.allowheightrecovery = r.flag(59);
    g.allowmidaircollisionrecovery = r.flag(60);
    {
        ftr_echo e;
        for (int i = 0; i < 10; ++i) e << r.i8(51 + i);
        e.put();
    }

    // Penalties, start settings, rope, wing loading, teams, acro flight.
    g.penaltycloudflying = r.i32(63);
    g.penaltyplanerecovery = r.i32(67);
    g.penaltyheightrecovery = r.i32(71);
    g.penaltywrongwindowenterance = r.i32(75);
    g.penaltywindowcollision = r.i32(79);
    g.penaltyairspaceenterance = r.i32(83);
    g.penaltypenaltyzoneenterance = r.i32(87);
    g.penaltythermalhelpers = r.i32(91);
    g.maxstartgroundspeed = r.i32(95);
    g.penaltystartspeed = r.i32(99);
    g.penaltyhighstart = r.i32(103);
    g.penaltylowfinish = r.i32(107);
    g.randseed = r.i32(111);
    g.starttype = r.i32(115);
    g.startheight = r.i32(119);
    g.breakprob = r.i32(123);
    g.ropelength = r.f32(127);
    g.maxwingloading = r.i32(131);
    g.maxteams = r.i32(143);
    g.team = r.i32(147);
    g.acroflight = r.i8(151);
    {
        ftr_echo e;
        for (std::size_t o = 63; o < 127; o += 4) e << r.i32(o);
        e << g.ropelength << g.maxwingloading << r.i32(135) << r.i32(139) << g.maxteams << g.team << g.acroflight;
        e.put();
    }

    // Pilot block.
    r.echo_codes("FirstName  ", 155, 16);
    r.echo_codes("sSecondName", 172, 16);
    r.echo_area("sCountry", 189, 16);
    r.echo_area("sRN", 206, 7);
    r.echo_area("sCN", 214, 3);
    console_free("iRCNColor", r.i32(218), ftr_hex8(r.u32(218)));
    rd_ftr_c.pilot_name = fit(r.text(155, 16) + " " + r.text(172, 16), ftr_id_len);
    rd_ftr_c.compid = fit(r.text(214, 3), ftr_id_len);
    rd_ftr_c.gliderid = fit(r.text(206, 7), ftr_id_len);

    // Landscape and task points.
    r.echo_codes("sLandscape  ", 223, 16);
    rd_fpl_2.landscape = fit(r.text(223, 16), landscape_len);
    console_free("Landscape: ", rd_fpl_2.landscape);
    const int32_t ntp = r.i32(243);
    console_free(ntp, ftr_hex8(static_cast<uint32_t>(ntp)));
    rd_fpl_0.nb_wp = ftr_clamp_count(ntp, maxtp + 1, "Task-point count");
    for (int n = 0; n < 16; ++n) read_task_point(r, n);

    // Penalty zones.
    const int32_t npz = r.i32(1591);
    console_free("PZ", npz);
    rd_fpl_0.nb_pz = ftr_clamp_count(npz, maxpz + 1, "Penalty-zone count");
    for (int z = 0; z < 8; ++z) read_penalty_zone(r, z);

    read_disabled_airspaces(r);

    // Landscape geometry, echo only.
    {
        ftr_echo e;
        e << r.i32(18463) << r.i32(18467) << r.f32(18471) << r.f32(18475) << r.f32(18479) << r.f32(18483)
          << r.f32(18487) << r.i32(18491) << ftr_printable(r.b.data() + 18495, 1);
        e.put();
    }

    // Weather zones.
    const int32_t nwz = r.i32(18499);
    console_free("WZ", nwz);
    rd_fpl_wz2.wzcount = ftr_clamp_count(nwz, maxwz + 1, "Weather-zone count");
    for (int z = 0; z < 8; ++z) read_weather_zone(r, z);
    rd_fpl_wz2.randomizeweatheroneachflight = r.flag(21224);
    console_free(r.i32(21220), r.i8(21224));

    // Glider.
    auto& gl = ggg001;
    gl.glclass = fit(r.text(21227, 16), glider_len);
    gl.glider = fit(r.text(21244, 16), glider_len);
    rd_ftr_c.compclass = fit(gl.glclass, ftr_id_len);
    gl.glskin = fit(r.text(21261, 32), glider_len);
    gggmas.fmass = static_cast<float>(r.i32(21299));
    gggmas.wmass = static_cast<float>(r.i32(21295));
    ggg002.glseat = r.i32(21307);
    ggg002.cgbias = static_cast<float>(r.i32(21303));
    ggg002.qbugwipers = r.flag(21311);
    {
        ftr_echo e;
        e << gl.glclass << gl.glider << gl.glskin << gggmas.wmass << gggmas.fmass << ggg002.cgbias << ggg002.glseat
          << ggg002.qbugwipers;
        e.put();
        for (int i = 0; i < 64; ++i) e << r.i32(21312 + 4 * static_cast<std::size_t>(i));
        e.put();
    }

    // In-game block, echo only, then the fix count.
    r.echo_area("bInGame sPlane", 21572, 16);
    r.echo_area("sSkinHash", 21589, 32);
    r.echo_area("sPerformanceHash", 21622, 32);
    {
        ftr_echo e;
        e << r.i8(21571) << r.i32(21655) << r.i32(21659) << r.i32(21663) << r.i32(21667) << r.i32(21671);
        e.put();
    }
    const int32_t count = r.i32(21675);
    console_free("iNumFlightTrackItems", count);
    ftr_file.pos = ftr_v3_first_fix;
    npts = ftr_announced_fixes(count);
}
