// Resets, leg distances and name escaping of the task model.
#include "taskmodel/task_model.h"

#include <gtest/gtest.h>

#include <string>

namespace {

/// Puts non-default values into every member the resets look at.
void scribble() {
    rd_fpl_0 = {7, 5, 3, 4, 6, 100, 2, 9};
    rd_fpl_5.qas_disa[0] = rd_fpl_5.qas_disa[8192] = true;
    Rd_fpl_1& g = rd_fpl_1;
    for (int i = 0; i <= maxtp; ++i) {
        g.tpx[i] = g.tpy[i] = g.tpz[i] = g.tplat[i] = g.tplon[i] = 1.5f;
        g.tpazi[i] = g.tphei[i] = g.tpalt[i] = g.tpwid[i] = g.tpdist[i] = 2.5f;
        g.tpsecdir[i] = g.tpair[i] = g.tpsec[i] = g.tprad[i] = g.tpang[i] = g.tpid[i] = 7;
        rd_fpl_2.tpnam[i] = "name";
    }
    g.pzp[1][3][10] = g.pza[2][10] = g.wzp[1][16][16] = 4.0f;
    rd_fpl_2.wznam[16] = "zone";
    rd_fpl_2.fpldesc[15] = "desc";
    rd_fpl_2.landscape = "Land";
    rd_fpl_2.fpl_000 = "file.fpl";
    rd_fpl_4 = {1, 2, 3, 4, 5, 6, 7};
    rd_fpl_6.taskdate = 40000;
    rd_fpl_6.starttime = 12.5f;
    rd_fpl_6.team = 3;
    rd_fpl_6.aattime = 2.0f;
    rd_fpl_6.allowmidaircollisionrecovery = true;
    rd_fpl_6.maxwingloading = 50;
    rd_fpl_wz1.thermalsinversionheight[16] = 9.0f;
    rd_fpl_wz2.highcloudscoverage[16] = 9;
    rd_fpl_wz2.thermalsoverdevelopment[0] = 9.0f;
    rd_fpl_wz2.randomizeweatheroneachflight = true;
    rd_fpl_wz2.wzcount = 4;
    ggg001 = {"ASW", "Std", "skin"};
    ggg002 = {0.5f, 2, true};
    gggmas = {1, 2, 3, 4, 5, 6};
    gggpol.vap[2] = gggpol.pol_d = gggpol.vmin = 8.0f;
    gggpol.vfmax_00 = gggpol.fmax_00 = gggpol.gforce = 9.0f;
}

TEST(TaskModelReset, InitReadFplClearsTheTaskAndLeavesItsListedMembers) {
    scribble();
    init_read_fpl();
    EXPECT_EQ(rd_fpl_0.fpl_vers, 7);
    EXPECT_EQ(rd_fpl_0.nb_wp, 0);
    EXPECT_EQ(rd_fpl_0.nb_pz, 0);
    EXPECT_EQ(rd_fpl_0.npzmax, 0);
    EXPECT_EQ(rd_fpl_0.nwpmax, 0);
    EXPECT_EQ(rd_fpl_0.nb_as_zones, 0);
    EXPECT_EQ(rd_fpl_0.nb_fpldesc, 0);
    EXPECT_EQ(rd_fpl_0.last_dis_as, -1);
    EXPECT_FALSE(rd_fpl_5.qas_disa[0]);
    EXPECT_FALSE(rd_fpl_5.qas_disa[8192]);
    const Rd_fpl_1& g = rd_fpl_1;
    for (int i = 0; i <= maxtp; ++i) {
        EXPECT_EQ(g.tpx[i] + g.tpy[i] + g.tpz[i] + g.tplat[i] + g.tplon[i], 0.0f);
        EXPECT_EQ(g.tpazi[i] + g.tphei[i] + g.tpalt[i] + g.tpwid[i], 0.0f);
        // Only init_wp gives the sector defaults.
        EXPECT_EQ(g.tpair[i] + g.tpsec[i] + g.tprad[i] + g.tpang[i] + g.tpid[i], 0);
        EXPECT_EQ(g.tpsecdir[i], 7);
        EXPECT_EQ(g.tpdist[i], 2.5f);
        EXPECT_EQ(rd_fpl_2.tpnam[i], "");
    }
    EXPECT_EQ(g.pzp[1][3][10] + g.pza[2][10] + g.wzp[1][16][16], 0.0f);
    EXPECT_EQ(rd_fpl_2.wznam[16], "");
    EXPECT_EQ(rd_fpl_2.fpldesc[15], "");
    EXPECT_EQ(rd_fpl_2.landscape, "");
    EXPECT_EQ(rd_fpl_2.fpl_000, "file.fpl");
    EXPECT_EQ(rd_fpl_4.pressure, 101325.0f);
    EXPECT_EQ(rd_fpl_4.cloudbase, 1);
    EXPECT_EQ(rd_fpl_4.jdate, 2);
    EXPECT_EQ(rd_fpl_4.dist_tot, 7.0f);
    EXPECT_EQ(rd_fpl_6.taskdate, 40000);
    EXPECT_EQ(rd_fpl_6.starttime, 12.5f);
    EXPECT_EQ(rd_fpl_6.team, 3);
    EXPECT_EQ(rd_fpl_6.aattime, 0.0f);
    EXPECT_FALSE(rd_fpl_6.allowmidaircollisionrecovery);
    EXPECT_EQ(rd_fpl_6.maxwingloading, 0);
    EXPECT_EQ(rd_fpl_wz1.thermalsinversionheight[16], 0.0f);
    EXPECT_EQ(rd_fpl_wz2.highcloudscoverage[16], 0);
    EXPECT_EQ(rd_fpl_wz2.thermalsoverdevelopment[0], 0.0f);
    EXPECT_TRUE(rd_fpl_wz2.randomizeweatheroneachflight);
    EXPECT_EQ(rd_fpl_wz2.wzcount, 4);
    EXPECT_EQ(ggg001.glider, "ASW");
    EXPECT_EQ(gggmas.wmass, 4.0f);
}

TEST(TaskModelReset, InitWpGivesTheSectorDefaults) {
    scribble();
    init_wp();
    EXPECT_EQ(rd_fpl_0.nb_wp, 0);
    EXPECT_EQ(rd_fpl_0.nb_pz, 3);
    const Rd_fpl_1& g = rd_fpl_1;
    for (int i = 0; i <= maxtp; ++i) {
        EXPECT_EQ(g.tpx[i] + g.tpy[i] + g.tpz[i] + g.tplat[i] + g.tplon[i], 0.0f);
        EXPECT_EQ(g.tpazi[i] + g.tphei[i] + g.tpalt[i] + g.tpwid[i], 0.0f);
        EXPECT_EQ(g.tpair[i], 0);
        EXPECT_EQ(g.tpsecdir[i], 0);
        EXPECT_EQ(g.tpsec[i], 1);
        EXPECT_EQ(g.tprad[i], 3000);
        EXPECT_EQ(g.tpang[i], 90);
        EXPECT_EQ(g.tpid[i], 7);
        EXPECT_EQ(g.tpdist[i], 2.5f);
        EXPECT_EQ(rd_fpl_2.tpnam[i], "");
    }
    EXPECT_EQ(g.pza[2][10], 4.0f);
    EXPECT_EQ(rd_fpl_2.landscape, "Land");
    EXPECT_EQ(rd_fpl_0.last_dis_as, 9);
}

TEST(TaskModelReset, InitGliderResetsTheGliderOnly) {
    scribble();
    init_glider();
    EXPECT_EQ(ggg001.glider, "");
    EXPECT_EQ(ggg001.glclass, "");
    EXPECT_EQ(ggg001.glskin, "");
    EXPECT_EQ(ggg002.cgbias, 0.0f);
    EXPECT_EQ(ggg002.glseat, 1);
    EXPECT_FALSE(ggg002.qbugwipers);
    EXPECT_EQ(gggmas.rmass + gggmas.mmass + gggmas.cmass + gggmas.wmass + gggmas.fmass +
                  gggmas.balmax,
              0.0f);
    EXPECT_EQ(gggpol.vap[2] + gggpol.pol_d + gggpol.vmin, 0.0f);
    EXPECT_EQ(gggpol.vfmax_00, 9.0f);
    EXPECT_EQ(gggpol.fmax_00, 9.0f);
    EXPECT_EQ(gggpol.gforce, 9.0f);
    EXPECT_EQ(rd_fpl_0.nb_wp, 5);
    EXPECT_EQ(rd_fpl_2.tpnam[0], "name");
}

/// Task points on the X axis at 0, 1000, 4000 and 10000 m.
void line_task(int nb_wp, int last_angle, int last_radius) {
    init_wp();
    const float x[] = {0.0f, 1000.0f, 4000.0f, 10000.0f};
    for (int i = 0; i < 4; ++i) rd_fpl_1.tpx[i] = x[i];
    rd_fpl_0.nb_wp = nb_wp;
    if (nb_wp > 0) {
        rd_fpl_1.tpang[nb_wp - 1] = last_angle;
        rd_fpl_1.tprad[nb_wp - 1] = last_radius;
    }
}

TEST(ComputeDist, LegsAndTotal) {
    struct Case {
        int nb_wp, angle, radius;
        float leg1, last_leg, total;
    };
    const Case cases[] = {
        {0, 90, 3000, 0.0f, 0.0f, 0.0f},
        {1, 90, 3000, 0.0f, 0.0f, 0.0f},
        // The leg from take-off to the start is not part of the total.
        {2, 90, 3000, 1000.0f, 1000.0f, 0.0f},
        {4, 90, 500, 1000.0f, 6000.0f, 9000.0f},
        // A full-circle finish shortens the last leg by its radius.
        {4, 360, 500, 1000.0f, 5500.0f, 8500.0f},
        {2, 360, 500, 1000.0f - 500.0f, 500.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nb_wp * 1000 + c.angle);
        rd_fpl_1.tpdist.fill(-1.0f);
        line_task(c.nb_wp, c.angle, c.radius);
        compute_dist();
        EXPECT_EQ(rd_fpl_4.dist_tot, c.total);
        if (c.nb_wp >= 2) {
            EXPECT_EQ(rd_fpl_1.tpdist[1], c.leg1);
            EXPECT_EQ(rd_fpl_1.tpdist[c.nb_wp - 1], c.last_leg);
        } else {
            EXPECT_EQ(rd_fpl_1.tpdist[1], -1.0f);
        }
    }
}

TEST(ComputeDist, CountBeyondTheTableStaysInside) {
    init_wp();
    rd_fpl_0.nb_wp = 1000;
    rd_fpl_1.tpx[maxtp] = 100.0f;
    compute_dist();
    EXPECT_EQ(rd_fpl_4.dist_tot, 100.0f);
    rd_fpl_0.nb_wp = -5;
    compute_dist();
    EXPECT_EQ(rd_fpl_4.dist_tot, 0.0f);
}

TEST(CleanupName, EscapesAngleBracketsWithinTheField) {
    struct Case {
        std::string in;
        std::size_t width;
        std::string out;
    };
    const Case cases[] = {
        {"A<B>", 32, "A&lt;B&gt;"},
        {"<<", 32, "&lt;&lt;"},
        {"a&b", 32, "a&b"},
        {"plain", 32, "plain"},
        // A "<" in the last position becomes "&", the rest is cut.
        {std::string(31, 'x') + "<", 32, std::string(31, 'x') + "&"},
        // A ">" pushed out of the field by an earlier escape is lost.
        {std::string(28, 'x') + "<>", 32, std::string(28, 'x') + "&lt;"},
        {"", 32, ""},
    };
    for (const Case& c : cases) {
        std::string s = c.in;
        cleanup_name(s, c.width);
        EXPECT_EQ(s, c.out) << c.in;
    }
}

}  // namespace
