#include "tests/common/track_writer.h"

#include <cstdio>
#include <cstring>

#include "support/le_bytes.h"

namespace {

/// Writes fields at absolute offsets into a buffer that grows as needed.
class Out {
public:
    explicit Out(std::vector<unsigned char>& b) : b_(b) {}
    void room(std::size_t end) {
        if (b_.size() < end) b_.resize(end, 0);
    }
    void u8(std::size_t off, int v) {
        room(off + 1);
        b_[off] = static_cast<unsigned char>(v);
    }
    void i16(std::size_t off, int v) { put(off, [&](auto& t) { le_put::u16(t, static_cast<uint16_t>(v)); }); }
    void i32(std::size_t off, int32_t v) { put(off, [&](auto& t) { le_put::i32(t, v); }); }
    void f32(std::size_t off, float v) { put(off, [&](auto& t) { le_put::f32(t, v); }); }
    void f64(std::size_t off, double v) { put(off, [&](auto& t) { le_put::f64(t, v); }); }
    void raw(std::size_t off, const std::string& s, std::size_t width) {
        room(off + width);
        for (std::size_t i = 0; i < width && i < s.size(); ++i) b_[off + i] = static_cast<unsigned char>(s[i]);
    }
    /// A length byte at `off` and its text area of `width` bytes after it.
    void text(std::size_t off, const tw_text& t, std::size_t width) {
        int len = t.len >= 0 ? t.len : static_cast<int>(t.text.size());
        u8(off, len);
        raw(off + 1, t.text, width);
    }

private:
    template <typename F>
    void put(std::size_t off, F f) {
        std::vector<unsigned char> t;
        f(t);
        room(off + t.size());
        std::memcpy(b_.data() + off, t.data(), t.size());
    }
    std::vector<unsigned char>& b_;
};

int32_t count_or(int32_t announced, std::size_t actual) {
    return announced != tw_auto ? announced : static_cast<int32_t>(actual);
}

void put_pz(Out& o, std::size_t p, const tw_pz& z) {
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 3; ++c) o.f32(p + 12 * k + 4 * c, z.corner[k][c]);
    o.f32(p + 48, z.base);
    o.f32(p + 52, z.top);
    o.f32(p + 56, z.factor);
}

void put_common_start(Out& o, const track_desc& d) {
    o.raw(0, std::string(d.magic.data(), 3), 3);
    o.i32(3, d.version);
    o.f32(7, d.starttime);
    o.f32(11, d.stopjoin);
    o.f32(15, d.racestartdelay);
    o.f32(19, d.starttimewindow);
    o.f64(27, d.date);
}

