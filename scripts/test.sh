#!/usr/bin/env bash
# Builds everything and runs every test.
#   scripts/test.sh             plain build in build/
#   scripts/test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

mode=plain
[ "${1:-}" = "--sanitize" ] && mode=sanitize

if [ "$mode" = sanitize ]; then
  build=build-asan
  flags=(-DBREMALO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  build=build
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi

bash scripts/install-deps.sh "$build"

jobs=$(nproc 2>/dev/null || echo 4)
cmake -S . -B "$build" "${flags[@]}"
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
