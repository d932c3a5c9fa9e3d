#!/usr/bin/env bash
# Bounded fuzzing with libFuzzer (clang) of the flight-track readers and of
# the IGC reader, each on a seed corpus written by the tests' writers, and
# of the leaving out of damaged fix times on tracks damaged at random.  Any
# crash, sanitizer report, time-out or memory blow-up fails the script.
#   scripts/fuzz.sh [SECONDS]      (per target, default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}

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
cmake --build "$build" --target ftr_fuzz ftr_seeds igc_fuzz igc_seeds fix_times_fuzz -j "$(nproc 2>/dev/null || echo 4)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Messages of the readers stay on the console, never in a dialog.
export BREMALO_NO_GUI=1

# fuzz NAME SEEDS MAX_LEN: seeds (none for "-"), then a bounded run inside a
# folder of its own (the readers write their run log into the working
# folder).
fuzz() {
  local name=$1 seeds=$2 max_len=$3
  local dir="$work/$name"
  mkdir -p "$dir/corpus" "$dir/artifacts" "$dir/run"
  [ "$seeds" = - ] || "$root/$build/fuzz/$seeds" "$dir/corpus"
  local status=0
  (cd "$dir/run" && "$root/$build/fuzz/$name" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/artifacts/" "$dir/corpus") || status=$?
  if [ "$status" -ne 0 ]; then
    echo "fuzz.sh: $name failed (status $status); inputs:" >&2
    for f in "$dir"/artifacts/*; do
      [ -f "$f" ] && { echo "$f" >&2; od -A d -t x1 "$f" | head -20 >&2; }
    done
    exit 1
  fi
  echo "fuzz.sh: $name found no fault in ${seconds} s"
}

fuzz ftr_fuzz ftr_seeds 32768
fuzz igc_fuzz igc_seeds 16384
fuzz fix_times_fuzz - 64
