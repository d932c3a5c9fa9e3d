#!/usr/bin/env bash
# Converts the repository's sample track to an IGC file: builds Bremalo (in
# build-sample/, without the tests), copies samples/sample.ftr into
# out/sample/ and runs Bremalo on the copy there, with no simulator
# installation (an empty Wine prefix of its own), so that the terrain header
# comes from the program's LandscapeFiles folder.  Prints where the IGC
# file is.
#   bash scripts/convert-sample.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

missing=()
command -v cmake >/dev/null 2>&1 || missing+=(cmake)
command -v g++ >/dev/null 2>&1 || missing+=(g++)
command -v make >/dev/null 2>&1 || missing+=(make)
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
  else
    echo "convert-sample.sh: missing ${missing[*]} (Debian package names); install them and run again" >&2
    exit 1
  fi
fi

build=build-sample
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREMALO_TESTS=OFF >/dev/null
cmake --build "$build" --target Bremalo -j "$(nproc 2>/dev/null || echo 4)" >/dev/null

work="$root/out/sample"
rm -rf "$work"
mkdir -p "$work"
cp samples/sample.ftr "$work/sample.ftr"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
status=0
(cd "$work" && WINEPREFIX="$prefix" BREMALO_NO_GUI=1 "$root/$build/converter/Bremalo" sample.ftr \
   >"$work/console.txt" 2>&1) || status=$?
if [ "$status" -ne 0 ] || [ ! -f "$work/sample.igc" ]; then
  echo "convert-sample.sh: the conversion failed (status $status); its console output:" >&2
  cat "$work/console.txt" >&2
  exit 1
fi
echo "IGC file: $work/sample.igc"
echo "(console output of the run: $work/console.txt)"
