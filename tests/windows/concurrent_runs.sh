#!/usr/bin/env bash
# The Windows converter under Wine, four runs at once into one output
# folder: each run converts the same four tracks into "tr\out", so that
# each replaces IGC files that the others are checking and replacing at
# the same moment.  In each of ten rounds every run must end with status
# 0, and the folder must then hold exactly the IGC files of a run alone,
# byte for byte, and nothing else.
#   tests/windows/concurrent_runs.sh BREMALO_EXE
# Wine runs the program in the WINEPREFIX of the caller, which must hold no
# installation of the simulator and whose server must be running already.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bremalo=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BREMALO_NO_GUI=1
runs=4 rounds=10 tracks="t1 t2 t3 t4"

mkdir -p "$work/program/LandscapeFiles" "$work/run/tr"
cp "$root/samples/LandscapeFiles/Sample.trn" "$work/program/LandscapeFiles/"
cp "$bremalo" "$work/program/Bremalo.exe"
printf 'Output Folder = out\r\n' > "$work/program/Bremalo.ini"
for t in $tracks; do cp "$root/samples/sample.ftr" "$work/run/tr/$t.ftr"; done
cd "$work/run"

# convert K: one run, its console into console.K and its status into
# status.K.
convert() {
  local st=0
  bash "$root/scripts/wine-run.sh" wine ../program/Bremalo.exe 'tr\*.ftr' </dev/null > "console.$1" 2>&1 || st=$?
  echo "$st" > "status.$1"
}

# What a run alone writes.
convert alone
[ "$(cat status.alone)" = 0 ] || { echo "concurrent_runs: a run alone failed:"; tail -5 console.alone; exit 1; }
mkdir alone
for t in $tracks; do cp "tr/out/$t.igc" alone/; done
expected=$(ls tr/out)

fail=0 failed_runs=0
for round in $(seq "$rounds"); do
  for k in $(seq "$runs"); do convert "$k" & done
  wait
  for k in $(seq "$runs"); do
    st=$(cat "status.$k")
    [ "$st" = 0 ] && continue
    failed_runs=$((failed_runs + 1)); fail=1
    echo "concurrent_runs: round $round, run $k ended with status $st:"
    grep -a '>>>' "console.$k" | head -3
  done
  if [ "$(ls tr/out)" != "$expected" ]; then
    echo "concurrent_runs: round $round left in the output folder:"; ls tr/out; fail=1
  fi
  for t in $tracks; do
    cmp -s "tr/out/$t.igc" "alone/$t.igc" || { echo "concurrent_runs: round $round: $t.igc differs"; fail=1; }
  done
done

total=$((runs * rounds))
if [ $fail = 0 ]; then
  echo "concurrent_runs: $total runs, $runs at once into one folder, all wrote whole, identical files"
else
  echo "concurrent_runs: $failed_runs of $total runs failed"
fi
exit $fail
