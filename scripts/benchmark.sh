#!/usr/bin/env bash
# Benchmark of the whole conversion of one long track: a version-3040 track
# of 360,000 raw fixes (ten hours at ten fixes a second) read, resampled and
# written as IGC by Bremalo, run as a whole process, against gpsbabel reading
# and rewriting the IGC file that results.  Also the peak resident size of
# Bremalo at 36,000 and 360,000 fixes.  Each program runs three times; the
# fastest run counts.  Not a test: it prints the figures.
#   bash scripts/benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh >/dev/null
command -v gpsbabel >/dev/null || { echo "benchmark.sh: gpsbabel is needed (Debian: gpsbabel)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "benchmark.sh: /usr/bin/time is needed (Debian: time)" >&2; exit 1; }

build=build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target Bremalo write_long_track -j "$(nproc 2>/dev/null || echo 4)" >/dev/null
bremalo="$root/$build/converter/Bremalo"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/wine"
# No simulator installation: the terrain header comes from the program's
# LandscapeFiles folder; no dialog can appear.
export WINEPREFIX="$work/wine" BREMALO_NO_GUI=1
runs=3

# One timed run: "<elapsed seconds> <peak resident KiB>".
timed() {
  local log="$work/time.txt"
  /usr/bin/time -f "%e %M" -o "$log" "$@" >"$work/console.txt" 2>&1 ||
    { echo "benchmark.sh: $* failed:" >&2; tail -20 "$work/console.txt" >&2; exit 1; }
  tail -1 "$log"
}

# The fastest of $runs runs, and the peak resident size seen.
best_of() {
  local best="" rss=0 t m
  for _ in $(seq "$runs"); do
    read -r t m < <(timed "$@")
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
    [ "$m" -gt "$rss" ] && rss=$m
  done
  echo "$best $rss"
}

printf '%-10s %-9s %12s %14s\n' fixes program "best time s" "peak RSS KiB"
for n in 36000 360000; do
  "$root/$build/tests/write_long_track" "$work/long$n.ftr" "$n"
  cd "$work"
  read -r bt bm < <(best_of "$bremalo" "long$n.ftr")
  printf '%-10s %-9s %12s %14s\n' "$n" Bremalo "$bt" "$bm"
  read -r gt gm < <(best_of gpsbabel -i igc -f "long$n.igc" -o igc -F /dev/null)
  printf '%-10s %-9s %12s %14s\n' "$n" gpsbabel "$gt" "$gm"
  ratio=$(awk -v a="$bt" -v b="$gt" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }')
  echo "           Bremalo / gpsbabel time: $ratio (track $(stat -c %s "long$n.ftr") bytes," \
       "IGC $(stat -c %s "long$n.igc") bytes, $(grep -c '^B' "long$n.igc") B records)"
  cd "$root"
done
