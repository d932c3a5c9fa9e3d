// The task-model records and their resets, leg distances and name escaping.
#include "taskmodel/task_model.h"

#include <algorithm>
#include <cmath>

#include "support/console.h"
#include "support/ftext.h"

Rd_fpl_0 rd_fpl_0;
Rd_fpl_1 rd_fpl_1;
Rd_fpl_2 rd_fpl_2;
Rd_fpl_4 rd_fpl_4;
Rd_fpl_5 rd_fpl_5;
Rd_fpl_6 rd_fpl_6;
Rd_fpl_wz1 rd_fpl_wz1;
Rd_fpl_wz2 rd_fpl_wz2;
Ggg001 ggg001;
Ggg002 ggg002;
Gggmas gggmas;
Gggpol gggpol;

namespace {

template <typename Table, typename V>
void fill_all(Table& t, V v) {
    std::fill(t.begin(), t.end(), v);
}

/// Positions, heights, widths and azimuths of every task point to 0; both
/// resets clear these alike.
void zero_tp_reals(Rd_fpl_1& g) {
    for (auto* t : {&g.tpx, &g.tpy, &g.tpz, &g.tplat, &g.tplon, &g.tpazi, &g.tphei,
                    &g.tpalt, &g.tpwid})
        fill_all(*t, 0.0f);
}

}  // namespace

void init_read_fpl() {
    Rd_fpl_0& c = rd_fpl_0;
    c.nb_wp = 0;
    c.nb_pz = 0;
    c.npzmax = 0;
    c.nwpmax = 0;
    c.nb_as_zones = 0;
    c.nb_fpldesc = 0;
    c.last_dis_as = -1;

    fill_all(rd_fpl_5.qas_disa, false);

    Rd_fpl_1& g = rd_fpl_1;
    zero_tp_reals(g);
    for (auto* t : {&g.tpair, &g.tpsec, &g.tprad, &g.tpang, &g.tpid}) fill_all(*t, 0);
    for (auto& xy : g.pzp)
        for (auto& corner : xy) fill_all(corner, 0.0f);
    for (auto& row : g.pza) fill_all(row, 0.0f);
    for (auto& xy : g.wzp)
        for (auto& point : xy) fill_all(point, 0.0f);

    Rd_fpl_2& t = rd_fpl_2;
    fill_all(t.tpnam, std::string());
    fill_all(t.wznam, std::string());
    fill_all(t.fpldesc, std::string());
    t.landscape.clear();

    rd_fpl_4.pressure = 101325.0f;

    // Game options: all but the task date, the start time and the team.
    Rd_fpl_6& o = rd_fpl_6;
    const int32_t taskdate = o.taskdate;
    const float starttime = o.starttime;
    const int32_t team = o.team;
    o = Rd_fpl_6{};
    o.taskdate = taskdate;
    o.starttime = starttime;
    o.team = team;

    // Weather zones: the 28 zone tables, not the two task-wide values.
    const bool randomize = rd_fpl_wz2.randomizeweatheroneachflight;
    const int32_t wzcount = rd_fpl_wz2.wzcount;
    rd_fpl_wz1 = Rd_fpl_wz1{};
    rd_fpl_wz2 = Rd_fpl_wz2{};
    rd_fpl_wz2.randomizeweatheroneachflight = randomize;
    rd_fpl_wz2.wzcount = wzcount;
}

void init_wp() {
    rd_fpl_0.nb_wp = 0;
    Rd_fpl_1& g = rd_fpl_1;
    zero_tp_reals(g);
    fill_all(g.tpair, 0);
    fill_all(g.tpsecdir, 0);
    fill_all(g.tpsec, 1);
    fill_all(g.tprad, 3000);
    fill_all(g.tpang, 90);
    fill_all(rd_fpl_2.tpnam, std::string());
}

void init_glider() {
    gggmas = Gggmas{};
    ggg001 = Ggg001{};
    ggg002.cgbias = 0.0f;
    ggg002.glseat = 1;
    ggg002.qbugwipers = false;

    const float vfmax_00 = gggpol.vfmax_00;
    const float fmax_00 = gggpol.fmax_00;
    const float gforce = gggpol.gforce;
    gggpol = Gggpol{};
    gggpol.vfmax_00 = vfmax_00;
    gggpol.fmax_00 = fmax_00;
    gggpol.gforce = gforce;
}

void compute_dist() {
    Rd_fpl_1& g = rd_fpl_1;
    rd_fpl_4.dist_tot = 0.0f;
    // A count that a damaged track or plan pushed past the table must not
    // make the loop read outside it.
    const int32_t nb_wp = std::clamp(rd_fpl_0.nb_wp, 0, maxtp + 1);
    for (int32_t i = 1; i < nb_wp; ++i) {
        const float dx = g.tpx[i] - g.tpx[i - 1];
        const float dy = g.tpy[i] - g.tpy[i - 1];
        float d = std::sqrt(dx * dx + dy * dy);
        if (i == nb_wp - 1 && g.tpang[i] == 360) d = d - static_cast<float>(g.tprad[i]);
        g.tpdist[i] = d;
        if (i > 1) rd_fpl_4.dist_tot = rd_fpl_4.dist_tot + d;
    }
    for (int32_t i = 1; i < nb_wp; ++i) console_free(i, g.tpdist[i]);
    console_free("Tot dist", rd_fpl_4.dist_tot);
}

void cleanup_name(std::string& name, std::size_t width) {
    name = fit(name, width);
    for (const auto& [from, to] : {std::pair<char, std::string_view>{'<', "&lt;"},
                                  std::pair<char, std::string_view>{'>', "&gt;"}}) {
        // Each replacement is searched from the start again, as a
        // replacement never brings the searched character back.
        for (std::size_t pos = name.find(from); pos != std::string::npos;
             pos = name.find(from)) {
            name.replace(pos, 1, to);
            name = fit(name, width);
        }
    }
}
