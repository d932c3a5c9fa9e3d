#include "tracks/utm_series.h"

#include <cmath>

using namespace utm_const;

void tm_series_forward(double lat, double lon, double lon0, double& east_km, double& north_km) {
    const double phi = degrad * lat;
    const double sphi = std::sin(phi);
    const double cphi = std::cos(phi);
    const double tphi = std::tan(phi);
    const double n = a / std::sqrt(1.0 - e2 * sphi * sphi);
    const double t = tphi * tphi;
    const double c = ep2 * cphi * cphi;
    const double aa = cphi * (lon - lon0) * degrad;
    const double m =
        a * (m_phi * phi + m_sin2 * std::sin(2.0 * phi) + m_sin4 * std::sin(4.0 * phi) + m_sin6 * std::sin(6.0 * phi));

    const double t2 = t * t, t3 = t2 * t;
    const double c2 = c * c, c3 = c2 * c, c4 = c3 * c;
    const double a2 = aa * aa, a3 = a2 * aa, a4 = a3 * aa, a5 = a4 * aa, a6 = a5 * aa, a7 = a6 * aa,
                 a8 = a7 * aa;

    east_km = k0 * n *
              (aa + (1.0 - t + c) * a3 / 6.0 +
               (5.0 - 18.0 * t + t2 + 72.0 * c - 58.0 * ep2 + 13.0 * c2 + 4.0 * c3 - 64.0 * c2 * t - 24.0 * c3 * t) *
                   a5 / 120.0 +
               (61.0 - 479.0 * t + 179.0 * t2 - t3) * a7 / 5040.0);

    north_km = k0 * (m + n * tphi *
                             (a2 / 2.0 + (5.0 - t + 9.0 * c + 4.0 * c2) * a4 / 24.0 +
                              (61.0 - 58.0 * t + t2 + 600.0 * c - 330.0 * ep2 + 445.0 * c2 + 324.0 * c3 -
                               680.0 * c2 * t + 88.0 * c4 - 600.0 * c3 * t - 192.0 * c4 * t) *
                                  a6 / 720.0 +
                              (1385.0 - 3111.0 * t + 543.0 * t2 - t3) * a8 / 40320.0));
}

void tm_series_inverse(double x_km, double y_km, double lon0, double& lat, double& lon) {
    const double mu = y_km / k0 / rect_radius;
    const double phi1 = mu + fp_sin2 * std::sin(2.0 * mu) + fp_sin4 * std::sin(4.0 * mu) +
                        fp_sin6 * std::sin(6.0 * mu) + fp_sin8 * std::sin(8.0 * mu);

    const double s1 = std::sin(phi1);
    const double c1cos = std::cos(phi1);
    const double tan1 = std::tan(phi1);
    const double c1 = ep2 * c1cos * c1cos;
    const double t1 = tan1 * tan1;
    const double w = std::sqrt(1.0 - e2 * s1 * s1);
    const double n1 = a / w;
    const double r1 = a_1me2 / (w * w * w);
    const double d = x_km / (n1 * k0);

    const double t1_2 = t1 * t1, t1_3 = t1_2 * t1;
    const double c1_2 = c1 * c1, c1_3 = c1_2 * c1, c1_4 = c1_3 * c1;
    const double d2 = d * d, d3 = d2 * d, d4 = d3 * d, d5 = d4 * d, d6 = d5 * d, d7 = d6 * d, d8 = d7 * d;

    lat = raddeg *
          (phi1 - (n1 * tan1 / r1) *
                      (d2 / 2.0 - (5.0 + 3.0 * t1 + 10.0 * c1 - 4.0 * c1_2 - 9.0 * ep2) * d4 / 24.0 +
                       (61.0 + 90.0 * t1 + 298.0 * c1 + 45.0 * t1_2 - 252.0 * ep2 - 3.0 * c1_2 - 90.0 * c1 * t1_2 -
                        66.0 * c1_2 * t1 + 225.0 * c1_2 * t1_2 + 100.0 * c1_3 + 84.0 * c1_3 * t1 + 88.0 * c1_4 -
                        192.0 * c1_4 * t1) *
                           d6 / 720.0 -
                       (1385.0 + 3633.0 * t1 + 4095.0 * t1_2 + 1575.0 * t1_3) * d8 / 40320.0));

    lon = lon0 + raddeg *
                     (d - (1.0 + 2.0 * t1 + c1) * d3 / 6.0 +
                      (5.0 - 2.0 * c1 + 28.0 * t1 - 3.0 * c1_2 + 8.0 * ep2 + 24.0 * t1_2 - 4.0 * c1_3 +
                       4.0 * c1_2 * t1 + 24.0 * c1_3 * t1) *
                          d5 / 120.0 -
                      (61.0 + 662.0 * t1 + 1320.0 * t1_2 + 720.0 * t1_3) * d7 / 5040.0) /
                     c1cos;
}