void build_v3(Out& o, const track_desc& d) {
    put_common_start(o, d);
    o.i32(23, d.unnamed23);
    // The low half of the date is overwritten by nothing: the float64 stays whole.
    o.f32(35, d.aattime);
    o.i32(39, d.iconsvisiblerange);
    o.i32(43, d.thermalhelpersrange);
    o.i32(47, d.turnpointhelpersrange);
    const int flags[10] = {d.qaat,           d.allowbugwipers,      d.allowpda,
                           d.allowrealtimescoring, d.allowexternalview, d.allowpadlockview,
                           d.allowsmoke,     d.allowplanerecovery,  d.allowheightrecovery,
                           d.allowmidaircollisionrecovery};
    for (int i = 0; i < 10; ++i) o.u8(51 + i, flags[i]);
    const int32_t ints[] = {d.penaltycloudflying,
                            d.penaltyplanerecovery,
                            d.penaltyheightrecovery,
                            d.penaltywrongwindowenterance,
                            d.penaltywindowcollision,
                            d.penaltyairspaceenterance,
                            d.penaltypenaltyzoneenterance,
                            d.penaltythermalhelpers,
                            d.maxstartgroundspeed,
                            d.penaltystartspeed,
                            d.penaltyhighstart,
                            d.penaltylowfinish,
                            d.randseed,
                            d.starttype,
                            d.startheight,
                            d.breakprob};
    for (std::size_t i = 0; i < sizeof ints / sizeof ints[0]; ++i) o.i32(63 + 4 * i, ints[i]);
    o.f32(127, d.ropelength);
    o.i32(131, d.maxwingloading);
    o.i32(135, d.maxping);
    o.i32(139, d.maxtowplanes);
    o.i32(143, d.maxteams);
    o.i32(147, d.team);
    o.u8(151, d.acroflight);
    o.text(155, d.firstname, 16);
    o.text(172, d.secondname, 16);
    o.text(189, d.country, 16);
    o.text(206, d.registration, 7);
    o.text(214, d.compno, 3);
    o.i32(218, d.rcncolor);
    o.text(223, d.landscape, 16);
    o.i32(243, count_or(d.nb_wp, d.tps.size()));
    for (std::size_t n = 0; n < 16 && n < d.tps.size(); ++n) {
        const tw_tp& t = d.tps[n];
        std::size_t p = 247 + 84 * n;
        o.text(p, t.name, 16);
        o.f32(p + 17, t.x);
        o.f32(p + 21, t.y);
        o.f32(p + 25, t.z);
        for (int k = 0; k < 3; ++k) o.f32(p + 29 + 4 * k, t.extra[k]);
        o.u8(p + 41, t.sectype);
        o.i16(p + 42, t.secdir);
        o.i32(p + 44, t.radius);
        o.i32(p + 48, t.angle);
        o.f32(p + 52, t.alt);
        o.f32(p + 56, t.wid);
        o.f32(p + 60, t.hei);
        o.f32(p + 64, t.azi);
        o.u8(p + 68, t.airport);
        o.f32(p + 69, t.fdir);
        o.f32(p + 73, t.flength);
        o.f32(p + 77, t.fwidth);
    }
    o.i32(1591, count_or(d.nb_pz, d.pzs.size()));
    for (std::size_t z = 0; z < 8 && z < d.pzs.size(); ++z) put_pz(o, 1595 + 60 * z, d.pzs[z]);
    o.i32(2075, count_or(d.ndisabled, d.disabled.size()));
    for (std::size_t i = 0; i < 8192 && i < d.disabled.size(); ++i) o.i16(2079 + 2 * i, d.disabled[i]);
    o.i32(18491, d.zonenumber);
    o.u8(18495, d.northsouth);
    o.i32(18499, count_or(d.wzcount, d.wzs.size()));
    for (std::size_t z = 0; z < 8 && z < d.wzs.size(); ++z) {
        const tw_wz& w = d.wzs[z];
        std::size_t p = 18503 + 340 * z;
        o.text(p, w.name, 24);
        o.i32(p + 28, w.pointcount);
        for (int k = 0; k < 16; ++k)
            for (int c = 0; c < 3; ++c) o.f32(p + 32 + 12 * k + 4 * c, w.pts[k][c]);
        const float f1[] = {w.movespeed, w.borderwidth, w.movedir, w.winddir, w.windspeed, w.windupperspeed};
        for (int i = 0; i < 6; ++i) o.f32(p + 224 + 4 * i, f1[i]);
        o.i32(p + 248, w.winddirvariation);
        o.i32(p + 252, w.windspeedvariation);
        o.i32(p + 256, w.windturbulence);
        o.f32(p + 260, w.thermalstemp);
        o.i32(p + 264, w.thermalstempvariation);
        o.f32(p + 268, w.thermalsdew);
        o.i32(p + 272, w.thermalsstrength);
        o.i32(p + 276, w.thermalsstrengthvariation);
        o.f32(p + 280, w.thermalsinversionheight);
        o.f32(p + 284, w.thermalsoverdevelopment);
        const int32_t i2[] = {w.thermalswidth,       w.thermalswidthvariation, w.thermalsactivity,
                              w.thermalsactivityvariation, w.thermalsturbulence, w.thermalsflatsactivity,
                              w.thermalsstreeting,   w.thermalsbugs,           w.wavesstability,
                              w.wavesmoisture,       w.highcloudscoverage};
        for (int i = 0; i < 11; ++i) o.i32(p + 288 + 4 * i, i2[i]);
        o.u8(p + 332, w.bvalid);
        o.f32(p + 333, w.fweight);
    }
    o.i32(21220, d.iweatherpreset);
    o.u8(21224, d.randomize);
    o.text(21227, d.glclass, 16);
    o.text(21244, d.gltype, 16);
    o.text(21261, d.skin, 32);
    o.i32(21295, d.iwater);
    o.i32(21299, d.ifixedmass);
    o.i32(21303, d.icgbias);
    o.i32(21307, d.iseat);
    o.u8(21311, d.bbugwipers);
    o.i32(21675, count_or(d.npts, d.fixes.size()));
    o.room(tw_v3_header_size);
}

