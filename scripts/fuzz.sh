#!/usr/bin/env bash
# Bounded fuzzing of the flight-track readers with libFuzzer (clang), on a
# seed corpus written by the tests' track writer.  Any crash, sanitizer
# report, time-out or memory blow-up fails the script.
#   scripts/fuzz.sh [SECONDS]      (default 90)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-90}

if ! command -v clang++ >/dev/null 2>&1; then
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq clang
  else
    echo "fuzz.sh: clang++ is needed (Debian: clang)" >&2
    exit 1
  fi
fi

build=build-fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g"
CC=clang CXX=clang++ cmake -S . -B "$build" -DBREMALO_FUZZ=ON -DBREMALO_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags"
cmake --build "$build" --target ftr_fuzz ftr_seeds -j "$(nproc 2>/dev/null || echo 4)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/artifacts"
"$build/fuzz/ftr_seeds" "$work/corpus"

# The readers write their run log into the working folder: keep it in $work.
cd "$work"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
"$root/$build/fuzz/ftr_fuzz" -max_total_time="$seconds" -max_len=32768 -timeout=20 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" || status=$?
if [ "$status" -ne 0 ]; then
  echo "fuzz.sh: the track fuzzer failed (status $status); inputs:" >&2
  for f in "$work"/artifacts/*; do
    [ -f "$f" ] && { echo "$f" >&2; od -A d -t x1 "$f" | head -20 >&2; }
  done
  exit 1
fi
echo "fuzz.sh: no fault found in ${seconds} s"
