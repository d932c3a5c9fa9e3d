#!/usr/bin/env bash
# The programs as a pilot installs them.  "cmake --install" of a build into
# a fresh prefix gives exactly bin/Bremalo and bin/trackdiff with the
# sample's terrain header in bin/LandscapeFiles (no library, test program
# or GoogleTest); the installed Bremalo converts a copy of the sample track
# on a machine without the simulator, so the terrain header can only come
# from the installed LandscapeFiles; the installed trackdiff compares the
# IGC file with itself.  Everything happens in a temporary folder, removed
# at the end.
#   installed_programs.sh CMAKE BUILD SAMPLE_FTR [EXE_SUFFIX RUNNER...]
# Without a runner the programs run directly, with an empty Wine prefix of
# their own; with one (".exe" wine, or ".exe" bash scripts/wine-run.sh
# wine) they run through it, in the caller's WINEPREFIX, which must hold no
# simulator installation.
set -euo pipefail
cmake=$1 build=$2 sample=$3
exe=${4:-}
runner=("${@:5}")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
run="$work/run"
mkdir -p "$run"

fail() {
  echo "installed_programs: $1" >&2
  [ $# -lt 2 ] || { echo "--- its output:" >&2; cat "$2" >&2; }
  exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.txt" 2>&1 ||
  fail "cmake --install failed" "$work/install.txt"
installed=$(cd "$prefix" && find . ! -type d | LC_ALL=C sort)
expected=$(printf '%s\n' "./bin/Bremalo$exe" ./bin/LandscapeFiles/Sample.trn "./bin/trackdiff$exe" | LC_ALL=C sort)
[ "$installed" = "$expected" ] ||
  fail "the prefix holds"$'\n'"$installed"$'\n'"instead of"$'\n'"$expected"

if [ ${#runner[@]} -eq 0 ]; then
  mkdir -p "$work/wine"
  export WINEPREFIX="$work/wine"
fi
export BREMALO_NO_GUI=1
unset DISPLAY WAYLAND_DISPLAY

cp "$sample" "$run/sample.ftr"
cd "$run"
status=0
"${runner[@]}" "$prefix/bin/Bremalo$exe" sample.ftr </dev/null >"$work/bremalo.txt" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "the installed Bremalo ended with status $status" "$work/bremalo.txt"
grep -q '^B' sample.igc 2>/dev/null || fail "the installed Bremalo wrote no IGC file with fixes" "$work/bremalo.txt"

status=0
"${runner[@]}" "$prefix/bin/trackdiff$exe" sample.igc sample.igc </dev/null >"$work/trackdiff.txt" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "the installed trackdiff ended with status $status" "$work/trackdiff.txt"
grep -q 'time matches' "$work/trackdiff.txt" || fail "the installed trackdiff printed no time matches" "$work/trackdiff.txt"
[ -f sample-sample_igc_diff.txt ] || fail "the installed trackdiff wrote no report" "$work/trackdiff.txt"
echo "installed_programs: installed into a fresh prefix, the sample converted and compared"