void build_v2(Out& o, const track_desc& d) {
    put_common_start(o, d);
    o.i32(35, d.iconsvisiblerange);
    o.i32(39, d.thermalhelpersrange);
    o.i32(43, d.turnpointhelpersrange);
    const int flags[8] = {d.allowpda,   d.allowrealtimescoring, d.allowexternalview,   d.allowpadlockview,
                          d.allowsmoke, d.allowplanerecovery,   d.allowheightrecovery, d.allowmidaircollisionrecovery};
    for (int i = 0; i < 8; ++i) o.u8(47 + i, flags[i]);
    const int32_t ints[] = {d.penaltycloudflying,         d.penaltyplanerecovery,   d.penaltyheightrecovery,
                            d.penaltywrongwindowenterance, d.penaltywindowcollision, d.penaltypenaltyzoneenterance,
                            d.penaltythermalhelpers,       d.randseed,               d.starttype,
                            d.startheight,                 d.breakprob};
    for (std::size_t i = 0; i < sizeof ints / sizeof ints[0]; ++i) o.i32(55 + 4 * i, ints[i]);
    o.f32(99, d.ropelength);
    o.i32(107, d.spare107);
    o.i32(111, d.spare111);
    o.i32(119, d.acroflight);
    o.text(123, d.firstname, 16);
    o.text(140, d.secondname, 16);
    o.text(157, d.country, 16);
    o.text(174, d.registration, 7);
    o.text(182, d.compno, 3);
    o.text(191, d.landscape, 16);
    o.i32(211, count_or(d.nb_wp, d.tps.size()));
    // Task points run from 215 in 56-byte records; at most 16 fit before
    // the penalty-zone count at 1111.
    for (std::size_t i = 0; i < 16 && i < d.tps.size(); ++i) {
        const tw_tp& t = d.tps[i];
        std::size_t p = 215 + 56 * i;
        o.text(p, t.name, 16);
        o.f32(p + 17, t.x);
        o.f32(p + 21, t.y);
        o.f32(p + 25, t.z);
        o.u8(p + 29, t.airport);
        o.u8(p + 30, t.sectype);
        o.i32(p + 32, t.radius);
        o.i32(p + 36, t.angle);
        o.f32(p + 40, t.alt);
        o.f32(p + 44, t.wid);
        o.f32(p + 48, t.hei);
        o.f32(p + 52, t.azi);
    }
    o.i32(1111, count_or(d.nb_pz, d.pzs.size()));
    for (std::size_t z = 0; z < 8 && z < d.pzs.size(); ++z) put_pz(o, 1115 + 60 * z, d.pzs[z]);
    const tw_wz& w = d.v2_weather;
    o.f32(1631, w.winddir);
    o.f32(1635, w.windspeed);
    o.f32(1639, w.windupperspeed);
    o.i32(1643, w.winddirvariation);
    o.i32(1647, w.windspeedvariation);
    o.i32(1651, w.windturbulence);
    o.f32(1655, w.thermalstemp);
    o.i32(1659, w.thermalstempvariation);
    o.f32(1663, w.thermalsdew);
    o.i32(1667, w.thermalsstrength);
    o.i32(1671, w.thermalsstrengthvariation);
    o.f32(1675, w.thermalsinversionheight);
    const int32_t wi[] = {w.thermalswidth,      w.thermalswidthvariation, w.thermalsactivity,
                          w.thermalsturbulence, w.thermalsflatsactivity,  w.thermalsstreeting,
                          w.wavesstability,     w.wavesmoisture,          w.highcloudscoverage};
    for (int i = 0; i < 9; ++i) o.i32(1679 + 4 * i, wi[i]);
    o.f32(1715, d.pressure);
    o.i32(1719, d.iweatherpreset);
    o.i32(1723, d.randomize);
    o.text(1727, d.glclass, 16);
    o.text(1744, d.gltype, 16);
    o.text(1761, d.skin, 32);
    o.i32(1795, d.iwater);
    o.i32(1799, d.ifixedmass);
    o.i32(1803, d.icgbias);
    o.i32(1875, count_or(d.npts, d.fixes.size()));
    o.room(tw_v2_header_size);
}

}  // namespace

