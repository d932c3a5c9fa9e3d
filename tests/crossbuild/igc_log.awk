# An IGC log for comparing the builds: n fixes one second apart, moving
# north-east and climbing; with jitter=1 some fixes moved, some altitudes
# changed and ten seconds left out.
#   awk -v n=600 -v jitter=1 -f tests/crossbuild/igc_log.awk > b.igc
function ll(v, pos, neg, w,    hemi, d, mm) {
    hemi = v >= 0 ? pos : neg
    if (v < 0) v = -v
    d = int(v); mm = int((v - d) * 60000 + 0.5)
    if (mm == 60000) { d++; mm = 0 }
    return sprintf("%0" w "d%05d%s", d, mm, hemi)
}
BEGIN {
    printf "AXXXBremalo\r\nHFDTE150623\r\nHFPLTPILOTINCHARGE:Test\r\nI023638FXA3941ENL\r\n"
    for (i = 0; i < n; i++) {
        if (jitter && i >= 100 && i < 110) continue
        t = 36000 + i
        lat = 46.5 + i * 0.0001 + (jitter && i % 7 == 0 ? sin(i) * 0.0001 : 0)
        lon = 9.25 + i * 0.00013
        alt = 1000 + int(i / 3) + (jitter && i % 11 == 0 ? 5 : 0)
        printf "B%02d%02d%02d%s%sA%05d%05d000010\r\n", int(t / 3600) % 24, int(t / 60) % 60, t % 60,
               ll(lat, "N", "S", 2), ll(lon, "E", "W", 3), alt, alt
    }
}
