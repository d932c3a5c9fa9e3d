#!/usr/bin/env bash
# The Linux and the Windows build of trackdiff on the same generated logs:
# the reports must be byte-identical, the console the same line for line
# (the Windows console ends its lines CR LF) and the exit statuses equal.
#   tests/crossbuild/compare_trackdiff.sh LINUX_TRACKDIFF WINDOWS_TRACKDIFF_EXE
# Wine runs the Windows one, in the WINEPREFIX of the caller.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/compare_lib.sh"
linux=$(realpath "$1")
windows=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
linux=$(own_copy "$linux" "$work/linux-program")
windows=$(own_copy "$windows" "$work/windows-program")
awk -v n=3600 -v jitter=0 -f "$here/igc_log.awk" > a.igc
awk -v n=3600 -v jitter=1 -f "$here/igc_log.awk" > b.igc

fail=0
for pair in "a.igc b.igc" "a.igc a.igc" "a.igc missing.igc"; do
  set -- $pair
  trackdiff_pair "$linux" "$windows" "$1" "$2" || fail=1
done
exit $fail
