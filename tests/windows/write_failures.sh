#!/usr/bin/env bash
# The Windows programs under Wine when a write fails part way: run with a
# file-size limit of 12 KiB set from the Linux side (ulimit -f, SIGXFSZ
# ignored, so that a write beyond it fails instead of ending the program),
# the converter on the repository's sample track and trackdiff on two
# generated logs must end with status 2, say which file they could not
# write, leave the earlier IGC file, dumps, fort.88 and report byte for
# byte and no other file in the folder; runs without the limit replace
# them.
#   tests/windows/write_failures.sh BREMALO_EXE TRACKDIFF_EXE
# Wine runs the programs in the WINEPREFIX of the caller, which must hold
# no installation of the simulator and whose server must be running
# already: only the programs' own process is limited, never the server or
# Wine's own files.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bremalo=$(realpath "$1")
trackdiff=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BREMALO_NO_GUI=1

mkdir -p "$work/program/LandscapeFiles" "$work/run/out"
cp "$root/samples/LandscapeFiles/Sample.trn" "$work/program/LandscapeFiles/"
cp "$bremalo" "$trackdiff" "$work/program/"
cd "$work/run"
cp "$root/samples/sample.ftr" a.ftr
awk -v n=3600 -v jitter=0 -f "$root/tests/crossbuild/igc_log.awk" > t.igc
awk -v n=3600 -v jitter=1 -f "$root/tests/crossbuild/igc_log.awk" > u.igc
earlier_files="a.igc out/a.igc a_tXYZ.txt a_tXYZ_SMOOTH.txt fort.88 t-u_igc_diff.txt"
for f in $earlier_files; do printf 'earlier %s\r\n' "$f" > "$f"; done
: > Logfile.txt
entries() { find . -mindepth 1 | LC_ALL=C sort; }
before=$(entries)

fail=0
# run LIMIT STATUS TEXT PROGRAM ARGS...: runs the program (with a limit of
# LIMIT KiB, none when 0), expects the exit status STATUS and, unless
# empty, the line beginning TEXT on its console; the folder must hold the
# same entries as before.
run() {
  local limit=$1 want=$2 text=$3 program=$4 st
  shift 4
  # The limit is the program's alone: its console goes through a pipe.
  ( [ "$limit" = 0 ] || { trap '' XFSZ; ulimit -f "$limit"; }
    st=0
    bash "$root/scripts/wine-run.sh" wine "../program/$program" "$@" </dev/null 2>&1 || st=$?
    echo "$st" > "$work/status" ) | tr -d '\r' > "$work/console.txt"
  st=$(cat "$work/status")
  local what="$program $* (limit $limit KiB)"
  if [ "$st" != "$want" ]; then
    echo "write_failures: $what: exit status $st, not $want"; fail=1
  fi
  if [ -n "$text" ] && ! grep -qF -- "$text" "$work/console.txt"; then
    echo "write_failures: $what: no line \"$text\" on its console:"; tail -5 "$work/console.txt"; fail=1
  fi
  if [ "$(entries)" != "$before" ]; then
    echo "write_failures: $what: the folder holds other entries:"
    diff <(printf '%s\n' "$before") <(entries) | sed -n '2,20p'; fail=1
  fi
}

# unchanged: every earlier file as it was.
unchanged() {
  local f
  for f in $earlier_files; do
    if [ "$(cat "$f")" != "earlier $f"$'\r' ]; then echo "write_failures: $1: $f was changed"; fail=1; fi
  done
}

run 12 2 "The IGC file a.igc cannot be written: " Bremalo.exe a.ftr
unchanged "the IGC file"
printf 'Output Folder = out\r\n' > ../program/Bremalo.ini
run 12 2 "out\\a.igc cannot be written: " Bremalo.exe a.ftr
unchanged "the IGC file in the output folder"
rm ../program/Bremalo.ini
run 12 2 "The file a_tXYZ.txt cannot be written: " Bremalo.exe -noigc -wr a.ftr
unchanged "the raw dump"
run 12 2 "The file fort.88 cannot be written: " Bremalo.exe -noigc -sm:10 a.ftr
unchanged "fort.88"
run 12 2 "trackdiff : cannot write the report t-u_igc_diff.txt (error " trackdiff.exe t.igc u.igc
unchanged "the report"

# Without the limit each of them is replaced.
run 0 0 "" Bremalo.exe -wr -sm:10 a.ftr
printf 'Output Folder = out\r\n' > ../program/Bremalo.ini
run 0 0 "" Bremalo.exe a.ftr
run 0 0 " time matches" trackdiff.exe t.igc u.igc
for f in $earlier_files; do
  if [ "$(cat "$f")" = "earlier $f"$'\r' ]; then echo "write_failures: $f was not replaced"; fail=1; fi
done
for f in a.igc out/a.igc; do
  head -c 9 "$f" | grep -q '^ACSS00001$' || { echo "write_failures: $f is no IGC file"; fail=1; }
done
# Each file whole is longer than the limit, so the runs above failed part
# way through it.
for f in $earlier_files; do
  [ "$(wc -c < "$f")" -gt 12288 ] || { echo "write_failures: $f is within the limit"; fail=1; }
done

[ $fail = 0 ] && echo "write_failures: the Windows programs kept every earlier file when a write failed"
exit $fail
