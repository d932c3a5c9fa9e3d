#include "support/julian.h"

// Computed on 64 bits so that no input overflows; every division truncates
// toward zero as the 32-bit algorithm does, and results in the 32-bit range
// are the same.
int32_t jd(int32_t year, int32_t month, int32_t day) {
    const long long y = year, m = month, d = day;
    const long long t = (m - 14) / 12;
    long long r = d - 32075 + 1461 * (y + 4800 + t) / 4 + 367 * (m - 2 - 12 * t) / 12 -
                  3 * ((y + 4900 + t) / 100) / 4;
    return static_cast<int32_t>(r);
}

void gdate(int32_t jdn, int32_t& year, int32_t& month, int32_t& day) {
    long long l = static_cast<long long>(jdn) + 68569;
    const long long n = 4 * l / 146097;
    l = l - (146097 * n + 3) / 4;
    const long long i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4 + 31;
    const long long j = 80 * l / 2447;
    day = static_cast<int32_t>(l - 2447 * j / 80);
    l = j / 11;
    month = static_cast<int32_t>(j + 2 - 12 * l);
    year = static_cast<int32_t>(100 * (n - 49) + i + l);
}