std::vector<unsigned char> build_track(const track_desc& d) {
    std::vector<unsigned char> b;
    Out o(b);
    int major = d.version / 1000;
    if (major == 2 || d.version < 3000)
        build_v2(o, d);
    else
        build_v3(o, d);
    const bool wide = d.version >= 3040;
    for (const tw_fix& f : d.fixes) {
        std::size_t p = b.size();
        if (wide) {
            o.f64(p, f.hours);
            o.f32(p + 8, f.x);
            o.f32(p + 12, f.y);
            o.f32(p + 16, f.alt);
            o.f32(p + 20, f.enl);
            for (int k = 0; k < 5; ++k) o.f32(p + 24 + 4 * k, f.extra[k]);
            o.raw(p + 44, f.text, 20);
        } else {
            o.f32(p, static_cast<float>(f.hours));
            o.f32(p + 4, f.x);
            o.f32(p + 8, f.y);
            o.f32(p + 12, f.alt);
            o.f32(p + 16, f.enl);
            for (int k = 0; k < 5; ++k) o.f32(p + 20 + 4 * k, f.extra[k]);
        }
    }
    if (wide) {
        o.i32(b.size(), count_or(d.nevents, d.events.size()));
        for (const tw_event& e : d.events) {
            std::size_t p = b.size();
            o.i32(p, e.code);
            o.f32(p + 4, e.a);
            o.f32(p + 8, e.b);
        }
    }
    b.insert(b.end(), d.trailer.begin(), d.trailer.end());
    for (const tw_patch& p : d.patches) {
        o.room(p.offset + p.bytes.size());
        std::memcpy(b.data() + p.offset, p.bytes.data(), p.bytes.size());
    }
    return b;
}

bool write_track(const std::string& path, const track_desc& d) {
    std::vector<unsigned char> b = build_track(d);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

std::vector<unsigned char> tw_trailer(int32_t raceid, float starttime, float flighttime, float taskstart,
                                      float tasktime, int32_t status, float distance, float speed,
                                      float penalty, int32_t ghosts) {
    std::vector<unsigned char> t;
    le_put::i32(t, raceid);
    le_put::f32(t, starttime);
    le_put::f32(t, flighttime);
    le_put::f32(t, taskstart);
    le_put::f32(t, tasktime);
    le_put::i32(t, status);
    le_put::f32(t, distance);
    le_put::f32(t, speed);
    le_put::f32(t, penalty);
    le_put::i32(t, ghosts);
    return t;
}

track_desc tw_sample(int32_t version) {
    track_desc d;
    d.version = version;
    d.starttime = 13.0f;
    d.racestartdelay = 0.5f;
    d.starttimewindow = 0.25f;
    d.date = 45000.75;  // 2023-03-15 18:00
    d.aattime = 1.5f;
    d.iconsvisiblerange = 20;
    d.thermalhelpersrange = 5;
    d.turnpointhelpersrange = 10;
    d.allowpda = 1;
    d.allowsmoke = 1;
    d.penaltycloudflying = 100;
    d.randseed = 4242;
    d.starttype = 1;
    d.startheight = 1500;
    d.ropelength = 40.0f;
    d.firstname = "Jane";
    d.secondname = "Doe";
    d.country = "Norway";
    d.registration = "D-1234";
    d.compno = "XY";
    d.landscape = "Slovenia3";
    d.glclass = "Standard";
    d.gltype = "Discus";
    d.skin = "Default";
    d.iwater = 120;
    d.ifixedmass = 7;
    d.icgbias = 3;
    d.iseat = 1;
    tw_tp a;
    a.name = "Takeoff";
    a.x = 1000.0f;
    a.y = 2000.0f;
    a.z = 300.0f;
    a.sectype = 1;
    a.radius = 3000;
    a.angle = 90;
    a.airport = 1;
    tw_tp b;
    b.name = "Finish";
    b.x = 4000.0f;
    b.y = 6000.0f;
    b.z = 250.0f;
    b.sectype = 0;
    b.radius = 500;
    b.angle = 360;
    d.tps = {a, b};
    tw_pz pz;
    pz.corner[0][0] = 1.0f;
    pz.corner[0][1] = 2.0f;
    pz.base = 100.0f;
    pz.top = 900.0f;
    pz.factor = 1.5f;
    d.pzs = {pz};
    tw_wz wz;
    wz.name = "Zone A";
    wz.pointcount = 4;
    wz.winddir = 270.0f;
    wz.windspeed = 5.0f;
    wz.thermalstemp = 20.0f;
    d.wzs = {wz};
    d.v2_weather = wz;
    d.pressure = 101000.0f;
    for (int i = 0; i < 4; ++i) {
        tw_fix f;
        f.hours = 12.5 + i / 3600.0;
        f.x = 1000.0f + i;
        f.y = 2000.0f + i;
        f.alt = 500.0f + i;
        f.enl = 0.1f * i;
        d.fixes.push_back(f);
    }
    if (version >= 3040) d.events = {{7, 1.0f, 2.0f}};
    d.trailer = tw_trailer(77, 12.5f, 1.25f, 12.6f, 1.0f, 3, 123456.0f, 98765.0f, 0.0f, 2);
    return d;
}
