#!/usr/bin/env bash
# Times trackdiff on two pairs of ten-hour logs at one fix a second: two
# identical logs, and a log against a copy that lacks every tenth second.
# The matching must not grow with the product of the fix counts, so the
# second pair may take at most about twice as long as the first.
# Then the worst case, once each: a log of 2,000,000 fixes (23 days at one
# fix a second) against one with a step back near its start and its second
# half at every other second, and against that log shuffled within blocks
# of a quarter of an hour (blocks that never cross midnight, so the
# reader's day count stays right).  Every fix the second log holds is paired.
#   scripts/bench_trackdiff.sh [RUNS]     (best of RUNS runs each, default 3)
# TRACKDIFF=path times that program instead of the one built here (for
# instance one built from an earlier commit).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-3}

build=build
if [ -z "${TRACKDIFF:-}" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target trackdiff -j "$(nproc 2>/dev/null || echo 4)" >/dev/null
fi
exe=${TRACKDIFF:-"$root/$build/trackdiff/trackdiff"}
exe=$(realpath "$exe")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# log FILE SKIP: a converter-layout log from 08:00:00 for 36000 seconds;
# with SKIP 1 the seconds whose count from the start ends in 9 are left out.
log() {
  awk -v skip="$2" 'BEGIN {
    printf "ACSS00001\r\nHFDTE150623\r\nHFGPSGPS:CCSS_SOFTWARE_GPS\r\nHFFTYFRTYPE:CCSS\r\n"
    printf "HFCIDCOMPETITIONID:AB1\r\nI023638FXA3941ENL\r\n"
    for (i = 0; i < 36000; i++) {
      if (skip && i % 10 == 9) continue
      t = 28800 + i
      lat = 46.0 + i * 0.00001; lon = 9.0 + i * 0.000013
      dl = int(lat); ml = int((lat - dl) * 60000 + 0.5)
      dn = int(lon); mn = int((lon - dn) * 60000 + 0.5)
      alt = 1000 + i % 1500
      printf "B%02d%02d%02d%02d%05dN%03d%05dEA%05d%05d005000\r\n", int(t / 3600), int(t % 3600 / 60), t % 60, dl, ml, dn, mn, alt, alt
    }
  }' > "$1"
}
log full.igc 0
cp full.igc same.igc
log gaps.igc 1

# best FILE1 FILE2: the shortest wall time of $runs runs, in seconds.
best() {
  local b=""
  for ((k = 0; k < runs; k++)); do
    local s e
    s=$(date +%s.%N)
    "$exe" "$1" "$2" >/dev/null
    e=$(date +%s.%N)
    b=$(awk -v b="$b" -v d="$(awk -v s="$s" -v e="$e" 'BEGIN { print e - s }')" 'BEGIN { if (b == "" || d < b) print d; else print b }')
  done
  echo "$b"
}
same=$(best full.igc same.igc)
gaps=$(best full.igc gaps.igc)
printf 'identical logs:           %.3f s\n' "$same"
printf 'every tenth second gone:  %.3f s\n' "$gaps"
awk -v a="$same" -v b="$gaps" 'BEGIN { printf "ratio:                    %.2f\n", b / a; exit (b > 2 * a) }' ||
  { echo "bench_trackdiff.sh: the log with gaps takes more than twice as long" >&2; exit 1; }

# big FILE ORDER: 2,000,000 seconds from 00:00:00 (the hours written modulo
# 24).  ORDER 0: every second.  ORDER 1: the second and third fix written
# the other way round, and from the middle on only the even seconds.
# ORDER 2: as 1, then each quarter of an hour's records shuffled.
big() {
  awk -v order="$2" 'function put(i,  t, k, ml, tl, dn, mn, alt) {
      t = i % 86400
      # Whole thousandths of minutes, so that none rounds up to 60000.
      k = i % 100000; ml = int(k * 0.6); tl = int(k * 0.78)
      dn = 9 + int(tl / 60000); mn = tl % 60000
      alt = 1000 + i % 1500
      rec = sprintf("B%02d%02d%02d46%05dN%03d%05dEA%05d%05d005000\r\n", int(t / 3600), int(t % 3600 / 60), t % 60,
                    ml, dn, mn, alt, alt)
      if (order < 2) { printf "%s", rec; return }
      blk[nb++] = rec
    }
    function flush(  k, j, x) {
      for (k = nb - 1; k > 0; k--) { j = int(rand() * (k + 1)); x = blk[k]; blk[k] = blk[j]; blk[j] = x }
      for (k = 0; k < nb; k++) printf "%s", blk[k]
      nb = 0
    }
    BEGIN {
      srand(1)
      printf "ACSS00001\r\nHFDTE150623\r\nHFGPSGPS:CCSS_SOFTWARE_GPS\r\nHFFTYFRTYPE:CCSS\r\n"
      printf "HFCIDCOMPETITIONID:AB1\r\nI023638FXA3941ENL\r\n"
      n = 2000000
      for (i = 0; i < n; i++) {
        if (order >= 1 && i >= n / 2 && i % 2) continue
        j = i
        if (order >= 1 && i == 1) j = 2
        if (order >= 1 && i == 2) j = 1
        if (order == 2 && i % 900 == 0) flush()
        put(j)
      }
      if (order == 2) flush()
    }' > "$1"
}
big big.igc 0
big step.igc 1
big mixed.igc 2

# once FILE1 FILE2: the wall time of one run and its time-match line.
once() {
  local s e out
  s=$(date +%s.%N)
  out=$("$exe" "$1" "$2" | grep "time matches")
  e=$(date +%s.%N)
  awk -v s="$s" -v e="$e" -v m="$out" 'BEGIN { printf "%.3f s  %s\n", e - s, m }'
}
printf 'worst case, step back:    %s\n' "$(once big.igc step.igc)"
printf 'worst case, shuffled:     %s\n' "$(once big.igc mixed.igc)"
