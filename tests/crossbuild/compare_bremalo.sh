#!/usr/bin/env bash
# The Linux and the Windows build of the converter on the same tracks: one
# of each layout with a task, a flight past midnight and the repository's
# sample, by every interpolation scheme, with the dumps and the smoothing
# ("-wr -sm:10") and with the pattern-built names ("-rigc -rftr").  Each
# run's working folder must end up with the same files, byte for byte (IGC
# files, dumps, "fort.88", the run log, the renamed tracks), and the exit
# statuses must be equal.  Then both builds of trackdiff compare pairs of
# those IGC files: the same reports, counts, statistics and statuses.
#   tests/crossbuild/compare_bremalo.sh LINUX_BREMALO WINDOWS_BREMALO_EXE \
#       WRITE_CROSSBUILD_TRACKS_EXE LINUX_TRACKDIFF WINDOWS_TRACKDIFF_EXE
# The tracks are written by the Windows build of write_crossbuild_tracks.
# Wine runs the Windows programs in the WINEPREFIX of the caller, which must
# hold no installation of the simulator; the Linux runs get an empty prefix
# of their own.  Both run in UTC, so that the files' dates name the same.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$here/compare_lib.sh"
linux=$(realpath "$1")
windows=$(realpath "$2")
writer=$(realpath "$3")
linux_trackdiff=$(realpath "$4")
windows_trackdiff=$(realpath "$5")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export TZ=UTC LC_ALL=C BREMALO_NO_GUI=1

mkdir tracks
(cd tracks && wine_run "$writer" . </dev/null >/dev/null 2>&1) ||
  { echo "compare_bremalo: the tracks could not be written"; exit 1; }
cp "$root/samples/sample.ftr" tracks/
touch -d '2024-05-01 14:07:00 UTC' tracks/*.ftr
mkdir linux-wine
for side in linux windows; do
  mkdir -p "$side/program/LandscapeFiles"
  cp "$root/samples/LandscapeFiles/Sample.trn" "$side/program/LandscapeFiles/"
  printf 'File format = Y4_MM_DD_hh_mm_ID_LA_ST_TD_DF_AV_US\r\n' > "$side/program/Bremalo.ini"
done
cp "$linux" linux/program/Bremalo
cp "$windows" windows/program/Bremalo.exe
linux_trackdiff=$(own_copy "$linux_trackdiff" "$work/linux-trackdiff")
windows_trackdiff=$(own_copy "$windows_trackdiff" "$work/windows-trackdiff")

fail=0
runs=("next -next" "prev -prev" "near -near" "linr -linr" "para -para" "dumps -wr -sm:10"
      "named -rigc -rftr -ustr:two words")
for run in "${runs[@]}"; do
  name=${run%% *}
  options=${run#* }
  [ "$name" = named ] && set -- -rigc -rftr "-ustr:two words" || set -- $options
  for side in linux windows; do
    mkdir "$side/$name"
    cp -p tracks/*.ftr "$side/$name/"
  done
  # The shell expands the Linux build's pattern; the Windows build expands
  # its own.
  st_l=0
  (cd "linux/$name" && WINEPREFIX="$work/linux-wine" ../program/Bremalo "$@" *.ftr > ../"$name.out" 2>&1 </dev/null) ||
    st_l=$?
  st_w=0
  (cd "windows/$name" && wine_run ../program/Bremalo.exe "$@" '*.ftr' > ../"$name.out" 2>/dev/null </dev/null) || st_w=$?
  if [ "$st_l" != "$st_w" ]; then
    echo "Bremalo $options: exit status $st_l on Linux, $st_w on Windows"; fail=1
  fi
  if ! diff <(cd "linux/$name" && ls -1) <(cd "windows/$name" && ls -1) > list.diff; then
    echo "Bremalo $options: other files on Linux (<) and Windows (>):"; head -20 list.diff; fail=1
  fi
  same=0 differ=0
  for f in "linux/$name"/*; do
    f=${f##*/}
    [ -f "windows/$name/$f" ] || continue
    if cmp -s "linux/$name/$f" "windows/$name/$f"; then
      same=$((same + 1))
    else
      echo "Bremalo $options: $f differs"; differ=1; fail=1
    fi
  done
  [ "$differ" = 0 ] && [ "$st_l" = "$st_w" ] &&
    echo "Bremalo $options: the same $same files on Linux and Windows (status $st_l)"
  [ "$same" -gt 0 ] || { echo "Bremalo $options: no file written"; fail=1; }
done

# trackdiff on the converter's logs: the same track by two schemes, a
# flight past midnight among them.
mkdir pairs
for s in next linr para near prev; do
  for t in v2500 v3040 midnight; do cp "linux/$s/$t.igc" "pairs/${t}_$s.igc"; done
done
cd pairs
for pair in "v3040_next.igc v3040_linr.igc" "midnight_next.igc midnight_para.igc" \
            "v2500_near.igc v2500_prev.igc" "midnight_linr.igc midnight_linr.igc"; do
  set -- $pair
  trackdiff_pair "$linux_trackdiff" "$windows_trackdiff" "$1" "$2" statistics || fail=1
done
exit $fail
