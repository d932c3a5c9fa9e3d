#!/usr/bin/env bash
# The Linux and the Windows build of trackdiff on the same two logs: the
# reports must be byte-identical, the console the same line for line (the
# Windows console ends its lines CR LF) and the exit statuses equal.
#   tests/crossbuild/compare_trackdiff.sh LINUX_TRACKDIFF WINDOWS_TRACKDIFF_EXE
# Wine runs the Windows one, in the WINEPREFIX of the caller.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
linux=$(realpath "$1")
windows=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
awk -v n=3600 -v jitter=0 -f "$here/igc_log.awk" > a.igc
awk -v n=3600 -v jitter=1 -f "$here/igc_log.awk" > b.igc

fail=0
for pair in "a.igc b.igc" "a.igc a.igc" "a.igc missing.igc"; do
  set -- $pair
  rm -f ./*_igc_diff.txt
  st_l=0; "$linux" "$1" "$2" > linux.out 2>&1 </dev/null || st_l=$?
  report=$(ls ./*_igc_diff.txt 2>/dev/null || true)
  [ -n "$report" ] && mv "$report" linux.report
  st_w=0; wine "$windows" "$1" "$2" > windows.out 2>/dev/null </dev/null || st_w=$?
  report=$(ls ./*_igc_diff.txt 2>/dev/null || true)
  [ -n "$report" ] && mv "$report" windows.report
  tr -d '\r' < windows.out > windows.lf
  if [ "$st_l" != "$st_w" ]; then echo "trackdiff $pair: exit status $st_l on Linux, $st_w on Windows"; fail=1; fi
  if ! diff linux.out windows.lf > console.diff; then
    echo "trackdiff $pair: the consoles differ:"; head -20 console.diff; fail=1
  fi
  if [ -f linux.report ] || [ -f windows.report ]; then
    if ! cmp -s linux.report windows.report; then echo "trackdiff $pair: the reports differ"; fail=1; fi
  fi
  rm -f linux.report windows.report
  [ $fail = 0 ] && echo "trackdiff $pair: the same on Linux and Windows (status $st_l)"
done
exit $fail
