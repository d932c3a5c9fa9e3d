#!/usr/bin/env bash
# The Windows converter under Wine ended by Ctrl-C while it writes a long
# raw dump (Wine turns SIGINT into the console's Ctrl-C event): the
# temporary file goes, the earlier dump stays byte for byte and the status
# is STATUS_CONTROL_C_EXIT's (0xC000013A; Wine gives its low byte, 58).  A
# run beside 1000 leftovers of killed runs ends with status 0 and leaves
# them as they were.
#   tests/windows/stops.sh BREMALO_EXE WRITE_LONG_TRACK_EXE
# Wine runs the programs in the WINEPREFIX of the caller, which must hold
# no installation of the simulator.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bremalo=$(realpath "$1")
long_track=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BREMALO_NO_GUI=1

mkdir -p "$work/program/LandscapeFiles" "$work/run"
cp "$root/samples/LandscapeFiles/Sample.trn" "$work/program/LandscapeFiles/"
cp "$bremalo" "$work/program/"
cd "$work/run"
# A raw dump of about 20 MB, long enough to be caught while written.
bash "$root/scripts/wine-run.sh" wine "$long_track" long.ftr 300000 >/dev/null
printf 'earlier\r\n' > long_tXYZ.txt
: > Logfile.txt
entries() { find . -mindepth 1 | LC_ALL=C sort; }
before=$(entries)
fail=0

for round in 1 2 3; do
  # Wine itself, not a script around it, so that the signal reaches it.
  wine ../program/Bremalo.exe -noigc -wr long.ftr </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 6000); do
    compgen -G '*.tmp' >/dev/null && break
    sleep 0.01
  done
  if ! compgen -G '*.tmp' >/dev/null; then
    echo "stops: round $round: no temporary file seen"; fail=1
  fi
  kill -INT "$pid"
  st=0
  wait "$pid" || st=$?
  if [ "$st" != 58 ]; then echo "stops: round $round: exit status $st, not 58"; fail=1; fi
  if [ "$(cat long_tXYZ.txt)" != $'earlier\r' ]; then echo "stops: round $round: the dump was changed"; fail=1; fi
  if [ "$(entries)" != "$before" ]; then
    echo "stops: round $round: the folder holds other entries:"
    diff <(printf '%s\n' "$before") <(entries) | sed -n '2,20p'; fail=1
  fi
done

# Leftovers of every numbering: NAME.K.tmp and NAME.P.K.tmp.
cp "$root/samples/sample.ftr" a.ftr
for k in $(seq 1 1000); do
  printf 'left\r\n' > "a.igc.$k.tmp"
  printf 'left\r\n' > "a.igc.$k.1.tmp"
done
before=$(entries)
st=0
bash "$root/scripts/wine-run.sh" wine ../program/Bremalo.exe a.ftr </dev/null >/dev/null 2>&1 || st=$?
if [ "$st" != 0 ]; then echo "stops: beside 2000 leftovers: exit status $st, not 0"; fail=1; fi
head -c 9 a.igc 2>/dev/null | grep -q '^ACSS00001$' || { echo "stops: beside 2000 leftovers: no IGC file"; fail=1; }
if [ "$(entries | grep -v '^\./a\.igc$')" != "$before" ]; then
  echo "stops: beside 2000 leftovers: the leftovers changed"; fail=1
fi

[ $fail = 0 ] && echo "stops: Ctrl-C left no temporary file and leftovers stopped no run"
exit $fail
